// trainbook-cli report: the report window's lines on standard output, its messages on
// standard error.

#include "CliRunner.h"

namespace {

class ReportCli : public CliTest {
  protected:
    void SetUp() override {
        initWith(
            {"INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
             "Exercise_Time, User_Name, Comments) VALUES (1, 'Running', '12/5/2026', 'Saturday', '45:00', "
             "'Ann', 'windy'), (2, 'Running', '12/8/2026', 'Tuesday', '30:00', 'O''Neil', NULL)",
             "INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course, Shoes) VALUES (1, 5, 8, "
             "'Loop', 'Blue'), (2, 3, 4.8, 'Park', 'Red')",
             "INSERT INTO Running_Shoes (Shoe, Shoe_Type, Active, User_Name) VALUES ('Blue', 'Trainer', 1, "
             "'Ann')"});
    }
    CliRun report(const QStringList& args) { return cli(QStringList{"report"} + args); }
};

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}
const QString Sep = QString(82, QLatin1Char('-'));

TEST_F(ReportCli, FullReportWithCommentsInKilometres) {
    const CliRun r = report({"--user", "Ann", "--kind", "Running", "--km", "--comments"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList expected = {
        "DATE" + blanks(10) + "KM" + blanks(6) + "TIME" + blanks(6) + "PACE" + blanks(4) + "DAY" + blanks(8) +
            "COURSE",
        Sep,
        " ",
        "December 2026",
        "05-Dec-2026" + blanks(3) + "8" + blanks(7) + "45:00" + blanks(5) + "5:38" + blanks(4) + "Saturday" +
            blanks(3) + "Loop" + blanks(47) + "1",
        blanks(5) + "windy",
        "Month Totals -> Kilometers=8 Time=45:00 Pace=5:38",
        blanks(16) + "Runs=1 Avg Kilometers=8.00 Avg Time=45:00",
        " ",
        "Report Totals -> Kilometers=8 Time=45:00 Pace=5:38",
        blanks(17) + "Runs=1 Avg Kilometers=8.00 Avg Time=45:00",
    };
    EXPECT_EQ(r.out.toStdString(), (expected.join('\n') + '\n').toStdString());
    EXPECT_TRUE(r.err.isEmpty());
}

TEST_F(ReportCli, SummaryForAUserWithAQuoteAndCriteria) {
    const CliRun r = report({"--user", "O'Neil", "--kind", "Running", "--format", "summary", "--criteria",
                             "(Course = 'Park' ) "});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList expected = {
        "MONTH" + blanks(11) + "MILES" + blanks(4) + "TIME" + blanks(6) + "PACE" + blanks(4) + "RUNS" +
            blanks(4) + "AVG MILES" + blanks(3) + "AVG TIME" + blanks(3),
        Sep,
        "December 2026" + blanks(3) + "3" + blanks(8) + "30:00" + blanks(5) + "10:00" + blanks(3) + "1" +
            blanks(7) + "3.00" + blanks(8) + "30:00" + blanks(6),
        " ",
        "Report Totals -> Miles=3 Time=30:00 Pace=10:00",
        blanks(17) + "Runs=1 Avg Miles=3.00 Avg Time=30:00",
    };
    EXPECT_EQ(r.out.toStdString(), (expected.join('\n') + '\n').toStdString());
}

TEST_F(ReportCli, RaceKindsNeedNoFormat) {
    const CliRun r = report({"--user", "Ann", "--kind", "SwimmingRace"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "DATE" + blanks(10) + "TYPE" + blanks(10) + "MILES" + blanks(3) + "TIME" + blanks(6) +
                         "PACE" + blanks(4) + "RACE" + blanks(43) + "\n" + Sep + "\n \n");
}

TEST_F(ReportCli, EquipmentUsageLists) {
    const CliRun r = report({"--user", "Ann", "--kind", "Shoe"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(2).startsWith("Blue ")) << lines.at(2).toStdString();
    EXPECT_TRUE(lines.at(2).trimmed().endsWith(" 5")) << lines.at(2).toStdString();
}

// Failures print the window's message on standard error and exit 1; what was written before
// the failure is printed.
TEST_F(ReportCli, FailuresExitOneWithTheWindowsMessage) {
    for (const QStringList& args :
         {QStringList{"--kind", "Walking"}, {"--kind", "Cycling", "--format", "weekly"}}) {
        const CliRun r = report(QStringList{"--user", "Ann"} + args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(r.err, "Program Error\n") << args.join(' ').toStdString();
        EXPECT_EQ(r.out, "") << args.join(' ').toStdString();
    }
    const CliRun r =
        report({"--user", "Ann", "--kind", "Running", "--criteria", "1=1; DELETE FROM Running_Log"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Could not retrieve data - The criteria are not a condition: it holds a second "
                     "statement - In frmTextRpt FullRunBikeRpt\n");
    EXPECT_EQ(r.out.count('\n'), 2); // header and separator
    EXPECT_EQ(sql("SELECT COUNT(*) AS n FROM Running_Log"), "n\n2\n");
}

TEST_F(ReportCli, WrongWordsExitTwo) {
    expectFailures({{{"report", "--kind", "Running"}, 2, "usage: "},
                    {{"report", "--user", "Ann"}, 2, "usage: "},
                    {{"report", "--user", "Ann", "--kind", "Running", "--format", "monthly"}, 2, "usage: "},
                    {{"report", "--user", "Ann", "--kind", "Running", "--miles"}, 2, "usage: "}});
}

} // namespace
