// The calendar report's items, computed without any window, against items worked out by hand.

#include "CalendarReport.h"
#include "GraphData.h"

#include <ostream>

inline void PrintTo(const CalendarItem& i, std::ostream* os) {
    *os << '{' << i.day.toStdString() << " | " << i.kind.toStdString() << " | " << i.detail.toStdString()
        << " | " << i.time.toStdString() << " | " << i.color << '}';
}

namespace {

class CalendarReportTest : public DiaryData {
  protected:
    std::vector<CalendarItem> items(const QString& user, int year, int month, bool miles) {
        auto conn = db();
        return CalendarReport::items(*conn, user, QDate(year, month, 1), miles);
    }

    // A month of every kind for Ann, with workouts on the days around it and of another user.
    void fillMarch2004() {
        run(1, "2004-03-05", 5, 8.05, "40:00");
        swim(2, "2004-03-05", 40, "35:00");
        ride(3, "2004-03-01", 20.5, 33, "1:05:00");
        other(4, "2004-03-31", "Weights", "3 sets", "30:00");
        other(5, "2004-03-12", "Yoga", nullptr, "1:00:00");
        video(6, "2004-03-12", "Abs of Steel", "20:00");
        other(7, "2004-03-20", "weights", "10 reps", "15:00");
        other(8, "2004-03-21", "Running", "", "10:00");
        video(9, "2004-03-22", nullptr, "25:00");
        run(10, "2004-04-01", 3, 4.8, "24:00");
        run(11, "2004-02-29", 3, 4.8, "24:00");
        run(12, "2004-03-07", 6, 9.7, "48:00", "Bob");
        ride(13, "2004-03-02", 10, 16.1, "30:00");
    }
};

TEST_F(CalendarReportTest, MonthOfEveryKindInMiles) {
    fillMarch2004();
    const std::vector<CalendarItem> expected = {
        {"1", "Cycling", "Miles: 20.5", "Time: 1:05:00", 16711680},
        {"2", "Cycling", "Miles: 10", "Time: 30:00", 16711680},
        {"5", "Running", "Miles: 5", "Time: 40:00", 255},
        {"5", "Swimming", "Laps: 40", "Time: 35:00", 65535},
        {"12", "Yoga", " ", "Time: 1:00:00", 0},
        {"12", "Video", "Abs of Steel", "Time: 20:00", 16776960},
        {"20", "weights", "10 reps", "Time: 15:00", 0},
        {"21", "Running", " ", "Time: 10:00", 0},
        {"22", "Video", " ", "Time: 25:00", 16776960},
        {"31", "Weights", "3 sets", "Time: 30:00", 65280},
    };
    EXPECT_EQ(items("Ann", 2004, 3, true), expected);
}

TEST_F(CalendarReportTest, KilometresChangeOnlyRunsAndRides) {
    fillMarch2004();
    const std::vector<CalendarItem> got = items("ann", 2004, 3, false); // user names ignore case
    ASSERT_EQ(got.size(), 10u);
    EXPECT_EQ(got[0], (CalendarItem{"1", "Cycling", "KM: 33", "Time: 1:05:00", 16711680}));
    EXPECT_EQ(got[1], (CalendarItem{"2", "Cycling", "KM: 16.1", "Time: 30:00", 16711680}));
    EXPECT_EQ(got[2], (CalendarItem{"5", "Running", "KM: 8.05", "Time: 40:00", 255}));
    EXPECT_EQ(got[3], (CalendarItem{"5", "Swimming", "Laps: 40", "Time: 35:00", 65535}));
    EXPECT_EQ(got[9], (CalendarItem{"31", "Weights", "3 sets", "Time: 30:00", 65280}));
}

TEST_F(CalendarReportTest, MonthEdgesOtherUsersAndUnknownUsers) {
    fillMarch2004();
    const std::vector<CalendarItem> april = {{"1", "Running", "Miles: 3", "Time: 24:00", 255}};
    EXPECT_EQ(items("Ann", 2004, 4, true), april);
    const std::vector<CalendarItem> february = {{"29", "Running", "Miles: 3", "Time: 24:00", 255}};
    EXPECT_EQ(items("Ann", 2004, 2, true), february);
    const std::vector<CalendarItem> bob = {{"7", "Running", "Miles: 6", "Time: 48:00", 255}};
    EXPECT_EQ(items("Bob", 2004, 3, true), bob);
    EXPECT_TRUE(items("Carol", 2004, 3, true).empty());
    EXPECT_TRUE(items("Ann", 2004, 5, true).empty());
    EXPECT_TRUE(items("Ann' OR 'a'='a", 2004, 3, true).empty());
}

TEST_F(CalendarReportTest, QuotesInNamesAndTexts) {
    run(1, "2026-12-05", 3.1, 5, "25:00", "O'Brien");
    other(2, "2026-12-06", "Push-ups", "Bob's set", "5:00", "O'Brien");
    const std::vector<CalendarItem> expected = {
        {"5", "Running", "Miles: 3.1", "Time: 25:00", 255},
        {"6", "Push-ups", "Bob's set", "Time: 5:00", 0},
    };
    EXPECT_EQ(items("O'Brien", 2026, 12, true), expected);
}

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
