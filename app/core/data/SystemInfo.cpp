#include "SystemInfo.h"

#include "Backup.h"
#include "Connection.h"
#include "DbError.h"
#include "Transaction.h"

#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>
#include <QtGlobal>
#include <sqlite3.h>

namespace SystemInfo {

Lines collect(const QString& programVersion, const QString& databasePath) {
    Lines lines;
    lines.append({QStringLiteral("Program"), QStringLiteral("Trainbook ") + programVersion});
    lines.append({QStringLiteral("Qt"), QString::fromLatin1(qVersion())});
    lines.append({QStringLiteral("SQLite"), QString::fromLatin1(sqlite3_libversion())});
    lines.append({QStringLiteral("Operating system"),
                  QSysInfo::prettyProductName() + QStringLiteral(" (") + QSysInfo::kernelType() +
                      QLatin1Char(' ') + QSysInfo::kernelVersion() + QLatin1Char(' ') +
                      QSysInfo::currentCpuArchitecture() + QLatin1Char(')')});

    const QFileInfo file(databasePath);
    lines.append({QStringLiteral("Database"), file.absoluteFilePath()});
    if (!file.exists()) {
        lines.append({QStringLiteral("Database size"), QStringLiteral("(no such file)")});
        return lines;
    }
    lines.append(
        {QStringLiteral("Database size"), QLocale::c().toString(file.size()) + QStringLiteral(" bytes")});
    try {
        auto connection = Connection::open(databasePath);
        Transaction snapshot(*connection, Transaction::Mode::Read);
        for (const auto& [table, rows] : Backup::tableRowCounts(*connection))
            lines.append({QStringLiteral("Rows in ") + table, QString::number(rows)});
    } catch (const std::exception& e) {
        lines.append({QStringLiteral("Rows"),
                      QStringLiteral("(could not be read: ") + describe(e) + QLatin1Char(')')});
    }
    return lines;
}

QString text(const Lines& lines) {
    QString out;
    for (const auto& [caption, value] : lines)
        out += caption + QStringLiteral(": ") + value + QLatin1Char('\n');
    return out;
}

} // namespace SystemInfo
