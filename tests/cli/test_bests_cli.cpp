// trainbook-cli bests: the personal bests table from the shell, in the user's unit or the one asked for.

#include "CliRunner.h"

namespace {

class BestsCli : public CliTest {
  protected:
    void SetUp() override {
        initWith({"INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Kim', 0)",
                  "INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, "
                  "RaceDistanceKM, RaceTime, User_Name) VALUES ('RunningRace', '9/20/2026', 'Half', 'Harbour "
                  "Half', 13.1, 21.1, '1:45:30', 'Kim')"});
    }
};

TEST_F(BestsCli, PrintsTheTableInTheUsersUnitOrTheOneAskedFor) {
    // 105.5 minutes / 21.1 km = 5:00; / 13.1 miles = 8.053 minutes = 8:03.
    const CliRun km = cli({"bests", "--user", "Kim"});
    EXPECT_EQ(km.exitCode, 0) << km.err.toStdString();
    EXPECT_EQ(km.out, "Running Races\n"
                      "Race Type                  Time  Pace/km       Date Races  Race\n"
                      "Half                    1:45:30     5:00  9/20/2026     1  Harbour Half\n");
    const CliRun miles = cli({"bests", "--user", "Kim", "--miles"});
    EXPECT_EQ(miles.out.split('\n').value(2),
              "Half                    1:45:30     8:03  9/20/2026     1  Harbour Half");
}

TEST_F(BestsCli, UnknownUsersAndWrongWordsAreRefused) {
    expectFailures({{{"bests", "--user", "Lee"}, 1, "No user named 'Lee'\n"},
                    {{"bests"}, 2, "usage: "},
                    {{"bests", "--user", "Kim", "--km", "--miles"}, 2, "usage: "}});
}

} // namespace
