// trainbook-cli chart: its usage errors. The tables it prints are compared with the
// reference cases (graphs/cases).

#include "CliRunner.h"

namespace {

TEST_F(CliTest, ChartBadArgumentsPrintTheUsageAndExitWith2) {
    ASSERT_EQ(cli({"init"}).exitCode, 0);
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
