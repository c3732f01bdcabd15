#pragma once

#include "ChartTable.h"

#include "ReportLines.h"
#include <QDate>
#include <QString>

#include <QStringList>
#include <optional>

// A report printed to a PDF file as the report window shows it: its lines in a fixed-width
// font, page after page, each page headed by the report's title, the user, the kind and the
// date, with its page number; the equipment report's chart drawn above its list.
namespace ReportPdf {

struct Heading {
    QString title; // "Running Report"
    QString user;
    QString kind; // the report kind as the program names it: Running, Shoe, ...
    QDate date;   // the day the report was made
    // The criteria the report was made with, for the reports that take criteria: printed
    // whole above the report's lines ("none" when empty). Nothing for the equipment report.
    std::optional<QString> criteria = std::nullopt;
};

// The title of a report kind as the report windows caption it ("Running Report", "Shoe
// Report", "Combined Time Report", ...); the kind itself for one they do not know.
QString titleOf(const QString& kind);

// Lines that fit one page of the layout `write` uses.
int linesPerPage(bool withChart);

// Writes the PDF; returns the number of pages, or 0 with `error` set when the file cannot be
// written. `chart` may be null; a chart without rows is drawn as an empty frame.
int write(const QString& path, const ReportLines& lines, const Heading& heading, const ChartTable* chart,
          QString* error);

} // namespace ReportPdf
