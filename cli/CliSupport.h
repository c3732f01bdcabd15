#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

// What every trainbook-cli command shares: its output streams and how it says that the
// words on the command line are wrong. A command is a function of its arguments (the words
// after its name) that returns the exit code; a DbError it throws prints its description on
// standard error and exits with 1, a UsageError prints the usage and exits with 2.
namespace Cli {

// Wrong words or argument counts on the command line.
struct UsageError {
    QString message;
};

QTextStream& out();
QTextStream& err();

// Throws UsageError unless there are exactly `count` arguments.
void expectArgs(const QStringList& args, qsizetype count);
// A plain decimal number; throws DbError("Type mismatch") otherwise.
double numberArg(const QString& text);
// A date written yyyy-mm-dd that a workout can have; throws UsageError otherwise.
QDate dateArg(const QString& text);

// Reads "--name value" options and bare "--flag" switches from `args`. Every word must be a
// known option: anything else, a missing value or a repeated option is a UsageError.
class Options {
  public:
    Options(const QStringList& args, const QStringList& valueOptions, const QStringList& flags);
    bool has(const QString& name) const { return m_values.contains(name) || m_flags.contains(name); }
    // The option's value, or `fallback` when it was not given.
    QString value(const QString& name, const QString& fallback = QString()) const;
    // The option's value; a UsageError when it was not given.
    QString required(const QString& name) const;

  private:
    QHash<QString, QString> m_values;
    QStringList m_flags;
};

} // namespace Cli
