#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

struct sqlite3;

// What a Trainbook database holds: the schema script the program creates files from, and the
// tables and columns read back from a file, so that opening can tell a damaged file and the
// SQL dialect can tell the date columns.
namespace Schema {

// Identifies a Trainbook database file ("TRBK").
constexpr int ApplicationId = 1414676546;
// The user_version of files this program writes; older files are migrated (Migration.h).
constexpr int Version = 7;

// The script that creates an empty database of the current version.
QString text();
// The script of the migration step that brings a file to version `to`.
QString migrationText(int to);

struct Layout {
    QHash<QString, QStringList> columns; // lower-case table -> its columns as written
    QHash<QString, QString> tableNames;  // lower-case -> as the schema writes it
    QSet<QString> dateColumns;           // lower-case names of the columns that hold dates
    bool asCreated = false;              // every table defined exactly as a new database has it
};

// Reads the tables and columns of an open database. A database whose tables are defined as
// those of one read before in this process gets that layout without reading them again.
// Throws DbError.
Layout read(sqlite3* db);
// The layout of a new database of the current version.
const Layout& expected();
// What of the expected tables and columns `actual` lacks, as a sentence part
// ("table Users; column Miles of Running_Log"); empty when nothing is missing.
QString missing(const Layout& actual);

// The columns a CREATE TABLE text constrains to real dates: those in
// "CHECK (... date(Column, '+0 days') IS Column)".
QSet<QString> dateColumns(const QString& createSql);

} // namespace Schema
