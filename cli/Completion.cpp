// The bash completion script, written from the command table so that it names exactly the
// commands and options that the usage lists.

#include "Commands.h"

#include <QMap>
#include <QRegularExpression>

namespace Cli {

namespace {

// What one command's usage lines say about the words after its name.
struct Grammar {
    QStringList options{QStringLiteral("--help")};
    QMap<QString, QStringList> values; // option -> its choices (none: any text or a file)
    QStringList firstWords;            // "calc minutes ...": the words right after the name
    bool positional = false;           // takes words of its own (files, statements, numbers)
};

QString unbracketed(QString word) {
    while (word.startsWith(QLatin1Char('[')))
        word.remove(0, 1);
    while (word.endsWith(QLatin1Char(']')))
        word.chop(1);
    return word;
}

// The choices a value written in the usage offers: "full|summary|weekly" and
// "Running,Cycling" do; a quoted example, a placeholder in capitals or a single example
// word ("March") does not.
QStringList choicesOf(const QString& value) {
    if (value.startsWith(QLatin1Char('"')) || value == value.toUpper())
        return {};
    static const QRegularExpression separator(QStringLiteral("[|,]"));
    const QStringList choices = value.split(separator, Qt::SkipEmptyParts);
    return choices.size() > 1 ? choices : QStringList();
}

Grammar grammarOf(const Command& c) {
    static const QRegularExpression word(QStringLiteral("\\[*\"[^\"]*\"\\]*|[^\\s\"]+"));
    Grammar g;
    for (const QString& line : QString::fromUtf8(c.usage).split(QLatin1Char('\n'))) {
        QStringList raw;
        for (auto it = word.globalMatch(line); it.hasNext();)
            raw << it.next().captured();
        for (qsizetype i = 1; i < raw.size(); ++i) {
            const QString w = unbracketed(raw.at(i));
            if (w == QLatin1String("|"))
                continue;
            if (w.startsWith(QLatin1String("--"))) {
                if (!g.options.contains(w))
                    g.options << w;
                const QString next = i + 1 < raw.size() ? unbracketed(raw.at(i + 1)) : QString();
                if (!raw.at(i).endsWith(QLatin1Char(']')) && !next.isEmpty() &&
                    !next.startsWith(QLatin1Char('-')) && next != QLatin1String("|")) {
                    g.values.insert(w, choicesOf(next));
                    ++i;
                }
            } else if (i == 1 && QRegularExpression(QStringLiteral("^[a-z]+$")).match(w).hasMatch()) {
                g.firstWords << w;
            } else {
                g.positional = true;
            }
        }
    }
    return g;
}

} // namespace

QString bashCompletion(std::span<const Command> commands) {
    QStringList names;
    QString valueCases, commandCases;
    QStringList freeValues; // "command --option" patterns whose value is any text or a file
    for (const Command& c : commands) {
        const QString name = QString::fromUtf8(c.name);
        names << name;
        const Grammar g = grammarOf(c);
        for (auto it = g.values.cbegin(); it != g.values.cend(); ++it) {
            const QString pattern = QStringLiteral("\"%1 %2\"").arg(name, it.key());
            if (it.value().isEmpty())
                freeValues << pattern;
            else
                valueCases += QStringLiteral("    %1) words=\"%2\" ;;\n").arg(pattern, it.value().join(' '));
        }
        commandCases += QStringLiteral("        %1) options=\"%2\" first=\"%3\" positional=%4 ;;\n")
                            .arg(name, g.options.join(' '), g.firstWords.join(' '))
                            .arg(g.positional ? 1 : 0);
    }
    if (!freeValues.isEmpty())
        valueCases += QStringLiteral("    %1) return 0 ;;\n").arg(freeValues.join(QStringLiteral(" | ")));

    return QStringLiteral(
               "# bash completion for trainbook-cli, written by the build from the program's command "
               "table.\n"
               "_trainbook_cli() {\n"
               "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} i=1\n"
               "    local command= words= options= first= positional=0\n"
               "    # The command is the first word after the --db option and its file.\n"
               "    while ((i < COMP_CWORD)) && [[ ${COMP_WORDS[i]} == --db ]]; do\n"
               "        i=$((i + 2))\n"
               "    done\n"
               "    ((i < COMP_CWORD)) && command=${COMP_WORDS[i]}\n"
               "    if [[ -z $command ]]; then\n"
               "        [[ $prev == --db ]] && return 0\n"
               "        COMPREPLY=($(compgen -W \"--db --help --version %1\" -- \"$cur\"))\n"
               "        return 0\n"
               "    fi\n"
               "    case \"$command $prev\" in\n"
               "%2"
               "    *)\n"
               "        case $command in\n"
               "%3"
               "        *) return 0 ;;\n"
               "        esac\n"
               "        if [[ $cur == -* ]]; then\n"
               "            words=$options\n"
               "        elif ((COMP_CWORD == i + 1)) && [[ -n $first ]]; then\n"
               "            words=$first\n"
               "        elif ((!positional)); then\n"
               "            words=$options\n"
               "        fi\n"
               "        ;;\n"
               "    esac\n"
               "    # Nothing offered: bash completes file names.\n"
               "    COMPREPLY=($(compgen -W \"$words\" -- \"$cur\"))\n"
               "}\n"
               "complete -o default -F _trainbook_cli trainbook-cli\n")
        .arg(names.join(' '), valueCases, commandCases);
}

} // namespace Cli
