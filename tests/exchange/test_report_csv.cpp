// Reports as CSV: the report's records and fields, compared byte for byte with files worked
// out by hand from the report rules.
#include "Connection.h"
#include "EquipmentUsage.h"
#include "ReportCsv.h"
#include "TestSupport.h"
#include "TextReport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray expected(const char* name) {
    QFile f(QStringLiteral(EXCHANGE_EXPECTED "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

class ReportCsvTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        const QString db = dir.filePath("Trainbook.db");
        Connection::create(db);
        conn = Connection::open(db);
        conn->execute("INSERT INTO Users (User_Name) VALUES ('Ann')");
        run(1, "2026-03-03", "Tuesday", "40:00", "Said \"easy\"", "5", "8", "Park, east loop");
        run(2, "2026-03-10", "Tuesday", "25:00", "", "2.5", "4", "Track");
        run(3, "2026-04-01", "Wednesday", "1:20:00", "", "10", "16.1", "R\u00edo");
    }
    void run(int id, const char* date, const char* day, const char* time, const char* comment,
             const char* miles, const char* km, const QString& course) {
        conn->execute(
            "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
            "User_Name, Comments) VALUES ('Running', ?, ?, ?, 'Ann', ?)",
            {date, day, time, comment});
        conn->execute(
            "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (?, ?, ?, "
            "'Racer', ?)",
            {id, QString(miles).toDouble(), course, QString(km).toDouble()});
    }
    ReportLines report(TextReport::Format format) {
        TextReport::Request r;
        r.user = "Ann";
        r.kind = "Running";
        r.format = format;
        r.comments = true;
        const auto result = TextReport::create(*conn, r);
        EXPECT_EQ(result.error, "");
        return result.lines;
    }
    QTemporaryDir dir;
    std::unique_ptr<Connection> conn;
};

TEST_F(ReportCsvTest, FullReportWithCommentsAndTotals) {
    EXPECT_EQ(ReportCsv::fromLines(report(TextReport::Format::Full)), expected("running_full.csv"));
}

TEST_F(ReportCsvTest, SummaryReportOneRowPerMonth) {
    EXPECT_EQ(ReportCsv::fromLines(report(TextReport::Format::Summary)), expected("running_summary.csv"));
}

TEST_F(ReportCsvTest, EquipmentReport) {
    conn->execute("INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date) "
                  "VALUES ('Racer', 'Flat', 89.5, 1, 'Ann', '2026-01-15')");
    EXPECT_EQ(ReportCsv::fromLines(EquipmentUsage::lines(*conn, "Ann", "Shoe", true)), expected("shoe.csv"));
}

TEST(ReportCsvLines, LongFieldsNumbersAndRepeatedReports) {
    const QString sep(82, '-');
    // A race name longer than its field pushes the number right; the number is still the
    // last word. A second report appended under the first gets its own header row.
    const QStringList lines{
        "DATE          TYPE          MILES   TIME      PACE    RACE",
        sep,
        "04-Jul-2026   10K           6.2     45:00     7:15    " + QString(60, 'x') + "12",
        " ",
        "MONTH           TIME      EXERCISES   AVG TIME   ",
        sep,
        "July 2026       45:00     1           45:00      ",
        " ",
    };
    EXPECT_EQ(ReportCsv::fromLines(lines), "DATE,TYPE,MILES,TIME,PACE,RACE,ID\r\n"
                                           "2026-07-04,10K,6.2,45:00,7:15," +
                                               QByteArray(60, 'x') +
                                               ",12\r\n"
                                               "MONTH,TIME,EXERCISES,AVG TIME,ID\r\n"
                                               "2026-07,45:00,1,45:00,\r\n");
}

TEST(ReportCsvLines, NoReportNoCsv) {
    EXPECT_EQ(ReportCsv::fromLines({}), QByteArray());
    EXPECT_EQ(ReportCsv::field("a\nb"), "\"a\nb\"");
    EXPECT_EQ(ReportCsv::field("plain"), "plain");
}

} // namespace
