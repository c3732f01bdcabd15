// Date texts: the forms the windows write and the patterns the reports print.
#include "DateText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct ReadCase {
    const char* name;
    const char* text;
    QDate date; // invalid: not a date
};

class DateTextReads : public testing::TestWithParam<ReadCase> {};

TEST_P(DateTextReads, EveryFormTheProgramWritesAndNothingElse) {
    const ReadCase& c = GetParam();
    const std::optional<QDate> read = DateText::parse(QString::fromLatin1(c.text));
    if (c.date.isValid())
        EXPECT_EQ(read, c.date);
    else
        EXPECT_FALSE(read.has_value()) << read->toString(Qt::ISODate).toStdString();
}

const ReadCase readCases[] = {
    {"Short", "12/5/2026", QDate(2026, 12, 5)},
    {"LeadingZeros", "01/05/2026", QDate(2026, 1, 5)},
    {"LeapDay", "2/29/2024", QDate(2024, 2, 29)},
    {"ReportForm", "5-dec-2026", QDate(2026, 12, 5)},
    {"IsoWithTime", "2026-12-05 23:59:59", QDate(2026, 12, 5)},
    {"IsoWithT", "2026-12-05T08:30", QDate(2026, 12, 5)},
    {"MonthCommaYear", "march, 2004", QDate(2004, 3, 1)},
    {"MonthYearBlanks", "  September 2004    ", QDate(2004, 9, 1)},
    {"Empty", "", QDate()},
    {"Word", "abc", QDate()},
    {"NoSuchDay", "2/30/2026", QDate()},
    {"NoSuchMonth", "13/1/2026", QDate()},
    {"TwoDigitYear", "12/5/26", QDate()},
    {"TrailingLetter", "12/5/2026x", QDate()},
    {"DashedShortForm", "12-5-2026", QDate()},
    {"IsoNoSuchMonth", "2026-13-01", QDate()},
    {"IsoNoSuchHour", "2026-12-05 25:00", QDate()},
    {"NoSuchMonthName", "05-Dcm-2026", QDate()},
    {"MonthAlone", "March", QDate()},
    {"MonthYearTogether", "March2004", QDate()},
    {"ShortMonthYear", "Mar 2004", QDate()},
    {"IsoExtraField", "2026-12-5-1", QDate()},
    {"MonthZero", "0/5/2026", QDate()},
    {"FiveDigitYear", "1/1/20266", QDate()},
};
INSTANTIATE_TEST_SUITE_P(Cases, DateTextReads, testing::ValuesIn(readCases), CaseName());

struct PatternCase {
    const char* name;
    const char* pattern;
    const char* text;
    QDate date = QDate(2026, 3, 5); // a Thursday
};

class DateTextFormats : public testing::TestWithParam<PatternCase> {};

TEST_P(DateTextFormats, Formats) {
    EXPECT_EQ(DateText::format(GetParam().date, QString::fromUtf8(GetParam().pattern)),
              QString::fromUtf8(GetParam().text));
}

const PatternCase patternCases[] = {
    {"ReportDate", "dd-mmm-yyyy", "05-Mar-2026"},
    {"UpperCaseMonthYear", "MMMM YYYY", "March 2026"},
    {"ShortMonthYear", "mmm yy", "Mar 26"},
    {"MonthCommaYear", "mmmm, yyyy", "March, 2026"},
    {"Weekdays", "ddd dddd", "Thu Thursday"},
    {"LiteralsAndWeekdayNumber", "y: yyy, Week #d é", "y: 26y, Week #5 é"},
    {"TwoDigitDayAndMonth", "d/m dd/mm", "12/10 12/10", QDate(2026, 10, 12)},
};
INSTANTIATE_TEST_SUITE_P(Cases, DateTextFormats, testing::ValuesIn(patternCases), CaseName());

TEST(DateText, ShortFormsAndRoundTrips) {
    EXPECT_EQ(DateText::format(QDate(), "yyyy"), QString());
    EXPECT_EQ(DateText::weekdayName(QDate(2026, 12, 5)), "Saturday");
    EXPECT_EQ(DateText::shortDate(QDate(2026, 12, 5)), "12/5/2026");
    EXPECT_EQ(DateText::iso(QDate(987, 1, 2)), "0987-01-02");
    // What one form writes, the parser reads back.
    for (QDate day(2025, 12, 25); day < QDate(2026, 1, 10); day = day.addDays(1)) {
        EXPECT_EQ(DateText::parse(DateText::shortDate(day)), day);
        EXPECT_EQ(DateText::parse(DateText::format(day, "dd-mmm-yyyy")), day);
    }
}

} // namespace
