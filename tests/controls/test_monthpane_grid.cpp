// Day placement of the month grid, without widgets.

#include "MonthGrid.h"
#include "TestSupport.h"

#include <array>
#include <gtest/gtest.h>

namespace {

struct Placement {
    const char* name;
    int year;
    int month;
    int firstCell; // the cell of day 1 (Sunday = cell 1)
    int lastCell;  // the cell of the month's last day
};

class MonthGridPlacement : public ::testing::TestWithParam<Placement> {};

TEST_P(MonthGridPlacement, DaysRunFromTheFirstDaysWeekdayToTheMonthsEnd) {
    const Placement& p = GetParam();
    const MonthGrid grid(p.year, p.month);
    EXPECT_EQ(grid.firstCell(), p.firstCell);
    EXPECT_EQ(grid.daysInMonth(), p.lastCell - p.firstCell + 1);
    for (int cell = 1; cell <= MonthGrid::Cells; ++cell) {
        const int expected = cell < p.firstCell || cell > p.lastCell ? 0 : cell - p.firstCell + 1;
        EXPECT_EQ(grid.dayInCell(cell), expected) << "cell " << cell;
        if (expected) {
            EXPECT_EQ(grid.cellOfDay(expected), cell);
        }
    }
    EXPECT_EQ(grid.cellOfDay(0), 0);
    EXPECT_EQ(grid.cellOfDay(grid.daysInMonth() + 1), 0);
}

// First weekdays from a printed calendar of 2003 to 2005.
INSTANTIATE_TEST_SUITE_P(Months, MonthGridPlacement,
                         ::testing::Values(Placement{"Sunday_Feb2004_Leap", 2004, 2, 1, 29},
                                           Placement{"Monday_Mar2004", 2004, 3, 2, 32},
                                           Placement{"Tuesday_Jun2004", 2004, 6, 3, 32},
                                           Placement{"Wednesday_Sep2004", 2004, 9, 4, 33},
                                           Placement{"Thursday_Apr2004", 2004, 4, 5, 34},
                                           Placement{"Friday_Oct2004", 2004, 10, 6, 36},
                                           Placement{"Saturday31Days_May2004", 2004, 5, 7, 37},
                                           Placement{"Saturday30Days_Nov2003", 2003, 11, 7, 36},
                                           Placement{"Feb2005_NotLeap", 2005, 2, 3, 30},
                                           Placement{"Feb2000_Leap400", 2000, 2, 3, 31},
                                           Placement{"Feb1900_NotLeap100", 1900, 2, 5, 32}),
                         CaseName());

TEST(MonthGrid, BadMonthGivesEmptyCells) {
    for (const MonthGrid& grid : {MonthGrid(2004, 0), MonthGrid(2004, 13), MonthGrid(0, 3)}) {
        EXPECT_EQ(grid.firstCell(), 0);
        EXPECT_EQ(grid.daysInMonth(), 0);
        for (int cell = 1; cell <= MonthGrid::Cells; ++cell)
            EXPECT_EQ(grid.dayInCell(cell), 0);
        EXPECT_EQ(grid.cellOfDay(1), 0);
    }
}

TEST(MonthGrid, CellsLieRowByRowSundayFirst) {
    for (const auto [cell, row, column] : {std::array{1, 0, 0}, {7, 0, 6}, {8, 1, 0}, {42, 5, 6}}) {
        EXPECT_EQ(MonthGrid::row(cell), row) << "cell " << cell;
        EXPECT_EQ(MonthGrid::column(cell), column) << "cell " << cell;
    }
}

TEST(MonthGrid, MonthNamesBothWays) {
    for (const auto& [number, name] :
         {std::pair{1, "January"}, {9, "September"}, {12, "December"}, {0, "Bad Month"}, {13, "Bad Month"}})
        EXPECT_EQ(MonthGrid::monthName(number), name) << number;
    for (const auto& [name, number] : {std::pair{"march", 3}, {" December ", 12}, {"Mar", 0}, {"", 0}})
        EXPECT_EQ(MonthGrid::monthNumber(name), number) << name;
}

} // namespace
