#include "CliSupport.h"

#include "DbError.h"
#include "NumberText.h"

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
