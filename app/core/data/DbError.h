#pragma once

#include <QString>
#include <stdexcept>

// A failure of the data layer or of a conversion, carrying a plain description that
// windows put into their messages ("Type mismatch", "Division by zero", or the engine's text).
class DbError : public std::runtime_error {
  public:
    explicit DbError(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description) {}
    QString description() const { return m_description; }

  private:
    QString m_description;
};

// The description of any error a handler catches, as its message shows it. A DbError's
// what() carries its description in UTF-8, so one catch of std::exception serves both.
inline QString describe(const std::exception& e) {
    return QString::fromUtf8(e.what());
}
