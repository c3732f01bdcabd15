#pragma once

#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

// The tables that windows write rows of, each described once: its columns in order, the kind
// of each (how a value is written into a statement), and the window field that holds it. The
// INSERT, the SET list of an UPDATE, the column list of the edit-mode SELECT and the pick-list
// queries are built from these descriptions, so no statement can name a column another one
// forgot, or list them in another order.
namespace Tables {

enum class Kind {
    Text,   // CLibrary::Quote
    Number, // CLibrary::Number: a plain decimal, or the statement is refused
    Date,   // quoted date text; written as ISO by the data layer, read back as dd-mmm-yyyy
};

struct Column {
    const char* name;
    Kind kind;
    // objectName of the window field holding the value; nullptr when the window supplies
    // it otherwise (the user's name, the workout type).
    const char* field;
    // False for a column written by the insert only: never updated and never read back.
    bool edited = true;
    // Text written for an empty number (nullptr: an empty number is refused).
    const char* whenEmpty = nullptr;
};

struct Table {
    const char* name;
    const char* key; // the identifier column
    std::vector<Column> columns;
};

// Exercise_Master, and one detail table per workout kind keyed by the same identifier.
extern const Table ExerciseMaster;
extern const Table RunningLog;
extern const Table CyclingLog;
extern const Table SwimmingLog;
extern const Table VideoLog;
extern const Table OtherLog;
// Races have no master row; RaceID is their own identifier.
extern const Table RaceLog;

// The raw text of a column's value, as typed or supplied.
using Values = std::function<QString(const Column&)>;

// A value as it goes into a statement: quoted text, or a checked number. Throws DbError
// ("Type mismatch") for a number column whose text is not a number.
QString literal(const Column& column, const QString& text);

// INSERT INTO <table> (...) VALUES (...) of every column; with `id`, the key column first
// with that identifier (a detail row). Throws DbError for a value that is not a number.
QString insertSql(const Table& table, const Values& values, const QString& id = QString());
// "A = x, B = y" over the edited columns. Throws DbError for a value that is not a number.
QString setList(const Table& table, const Values& values);
// The edited columns for an edit-mode SELECT, dates as dd-mmm-yyyy under their own names.
QString selectList(const Table& table);

// The distinct values of `column` in the user's earlier workouts of a detail table, for a
// pick list; the user's name is the statement's one parameter (?).
QString pickListSql(const Table& detail, const char* column);

} // namespace Tables
