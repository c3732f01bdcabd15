#include "CliSupport.h"

#include "DateText.h"
#include "DbError.h"
#include "NumberText.h"

#include <QRegularExpression>

namespace Cli {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

void expectArgs(const QStringList& args, qsizetype count) {
    if (args.size() != count)
        throw UsageError{QStringLiteral("wrong number of arguments")};
}

double numberArg(const QString& text) {
    const auto value = NumberText::parse(text);
    if (!value)
        throw DbError(QStringLiteral("Type mismatch"));
    return *value;
}

QDate dateArg(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QDate date = QDate::fromString(text, Qt::ISODate);
    // Only dates a workout can have.
    if (!shape.match(text).hasMatch() || !date.isValid() || date < DateText::firstPickable() ||
        date > DateText::lastPickable())
        throw UsageError{QStringLiteral("not a date such as 2026-12-07: ") + text};
    return date;
}

Options::Options(const QStringList& args, const QStringList& valueOptions, const QStringList& flags) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        if (has(word))
            throw UsageError{QStringLiteral("option given twice: ") + word};
        if (flags.contains(word)) {
            m_flags << word;
        } else if (valueOptions.contains(word)) {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("option needs a value: ") + word};
            m_values.insert(word, args.at(++i));
        } else {
            throw UsageError{QStringLiteral("unknown argument: ") + word};
        }
    }
}

QString Options::value(const QString& name, const QString& fallback) const {
    return m_values.value(name, fallback);
}

QString Options::required(const QString& name) const {
    if (!m_values.contains(name))
        throw UsageError{QStringLiteral("missing option: ") + name};
    return m_values.value(name);
}

} // namespace Cli
