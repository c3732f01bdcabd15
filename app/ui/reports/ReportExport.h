#pragma once

#include "ReportPdf.h"

#include <QString>
#include <QStringList>

class QWidget;

// The report windows' "Export CSV..." and "Export PDF..." buttons: ask where to save (a save
// dialog named dlgExport, shown through the modal seam), write the file, and say how it went.
namespace ReportExport {

// The file name proposed in the save dialog: "Running Report 2026-12-07.csv".
QString proposedName(const QString& title, const QString& suffix);

// Both return true when a file was written; false when there was nothing to export, the
// person cancelled, or writing failed (each said in a message).
bool toCsv(QWidget* parent, const ReportLines& lines, const QString& title);
bool toPdf(QWidget* parent, const ReportLines& lines, const ReportPdf::Heading& heading,
           const ChartTable* chart);

} // namespace ReportExport
