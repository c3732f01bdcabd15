#include "Tables.h"

#include "CLibrary.h"

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
                               {"Exercise_Type", Text, nullptr, false},
                               {"Exercise_Date", Date, "txtDate"},
                               {"Exercise_Day", Text, "txtDay"},
                               {"Exercise_Time", Text, "txtTime"},
                               {"User_Name", Text, nullptr, false},
                               {"Comments", Text, "txtComments"},
                           }};

const Table RunningLog{"Running_Log",
                       "Running_ID",
                       {
                           {"Miles", Number, "txtMiles"},
                           {"Course", Text, "cbCourse"},
                           {"Shoes", Text, "cbShoes"},
                           {"Kilometers", Number, "txtKilometers"},
                       }};

const Table CyclingLog{"Cycling_Log",
                       "Cycling_ID",
                       {
                           {"Miles", Number, "txtMiles"},
                           {"Course", Text, "cbCourse"},
                           {"Bike", Text, "cbBike"},
                           // Empty is written as 0; edit mode shows the stored value.
                           {"Calories_Burned", Number, "txtCalories", true, "0"},
                           {"Kilometers", Number, "txtKilometers"},
                       }};

const Table SwimmingLog{"Swimming_Log",
                        "Swimming_ID",
                        {
                            {"Laps", Number, "txtLaps"},
                            {"Location", Text, "cbLocation"},
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
                        {"User_Name", Text, nullptr},
                        {"AgeGroup", Text, "txtAgeGroup"},
                        {"AgeGroupPlace", Text, "txtAgePlace"},
                        {"OverallPlace", Text, "txtOverallPlace"},
                    }};

QString literal(const Column& column, const QString& text) {
    if (column.kind != Kind::Number)
        return CLibrary::Quote(text);
    if (column.whenEmpty && text.isEmpty())
        return QLatin1String(column.whenEmpty);
    return CLibrary::Number(text);
}

QString insertSql(const Table& table, const Values& values, const QString& id) {
    QStringList names, literals;
    if (!id.isNull()) {
        names << QLatin1String(table.key);
        literals << CLibrary::Number(id);
    }
    for (const Column& c : table.columns) {
        names << QLatin1String(c.name);
        literals << literal(c, values(c));
    }
    return QStringLiteral("INSERT INTO ") + QLatin1String(table.name) + QStringLiteral(" (") +
           names.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
           literals.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString setList(const Table& table, const Values& values) {
    QStringList set;
    for (const Column& c : table.columns)
        if (c.edited)
            set << QLatin1String(c.name) + QStringLiteral(" = ") + literal(c, values(c));
    return set.join(QStringLiteral(", "));
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
