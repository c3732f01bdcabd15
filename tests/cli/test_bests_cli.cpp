// trainbook-cli bests: the personal bests table from the shell, in the user's unit or the one asked for.

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

namespace {

struct BestsRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class BestsCli : public ::testing::Test {
  protected:
    BestsRun cli(const QStringList& args) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(TRAINBOOK_CLI), args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    void SetUp() override {
        ASSERT_EQ(cli({"init"}).exitCode, 0);
        ASSERT_EQ(cli({"sql", "INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Kim', 0)"}).exitCode, 0);
        ASSERT_EQ(cli({"sql", "INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, "
                              "RaceDistanceKM, RaceTime, User_Name) VALUES ('RunningRace', '9/20/2026', "
                              "'Half', 'Harbour Half', 13.1, 21.1, '1:45:30', 'Kim')"})
                      .exitCode,
                  0);
    }
    QTemporaryDir dir;
};

TEST_F(BestsCli, PrintsTheTableInTheUsersUnitOrTheOneAskedFor) {
    // 105.5 minutes / 21.1 km = 5:00; / 13.1 miles = 8.053 minutes = 8:03.
    const BestsRun km = cli({"bests", "--user", "Kim"});
    EXPECT_EQ(km.exitCode, 0) << km.err.toStdString();
    EXPECT_EQ(km.out, "Running Races\n"
                      "Race Type                  Time  Pace/km       Date Races  Race\n"
                      "Half                    1:45:30     5:00  9/20/2026     1  Harbour Half\n");
    const BestsRun miles = cli({"bests", "--user", "Kim", "--miles"});
    EXPECT_EQ(miles.out.split('\n').value(2),
              "Half                    1:45:30     8:03  9/20/2026     1  Harbour Half");
}

TEST_F(BestsCli, UnknownUsersAndWrongWordsAreRefused) {
    const BestsRun nobody = cli({"bests", "--user", "Lee"});
    EXPECT_EQ(nobody.exitCode, 1);
    EXPECT_EQ(nobody.err, "No user named 'Lee'\n");
    EXPECT_EQ(cli({"bests"}).exitCode, 2);
    EXPECT_EQ(cli({"bests", "--user", "Kim", "--km", "--miles"}).exitCode, 2);
}

} // namespace
