// trainbook-cli calendar, run as a person runs it from a shell. The items themselves are
// checked in the core's tests; here the output format, the options and the exit codes.

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace {

class CalendarCliTest : public ::testing::Test {
  protected:
    // Runs trainbook-cli; returns its exit code, stdout in `out`, stderr in `err`.
    int cli(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(TRAINBOOK_CLI), args);
        EXPECT_TRUE(p.waitForFinished(30000)) << "trainbook-cli did not finish";
        out = p.readAllStandardOutput().toStdString();
        err = p.readAllStandardError().toStdString();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(cli({"init"}), 0);
        const char* const statements[] = {
            "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Time, "
            "User_Name) "
            "VALUES (1, 'Running', '3/5/2004', '40:00', 'Ann'), (2, 'Video', '3/5/2004', '20:00', 'Ann'), "
            "(3, 'Other', '3/31/2004', '30:00', 'Ann'), (4, 'Running', '4/1/2004', '24:00', 'Ann')",
            "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (1, 5, 8), (4, 3, 4.8)",
            "INSERT INTO Video_Log (Video_ID, Video) VALUES (2, 'Abs')",
            "INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (3, 'Weights', '')",
        };
        for (const char* sql : statements)
            ASSERT_EQ(cli({"sql", sql}), 0) << err;
    }

    QTemporaryDir dir;
    std::string out, err;
};

TEST_F(CalendarCliTest, PrintsOneTabSeparatedLinePerItem) {
    EXPECT_EQ(cli({"calendar", "--user", "Ann", "--month", "March, 2004"}), 0) << err;
    EXPECT_EQ(out, "5\tRunning\tMiles: 5\tTime: 40:00\t255\n"
                   "5\tVideo\tAbs\tTime: 20:00\t16776960\n"
                   "31\tWeights\t \tTime: 30:00\t65280\n");
    EXPECT_EQ(cli({"calendar", "--km", "--month", "April, 2004", "--user", "ann"}), 0) << err;
    EXPECT_EQ(out, "1\tRunning\tKM: 4.8\tTime: 24:00\t255\n");
    EXPECT_EQ(cli({"calendar", "--user", "Carol", "--month", "March, 2004"}), 0) << err;
    EXPECT_EQ(out + err, "");
}

TEST_F(CalendarCliTest, BadArgumentsPrintTheUsageAndExitWith2) {
    const QList<QStringList> bad = {
        {"calendar"},
        {"calendar", "--user", "Ann"},
        {"calendar", "--user", "Ann", "--month", "13/2004"},
        {"calendar", "--user", "Ann", "--month", "March, 2004", "--km", "yes"},
        {"calendar", "--user", "Ann", "--user", "Bob", "--month", "March, 2004"},
    };
    for (const QStringList& args : bad) {
        EXPECT_EQ(cli(args), 2) << args.join(' ').toStdString();
        EXPECT_NE(err.find("calendar --user NAME --month \"MONTH, YEAR\" [--km]"), std::string::npos) << err;
        EXPECT_EQ(out, "") << args.join(' ').toStdString();
    }
    EXPECT_EQ(cli({"--db", dir.filePath("none.db"), "calendar", "--user", "Ann", "--month", "March, 2004"}),
              1);
}

} // namespace
