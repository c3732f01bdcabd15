// trainbook-cli calendar, run as a person runs it from a shell. The items themselves are
// checked in the core's tests; here the output format, the options and the exit codes.

#include "CliRunner.h"

namespace {

class CalendarCliTest : public CliTest {
  protected:
    void SetUp() override {
        initWith({"INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Time, "
                  "User_Name) VALUES (1, 'Running', '3/5/2004', '40:00', 'Ann'), (2, 'Video', '3/5/2004', "
                  "'20:00', 'Ann'), (3, 'Other', '3/31/2004', '30:00', 'Ann'), (4, 'Running', '4/1/2004', "
                  "'24:00', 'Ann')",
                  "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (1, 5, 8), (4, 3, 4.8)",
                  "INSERT INTO Video_Log (Video_ID, Video) VALUES (2, 'Abs')",
                  "INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (3, 'Weights', '')"});
    }
    // The calendar for `args`: its exit code, then standard output and standard error.
    QString calendar(const QStringList& args) {
        const CliRun r = cli(QStringList{"calendar"} + args);
        return QString::number(r.exitCode) + '\n' + r.out + r.err;
    }
};

TEST_F(CalendarCliTest, PrintsOneTabSeparatedLinePerItem) {
    EXPECT_EQ(calendar({"--user", "Ann", "--month", "March, 2004"}),
              "0\n"
              "5\tRunning\tMiles: 5\tTime: 40:00\t255\n"
              "5\tVideo\tAbs\tTime: 20:00\t16776960\n"
              "31\tWeights\t \tTime: 30:00\t65280\n");
    EXPECT_EQ(calendar({"--km", "--month", "April, 2004", "--user", "ann"}),
              "0\n1\tRunning\tKM: 4.8\tTime: 24:00\t255\n");
    EXPECT_EQ(calendar({"--user", "Carol", "--month", "March, 2004"}), "0\n");
}

TEST_F(CalendarCliTest, BadArgumentsPrintTheUsageAndExitWith2) {
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
