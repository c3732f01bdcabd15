// Reports as CSV: records and fields of hand-made report lines, and single cells. Whole reports
// as CSV are reference cases of trainbook-cli report --csv (reports/cases).
#include "ReportCsv.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

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
    EXPECT_EQ(ReportCsv::fromLines({}), QByteArray());
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
                      CellCase{"Time", "45:00", "45:00"}, CellCase{"EqualsInside", "a=b", "a=b"},
                      CellCase{"Newline", "a\nb", "\"a\nb\""}, CellCase{"Plain", "plain", "plain"},
                      CellCase{"Comma", "Park, east loop", "\"Park, east loop\""},
                      CellCase{"Quotes", "Said \"easy\"", "\"Said \"\"easy\"\"\""},
                      CellCase{"Accent", "R\u00edo", "R\xc3\xado"}),
    CaseName());

} // namespace
