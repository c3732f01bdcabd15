// trainbook-cli calendar: its usage errors. What it prints is compared with the reference
// cases (graphs/cases).

#include "CliRunner.h"

namespace {

TEST_F(CliTest, CalendarBadArgumentsPrintTheUsageAndExitWith2) {
    ASSERT_EQ(cli({"init"}).exitCode, 0);
    const char* usage = "calendar --user NAME --month \"MONTH, YEAR\" [--km]";
    expectFailures({{{"calendar"}, 2, usage},
                    {{"calendar", "--user", "Ann"}, 2, usage},
                    {{"calendar", "--user", "Ann", "--month", "13/2004"}, 2, usage},
                    {{"calendar", "--user", "Ann", "--month", "March, 2004", "--km", "yes"}, 2, usage},
                    {{"calendar", "--user", "Ann", "--user", "Bob", "--month", "March, 2004"}, 2, usage},
                    {{"--db", "none.db", "calendar", "--user", "Ann", "--month", "March, 2004"},
                     1,
                     "Could not find file"}});
}

} // namespace
