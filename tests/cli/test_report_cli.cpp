// trainbook-cli report: criteria that try to write are refused without writing. Its output and
// usage errors are compared with the reference cases (reports/cases).

#include "CliRunner.h"

namespace {

TEST_F(CliTest, ReportCriteriaNeverWrite) {
    initWith({"INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
              "Exercise_Time, User_Name) VALUES (1, 'Running', '12/5/2026', 'Saturday', '45:00', 'Ann')",
              "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (1, 5, 8)"});
    const CliRun r =
        cli({"report", "--user", "Ann", "--kind", "Running", "--criteria", "1=1; DELETE FROM Running_Log"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(sql("SELECT COUNT(*) AS n FROM Running_Log"), "n\n1\n");
}

} // namespace
