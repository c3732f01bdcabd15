// trainbook-cli hr and load: settings changed and printed, values refused, daily load lines.

#include "CliRunner.h"

namespace {

class HeartRateCli : public CliTest {
  protected:
    void SetUp() override {
        initWith({"INSERT INTO Users (User_Name) VALUES ('Kim'), ('Lou')",
                  "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, User_Name) VALUES "
                  "(1, 'Running', '3/2/2026', 'Kim'), (2, 'Running', '3/3/2026', 'Kim')",
                  "INSERT INTO Exercise_HeartRate (Exercise_ID, Average_HR, Seconds) VALUES (1, 120, 3600)"});
    }
};

TEST_F(HeartRateCli, SetsAndPrintsTheSettingsAndTheDailyLoad) {
    EXPECT_EQ(cli({"hr", "--user", "Kim"}).out, "\t\t50,60,70,80,90\n");
    EXPECT_EQ(cli({"hr", "--user", "Kim", "--max", "190", "--rest", "50"}).out, "190\t50\t50,60,70,80,90\n");
    EXPECT_EQ(cli({"hr", "--user", "kim", "--zones", "55, 65,75,85,95"}).out, "190\t50\t55,65,75,85,95\n");
    // 60 min at 120 with rest 50 and max 190: r 0.5, load 50.1.
    EXPECT_EQ(cli({"load", "--user", "Kim", "--to", "2026-03-03"}).out,
              "2026-03-02\t50.1\t1.2\t6.7\t0.0\n2026-03-03\t0.0\t1.2\t5.8\t-5.5\n");
    EXPECT_EQ(cli({"load", "--user", "Kim", "--from", "2026-02-28", "--to", "2026-02-28"}).out,
              "2026-02-28\t0.0\t0.0\t0.0\t0.0\n");
}

TEST_F(HeartRateCli, BadValuesAreRefusedAndNothingIsChanged) {
    // Which values are refused is the settings window's test; the reads are reference cases.
    expectFailures({{{"hr", "--user", "Kim", "--max", "120", "--rest", "130"},
                     1,
                     "The resting heart rate must be below the maximum."}});
    EXPECT_EQ(cli({"hr", "--user", "Kim"}).out, "\t\t50,60,70,80,90\n");
}

} // namespace
