#pragma once

#include <QList>
#include <QPair>
#include <QString>

// What the About window's system information shows: the program's, Qt's and SQLite's
// versions, the operating system, and the database in use with its size and the rows of
// each table. Never fails: a database that cannot be read is described as such.
namespace SystemInfo {

using Lines = QList<QPair<QString, QString>>; // caption, value

Lines collect(const QString& programVersion, const QString& databasePath);

// The lines as plain text, one "caption: value" per line, for copying into a message.
QString text(const Lines& lines);

} // namespace SystemInfo
