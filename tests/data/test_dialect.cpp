// The SQL dialect: the statements the windows compose, run on a real database.
#include "Clock.h"
#include "Connection.h"
#include "DbError.h"
#include "SqlDialect.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QString one(const QString& sql)
{
    return SqlDialect::translate(sql, {}).join(QLatin1Char('|'));
}

struct Vector {
    const char* in;
    const char* out;
};

// --- The rewrites, as text ------------------------------------------------------------------

TEST(DialectText, RewritesFunctionsAndKeepsLiteralsUntouched)
{
    const Vector cases[] = {
        {"SELECT Year(Exercise_Date), MONTH([Exercise_Date]) FROM Exercise_Master",
         "SELECT tb_year(Exercise_Date), tb_month([Exercise_Date]) FROM Exercise_Master"},
        {"SELECT x FROM T WHERE Format(Exercise_Date, 'YYYY') = Format(Now, 'YYYY')",
         "SELECT x FROM T WHERE tb_format(Exercise_Date, 'YYYY') COLLATE NOCASE = "
         "tb_format(tb_now(), 'YYYY') COLLATE NOCASE"},
        {"SELECT Now(), T.Now, [Now], 1 AS Year FROM T", "SELECT tb_now(), T.Now, [Now], 1 AS Year FROM T"},
        {"SELECT 'Format(Now) = True; Exercise_Date = 1' AS a, \"say \"\"it's\"\"\" AS b FROM T",
         "SELECT 'Format(Now) = True; Exercise_Date = 1' AS a, 'say \"it''s\"' AS b FROM T"},
        {"SELECT Distinct(Course) AS dCourse FROM Running_Log", "SELECT Distinct Course AS dCourse FROM Running_Log"},
        {"SELECT Shoe FROM Running_Shoes WHERE Active = True AND Bad <> TRUE ",
         "SELECT Shoe FROM Running_Shoes WHERE Active <> 0 AND Bad = 0"},
        {"UPDATE Users SET DistanceMiles = True WHERE User_Name = 'A' AND X = True",
         "UPDATE Users SET DistanceMiles = True WHERE User_Name = 'A' AND X <> 0"},
        // Comment markers of SQLite stay operators, so nothing after them can be cut off.
        {"SELECT 5--3 FROM T WHERE 1/*2 = 2", "SELECT 5- -3 FROM T WHERE 1/ *2 = 2"},
        {"SELECT MAX(Exercise_ID)AS ID FROM Exercise_Master ;  ", "SELECT MAX(Exercise_ID)AS ID FROM Exercise_Master"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(one(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(DialectText, ConvertsDatesOnlyWhereTheyAreWrittenOrComparedAsDates)
{
    const Vector cases[] = {
        {"INSERT INTO RaceLog (Exercise, RaceDate, RaceDistance) VALUES ('RunningRace', '3/1/2026', 5)",
         "INSERT INTO RaceLog (Exercise, RaceDate, RaceDistance) VALUES ('RunningRace', "
         "tb_cdate('3/1/2026'), 5)"},
        {"UPDATE RaceLog SET RaceLog.RaceDate = '3/1/2026', RaceName = 'Exercise_Date < x' WHERE RaceID = 3",
         "UPDATE RaceLog SET RaceDate = tb_cdate('3/1/2026'), RaceName = 'Exercise_Date < x' WHERE RaceID = "
         "3"},
        {"SELECT a FROM T WHERE '1/1/2026' <= [T].[Purchase_Date] AND Purchase_Date < Now",
         "SELECT a FROM T WHERE tb_cdate('1/1/2026') <= [T].[Purchase_Date] AND Purchase_Date < tb_now()"},
        {"SELECT a FROM T WHERE Exercise_Date NOT BETWEEN Format('1/1/2026', 'mm/dd/yyyy') AND '1/5/2026'",
         "SELECT a FROM T WHERE Exercise_Date NOT BETWEEN tb_cdate(tb_format('1/1/2026', 'mm/dd/yyyy')) AND "
         "tb_cdate('1/5/2026')"},
        // A date column inside Format is text, compared as text; a column on the other side stays.
        {"SELECT a FROM T WHERE Format(Exercise_Date, 'mmmm') = 'March' AND Exercise_Date = RaceDate",
         "SELECT a FROM T WHERE tb_format(Exercise_Date, 'mmmm') COLLATE NOCASE = 'March' AND Exercise_Date = "
         "RaceDate"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(one(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(DialectText, OrdersGroupsOnlyWhereTheOrderIsMissing)
{
    EXPECT_EQ(
        one(QStringLiteral("SELECT Shoe, Sum(Miles) AS Mile FROM T GROUP BY Shoe HAVING Sum(Miles) > 1")),
        QStringLiteral("SELECT Shoe, Sum(Miles) AS Mile FROM T GROUP BY Shoe HAVING Sum(Miles) > 1 ORDER BY Shoe"));
    const char* const unchanged[] = {
        "SELECT Shoe FROM T GROUP BY Shoe ORDER BY Shoe DESC",
        "SELECT a FROM T GROUP BY a UNION SELECT b FROM U GROUP BY b",
        "SELECT a FROM (SELECT a FROM T GROUP BY a)",
    };
    for (const char* sql : unchanged)
        EXPECT_EQ(one(QString::fromLatin1(sql)), QString::fromLatin1(sql));
}

TEST(DialectText, RefusesWhatIsNotOneWholeStatement)
{
    const char* const bad[] = {"SELECT 1; DROP TABLE Users", "SELECT 1;;", "SELECT 'abc", "SELECT [abc FROM T", "   ",
                               "UPDATE A, B SET Nowhere = 1 WHERE x = 1"};
    const auto owner = [](const QStringList&, const QString&) { return QString(); };
    for (const char* sql : bad)
        EXPECT_THROW(SqlDialect::translate(QString::fromLatin1(sql), owner), DbError) << sql;
    try {
        SqlDialect::translate(QStringLiteral("SELECT 1; SELECT 2"), owner);
        ADD_FAILURE();
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Only one statement may be run at a time"));
    }
}

// --- Behaviour on a database ----------------------------------------------------------------

class Dialect : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("Trainbook.db"));
        Connection::create(path);
        db = Connection::open(path);
        Clock::setFixed(QDateTime(QDate(2026, 3, 18), QTime(9, 30)));
    }
    void TearDown() override { Clock::reset(); }

    // Adds a workout the way the log windows do: master row, then the detail row.
    QString add(const QString& type, const QString& date, const QString& detail)
    {
        db->execute(QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                                   "Exercise_Time, User_Name, Comments) VALUES ('%1', '%2', 'Day', '30:00', 'Ann', '')")
                        .arg(type, date));
        const QString id = rows(QStringLiteral("SELECT MAX(Exercise_ID)AS ID FROM Exercise_Master"), {"Id"}).front();
        if (!detail.isEmpty())
            db->execute(detail.arg(id));
        return id;
    }
    QString run(const QString& date, double miles, const QString& course = QStringLiteral("Park"))
    {
        return add(QStringLiteral("Running"), date,
                   QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
                                  "VALUES (%1, %2, '%3', 'Nike', 0)")
                       .arg(QStringLiteral("%1"), QString::number(miles), course));
    }

    // Every row of a query, its named fields joined with "/".
    QStringList rows(const QString& sql, std::initializer_list<const char*> fields)
    {
        QStringList out;
        for (ResultSet rs = db->query(sql); !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (const char* f : fields)
                row << rs.field(QString::fromLatin1(f));
            out << row.join(QLatin1Char('/'));
        }
        return out;
    }
    QStringList runDates(const QString& criteria)
    {
        return rows(QStringLiteral("SELECT Exercise_Date FROM Exercise_Master, Running_Log WHERE Exercise_Id = "
                                   "Running_Id AND User_Name = 'Ann' AND ") +
                        criteria + QStringLiteral("ORDER BY Exercise_Date"),
                    {"Exercise_Date"});
    }

    QTemporaryDir dir;
    std::unique_ptr<Connection> db;
};

TEST_F(Dialect, WritesEveryDateFormAsIsoAndRefusesTextsThatAreNotDates)
{
    run(QStringLiteral("12/5/2026"), 1);
    run(QStringLiteral("05-Dec-2026"), 2);
    run(QStringLiteral("2026-12-05"), 3);
    EXPECT_EQ(rows(QStringLiteral("SELECT DISTINCT Exercise_Date FROM Exercise_Master"), {"Exercise_Date"}),
              QStringList{QStringLiteral("2026-12-05")});

    db->execute(QStringLiteral("INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date) "
                               "VALUES ('Nike', 'Road', '89.50', 1, 'Ann', '1/2/2026')"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Purchase_Date FROM Running_Shoes"), {"Purchase_Date"}),
              QStringList{QStringLiteral("2026-01-02")});

    const QString bad[] = {QString(), QStringLiteral("soon"), QStringLiteral("2/30/2026"),
                           QStringLiteral("12/5/2026') --")};
    for (const QString& date : bad) {
        EXPECT_THROW(db->execute(QStringLiteral("INSERT INTO RaceLog (Exercise, RaceDate, RaceDistance, "
                                                "RaceDistanceKM) VALUES ('RunningRace', '%1', 5, 8)")
                                     .arg(QString(date).replace(QLatin1Char('\''), QLatin1String("''")))),
                     DbError)
            << qPrintable(date);
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT Count(*) AS n FROM RaceLog"), {"n"}), QStringList{QStringLiteral("0")});
}

TEST_F(Dialect, UpdatesOverTwoTablesChangeBothRowsOfThatWorkoutOnly)
{
    // Each kind: insert of its detail row, the window's update, and what the detail row holds after it.
    const QString set = QStringLiteral("SET Exercise_Date = '1/2/2026', Exercise_Day = 'Friday', Exercise_Time = "
                                       "'50:00', Comments = 'new', ");
    const struct {
        const char* type;
        const char* insert;
        const char* update;
        const char* check;
        const char* expected;
    } kinds[] = {
        {"Running", "Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (%1, 1, 'a', 'b', 2)",
         "Running_Log %2Miles = 5, Kilometers = 8.1, Course = 'Hill', Shoes = 'Asics' WHERE Exercise_ID = %1 "
         "AND Exercise_ID = Running_ID",
         "Miles || Course || Shoes || Kilometers AS v FROM Running_Log WHERE Running_ID = %1", "5.0HillAsics8.1"},
        {"Cycling",
         "Cycling_Log (Cycling_ID, Miles, Course, Bike, Calories_Burned, Kilometers) VALUES (%1, 1, 'a', 'b', 300, 2)",
         "Cycling_Log %2Miles = 20, Kilometers = 32.2, Course = 'Loop', Bike = 'Trek' WHERE Exercise_ID = %1 "
         "AND Exercise_ID = Cycling_ID",
         "Miles || Course || Bike || Calories_Burned AS v FROM Cycling_Log WHERE Cycling_ID = %1", "20.0LoopTrek300.0"},
        {"Swimming", "Swimming_Log (Swimming_ID, Laps, Location) VALUES (%1, 10, 'Y')",
         "Swimming_Log %2Location = 'Lake', Laps = 40 WHERE Exercise_ID = %1 AND Exercise_ID = Swimming_ID",
         "Laps || Location AS v FROM Swimming_Log WHERE Swimming_ID = %1", "40.0Lake"},
        {"Video", "Video_Log (Video_ID, Video) VALUES (%1, 'Old')",
         "Video_Log %2Video = 'Tae-Bo' WHERE Exercise_ID = %1 AND Exercise_ID = Video_ID",
         "Video AS v FROM Video_Log WHERE Video_ID = %1", "Tae-Bo"},
        {"Other", "OtherLog (Other_ID, Exercise_Name, Field1, Field2, Field3) VALUES (%1, 'W', '', '', '')",
         "OtherLog %2Exercise_Name = 'Weights', Field1 = '3', Field2 = '10', Field3 = '' WHERE Exercise_ID = %1 "
         "AND Exercise_ID = Other_ID",
         "Exercise_Name || Field1 || Field2 AS v FROM OtherLog WHERE Other_ID = %1", "Weights310"},
    };
    for (const auto& k : kinds) {
        const QString type = QString::fromLatin1(k.type);
        const QString insert = QStringLiteral("INSERT INTO ") + QLatin1String(k.insert);
        const QString id = add(type, QStringLiteral("12/5/2025"), insert);
        const QString other = add(type, QStringLiteral("12/6/2025"), insert);
        const QString update =
            QStringLiteral("UPDATE Exercise_Master, ") + QString::fromLatin1(k.update).arg(id, set);
        const QString check = QStringLiteral("SELECT ") + QString::fromLatin1(k.check).arg(id);
        db->execute(update);
        EXPECT_EQ(rows(check, {"v"}), QStringList{QString::fromLatin1(k.expected)}) << k.type;
        const QString master = QStringLiteral("SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
                                              "User_Name, Comments FROM Exercise_Master WHERE Exercise_ID = %1");
        const std::initializer_list<const char*> fields = {"Exercise_Type", "Exercise_Date", "Exercise_Day",
                                                           "Exercise_Time", "User_Name",     "Comments"};
        EXPECT_EQ(rows(master.arg(id), fields), QStringList{type + QStringLiteral("/2026-01-02/Friday/50:00/Ann/new")});
        EXPECT_EQ(rows(master.arg(other), fields), QStringList{type + QStringLiteral("/2025-12-06/Day/30:00/Ann/")});

        // A bad value in either table writes nothing to either.
        EXPECT_THROW(db->execute(QString(update).replace(QStringLiteral("1/2/2026"), QStringLiteral("13/2/2026"))),
                     DbError);
        EXPECT_EQ(rows(check, {"v"}), QStringList{QString::fromLatin1(k.expected)});
    }
    const QString id = run(QStringLiteral("3/1/2026"), 4);
    EXPECT_THROW(db->execute(QStringLiteral("UPDATE Exercise_Master, Running_Log SET Comments = 'x', Miles = 'abc' "
                                            "WHERE Exercise_ID = %1 AND Exercise_ID = Running_ID")
                                 .arg(id)),
                 DbError);
    EXPECT_EQ(rows(QStringLiteral("SELECT Comments FROM Exercise_Master WHERE Exercise_ID = ") + id, {"Comments"}),
              QStringList{QString()});
}

TEST_F(Dialect, ReportCriteriaSelectByDateAcrossYearEnds)
{
    for (const char* d : {"12/31/2025", "1/2/2026", "2/28/2026", "3/1/2026", "3/18/2026", "3/31/2026", "4/1/2026",
                          "12/31/2026", "1/1/2027"})
        run(QString::fromLatin1(d), 1);
    // Current month and current year, with today fixed at 18 March 2026.
    EXPECT_EQ(runDates(QStringLiteral("Format(Exercise_Date, 'MMMM YYYY') = Format(Now, 'MMMM YYYY') ")),
              (QStringList{"2026-03-01", "2026-03-18", "2026-03-31"}));
    EXPECT_EQ(runDates(QStringLiteral("Format(Exercise_Date, 'YYYY') = Format(Now, 'YYYY') ")).size(), 7);
    // Date range (both ends included), alone and combined with a distance and a list.
    EXPECT_EQ(runDates(QStringLiteral("(Exercise_Date BETWEEN Format('12/31/2025', 'mm/dd/yyyy') "
                                      "AND Format('3/1/2026', 'mm/dd/yyyy')) ")),
              (QStringList{"2025-12-31", "2026-01-02", "2026-02-28", "2026-03-01"}));
    EXPECT_EQ(runDates(QStringLiteral("(Exercise_Date BETWEEN Format('12/1/2026', 'mm/dd/yyyy') AND "
                                      "Format('1/1/2027', 'mm/dd/yyyy')) AND Miles >= 1  AND (Course = 'park' ) ")),
              (QStringList{"2026-12-31", "2027-01-01"}));
    // Comparisons written either way round, with every date form.
    EXPECT_EQ(runDates(QStringLiteral("('12/31/2025' < Exercise_Date AND Exercise_Date < '02-Jan-2026' OR "
                                      "Exercise_Date >= '2027-01-01') ")),
              (QStringList{"2027-01-01"}));
    EXPECT_EQ(runDates(QStringLiteral("Exercise_Date <= '1/2/2026' ")), (QStringList{"2025-12-31", "2026-01-02"}));
    // The drill-down from a summary month line passes the padded month text.
    EXPECT_EQ(runDates(QStringLiteral("Format(Exercise_Date, 'MMMM YYYY') = Format('December 2026 ', 'MMMM YYYY') ")),
              (QStringList{"2026-12-31"}));
    EXPECT_THROW(runDates(QStringLiteral("Exercise_Date > 'someday' ")), DbError);
}

TEST_F(Dialect, WeeklyReportReadsOneSundayToSaturdayWeek)
{
    for (const char* d : {"12/27/2025", "12/28/2025", "1/1/2026", "1/3/2026", "1/4/2026"})
        run(QString::fromLatin1(d), 2);
    const QString week = QStringLiteral("SELECT Miles AS Mile, Exercise_Time FROM Running_Log, Exercise_Master "
                                        "WHERE Exercise_ID = Running_ID AND Exercise_Date BETWEEN "
                                        "Format('12/28/2025', 'mm/dd/yyyy') AND Format('1/3/2026', 'mm/dd/yyyy') "
                                        "%1AND User_Name = 'Ann'");
    EXPECT_EQ(rows(week.arg(QString()), {"Mile"}).size(), 3);
    EXPECT_EQ(rows(week.arg(QStringLiteral("AND Exercise_Date BETWEEN Format('01/01/2026', 'mm/dd/yyyy') AND "
                                           "Format('01/07/2026', 'mm/dd/yyyy') ")),
                   {"Exercise_Time"}),
              (QStringList{"30:00", "30:00"}));
}

TEST_F(Dialect, GraphQueriesGroupByMonthInCalendarOrder)
{
    for (const auto& [d, m] : {std::pair{"11/30/2025", 1},
                               {"12/1/2025", 2},
                               {"12/15/2025", 3},
                               {"1/31/2026", 4},
                               {"2/1/2026", 5},
                               {"3/5/2026", 6},
                               {"3/6/2026", 7},
                               {"3/7/2025", 8}})
        run(QString::fromLatin1(d), m);
    const QString head = QStringLiteral("SELECT (Format([Exercise_Date],'mmm yy')), Sum([Miles]) AS Mile "
                                        "From Exercise_Master, Running_Log WHERE User_Name = 'Ann' "
                                        "AND Exercise_ID = Running_ID ");
    const QString byMonth = QStringLiteral("GROUP BY (Year([Exercise_Date])*12 + Month([Exercise_Date])-1), "
                                           "(Format([Exercise_Date],'mmm yy'))");
    const auto chart = [this](const QString& sql) {
        QStringList out;
        for (ResultSet rs = db->query(sql); !rs.eof(); rs.moveNext())
            out << rs.field(0) + QLatin1Char('=') + rs.field(1);
        return out;
    };
    EXPECT_EQ(chart(head + byMonth),
              (QStringList{"Mar 25=8", "Nov 25=1", "Dec 25=5", "Jan 26=4", "Feb 26=5", "Mar 26=13"}));
    EXPECT_EQ(chart(head + QStringLiteral("AND Format(Exercise_Date, 'yyyy') = Format(Now, 'yyyy') ") + byMonth),
              (QStringList{"Jan 26=4", "Feb 26=5", "Mar 26=13"}));
    // Date range over month texts: whole months from the first through the last.
    const QString range = QStringLiteral("AND ((Exercise_Date BETWEEN Format('%1', 'mmmm yyyy') AND "
                                         "Format('%2', 'mmmm yyyy')) OR Format(Exercise_Date, 'mmmm yyyy') = "
                                         "Format('%2', 'mmmm yyyy')) ");
    EXPECT_EQ(chart(head + range.arg(QStringLiteral("December 2025"), QStringLiteral("January 2026")) + byMonth),
              (QStringList{"Dec 25=5", "Jan 26=4"}));
    EXPECT_EQ(chart(head + range.arg(QStringLiteral("March 2026"), QStringLiteral("December 2025")) + byMonth),
              (QStringList{"Dec 25=5"}));
    EXPECT_EQ(chart(QStringLiteral("SELECT (Format([Exercise_Date],'yyyy')), Sum([Miles]) AS Mile From "
                                   "Exercise_Master, Running_Log WHERE User_Name = 'Ann' AND Exercise_ID = Running_ID "
                                   "GROUP BY (Year([Exercise_Date])*12), (Format([Exercise_Date],'yyyy')) ")),
              (QStringList{"2025=14", "2026=22"}));
    EXPECT_EQ(chart(QStringLiteral("SELECT (Format([Exercise_Date],'mmm yy')), Sum([Miles]) AS Mile From "
                                   "Exercise_Master, Running_Log WHERE User_Name = 'Ann' AND Exercise_ID = Running_ID "
                                   "AND Format(Exercise_Date,'mmmm') = Format('march', 'mmmm') "
                                   "GROUP BY (Year([Exercise_Date])*12), (Format([Exercise_Date],'mmm yy')) ")),
              (QStringList{"Mar 25=8", "Mar 26=13"}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Format(Exercise_Date, 'mmm dd') As tDate, Miles From Exercise_Master,"
                                  "Running_Log WHERE User_Name = 'Ann' AND Exercise_ID = Running_ID AND "
                                  "Format(Exercise_Date, 'mmmm yyyy') = 'March 2026' ORDER BY Exercise_Date"),
                   {"tDate", "Miles"}),
              (QStringList{"Mar 05/6", "Mar 06/7"}));
    EXPECT_EQ(rows(QStringLiteral("SELECT DISTINCT(Format(Exercise_Date, 'mmmm yyyy')) As tDate FROM Exercise_Master "
                                  "WHERE User_Name = 'Ann'"),
                   {"tDate"})
                  .size(),
              6);
}

TEST_F(Dialect, CalendarMonthUnionsEveryKind)
{
    run(QStringLiteral("3/5/2026"), 3.5);
    add(QStringLiteral("Swimming"), QStringLiteral("3/5/2026"),
        QStringLiteral("INSERT INTO Swimming_Log (Swimming_ID, Laps, Location) VALUES (%1, 20, 'Y')"));
    add(QStringLiteral("Other"), QStringLiteral("3/31/2026"),
        QStringLiteral("INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1, Field2, Field3) "
                       "VALUES (%1, 'Weights', '', '', '')"));
    run(QStringLiteral("4/1/2026"), 9);
    const QString where = QStringLiteral("WHERE Format(Exercise_Date, 'mmmm, yyyy') = Format('March, 2026', "
                                         "'mmmm, yyyy') ");
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Count(Exercise_Date) As DayCount FROM Exercise_Master ") + where, {"DayCount"}),
        QStringList{QStringLiteral("3")});
    const QString sql =
        QStringLiteral(
            "SELECT Format(Exercise_Date, 'd') As tDay, Exercise_Type, Miles As Distance, Exercise_Time "
            "FROM Exercise_Master, Running_Log %1AND Exercise_ID = Running_ID AND User_Name = 'Ann' UNION "
            "SELECT Format(Exercise_Date, 'd') As tDay, Exercise_Name As Exercise_Type, Field1 As Distance, "
            "Exercise_Time FROM Exercise_Master, OtherLog %1AND Exercise_ID = Other_ID AND User_Name = 'Ann' "
            "UNION SELECT Format(Exercise_Date, 'd') As tDay, Exercise_Type, Laps As Distance, Exercise_Time "
            "FROM Exercise_Master, Swimming_Log %1AND Exercise_ID = Swimming_ID AND User_Name = 'Ann' ")
            .arg(where);
    QStringList got = rows(sql, {"tDay", "Exercise_Type", "Distance"});
    got.sort();
    EXPECT_EQ(got, (QStringList{"31/Weights/", "5/Running/3.5", "5/Swimming/20"}));
}

TEST_F(Dialect, ListsFlagsAndFieldNamesReadAsTheWindowsReadThem)
{
    for (const char* shoe : {"'Nike', 1", "'B', True", "'C', False"})
        db->execute(QStringLiteral("INSERT INTO Running_Shoes (Shoe, Active, User_Name, Purchase_Date) "
                                   "VALUES (%1, 'Ann', '1/1/2026')")
                        .arg(QString::fromLatin1(shoe)));
    EXPECT_EQ(rows(QStringLiteral("SELECT Shoe FROM Running_Shoes WHERE Active = True AND User_Name = 'ann' "
                                  "ORDER BY Shoes_ID DESC"),
                   {"Shoe"}),
              (QStringList{"B", "Nike"}));
    run(QStringLiteral("1/1/2026"), 1, QStringLiteral("Park"));
    run(QStringLiteral("1/2/2026"), 1, QStringLiteral("Hill"));
    run(QStringLiteral("1/3/2026"), 1, QStringLiteral("Park"));
    ResultSet rs = db->query(QStringLiteral("SELECT Distinct(Course) FROM Running_Log, Exercise_Master "
                                            "WHERE Running_ID = Exercise_ID AND User_Name = 'Ann'"));
    EXPECT_EQ(rs.columnName(0), QStringLiteral("Course"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Shoe, Sum(Miles) AS Mile From Running_Shoes, Running_Log, Exercise_Master "
                                  "WHERE Running_Shoes.User_Name = 'Ann' AND Exercise_Master.User_Name = 'Ann' AND "
                                  "Running_ID = Exercise_ID AND Running_Shoes.Shoe = Running_Log.Shoes "
                                  "AND Active = TRUE GROUP BY Shoe"),
                   {"Shoe", "Mile"}),
              QStringList{QStringLiteral("Nike/3")});
    EXPECT_EQ(rows(QStringLiteral("SELECT Course, Count(*) AS n, Format(Min(Exercise_Date), 'dd-mmm-yy') AS f "
                                  "FROM Running_Log, Exercise_Master WHERE Running_ID = Exercise_ID GROUP BY Course"),
                   {"Course", "n", "f"}),
              (QStringList{"Hill/1/02-Jan-26", "Park/2/01-Jan-26"}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Format(Now, 'dd-mmm-yyyy') AS n, Format(NULL, 'yyyy') AS c, "
                                  "Format('n/a', 'yyyy') AS t, Format(5, 'yyyy') AS f"),
                   {"n", "c", "t", "f"}),
              QStringList{QStringLiteral("18-Mar-2026//n/a/5")});
}

TEST_F(Dialect, DateRangesStillUseTheIndex)
{
    const QString sql = SqlDialect::translate(QStringLiteral("SELECT Exercise_ID FROM Exercise_Master WHERE "
                                                             "User_Name = 'Ann' AND Exercise_Date BETWEEN "
                                                             "Format('1/1/2026', 'mm/dd/yyyy') AND '1/31/2026'"),
                                              {})
                            .front();
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db->handle(), ("EXPLAIN QUERY PLAN " + sql).toUtf8().constData(), -1, &st, nullptr),
              SQLITE_OK);
    QString plan;
    while (sqlite3_step(st) == SQLITE_ROW)
        plan += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 3)));
    sqlite3_finalize(st);
    EXPECT_TRUE(plan.contains(QStringLiteral("Exercise_Date>? AND Exercise_Date<?"))) << qPrintable(plan);
}

} // namespace
