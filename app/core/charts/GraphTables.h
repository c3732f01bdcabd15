#pragma once

#include "ChartTable.h"
#include "WorkoutKinds.h"

#include <QString>
#include <QStringList>
#include <optional>

class Connection;

// The chart tables of the two graph windows, computed from the database without any widget:
// distance totals and average distance with pace or speed for runs and rides, and hours for
// all kinds together or side by side. Each function reads inside one read transaction on the
// connection it is given and throws DbError when a query or a stored time fails.
//
// A selection without workouts gives a table with its title and series labels and no rows.
// Every period with workouts gets its row, also when its distance or time is zero (its values
// are then 0, and so is its pace or speed); no period's totals carry into the next.
namespace GraphTables {

// Which workouts a chart covers and how they are grouped.
enum class Filter {
    AllMonths,     // one row per month with workouts
    CurrentYear,   // the same, for the year of today
    DateRange,     // the months from beginMonth through endMonth, both whole, in either order
    SingleMonth,   // one row per workout of singleMonth
    CompareYears,  // one row per year
    CompareMonths, // one row per year, for the calendar month compareMonth
};

struct Selection {
    Filter filter = Filter::CurrentYear;
    QString beginMonth;                               // month text, "March 2004"
    QString endMonth;                                 // month text
    QString singleMonth;                              // month text
    QString compareMonth = QStringLiteral("January"); // a month name
};

enum class Sport { Running, Cycling };
// The workout kind of a sport, and the sport of a workout kind's name ("Running", "Cycling"); nothing for any
// other kind.
const WorkoutKinds::Kind& kindOf(Sport sport);
std::optional<Sport> sportOf(const QString& kind);

// The kinds whose hours the individual time chart shows, each its own series, in this order.
struct Kinds {
    bool running = true;
    bool cycling = true;
    bool swimming = true;
    bool video = true;
    bool other = true;
};

// Ticks the kind of this name ("Swimming"); false for a name that is not one of the five.
bool tick(Kinds& kinds, const QString& kind);

// The months that have workouts of the sport (or of any kind for the time graphs), oldest
// first, each once: "March 2004".
QStringList workoutMonths(Connection& conn, const QString& user, Sport sport);
QStringList workoutMonths(Connection& conn, const QString& user);

// The twelve month names, for the month-to-compare list.
QStringList monthNames();

// Summed distance per period, or each workout's distance for a single month.
ChartTable distanceTotals(Connection& conn, const QString& user, Sport sport, bool miles,
                          const Selection& sel);

// Average distance per workout (rounded to two decimals) and average pace in minutes per
// unit (running) or speed in units per hour (cycling), per period or per workout.
ChartTable averagePace(Connection& conn, const QString& user, Sport sport, bool miles, const Selection& sel);

// Hours of every workout of every kind per period (one series, "Hours").
ChartTable hoursTogether(Connection& conn, const QString& user, const Selection& sel);

// Hours per period of each ticked kind, one series per kind. With no kind ticked, no kind is
// excluded and the rows carry labels only.
ChartTable hoursIndividual(Connection& conn, const QString& user, const Selection& sel, const Kinds& kinds);

} // namespace GraphTables
