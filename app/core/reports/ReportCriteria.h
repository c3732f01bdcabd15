#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class Connection;

// The criteria that narrow a text report: an SQL condition built from the criteria dialog's
// controls, shown in the report window, and stored per user and report kind as the default.
namespace ReportCriteria {

// The columns a report kind's criteria refer to; an empty name when the kind has none.
struct Columns {
    QString date;    // Exercise_Date or RaceDate
    QString list;    // the multi-select list: Course, Location, Video, ...
    QString numeric; // Miles / Kilometers, Laps, RaceDistance / RaceDistanceKM
    QString combo;   // Bike or RaceType
};

// True for the nine report kinds: Running, Cycling, Swimming, Video, Other, Time and the
// three race kinds.
bool isKind(const QString& kind);
bool isRaceKind(const QString& kind);
// The columns of a known kind in the given unit; all empty for an unknown kind.
Columns columns(const QString& kind, bool miles);

enum class DateLimit { CurrentMonth, CurrentYear, DateRange };

// The values of the dialog's controls that make up a fragment.
struct Controls {
    QString kind;
    bool miles = true;
    bool limitByDate = false;
    DateLimit dateLimit = DateLimit::CurrentMonth;
    QDate begin, end;               // used with DateRange
    QString equal, atLeast, atMost; // the three numeric boxes, as typed ("" = not used)
    QString combo;                  // the bike or race type ("" = not used)
    QStringList listItems;          // the selected list items, in list order
};

// The fragment: every clause ends with one blank; empty when no control is used. Numbers go
// in through CLibrary::Number and texts through CLibrary::Quote. Throws DbError
// ("Type mismatch") when a numeric box holds anything but a plain number.
QString build(const Controls& controls);

// The fragments a double-click on a report line makes: the month of a summary line ("March
// 2004"), and the week of a weekly line from its Sunday to the Saturday after.
QString monthFragment(const QString& month);
QString weekFragment(const QDate& sunday);

// The days a fragment written here limits the weekly report to: the current month or year up
// to `today`, or the two dates of a range. Nothing when the fragment limits no dates. Throws
// DbError ("Type mismatch") for a range whose dates do not read.
struct DateSpan {
    QDate first, last;
};
std::optional<DateSpan> dateSpan(const QString& fragment, const QDate& today);

// The statements that fill the dialog's list (field dCourse) and its combo box (field Bike
// or Race); the combo query is empty for kinds without a combo.
QString listQuery(const QString& kind, const QString& user);
QString comboQuery(const QString& kind, const QString& user);
QString comboField(const QString& kind);

// The stored default of (kind, user), "" when there is none. Throws DbError.
QString loadDefault(Connection& conn, const QString& kind, const QString& user);
// Stores `criteria` as the default of (kind, user), replacing any earlier one. Returns
// false when the write fails; throws DbError when the lookup before it fails.
bool saveDefault(Connection& conn, const QString& kind, const QString& user, const QString& criteria);

// The columns of the tables a kind's report reads: the only names its criteria may use.
QStringList columnNames(const QString& kind);

// Makes sure a fragment can only be a condition on the report's own rows. It may hold the
// report's column names (also in square brackets), texts in single quotes, plain numbers,
// the operators = <> != < > <= >= + - * / % ||, parentheses, AND, OR, NOT, BETWEEN, LIKE, IS,
// NULL, True, False, the functions Format, Year and Month, the word Now, and IN followed by a
// parenthesised list of texts and numbers. Anything else (another table, another function, a
// comment, a second statement, an unclosed text or parenthesis) is refused with DbError.
// Reports call this before putting a fragment into their SELECT, where it always stands
// inside parentheses of its own.
void checkFragment(const QString& fragment, const QString& kind);

// The criteria part of a report's SELECT: "" for no criteria, otherwise "AND (" + fragment +
// ") ". Throws DbError for a fragment that checkFragment refuses.
QString criteriaPart(const QString& fragment, const QString& kind);

} // namespace ReportCriteria
