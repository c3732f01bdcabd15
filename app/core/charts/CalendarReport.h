#pragma once

#include "WorkoutKinds.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

class Connection;

// One workout as the month calendar shows it: three lines in the cell of its day, the first
// line in the colour of its kind.
struct CalendarItem {
    QString day;    // day of the month, "1" to "31"
    QString kind;   // the exercise kind, or the name of a user-defined exercise
    QString detail; // "Miles: 5", "KM: 8", "Laps: 40", the video or the first field; " " when empty
    QString time;   // "Time: " and the time as stored
    quint32 color;  // colour number of the first line: blue * 65536 + green * 256 + red

    bool operator==(const CalendarItem&) const = default;
};

// The calendar report: one user's workouts of one month, ready for the month grid.
namespace CalendarReport {

// Colour numbers of the first line by kind.
inline constexpr quint32 RunningColor = WorkoutKinds::Running.calendarColor; // red
inline constexpr quint32 CyclingColor = WorkoutKinds::Cycling.calendarColor; // blue
inline constexpr quint32 WeightsColor = 65280; // green: the user-defined exercise "Weights"
inline constexpr quint32 SwimmingColor = WorkoutKinds::Swimming.calendarColor; // yellow
inline constexpr quint32 VideoColor = WorkoutKinds::Video.calendarColor;       // cyan
inline constexpr quint32 OtherColor =
    WorkoutKinds::Other.calendarColor; // black: every other user-defined exercise

// The first day of the month named by a month text as the calendar shows it ("March, 2004";
// "March 2004" too): an English month name and a four-digit year. Nothing for anything else.
std::optional<QDate> parseMonth(const QString& text);

// The items of `user`'s workouts in the month of `month` (any day of it), in the order of
// their dates and, within a day, in the order they were entered, so that the workout entered
// last is the one a day's cell ends up showing. Running and cycling distances are in miles
// when `miles`, else in kilometres. Reads inside one read transaction on `conn`. Throws
// DbError.
std::vector<CalendarItem> items(Connection& conn, const QString& user, const QDate& month, bool miles);

// The days from `first` to `last` (both included) on which `user` has at least one workout,
// in date order: the main window's calendar shows them in bold. Throws DbError.
QList<QDate> workoutDays(Connection& conn, const QString& user, const QDate& first, const QDate& last);

} // namespace CalendarReport
