#include "ReportExport.h"

#include "Backup.h"
#include "BusyCursor.h"
#include "CLibrary.h"
#include "Clock.h"
#include "DateText.h"
#include "Dialogs.h"
#include "ReportCsv.h"

#include <QDir>
#include <QFileDialog>
#include <QSaveFile>
#include <QStandardPaths>

namespace ReportExport {

namespace {

bool hasReport(QWidget* parent, const ReportLines& lines) {
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            return true;
    Dialogs::message(parent, QStringLiteral("There is no report to export. Create the report first."));
    return false;
}

// The chosen file, or "" when the person cancelled.
QString chooseFile(QWidget* parent, const QString& title, const QString& suffix, const QString& filter) {
    QFileDialog dialog(parent, QStringLiteral("Export ") + suffix.toUpper());
    dialog.setObjectName(QStringLiteral("dlgExport"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDefaultSuffix(suffix);
    dialog.setNameFilters({filter, QStringLiteral("All files (*)")});
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    dialog.setDirectory(folder);
    dialog.selectFile(proposedName(title, suffix));
    if (Dialogs::execModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString proposedName(const QString& title, const QString& suffix) {
    return title + QLatin1Char(' ') + DateText::iso(Clock::today()) + QLatin1Char('.') + suffix;
}

bool toCsv(QWidget* parent, const ReportLines& lines, const QString& title) {
    if (!hasReport(parent, lines))
        return false;
    const QString path =
        chooseFile(parent, title, QStringLiteral("csv"), QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return false;
    // Never over the diary or one of its copies, and never over anything but a regular file.
    const QString refusal = Backup::targetRefusal(path, CLibrary::defaultAccessFile());
    if (!refusal.isEmpty()) {
        Dialogs::message(parent, QStringLiteral("Could not write ") + QDir::toNativeSeparators(path) +
                                     QStringLiteral(" - ") + refusal);
        return false;
    }
    // Written beside the target and renamed over it, so a failure leaves an older file whole.
    QSaveFile file(path);
    bool written = false;
    {
        const BusyCursor busy;
        written = file.open(QIODevice::WriteOnly) && ReportCsv::write(lines, file) && file.commit();
    }
    if (!written) {
        Dialogs::message(parent, QStringLiteral("Could not write ") + QDir::toNativeSeparators(path) +
                                     QStringLiteral(" - ") + file.errorString());
        return false;
    }
    Dialogs::message(parent, QStringLiteral("Report exported to ") + QDir::toNativeSeparators(path));
    return true;
}

bool toPdf(QWidget* parent, const ReportLines& lines, const ReportPdf::Heading& heading,
           const ChartTable* chart) {
    if (!hasReport(parent, lines))
        return false;
    const QString path =
        chooseFile(parent, heading.title, QStringLiteral("pdf"), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty())
        return false;
    QString error;
    int pages = 0;
    {
        const BusyCursor busy;
        pages = ReportPdf::write(path, lines, heading, chart, &error);
    }
    if (pages == 0) {
        Dialogs::message(parent, error);
        return false;
    }
    Dialogs::message(parent, QStringLiteral("Report exported to %1 (%2 page%3)")
                                 .arg(QDir::toNativeSeparators(path))
                                 .arg(pages)
                                 .arg(pages == 1 ? "" : "s"));
    return true;
}

} // namespace ReportExport
