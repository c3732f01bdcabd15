// trainbook-cli chart: the tables the graph windows draw, printed, and its usage errors.

#include "CliRunner.h"

namespace {

// ann: two runs in March 2004 (3 mi in 30:00, 6 mi in 1:00:00), a 45-minute swim in April
// and a 30-mile ride of 1:30:00 (48.3 km) in May.
class ChartCliTest : public CliTest {
  protected:
    void SetUp() override {
        const QString master = "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, "
                               "Exercise_Day, Exercise_Time, User_Name) VALUES ";
        initWith({"INSERT INTO Users (User_Name) VALUES ('ann')",
                  master +
                      "(1, 'Running', '3/5/2004', 'Friday', '30:00', 'ann'), (2, 'Running', '3/20/2004', "
                      "'Saturday', '1:00:00', 'ann'), (3, 'Swimming', '4/2/2004', 'Friday', '45:00', 'ann'), "
                      "(4, 'Cycling', '5/1/2004', 'Saturday', '1:30:00', 'ann')",
                  "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (1, 3, 4.8), (2, 6, 9.7)",
                  "INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (4, 30, 48.3)"});
    }
};

struct ChartCase {
    const char* name;
    QStringList args;
    QString expected;
};

class ChartOutputTest : public ChartCliTest, public ::testing::WithParamInterface<ChartCase> {};

TEST_P(ChartOutputTest, PrintsTitleSeriesAndRows) {
    const CliRun r = cli(QStringList{"chart"} + GetParam().args);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, GetParam().expected);
    EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChartOutputTest,
    ::testing::Values(
        ChartCase{"RunningTotals",
                  {"--user", "ann", "--kind", "Running", "--output", "totals", "--filter", "allmonths"},
                  "Miles By Month\nMile\nMar 04\t9\n"},
        ChartCase{"RunningAverageYears",
                  {"--user", "ann", "--kind", "Running", "--output", "average", "--filter", "years"},
                  "Compare Avg Run and Pace (Years)\nAvg Miles\tAvg Pace\n2004\t4.5\t10\n"},
        ChartCase{"CyclingSpeedSingleMonthKm",
                  {"--user", "ann", "--kind", "Cycling", "--output", "average", "--filter", "single",
                   "--month", "May 2004", "--km"},
                  "Ride And KPH May 2004\nKilometers\tSpeed\n01 May\t48.3\t32.2\n"},
        ChartCase{"TimeIndividualRange",
                  {"--user", "ann", "--kind", "Time", "--output", "individual", "--kinds", "Swimming,Running",
                   "--filter", "range", "--begin", "March 2004", "--end", "April 2004"},
                  "Exercise Hours Date Range\nRun\tSwim\nMar 04\t1.5\t0\nApr 04\t0\t0.75\n"},
        ChartCase{"TimeTogetherCompareMonths",
                  {"--user", "ann", "--kind", "Time", "--output", "together", "--filter", "months",
                   "--compare", "March"},
                  "Compare Exercise Hours (Months)\nHours\nMar 04\t1.5\n"},
        ChartCase{"UnknownUserPrintsAnEmptyTable",
                  {"--user", "zed", "--kind", "Running", "--output", "totals", "--filter", "years"},
                  "Compare Years\nMile\n"}),
    CaseName());

TEST_F(ChartCliTest, BadArgumentsPrintTheUsageAndExitWith2) {
    const QStringList base{"chart", "--user", "ann"};
    const std::vector<QStringList> runs{
        {"--kind", "Running", "--output", "totals"},                       // no filter
        {"--kind", "Swimming", "--output", "totals", "--filter", "years"}, // unknown kind
        {"--kind", "Time", "--output", "totals", "--filter", "years"},     // output of another kind
        {"--kind", "Running", "--output", "totals", "--filter", "range", "--end", "May 2004"}, // no beginning
        {"--kind", "Running", "--output", "totals", "--filter", "single", "--month", "Smarch 2004"},
        {"--kind", "Running", "--output", "totals", "--filter", "months", "--compare", "Mar"},
        {"--kind", "Time", "--output", "individual", "--kinds", "Running,Rowing", "--filter", "years"},
        {"--kind", "Running", "--output", "totals", "--kinds", "Running", "--filter", "years"},
        {"--kind", "Running", "--output", "totals", "--filter", "years", "--miles"},
    };
    std::vector<CliFailure> failures;
    for (const QStringList& args : runs)
        failures.push_back({base + args, 2, "usage: "});
    expectFailures(failures);
}

} // namespace
