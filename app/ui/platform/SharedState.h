#pragma once

#include <QObject>
#include <QString>

// What every window reads from the main window at the moment it needs it: the current
// user (the text of the user selector) and the distance unit (the "Distance is Miles" mark).
// It announces changes, so that a window that stays open (the calendar report) can follow
// the user and the unit.
class SharedState : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    virtual QString currentUser() const = 0;
    virtual bool miles() const = 0;

  signals:
    void currentUserChanged(const QString& user);
    void milesChanged(bool miles);
};

// A fixed state, for windows opened without a main window (tests, tools).
class FixedState : public SharedState {
    Q_OBJECT
  public:
    explicit FixedState(QString user = QString(), bool miles = true)
        : m_user(std::move(user)), m_miles(miles) {}
    QString currentUser() const override { return m_user; }
    bool miles() const override { return m_miles; }
    void setUser(const QString& user) {
        if (user == m_user)
            return;
        m_user = user;
        emit currentUserChanged(m_user);
    }
    void setMiles(bool miles) {
        if (miles == m_miles)
            return;
        m_miles = miles;
        emit milesChanged(m_miles);
    }

  private:
    QString m_user;
    bool m_miles;
};
