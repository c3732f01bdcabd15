#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <vector>

class Connection;

// The tables that workouts and races are written to, each described once: its columns in
// order, the kind of each (how its value is checked and bound), the window field that holds
// it and what it holds of a workout. The INSERT, the UPDATE, the column list of the edit-mode
// SELECT and the pick-list queries are built from these descriptions, so no statement can name
// a column another one forgot, or list them in another order.
namespace Tables {

enum class Kind {
    Text,   // bound as the text given
    Number, // a plain decimal (CLibrary::Number), or the row is refused
    Date,   // bound as a QDate, stored as ISO yyyy-MM-dd, read back as dd-mmm-yyyy
};

// What a column holds of a workout, so that code writing one without a window (the import)
// fills a row by meaning rather than by column name.
enum class Holds { Nothing, Type, Date, Day, Time, User, Comments, Miles, Kilometers, Place, Gear, Laps };

struct Column {
    const char* name;
    Kind kind;
    // objectName of the window field holding the value; nullptr when the window supplies
    // it otherwise (the user's name, the workout type).
    const char* field;
    Holds holds = Holds::Nothing;
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

// One row of a table as typed values in column order: text as given, a number as its checked
// decimal text, a date as a QDate. Its statements name the columns of the description and take
// every value as a bound parameter, so one statement text serves every row of the table.
class Row {
  public:
    // Text columns empty, a number column with a stated empty value at that value, every other
    // number and date column unset (an insert refuses the row until it is set).
    explicit Row(const Table& table);
    // Every column from its raw text. Throws DbError for a number or a date that is not one.
    Row(const Table& table, const Values& values);

    // Sets the column from text as typed: blanks around a number are dropped, an empty number
    // takes the column's stated empty value. Throws DbError ("Type mismatch") for a number that
    // is not a plain decimal, and for a date text that is not a date.
    void setText(const Column& column, const QString& text);
    // Sets each column that holds `what`; a table without one is left as it is.
    void set(Holds what, const QString& text);
    void set(Holds what, const QDate& date);

    const Table& table() const { return *m_table; }
    const QVariant& value(const Column& column) const;

    // Inserts every column; with a non-zero `id` the key column first with that identifier (a
    // detail row). Returns the new row's identifier. Throws DbError, also for an unset value.
    qint64 insert(Connection& conn, qint64 id = 0) const;
    // Updates the edited columns of the row whose key is `id`. Returns the rows changed (0 when
    // there is none with that key). Throws DbError.
    int update(Connection& conn, qint64 id) const;

  private:
    qsizetype indexOf(const Column& column) const;
    QVariantList checkedValues(bool editedOnly) const;

    const Table* m_table;
    QVariantList m_values; // one per column; an invalid QVariant while unset
};

// Writes a workout: the master row, then the detail row keyed by the master's new identifier,
// in one transaction (joining the caller's open one): both rows or neither. Returns the new
// identifier. Throws DbError.
qint64 insertWorkout(Connection& conn, const Row& master, const Row& detail);
// Updates a workout's master and detail rows in one transaction. Nothing is written, and the
// result is false, when either row is missing. Throws DbError.
bool updateWorkout(Connection& conn, qint64 id, const Row& master, const Row& detail);
// The edited columns for an edit-mode SELECT, dates as dd-mmm-yyyy under their own names.
QString selectList(const Table& table);

// The distinct values of `column` in the user's earlier workouts of a detail table, for a
// pick list; the user's name is the statement's one parameter (?).
QString pickListSql(const Table& detail, const char* column);

} // namespace Tables
