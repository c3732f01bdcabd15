#pragma once

#include "ReportLines.h"
#include <QByteArray>
#include <QIODevice>
#include <QList>

#include <QStringList>

// A report's lines (as the report window shows them) taken apart into records and fields,
// for a spreadsheet: the columns come from the report's header line, a record line is split
// at the header's column starts, and total lines are kept as rows marked in a column of
// their own.
namespace ReportCsv {

struct Table {
    QStringList header;
    QList<QStringList> rows; // each as long as the header
};

// Header columns: the report's own (DATE, MILES, TIME, ...), then ID when the records carry
// their record number, COMMENTS when comment lines are shown, and when the report has total
// lines TOTALS ("Month Totals" or "Report Totals" on a total row, empty on a record) and
// TOTALS DETAIL (the total line's text). Dates are written as ISO text (2026-12-05; a month as 2026-12),
// numbers and texts without their padding. Separator lines, blank lines and the month headings of full
// reports are left out. When the list holds several reports one after another, each new header starts a new
// header row.
Table parse(const ReportLines& lines);

// The table as CSV (RFC 4180): UTF-8, CRLF line ends, fields quoted only when they hold a
// comma, a double quote or a line break, with the quote doubled.
QByteArray toCsv(const Table& table);

// parse and toCsv in one, written to `out` a row at a time: the table is never held whole.
// False when `out` fails to take the text.
bool write(const ReportLines& lines, QIODevice& out);

// write into a byte array.
QByteArray fromLines(const ReportLines& lines);

// One CSV field as written. A text that starts like a formula (=, +, -, @, a tab or a carriage
// return) and is not a number gets a single quote in front, so a spreadsheet shows it as text.
QByteArray field(const QString& text);

} // namespace ReportCsv
