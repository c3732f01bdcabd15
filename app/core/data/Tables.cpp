#include "Tables.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "Transaction.h"

#include <QStringList>

namespace Tables {

namespace {
constexpr Kind Text = Kind::Text;
constexpr Kind Number = Kind::Number;
constexpr Kind Date = Kind::Date;
} // namespace

const Table ExerciseMaster{"Exercise_Master",
                           "Exercise_ID",
                           {
                               {"Exercise_Type", Text, nullptr, Holds::Type, false},
                               {"Exercise_Date", Date, "txtDate", Holds::Date},
                               {"Exercise_Day", Text, "txtDay", Holds::Day},
                               {"Exercise_Time", Text, "txtTime", Holds::Time},
                               {"User_Name", Text, nullptr, Holds::User, false},
                               {"Comments", Text, "txtComments", Holds::Comments},
                           }};

const Table RunningLog{"Running_Log",
                       "Running_ID",
                       {
                           {"Miles", Number, "txtMiles", Holds::Miles},
                           {"Course", Text, "cbCourse", Holds::Place},
                           {"Shoes", Text, "cbShoes", Holds::Gear},
                           {"Kilometers", Number, "txtKilometers", Holds::Kilometers},
                       }};

const Table CyclingLog{"Cycling_Log",
                       "Cycling_ID",
                       {
                           {"Miles", Number, "txtMiles", Holds::Miles},
                           {"Course", Text, "cbCourse", Holds::Place},
                           {"Bike", Text, "cbBike", Holds::Gear},
                           // Empty is written as 0; edit mode shows the stored value.
                           {"Calories_Burned", Number, "txtCalories", Holds::Nothing, true, "0"},
                           {"Kilometers", Number, "txtKilometers", Holds::Kilometers},
                       }};

const Table SwimmingLog{"Swimming_Log",
                        "Swimming_ID",
                        {
                            {"Laps", Number, "txtLaps", Holds::Laps},
                            {"Location", Text, "cbLocation", Holds::Place},
                        }};

const Table VideoLog{"Video_Log", "Video_ID", {{"Video", Text, "cbVideo"}}};

const Table OtherLog{"OtherLog",
                     "Other_ID",
                     {
                         {"Exercise_Name", Text, "cbExercise"},
                         {"Field1", Text, "txtField1"},
                         {"Field2", Text, "txtField2"},
                         {"Field3", Text, "txtField3"},
                     }};

// The distances come before the time: filling a window in this order computes the pace
// that the time brings from the distances already there.
const Table RaceLog{"RaceLog",
                    "RaceID",
                    {
                        {"Exercise", Text, "txtExercise"},
                        {"RaceDate", Date, "dtRaceDate"},
                        {"RaceType", Text, "cbRaceType"},
                        {"RaceName", Text, "txtRaceName"},
                        {"RaceDistance", Number, "txtMiles"},
                        {"RaceDistanceKM", Number, "txtKilometers"},
                        {"RaceTime", Text, "txtTime"},
                        {"RaceCity", Text, "txtCity"},
                        {"RaceState", Text, "txtState"},
                        {"RaceComments", Text, "txtComments"},
                        {"User_Name", Text, nullptr, Holds::User},
                        {"AgeGroup", Text, "txtAgeGroup"},
                        {"AgeGroupPlace", Text, "txtAgePlace"},
                        {"OverallPlace", Text, "txtOverallPlace"},
                    }};

namespace {

// The text of the engine's date conversion, which refused a date text that is not a date
// before rows were bound.
const QString NotADate = QStringLiteral("Data type mismatch in criteria expression.");

QString columnList(const Table& table, bool withKey) {
    QStringList names;
    if (withKey)
        names << QLatin1String(table.key);
    for (const Column& c : table.columns)
        names << QLatin1String(c.name);
    return names.join(QStringLiteral(", "));
}

} // namespace

Row::Row(const Table& table) : m_table(&table) {
    m_values.reserve(qsizetype(table.columns.size()));
    for (const Column& c : table.columns) {
        if (c.kind == Kind::Text)
            m_values << QVariant(QStringLiteral(""));
        else if (c.kind == Kind::Number && c.whenEmpty)
            m_values << QVariant(QString(QLatin1String(c.whenEmpty)));
        else
            m_values << QVariant();
    }
}

Row::Row(const Table& table, const Values& values) : Row(table) {
    for (const Column& c : table.columns)
        setText(c, values(c));
}

qsizetype Row::indexOf(const Column& column) const {
    for (qsizetype i = 0; i < m_values.size(); ++i)
        if (&m_table->columns[size_t(i)] == &column)
            return i;
    throw DbError(QStringLiteral("%1 is not a column of %2")
                      .arg(QLatin1String(column.name), QLatin1String(m_table->name)));
}

const QVariant& Row::value(const Column& column) const {
    return m_values.at(indexOf(column));
}

void Row::setText(const Column& column, const QString& text) {
    QVariant& v = m_values[indexOf(column)];
    switch (column.kind) {
    case Kind::Text:
        v = text;
        break;
    case Kind::Number:
        // The checked text, not a double: the column converts it exactly as the engine reads a
        // number written into a statement, so the stored value is the same to the last digit.
        v = column.whenEmpty && text.isEmpty() ? QString(QLatin1String(column.whenEmpty))
                                               : CLibrary::Number(text);
        break;
    case Kind::Date: {
        const auto date = DateText::parse(text);
        if (!date)
            throw DbError(NotADate);
        v = *date;
        break;
    }
    }
}

void Row::set(Holds what, const QString& text) {
    for (const Column& c : m_table->columns)
        if (c.holds == what)
            setText(c, text);
}

void Row::set(Holds what, const QDate& date) {
    if (!date.isValid())
        throw DbError(NotADate);
    for (const Column& c : m_table->columns)
        if (c.holds == what)
            m_values[indexOf(c)] = date;
}

QVariantList Row::checkedValues(bool editedOnly) const {
    QVariantList out;
    out.reserve(m_values.size());
    for (qsizetype i = 0; i < m_values.size(); ++i) {
        const Column& c = m_table->columns[size_t(i)];
        if (editedOnly && !c.edited)
            continue;
        if (!m_values[i].isValid())
            throw DbError(QStringLiteral("No value for %1").arg(QLatin1String(c.name)));
        out << m_values[i];
    }
    return out;
}

qint64 Row::insert(Connection& conn, qint64 id) const {
    QVariantList params = checkedValues(false);
    if (id != 0)
        params.prepend(id);
    QString marks = QStringLiteral("?");
    for (qsizetype i = 1; i < params.size(); ++i)
        marks += QStringLiteral(", ?");
    conn.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                     .arg(QLatin1String(m_table->name), columnList(*m_table, id != 0), marks),
                 params);
    return id != 0 ? id : conn.lastInsertId();
}

int Row::update(Connection& conn, qint64 id) const {
    QVariantList params = checkedValues(true);
    QStringList set;
    for (const Column& c : m_table->columns)
        if (c.edited)
            set << QLatin1String(c.name) + QStringLiteral(" = ?");
    params << id;
    conn.execute(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
            .arg(QLatin1String(m_table->name), set.join(QStringLiteral(", ")), QLatin1String(m_table->key)),
        params);
    return conn.changes();
}

qint64 insertWorkout(Connection& conn, const Row& master, const Row& detail) {
    Transaction transaction(conn);
    const qint64 id = master.insert(conn);
    detail.insert(conn, id);
    transaction.commit();
    return id;
}

bool updateWorkout(Connection& conn, qint64 id, const Row& master, const Row& detail) {
    Transaction transaction(conn);
    // The detail row first: a workout of another kind, or one deleted meanwhile, has none, and
    // then its master row is left as it was.
    if (detail.update(conn, id) == 0 || master.update(conn, id) == 0)
        return false; // the guard rolls back
    transaction.commit();
    return true;
}

QString selectList(const Table& table) {
    QStringList names;
    for (const Column& c : table.columns) {
        if (!c.edited)
            continue;
        const QString name = QLatin1String(c.name);
        names << (c.kind == Kind::Date ? QStringLiteral("Format(%1, 'dd-mmm-yyyy') AS %1").arg(name) : name);
    }
    return names.join(QStringLiteral(", "));
}

QString pickListSql(const Table& detail, const char* column) {
    return QStringLiteral(
               "SELECT Distinct(%1) FROM %2, Exercise_Master WHERE %3 = Exercise_ID AND User_Name = ?")
        .arg(QLatin1String(column), QLatin1String(detail.name), QLatin1String(detail.key));
}

} // namespace Tables
