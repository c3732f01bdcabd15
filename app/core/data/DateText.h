#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <string>

// Date texts as the program writes and reads them. All names are English.
namespace DateText {

// Reads a date written as M/d/yyyy (also with two-digit fields), dd-MMM-yyyy, yyyy-MM-dd
// (optionally followed by a time), or a month text "March 2004" / "March, 2004" (the first
// day of that month). Surrounding blanks are ignored. Returns nothing for anything else.
std::optional<QDate> parse(const QString& text);

// Formats a date with a pattern of the report language: d, dd, ddd, dddd, m, mm, mmm, mmmm,
// yy, yyyy, in either case; every other character is copied. "dd-mmm-yyyy" gives 05-Dec-2026.
QString format(const QDate& date, const QString& pattern);

// The same as format for the valid date year-month-day, on UTF-8 text appended to `out`, so
// the SQL function Format needs no conversion per row.
void formatUtf8(int year, int month, int day, const char* pattern, size_t length, std::string& out);

// The dates a person can pick or enter, 1/1/1900 to 12/31/2099: calendars and date pickers
// stay inside them, so no date that the data layer would refuse can be chosen.
QDate firstPickable();
QDate lastPickable();

// "Saturday"
QString weekdayName(const QDate& date);

// The short date shown to the user and written into statements: 12/5/2026.
QString shortDate(const QDate& date);

// ISO text as stored: 2026-12-05.
QString iso(const QDate& date);

} // namespace DateText
