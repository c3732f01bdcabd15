// Reports saved from the report windows: CSV compared byte for byte with the expected file,
// PDF checked for its page count and, where pdftotext is installed, for the text on its pages.
#include "ExchangeData.h"
#include "GuiFixture.h"
#include "ReportPdf.h"
#include "frmItemRpt.h"
#include "frmTextRpt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <unistd.h>

namespace {

QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The text of a PDF as pdftotext reads it (layout kept), or a null string without the tool.
QString pdfText(const QString& path) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        return QString();
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class Export : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        seedRuns(*db());
    }
    // The running report window, open.
    std::unique_ptr<frmTextRpt> openRunning() {
        auto w = std::make_unique<frmTextRpt>(state);
        w->openReport("Running");
        w->show();
        QApplication::processEvents();
        return w;
    }
    // The save dialog answers with `path`.
    void saveAs(const QString& path) {
        // Typed into the file name box as a person does, then Return.
        drivers["dlgExport"] = [path](QDialog* d) {
            auto* name = find<QLineEdit>(d, "fileNameEdit");
            name->selectAll();
            type(name, path);
            QTest::keyClick(name, Qt::Key_Return);
            return d->result();
        };
    }
    FixedState state{"Ann", true};
};

// The summary report as CSV: the file of one row per month.
TEST_F(Export, SummaryReportToCsvFromTheWindow) {
    auto w = openRunning();
    click(w->optSummaryRpt);
    click(w->btnCreateReport);
    const QString path = QDir(dir()).filePath("summary.csv");
    saveAs(path);
    click(find<QPushButton>(w.get(), "btnExportCsv"));
    EXPECT_EQ(bytes(path), expected("running_summary.csv"));
    EXPECT_EQ(messages, QStringList{"Report exported to " + QDir::toNativeSeparators(path)});
    shot(w.get(), "report_window_export");
}

TEST_F(Export, NothingToExportOrCancelledWritesNoFile) {
    auto w = openRunning();
    click(w->btnExportPdf);
    EXPECT_EQ(messages, QStringList{"There is no report to export. Create the report first."});
    click(w->btnCreateReport);
    click(w->btnExportCsv); // no driver: the save dialog is cancelled
    EXPECT_EQ(opened.count("dlgExport"), 1);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(QDir(dir()).entryList({"*.csv"}).isEmpty());
}

TEST_F(Export, FullReportToPdfHasTheHeadingTheCriteriaAppliedAndEveryLine) {
    auto w = openRunning();
    // A fragment longer than its field: whole (and wrapped) in the field's tooltip, and whole
    // in the PDF, which states the criteria the report was made with, not a later change.
    QString applied = "Miles >= 0 AND (Course = 'Riverside loop & back' ";
    for (int i = 0; i < 8; ++i)
        applied += QStringLiteral("OR Course = 'Nowhere lane %1' ").arg(i);
    applied += ") ";
    w->txtCriteria->setText(applied);
    EXPECT_EQ(w->txtCriteria->toolTip(), "<p>" + applied.toHtmlEscaped() + "</p>"); // rich text wraps
    click(w->btnCreateReport);
    w->txtCriteria->setText("Miles >= 100 ");
    const QString path = QDir(dir()).filePath("full.pdf");
    saveAs(path);
    click(w->btnExportPdf);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Report exported to " + QDir::toNativeSeparators(path) + " (1 page)");
    const QString text = pdfText(path);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text.contains("Running Report")) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("User: Ann +Kind: Running +Date: \\d{4}-\\d\\d-\\d\\d")));
    // pdftotext lays out blanks by position, so runs of blanks are compared as one.
    const QString flat = text.simplified();
    EXPECT_TRUE(flat.contains("Criteria: " + applied.simplified())) << flat.toStdString();
    EXPECT_FALSE(flat.contains("Miles >= 100"));
    for (const QString& line : w->reportLines()) {
        if (!line.trimmed().isEmpty()) {
            EXPECT_TRUE(flat.contains(line.simplified())) << line.toStdString();
        }
    }
}

TEST_F(Export, EquipmentReportPdfIncludesItsChart) {
    frmItemRpt w(state);
    w.openReport("Shoe");
    w.show();
    QApplication::processEvents();
    const QString path = QDir(dir()).filePath("shoes.pdf");
    saveAs(path);
    click(find<QPushButton>(&w, "btnExportPdf"));
    ASSERT_EQ(messages.size(), 1) << messages.join('\n').toStdString();
    const QString text = pdfText(path);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text.contains("Shoe Report"));
    // The chart's title and its bar's label and value come before the list.
    const qsizetype chartTitle = text.indexOf("Miles");
    const qsizetype list = text.indexOf("SHOE");
    ASSERT_GE(chartTitle, 0);
    ASSERT_GE(list, 0);
    EXPECT_LT(chartTitle, list);
    EXPECT_LT(text.indexOf("Racer"), list);
    EXPECT_TRUE(text.indexOf("17.5") < list) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Racer +Flat +89.5 +15-Jan-26 +17.5")));
}

struct PageCase {
    std::string name;
    int lines; // in multiples of a page, plus extra
    int extra;
    bool chart;
    int pages;
};

class PdfPages : public GuiFixture, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PdfPages, CountAndNumbers) {
    const auto& c = GetParam();
    const int first = ReportPdf::linesPerPage(c.chart);
    const int rest = ReportPdf::linesPerPage(false);
    ASSERT_GT(rest, 40);
    if (c.chart)
        ASSERT_LT(first, rest);
    else
        ASSERT_EQ(first, rest);
    const int total = c.lines == 0 ? c.extra : first + (c.lines - 1) * rest + c.extra;
    QStringList lines;
    for (int i = 0; i < total; ++i)
        lines << QStringLiteral("line %1").arg(i + 1, 6, 10, QChar('0'));
    ChartTable chart{"Miles", {"Miles"}, {{"A", {3}}, {"B", {1}}}};
    const QString path = QDir(dir()).filePath("p.pdf");
    QString error;
    const int pages = ReportPdf::write(path, lines, {"Running Report", "Ann", "Running", QDate(2026, 12, 7)},
                                       c.chart ? &chart : nullptr, &error);
    EXPECT_EQ(pages, c.pages) << error.toStdString();
    const QString text = pdfText(path);
    if (text.isNull())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %1").arg(c.pages)));
    EXPECT_EQ(text.count('\f'), c.pages);
    if (total > 0) {
        EXPECT_TRUE(text.contains("line 000001"));
        EXPECT_TRUE(text.contains(QStringLiteral("line %1").arg(total, 6, 10, QChar('0'))));
        // The last line of a full page is on that page: the next page starts with the next line.
        const QStringList pageTexts = text.split('\f');
        EXPECT_TRUE(
            pageTexts[0].contains(QStringLiteral("line %1").arg(qMin(first, total), 6, 10, QChar('0'))));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PdfPages,
                         testing::ValuesIn(std::vector<PageCase>{
                             {"empty_report_one_page", 0, 0, false, 1},
                             {"exactly_one_page", 1, 0, false, 1},
                             {"one_line_over", 1, 1, false, 2},
                             {"three_pages", 3, 0, false, 3},
                             {"chart_takes_room_on_the_first_page", 1, 1, true, 2},
                         }),
                         CaseName());

// A PDF is written beside its target and renamed over it, never into the older file, which a
// kill half-way would leave cut short.
TEST_F(Export, APdfReplacesTheOlderFileInsteadOfWritingIntoIt) {
    const QString path = QDir(dir()).filePath("report.pdf");
    QFile older(path);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("the older report");
    older.close();
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(path + ".kept").constData()), 0);
    QString error;
    ASSERT_EQ(ReportPdf::write(path, {"a"}, {"T", "Ann", "Running", {}}, nullptr, &error), 1)
        << error.toStdString();
    EXPECT_TRUE(bytes(path).startsWith("%PDF"));
    EXPECT_EQ(bytes(path + ".kept"), "the older report");
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"report.pdf", "report.pdf.kept", "Trainbook.db"}));
}

} // namespace
