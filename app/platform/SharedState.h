#pragma once

#include <QString>

// What every window reads from the main window at the moment it needs it: the current
// user (the text of the user selector) and the distance unit (the "Distance is Miles" mark).
class SharedState {
public:
    virtual ~SharedState() = default;
    virtual QString currentUser() const = 0;
    virtual bool miles() const = 0;
};

// A fixed state, for windows opened without a main window (tests, tools).
class FixedState : public SharedState {
public:
    FixedState(QString user = QString(), bool miles = true) : m_user(std::move(user)), m_miles(miles) {}
    QString currentUser() const override { return m_user; }
    bool miles() const override { return m_miles; }
    void setUser(const QString& user) { m_user = user; }
    void setMiles(bool miles) { m_miles = miles; }

private:
    QString m_user;
    bool m_miles;
};
