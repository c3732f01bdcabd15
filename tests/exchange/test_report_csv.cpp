// Reports as CSV: the report's records and fields, compared byte for byte with files worked
// out by hand from the report rules.
#include "Connection.h"
#include "EquipmentUsage.h"
#include "ExchangeData.h"
#include "ReportCsv.h"
#include "TestSupport.h"
#include "TextReport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ReportCsvTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString db = dir.filePath("Trainbook.db");
        Connection::create(db);
        conn = Connection::open(db);
        seedRuns(*conn);
    }
    ReportLines report(TextReport::Format format) {
        TextReport::Request r;
        r.user = "Ann";
        r.kind = "Running";
        r.format = format;
        r.comments = true;
        const auto result = TextReport::create(*conn, r);
        EXPECT_EQ(result.error, "");
        return result.lines;
    }
    QTemporaryDir dir;
    std::unique_ptr<Connection> conn;
};

TEST_F(ReportCsvTest, FullReportWithCommentsAndTotals) {
    EXPECT_EQ(ReportCsv::fromLines(report(TextReport::Format::Full)), expected("running_full.csv"));
}

TEST_F(ReportCsvTest, EquipmentReport) {
    EXPECT_EQ(ReportCsv::fromLines(EquipmentUsage::lines(*conn, "Ann", "Shoe", true)), expected("shoe.csv"));
}

TEST(ReportCsvLines, LongFieldsNumbersAndRepeatedReports) {
    const QString sep(82, '-');
    // A race name longer than its field pushes the number right; the number is still the
    // last word. A second report appended under the first gets its own header row.
    const QStringList lines{
        "DATE          TYPE          MILES   TIME      PACE    RACE",
        sep,
        "04-Jul-2026   10K           6.2     45:00     7:15    " + QString(60, 'x') + "12",
        " ",
        "MONTH           TIME      EXERCISES   AVG TIME   ",
        sep,
        "July 2026       45:00     1           45:00      ",
        " ",
    };
    EXPECT_EQ(ReportCsv::fromLines(lines), "DATE,TYPE,MILES,TIME,PACE,RACE,ID\r\n"
                                           "2026-07-04,10K,6.2,45:00,7:15," +
                                               QByteArray(60, 'x') +
                                               ",12\r\n"
                                               "MONTH,TIME,EXERCISES,AVG TIME,ID\r\n"
                                               "2026-07,45:00,1,45:00,\r\n");
}

// Texts a spreadsheet would run as formulas go out as text; numbers stay numbers.
struct CellCase {
    const char* name;
    const char* text;
    const char* written;
};

class CsvCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(CsvCell, IsWrittenSoThatASpreadsheetShowsIt) {
    EXPECT_EQ(ReportCsv::field(QString::fromUtf8(GetParam().text)), QByteArray(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvCell,
    ::testing::Values(CellCase{"Hyperlink", "=HYPERLINK(\"http://x\")", "\"'=HYPERLINK(\"\"http://x\"\")\""},
                      CellCase{"Plus", "+1+1", "'+1+1"}, CellCase{"Minus", "-1+1", "'-1+1"},
                      CellCase{"At", "@SUM(A1)", "'@SUM(A1)"}, CellCase{"Tab", "\tx", "'\tx"},
                      CellCase{"CarriageReturn", "\rx", "\"'\rx\""},
                      CellCase{"NegativeNumber", "-5.25", "-5.25"}, CellCase{"SignedNumber", "+3", "+3"},
                      CellCase{"Time", "45:00", "45:00"}, CellCase{"EqualsInside", "a=b", "a=b"}),
    CaseName());

TEST(ReportCsvLines, NoReportNoCsv) {
    EXPECT_EQ(ReportCsv::fromLines({}), QByteArray());
    EXPECT_EQ(ReportCsv::field("a\nb"), "\"a\nb\"");
    EXPECT_EQ(ReportCsv::field("plain"), "plain");
}

} // namespace
