// trainbook-cli calendar, run as a person runs it from a shell.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class CalendarCliTest : public ::testing::Test {
  protected:
    CliRun cli(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(TRAINBOOK_CLI), args);
        EXPECT_TRUE(p.waitForFinished(30000)) << "trainbook-cli did not finish";
        CliRun r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput().toStdString();
        r.err = p.readAllStandardError().toStdString();
        return r;
    }
    void sql(const QString& statement) {
        const CliRun r = cli({"sql", statement});
        ASSERT_EQ(r.exitCode, 0) << statement.toStdString() << ": " << r.err;
    }
    void workout(int id, const char* type, const char* date, const char* time, const char* user,
                 const QString& detail) {
        sql(QStringLiteral(
                "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
                "Exercise_Time, User_Name) VALUES (%1, '%2', '%3', 'Day', '%4', '%5')")
                .arg(id)
                .arg(QLatin1String(type), QLatin1String(date), QLatin1String(time), QLatin1String(user)));
        sql(detail.arg(id));
    }
    // One workout of each kind in March 2004 for Ann, two on the 5th, and some outside.
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(cli({"init"}).exitCode, 0);
        workout(1, "Running", "3/5/2004", "40:00", "Ann",
                "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (%1, 5, 8)");
        workout(2, "Video", "3/5/2004", "20:00", "Ann",
                "INSERT INTO Video_Log (Video_ID, Video) VALUES (%1, 'Abs')");
        workout(3, "Cycling", "3/1/2004", "1:05:00", "Ann",
                "INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (%1, 20.5, 33)");
        workout(4, "Other", "3/31/2004", "30:00", "Ann",
                "INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (%1, 'Weights', '3 sets')");
        workout(5, "Other", "3/12/2004", "1:00:00", "Ann",
                "INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (%1, 'Yoga', '')");
        workout(6, "Swimming", "3/20/2004", "35:00", "Ann",
                "INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (%1, 40)");
        workout(7, "Running", "4/1/2004", "24:00", "Ann",
                "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (%1, 3, 4.8)");
        workout(8, "Running", "3/7/2004", "48:00", "Bob",
                "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (%1, 6, 9.7)");
    }

    QTemporaryDir dir;
};

TEST_F(CalendarCliTest, PrintsOneLinePerItemInMilesOrKilometres) {
    const CliRun miles = cli({"calendar", "--user", "Ann", "--month", "March, 2004"});
    EXPECT_EQ(miles.exitCode, 0) << miles.err;
    EXPECT_EQ(miles.out, "1\tCycling\tMiles: 20.5\tTime: 1:05:00\t16711680\n"
                         "5\tRunning\tMiles: 5\tTime: 40:00\t255\n"
                         "5\tVideo\tAbs\tTime: 20:00\t16776960\n"
                         "12\tYoga\t \tTime: 1:00:00\t0\n"
                         "20\tSwimming\tLaps: 40\tTime: 35:00\t65535\n"
                         "31\tWeights\t3 sets\tTime: 30:00\t65280\n");

    const CliRun km = cli({"calendar", "--km", "--month", "April, 2004", "--user", "Ann"});
    EXPECT_EQ(km.exitCode, 0) << km.err;
    EXPECT_EQ(km.out, "1\tRunning\tKM: 4.8\tTime: 24:00\t255\n");
}

TEST_F(CalendarCliTest, UnknownUserOrEmptyMonthPrintsNothing) {
    for (const QStringList& args : {QStringList{"calendar", "--user", "Carol", "--month", "March, 2004"},
                                    QStringList{"calendar", "--user", "Ann", "--month", "May, 2004"}}) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CalendarCliTest, BadArgumentsPrintTheUsageAndExitWith2) {
    const QList<QStringList> bad = {
        {"calendar"},
        {"calendar", "--user", "Ann"},
        {"calendar", "--month", "March, 2004"},
        {"calendar", "--user", "Ann", "--month", "13/2004"},
        {"calendar", "--user", "Ann", "--month", "Smarch, 2004"},
        {"calendar", "--user", "Ann", "--month", "March, 2004", "--km", "yes"},
        {"calendar", "--user", "Ann", "--month", "March, 2004", "--miles"},
        {"calendar", "--user", "Ann", "--user", "Bob", "--month", "March, 2004"},
        {"calendar", "--user"},
    };
    for (const QStringList& args : bad) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_NE(r.err.find("calendar --user NAME --month \"MONTH, YEAR\" [--km]"), std::string::npos)
            << r.err;
        EXPECT_EQ(r.out, "") << args.join(' ').toStdString();
    }
}

TEST_F(CalendarCliTest, AMissingDatabaseFailsWith1) {
    const CliRun r =
        cli({"--db", dir.filePath("none.db"), "calendar", "--user", "Ann", "--month", "March, 2004"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());
}

} // namespace
