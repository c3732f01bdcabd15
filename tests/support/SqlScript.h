#pragma once
// The statements of a .sql file of test data: split at each ";", with "--" comment lines
// left out.
#include <QFile>
#include <QStringList>

inline QStringList sqlStatements(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("-- cannot read ") + path}; // fails where it is executed
    QString text;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
        if (!line.trimmed().startsWith(QLatin1String("--")))
            text += line + QLatin1Char('\n');
    QStringList out;
    for (const QString& s : text.split(QLatin1Char(';')))
        if (!s.trimmed().isEmpty())
            out << s.trimmed();
    return out;
}
