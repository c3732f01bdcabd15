// The calendar report's month texts; its items are the reference cases of trainbook-cli
// calendar (graphs/cases).

#include "CalendarReport.h"
#include "TestSupport.h"

namespace {

struct MonthText {
    const char* name;
    const char* text;
    QDate first; // invalid: not a month text
};

class CalendarMonthText : public ::testing::TestWithParam<MonthText> {};

TEST_P(CalendarMonthText, Parses) {
    const auto got = CalendarReport::parseMonth(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(got.value_or(QDate()), GetParam().first);
}

INSTANTIATE_TEST_SUITE_P(Texts, CalendarMonthText,
                         ::testing::Values(MonthText{"Calendar", "March, 2004", QDate(2004, 3, 1)},
                                           MonthText{"NoComma", "March 2004", QDate(2004, 3, 1)},
                                           MonthText{"AnyCase", " september, 2026 ", QDate(2026, 9, 1)},
                                           MonthText{"Empty", "", QDate()},
                                           MonthText{"ShortName", "Mar, 2004", QDate()},
                                           MonthText{"TwoDigitYear", "March, 04", QDate()},
                                           MonthText{"NotAMonth", "Smarch, 2004", QDate()},
                                           MonthText{"Trailing", "March, 2004x", QDate()}),
                         CaseName());

} // namespace
