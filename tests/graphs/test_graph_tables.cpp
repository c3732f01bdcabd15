// Chart tables of the graph windows, compared whole with tables worked out by hand.
#include "GraphData.h"

#include "DbError.h"
#include "GraphTables.h"

namespace {

using namespace GraphTables;

Selection all() {
    return {Filter::AllMonths};
}
Selection currentYear() {
    return {Filter::CurrentYear};
}
Selection range(const QString& b, const QString& e) {
    return {Filter::DateRange, b, e};
}
Selection single(const QString& m) {
    return {Filter::SingleMonth, {}, {}, m};
}
Selection years() {
    return {Filter::CompareYears};
}
Selection months(const QString& name) {
    return {Filter::CompareMonths, {}, {}, {}, name};
}

enum Output { Totals, Average, Together, Individual };

struct TableCase {
    const char* name;
    Output output;
    Sport sport;
    bool miles;
    Selection sel;
    QString expected;
    Kinds kinds{}; // the ticked kinds of the individual hours
};

class GraphTableTest : public GraphData, public ::testing::WithParamInterface<TableCase> {};

TEST_P(GraphTableTest, TableIsAsWorkedOutByHand) {
    const TableCase& c = GetParam();
    auto conn = db();
    ChartTable t;
    switch (c.output) {
    case Totals:
        t = distanceTotals(*conn, "ann", c.sport, c.miles, c.sel);
        break;
    case Average:
        t = averagePace(*conn, "ann", c.sport, c.miles, c.sel);
        break;
    case Together:
        t = hoursTogether(*conn, "ann", c.sel);
        break;
    case Individual:
        t = hoursIndividual(*conn, "ann", c.sel, c.kinds);
        break;
    }
    EXPECT_EQ(t.text().toStdString(), c.expected.toStdString());
    EXPECT_FALSE(conn->inTransaction());
}

constexpr Sport Running = Sport::Running;
constexpr Sport Bike = Sport::Cycling;
const Kinds SwimOther{false, false, true, false, true};
const Kinds NoKind{false, false, false, false, false};
const Kinds RunBike{true, true, false, false, false};

INSTANTIATE_TEST_SUITE_P(
    Distance, GraphTableTest,
    ::testing::ValuesIn(std::vector<TableCase>{
        {"TotalsAllMonthsMiles", Totals, Running, true, all(),
         "Miles By Month\nMile\nMar 25\t9\nMay 25\t0\nJan 26\t5\nMar 26\t7\n"},
        {"TotalsAllMonthsKm", Totals, Running, false, all(),
         "Kilometers By Month\nKM\nMar 25\t14.5\nMay 25\t0\nJan 26\t8\nMar 26\t11.2\n"},
        {"TotalsCurrentYear", Totals, Running, true, currentYear(),
         "Miles By Month (Current Year)\nMile\nJan 26\t5\nMar 26\t7\n"},
        {"TotalsDateRange", Totals, Running, true, range("May 2025", "January 2026"),
         "Miles By Month (Date Range)\nMile\nMay 25\t0\nJan 26\t5\n"},
        {"TotalsRangeBackwardsIsTakenInOrder", Totals, Running, true, range("March 2026", "January 2026"),
         "Miles By Month (Date Range)\nMile\nJan 26\t5\nMar 26\t7\n"},
        {"TotalsSingleMonthMiles", Totals, Running, true, single("March 2026"),
         "March 2026\nMiles\nMar 01\t4\nMar 31\t3\n"},
        {"TotalsSingleMonthKm", Totals, Running, false, single("March 2026"),
         "March 2026\nKilometers\nMar 01\t6.4\nMar 31\t4.8\n"},
        {"TotalsCompareYears", Totals, Running, true, years(), "Compare Years\nMile\n2025\t9\n2026\t12\n"},
        {"TotalsCompareMonthsKm", Totals, Running, false, months("March"),
         "Compare Months\nKM\nMar 25\t14.5\nMar 26\t11.2\n"},
        {"TotalsCyclingAllMonths", Totals, Bike, true, all(), "Miles By Month\nMile\nMar 26\t40\n"},
        {"TotalsEmptySelection", Totals, Running, true, single("June 2026"), "June 2026\nMiles\n"},
        // Average distance and pace: the zero-distance month keeps its row with pace 0 and
        // its 20 minutes do not reach January (45 min / 5 mi = 9).
        {"PaceAllMonthsMiles", Average, Running, true, all(),
         "Avg Run And Pace All Months\nAvg Miles\tAvg Pace\nMar 25\t4.5\t10\nMay 25\t0\t0\nJan 26\t5\t9\n"
         "Mar 26\t3.5\t9.14285714285714\n"},
        {"PaceAllMonthsKm", Average, Running, false, all(),
         "Avg Run And Pace All Months\nAvg Kilometers\tAvg Pace\nMar 25\t7.25\t6.20689655172414\n"
         "May 25\t0\t0\nJan 26\t8\t5.625\nMar 26\t5.6\t5.71428571428571\n"},
        {"PaceCurrentYear", Average, Running, true, currentYear(),
         "Avg Run And Pace Current Year\nAvg Miles\tAvg Pace\nJan 26\t5\t9\nMar 26\t3.5\t9.14285714285714\n"},
        {"PaceDateRange", Average, Running, true, range("May 2025", "January 2026"),
         "Avg Run And Pace Date Range\nAvg Miles\tAvg Pace\nMay 25\t0\t0\nJan 26\t5\t9\n"},
        {"PaceSingleMonth", Average, Running, true, single("March 2026"),
         "Run And Pace March 2026\nMiles\tPace\n01 Mar\t4\t10\n31 Mar\t3\t8\n"},
        {"PaceSingleWorkoutWithoutDistance", Average, Running, true, single("May 2025"),
         "Run And Pace May 2025\nMiles\tPace\n02 May\t0\t0\n"},
        {"PaceCompareYears", Average, Running, true, years(),
         "Compare Avg Run and Pace (Years)\nAvg Miles\tAvg Pace\n2025\t3\t12.2222222222222\n"
         "2026\t4\t9.08333333333333\n"},
        {"PaceCompareMonths", Average, Running, true, months("March"),
         "Compare Avg Run and Pace (Months)\nAvg Miles\tAvg Pace\nMar 25\t4.5\t10\n"
         "Mar 26\t3.5\t9.14285714285714\n"},
        {"SpeedCurrentYearMiles", Average, Bike, true, currentYear(),
         "Avg Ride And MPH Current Year\nAvg Miles\tAvg Speed\nMar 26\t20\t26.6666666666667\n"},
        {"SpeedCurrentYearKm", Average, Bike, false, currentYear(),
         "Avg Ride And KPH Current Year\nAvg Kilometers\tAvg Speed\nMar 26\t32.2\t42.9333333333333\n"},
        {"SpeedSingleMonthRideWithoutTime", Average, Bike, false, single("March 2026"),
         "Ride And KPH March 2026\nKilometers\tSpeed\n15 Mar\t48.3\t32.2\n16 Mar\t16.1\t0\n"},
        {"SpeedTitlesForAllFilters", Average, Bike, true, months("January"),
         "Compare Avg Ride and MPH (Months)\nAvg Miles\tAvg Speed\n"},
        {"PaceEmptySelection", Average, Running, true, range("June 2026", "July 2026"),
         "Avg Run And Pace Date Range\nAvg Miles\tAvg Pace\n"}}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    Hours, GraphTableTest,
    ::testing::ValuesIn(std::vector<TableCase>{
        {"TogetherAllMonths", Together, Running, true, all(),
         "Exercise Hours All Months\nHours\nMar 25\t1.5\nMay 25\t0.833333333333333\nJan 26\t1\n"
         "Mar 26\t3.31666666666667\n"},
        {"TogetherCurrentYear", Together, Running, false, currentYear(),
         "Exercise Hours Current Year\nHours\nJan 26\t1\nMar 26\t3.31666666666667\n"},
        {"TogetherDateRange", Together, Running, true, range("May 2025", "January 2026"),
         "Exercise Hours Date Range\nHours\nMay 25\t0.833333333333333\nJan 26\t1\n"},
        {"TogetherSingleMonth", Together, Running, true, single("March 2026"),
         "Exercise Hours March 2026\nHours\n01 Mar\t0.666666666666667\n15 Mar\t1.5\n15 Mar\t0.75\n"
         "16 Mar\t0\n31 Mar\t0.4\n"},
        {"TogetherCompareYears", Together, Running, true, years(),
         "Compare Exercise Hours (Years)\nHours\n2025\t2.33333333333333\n2026\t4.31666666666667\n"},
        {"TogetherCompareMonths", Together, Running, true, months("March"),
         "Compare Exercise Hours (Months)\nHours\nMar 25\t1.5\nMar 26\t3.31666666666667\n"},
        {"TogetherEmptySelection", Together, Running, true, months("February"),
         "Compare Exercise Hours (Months)\nHours\n"},
        {"IndividualAllKinds", Individual, Running, true, all(),
         "Exercise Hours All Months\nRun\tBike\tSwim\tVideo\tOther\nMar 25\t1.5\t0\t0\t0\t0\n"
         "May 25\t0.333333333333333\t0\t0\t0.5\t0\nJan 26\t0.75\t0\t0\t0\t0.25\n"
         "Mar 26\t1.06666666666667\t1.5\t0.75\t0\t0\n"},
        {"IndividualSwimAndOtherMoveLeft", Individual, Running, true, all(),
         "Exercise Hours All Months\nSwim\tOther\nJan 26\t0\t0.25\nMar 26\t0.75\t0\n", SwimOther},
        {"IndividualNoKindTickedKeepsLabelsOnly", Individual, Running, true, currentYear(),
         "Exercise Hours Current Year\n\nJan 26\nMar 26\n", NoKind},
        {"IndividualSingleMonth", Individual, Running, true, single("March 2026"),
         "Exercise Hours March 2026\nRun\tBike\n01 Mar\t0.666666666666667\t0\n15 Mar\t0\t1.5\n"
         "16 Mar\t0\t0\n31 Mar\t0.4\t0\n",
         RunBike},
        {"IndividualCompareYears", Individual, Running, true, years(),
         "Compare Exercise Hours (Years)\nSwim\tOther\n2026\t0.75\t0.25\n", SwimOther}}),
    CaseName());

TEST_F(GraphData, APeriodWhoseTimeIsZeroKeepsItsRow) {
    video(20, "2/3/2026", "Tape", "0:00", "cal");
    video(21, "3/3/2026", "Tape", "30:00", "cal");
    auto conn = db();
    EXPECT_EQ(hoursTogether(*conn, "cal", all()).text(),
              "Exercise Hours All Months\nHours\nFeb 26\t0\nMar 26\t0.5\n");
}

TEST_F(GraphData, MonthListsHoldEachMonthOnceOldestFirst) {
    auto conn = db();
    EXPECT_EQ(workoutMonths(*conn, "ann", Sport::Running),
              (QStringList{"March 2025", "May 2025", "January 2026", "March 2026"}));
    EXPECT_EQ(workoutMonths(*conn, "ann", Sport::Cycling), QStringList{"March 2026"});
    EXPECT_EQ(workoutMonths(*conn, "ann"),
              (QStringList{"March 2025", "May 2025", "January 2026", "March 2026"}));
    EXPECT_TRUE(workoutMonths(*conn, "nobody").isEmpty());
}

TEST_F(GraphData, QuotesInNamesAndMonthsAreValuesAndABadTimeFails) {
    run(30, "3/3/2026", 3, 4.8, "30:00", "O'Neil");
    auto conn = db();
    EXPECT_EQ(distanceTotals(*conn, "O'Neil", Running, true, all()).text(),
              "Miles By Month\nMile\nMar 26\t3\n");
    EXPECT_EQ(distanceTotals(*conn, "ann", Running, true, single("x' OR 'a'='a")).rows.size(), 0);
    exec("UPDATE Exercise_Master SET Exercise_Time = 'abc' WHERE Exercise_ID = 1");
    EXPECT_THROW(averagePace(*conn, "ann", Running, true, all()), DbError);
    EXPECT_FALSE(conn->inTransaction());
}

} // namespace
