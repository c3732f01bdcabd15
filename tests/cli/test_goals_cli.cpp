// trainbook-cli goals, goal and bests --predict: the tab-separated lines from the shell; their
// refusals are reference cases (cli/cases).

#include "CliRunner.h"

#include <QDate>

namespace {

class GoalsCli : public CliTest {
  protected:
    void SetUp() override {
        initWith(
            {"INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Kim', 0), ('Lou', 1)",
             "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Time, "
             "User_Name) VALUES (1, 'Running', '12/5/2026', '50:00', 'Kim'), "
             "(2, 'Running', '12/6/2026', '30:00', 'Kim')",
             "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (1, 6.2, 10), (2, 3.1, 5)"});
    }
};

TEST_F(GoalsCli, AddsReplacesListsAndRemovesGoals) {
    for (const QStringList& args :
         {QStringList{"goal", "--user", "Kim", "--kind", "Running", "--period", "week", "--distance", "20"},
          QStringList{"goal", "--user", "Kim", "--kind", "All", "--period", "month", "--time", "10:00"},
          QStringList{"goal", "--user", "Kim", "--kind", "running", "--period", "week", "--distance",
                      "30"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    // Saturday 5 December ends the week that Sunday 6 December starts.
    EXPECT_EQ(cli({"goals", "--user", "Kim", "--date", "2026-12-05"}).out,
              "Running\tweek\t2026-11-29\t2026-12-05\t30.0\t10.0\t33\n"
              "All\tmonth\t2026-12-01\t2026-12-31\t10:00:00\t1:20:00\t13\n");
    EXPECT_EQ(cli({"goal", "--user", "Kim", "--kind", "All", "--period", "month", "--remove"}).exitCode, 0);
    EXPECT_EQ(cli({"goals", "--user", "Kim", "--date", "2026-12-06"}).out,
              "Running\tweek\t2026-12-06\t2026-12-12\t30.0\t5.0\t17\n");
}

// Dates are counted back from the real today, as the command does.
TEST_F(GoalsCli, BestsPredictFromTheRacesOfTheLastYear) {
    const QString raceDay = QDate::currentDate().addDays(-10).toString(Qt::ISODate);
    sql("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceDistance, RaceDistanceKM, RaceTime, "
        "User_Name) "
        "VALUES ('RunningRace', '" +
        raceDay + "', '10K', 6.2, 10, '42:00', 'Kim')");
    // 42 x (5/10)^1.06 = 20.15 minutes.
    const CliRun km = cli({"bests", "--user", "Kim", "--predict"});
    EXPECT_EQ(km.exitCode, 0) << km.err.toStdString();
    EXPECT_EQ(km.out.split('\n').mid(0, 2),
              QStringList({"5K (5.0 km)\t20:09\t" + raceDay + ", 10K, 42:00",
                           "10K (10.0 km)\t42:00\t" + raceDay + ", 10K, 42:00"}));
    EXPECT_TRUE(
        cli({"bests", "--user", "Kim", "--predict", "--miles"}).out.startsWith("5K (3.1 miles)\t20:09\t"));
}

} // namespace
