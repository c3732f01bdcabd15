#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class Connection;

// A goal of one user: a distance or a time to reach in every week, month or year, for one
// kind of workout or for every workout of any kind.
struct Goal {
    QString kind;      // "Running", "Cycling", "Swimming" or "All"
    QString period;    // "week", "month" or "year"
    bool time = false; // a time target; otherwise a distance
    double target = 0; // minutes for a time; miles for a distance (laps for swimming)

    bool operator==(const Goal&) const = default;
};

// How far a goal has come in one period, in the unit it is shown in.
struct GoalProgress {
    Goal goal;
    QDate from;        // first day of the period
    QDate to;          // last day of the period
    double target = 0; // minutes, miles, kilometres or laps
    double done = 0;   // the same unit
    int percent = 0;   // done of target, rounded to a whole number (may pass 100)
};

namespace Goals {

// "Running", "Cycling", "Swimming", "All", in the order goals are listed.
const QStringList& kinds();
// "week", "month", "year", in the order goals are listed.
const QStringList& periods();

// The week (Sunday to Saturday), calendar month or calendar year that holds `date`.
std::pair<QDate, QDate> periodOf(const QString& period, const QDate& date);

// A time target typed as hours and minutes ("5:00", "0:45", "12:30"): minutes below 60.
// Nothing for anything else.
std::optional<double> parseHoursMinutes(const QString& text);

// A goal from what a person typed: a distance in the unit shown (`miles`; laps for swimming)
// from 0.1, or a time as h:mm, exactly one of the two non-empty. Kind and period are matched without
// regard to case. Throws DbError with a message that says what is wrong.
Goal make(const QString& kind, const QString& period, const QString& distance, const QString& time,
          bool miles);

// The user's goals, by kind and then by period. Throws DbError.
std::vector<Goal> list(Connection& conn, const QString& user);
// Adds the goal, or gives the user's goal of that kind and period its new target. Throws
// DbError (also when there is no such user).
void save(Connection& conn, const QString& user, const Goal& goal);
// Removes the user's goal of that kind and period; false when there was none. Throws DbError.
bool remove(Connection& conn, const QString& user, const QString& kind, const QString& period);

// The progress of each of the user's goals whose period is one of `periods`, in the period
// that holds `date`; distances in miles when `miles`, else kilometres (laps for swimming).
// Workouts count by their kind and date; races are not workouts. Reads inside one read
// transaction. Throws DbError.
std::vector<GoalProgress> progress(Connection& conn, const QString& user, const QDate& date, bool miles,
                                   const QStringList& periods = Goals::periods());

// "miles", "km" or "laps" for a distance goal; empty for a time goal.
QString unitOf(const Goal& goal, bool miles);
// A time as h:mm:ss, hours not limited to a day: 0:45:00, 27:00:00.
QString hoursMinutesSeconds(double minutes);
// A target in the unit shown, as the window's field takes it back: 25, 40.2, 5:00.
QString targetText(const Goal& goal, bool miles);

// "18.2 of 25 miles (73%)", "2:15:00 of 5:00:00 (45%)".
QString amountsText(const GoalProgress& progress, bool miles);
// "Running this week: 18.2 of 25 miles (73%)"; a period other than the one holding `today`
// reads "in the week of 11/29/2026", "in November 2026", "in 2025".
QString describe(const GoalProgress& progress, bool miles, const QDate& today);
// Kind, period, first and last day (yyyy-MM-dd), target, done and percent, tab-separated;
// distances with one decimal, times as h:mm:ss.
QString line(const GoalProgress& progress);

} // namespace Goals
