// Chart tables of the graph windows beyond the reference cases: the current year, periods
// without time, the month lists, quotes and failures.
#include "GraphData.h"

#include "DbError.h"
#include "GraphTables.h"

namespace {

using namespace GraphTables;

// The current year's rows are those of the range of its twelve months; the other selections'
// tables are the reference cases of trainbook-cli chart (graphs/cases).
TEST_F(GraphData, CurrentYearIsTheRangeOfThisYearsMonths) {
    auto conn = db();
    const Selection year = sel(Filter::CurrentYear),
                    twelve = sel(Filter::DateRange, "January 2026", "December 2026");
    for (const Sport sport : {Sport::Running, Sport::Cycling}) {
        EXPECT_EQ(distanceTotals(*conn, "ann", sport, true, year).rows,
                  distanceTotals(*conn, "ann", sport, true, twelve).rows);
        EXPECT_EQ(averagePace(*conn, "ann", sport, false, year).rows,
                  averagePace(*conn, "ann", sport, false, twelve).rows);
    }
    EXPECT_EQ(hoursTogether(*conn, "ann", year).rows, hoursTogether(*conn, "ann", twelve).rows);
    EXPECT_EQ(hoursIndividual(*conn, "ann", year, {}).text().section('\n', 1),
              hoursIndividual(*conn, "ann", twelve, {}).text().section('\n', 1));
    EXPECT_EQ(hoursTogether(*conn, "ann", year).rows.size(), 2); // January and March
}

TEST_F(GraphData, APeriodWhoseTimeIsZeroKeepsItsRow) {
    video(20, "2/3/2026", "Tape", "0:00", "dee");
    video(21, "3/3/2026", "Tape", "30:00", "dee");
    auto conn = db();
    EXPECT_EQ(hoursTogether(*conn, "dee", sel(Filter::AllMonths)).text(),
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
    EXPECT_EQ(distanceTotals(*conn, "O'Neil", Sport::Running, true, sel(Filter::AllMonths)).text(),
              "Miles By Month\nMile\nMar 26\t3\n");
    EXPECT_EQ(distanceTotals(*conn, "ann", Sport::Running, true, sel(Filter::SingleMonth, "x' OR 'a'='a"))
                  .rows.size(),
              0);
    exec("UPDATE Exercise_Master SET Exercise_Time = 'abc' WHERE Exercise_ID = 1");
    EXPECT_THROW(averagePace(*conn, "ann", Sport::Running, true, sel(Filter::AllMonths)), DbError);
    EXPECT_FALSE(conn->inTransaction());
}

} // namespace
