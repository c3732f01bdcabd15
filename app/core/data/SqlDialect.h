#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;

// Makes SQLite accept the SQL dialect in which the windows compose their statements.
// A tokenizer and a few rewrites (see SqlDialect.cpp); the functions the rewritten text
// calls are registered by SqlFunctions::registerAll.
namespace SqlDialect {

// Answers which table of the database has a column of that name (case-insensitive), among
// the given tables. Used to split an UPDATE over two tables.
using ColumnOwner = std::function<QString(const QStringList& tables, const QString& column)>;

// Translates one statement. Returns the SQLite statements to run in order (more than one
// only for an UPDATE over two tables; the caller runs them in one transaction).
// Throws DbError when the text holds more than one statement or cannot be tokenized.
// `dateColumns` names (lower-case) the columns that hold dates, as the database's schema
// declares them; null means none.
QStringList translate(const QString& statement, const ColumnOwner& owner, const QSet<QString>* dateColumns);

} // namespace SqlDialect
