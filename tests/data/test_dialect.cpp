// The SQL dialect: the statements the windows compose, run on a real database. The chart,
// calendar and equipment statements are run by the graph and report tests, which build them.
#include "Clock.h"
#include "DataSupport.h"

namespace {

class Dialect : public NewDatabase {
  protected:
    void SetUp() override {
        NewDatabase::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 3, 18), QTime(9, 30)));
    }
    void TearDown() override { Clock::reset(); }

    // Adds a workout the way the log windows do: master row, then the detail row.
    QString add(const QString& type, const QString& date, const QString& detail) {
        db->execute(QStringLiteral(
                        "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                        "Exercise_Time, User_Name, Comments) VALUES ('%1', '%2', 'Day', '30:00', 'Ann', '')")
                        .arg(type, date));
        const QString id = one("SELECT MAX(Exercise_ID)AS ID FROM Exercise_Master");
        if (!detail.isEmpty())
            db->execute(detail.arg(id));
        return id;
    }
    QString run(const QString& date, double miles) {
        return add("Running", date,
                   "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (%1, " +
                       QString::number(miles) + ", 'Park', 'Nike', 0)");
    }

    // Every row of a query, its fields joined with "/".
    QStringList rows(const QString& sql) { return queryRows(*db, sql, QLatin1Char('/')); }
    // The master row of workout `id`, its fields run together.
    QString master(const QString& id) {
        return one("SELECT Exercise_Type || Exercise_Date || Exercise_Day || Exercise_Time || User_Name || "
                   "Comments FROM Exercise_Master WHERE Exercise_ID = " +
                   id);
    }
    QStringList runDates(const QString& criteria) {
        return rows("SELECT Exercise_Date FROM Exercise_Master, Running_Log WHERE Exercise_Id = Running_Id "
                    "AND User_Name = 'Ann' AND " +
                    criteria + "ORDER BY Exercise_Date");
    }
};

TEST_F(Dialect, LiteralsAndOperatorsKeepTheirMeaning) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT 'Format(Now) = True; Exercise_Date = 1' AS v", "Format(Now) = True; Exercise_Date = 1"},
        {"SELECT \"say \"\"it's\"\"\" AS v", "say \"it's\""},
        {"SELECT 5--3 AS v", "8"}, // "--" is no comment, so nothing after it can be cut off
        {"SELECT Format(Now(), 'YYYY') AS v ;  ", "2026"},
        // Month and Year on their own, of a stored date and of a date text.
        {"SELECT Month('2026-10-12') || ' ' || Year('2026-10-12') AS v", "10 2026"},
        {"SELECT Month('12/5/2026') || ' ' || Year('12/5/2026') AS v", "12 2026"},
    };
    for (const auto& [sql, value] : cases)
        EXPECT_EQ(rows(QString::fromUtf8(sql)), QStringList{QString::fromUtf8(value)}) << sql;
    // Only one whole statement runs; "/*" is no comment either.
    for (const char* sql : {"SELECT 1; DROP TABLE Users", "SELECT 1;;", "SELECT 'abc", "SELECT [abc FROM T",
                            "   ", "SELECT Count(*) AS v FROM Users WHERE 1/*2 = 2"})
        EXPECT_THROW(db->query(QString::fromLatin1(sql)), DbError) << sql;
    EXPECT_THROW(db->execute("UPDATE Exercise_Master, Running_Log SET Nowhere = 1"), DbError);
}

TEST_F(Dialect, WritesEveryDateFormAsIsoAndRefusesTextsThatAreNotDates) {
    run("12/5/2026", 1);
    run("05-Dec-2026", 2);
    run("2026-12-05", 3);
    EXPECT_EQ(rows("SELECT DISTINCT Exercise_Date FROM Exercise_Master"), QStringList{"2026-12-05"});

    // A single-table update converts the date and leaves a literal that looks like a comparison alone.
    const QString race = QStringLiteral("INSERT INTO RaceLog (Exercise, RaceDate, RaceDistance, "
                                        "RaceDistanceKM) VALUES ('RunningRace', '%1', 5, 8)");
    db->execute(race.arg("1/1/2026"));
    db->execute("UPDATE RaceLog SET RaceLog.RaceDate = '3/1/2026', RaceName = 'Exercise_Date < x'");
    EXPECT_EQ(rows("SELECT RaceDate, RaceName FROM RaceLog"), QStringList{"2026-03-01/Exercise_Date < x"});
    for (const char* date : {"", "soon", "2/30/2026", "12/5/2026'') --"})
        EXPECT_THROW(db->execute(race.arg(QString::fromLatin1(date))), DbError) << date;
    EXPECT_EQ(rows("SELECT Count(*) AS n FROM RaceLog"), QStringList{"1"});
}

// A kind: its detail table and key, the columns of its detail row, the SET for them, and what
// the detail row holds after the update. The split is the same for every detail table: one
// with numbers and one of texts only.
struct TwoTableCase {
    const char *name, *table, *key, *insert, *set, *check, *expected; // name: the kind
};

class DialectTwoTables : public Dialect, public testing::WithParamInterface<TwoTableCase> {};

TEST_P(DialectTwoTables, UpdateChangesBothRowsOfThatWorkoutOnly) {
    const TwoTableCase& k = GetParam();
    const QString type = QString::fromLatin1(k.name), table = QString::fromLatin1(k.table),
                  key = QString::fromLatin1(k.key);
    const QString insert =
        QStringLiteral("INSERT INTO %1 (%2, ").arg(table, key) + QLatin1String(k.insert) + ')';
    const QString id = add(type, "12/5/2025", insert);
    const QString other = add(type, "12/6/2025", insert);
    db->execute(
        QStringLiteral(
            "UPDATE Exercise_Master, %1 SET Exercise_Date = '1/2/2026', Exercise_Day = 'Friday', "
            "Exercise_Time = '50:00', Comments = 'new', %2 WHERE Exercise_ID = %3 AND Exercise_ID = %4")
            .arg(table, QLatin1String(k.set), id, key));
    EXPECT_EQ(rows(QStringLiteral("SELECT %1 AS v FROM %2 WHERE %3 = %4").arg(k.check, table, key, id)),
              QStringList{QString::fromLatin1(k.expected)});
    EXPECT_EQ(master(id), type + "2026-01-02Friday50:00Annnew");
    EXPECT_EQ(master(other), type + "2025-12-06Day30:00Ann");
}

const TwoTableCase twoTableCases[] = {
    {"Running", "Running_Log", "Running_ID", "Miles, Course, Shoes, Kilometers) VALUES (%1, 1, 'a', 'b', 2",
     "Miles = 5, Kilometers = 8.1, Course = 'Hill', Shoes = 'Asics'",
     "Miles || Course || Shoes || Kilometers", "5.0HillAsics8.1"},
    {"Other", "OtherLog", "Other_ID", "Exercise_Name, Field1, Field2, Field3) VALUES (%1, 'W', '', '', ''",
     "Exercise_Name = 'Weights', Field1 = '3', Field2 = '10', Field3 = ''",
     "Exercise_Name || Field1 || Field2", "Weights310"},
};
INSTANTIATE_TEST_SUITE_P(Kinds, DialectTwoTables, testing::ValuesIn(twoTableCases), CaseName());

TEST_F(Dialect, AFailedTwoTableUpdateTakesBackTheMasterRow) {
    // The master row is written first: a bad value for the detail row takes it back.
    const QString id = run("3/1/2026", 4);
    EXPECT_THROW(db->execute(QStringLiteral("UPDATE Exercise_Master, Running_Log SET Comments = 'x', Miles = "
                                            "'abc' WHERE Exercise_ID = %1 AND Exercise_ID = Running_ID")
                                 .arg(id)),
                 DbError);
    EXPECT_EQ(master(id), "Running2026-03-01Day30:00Ann");
}

TEST_F(Dialect, ReportCriteriaSelectByDateAcrossYearEnds) {
    for (const char* d : {"12/31/2025", "1/2/2026", "2/28/2026", "3/1/2026", "3/18/2026", "3/31/2026",
                          "4/1/2026", "12/31/2026", "1/1/2027"})
        run(QString::fromLatin1(d), 1);
    // Current month and current year, with today fixed at 18 March 2026.
    EXPECT_EQ(runDates("Format(Exercise_Date, 'MMMM YYYY') = Format(Now, 'MMMM YYYY') "),
              (QStringList{"2026-03-01", "2026-03-18", "2026-03-31"}));
    EXPECT_EQ(runDates("Format(Exercise_Date, 'YYYY') = Format(Now, 'YYYY') ").size(), 7);
    // Date range (both ends included), combined with a distance and a list.
    EXPECT_EQ(runDates("(Exercise_Date BETWEEN Format('12/31/2025', 'mm/dd/yyyy') AND Format('3/1/2026', "
                       "'mm/dd/yyyy')) "),
              (QStringList{"2025-12-31", "2026-01-02", "2026-02-28", "2026-03-01"}));
    EXPECT_EQ(runDates("(Exercise_Date BETWEEN Format('12/1/2026', 'mm/dd/yyyy') AND Format('1/1/2027', "
                       "'mm/dd/yyyy')) AND Miles >= 1  AND (Course = 'park' ) "),
              (QStringList{"2026-12-31", "2027-01-01"}));
    // Comparisons written either way round, with every date form.
    EXPECT_EQ(runDates("('12/31/2025' < Exercise_Date AND Exercise_Date <= '02-Jan-2026' OR Exercise_Date >= "
                       "'2027-01-01') "),
              (QStringList{"2026-01-02", "2027-01-01"}));
    // The drill-down from a summary month line passes the padded month text.
    EXPECT_EQ(runDates("Format(Exercise_Date, 'MMMM YYYY') = Format('December 2026 ', 'MMMM YYYY') "),
              (QStringList{"2026-12-31"}));
    EXPECT_THROW(runDates("Exercise_Date > 'someday' "), DbError);
}

TEST_F(Dialect, ListsFlagsAndFieldNamesReadAsTheWindowsReadThem) {
    for (const char* shoe : {"'Nike', 1", "'B', True", "'C', False"})
        db->execute(QStringLiteral("INSERT INTO Running_Shoes (Shoe, Active, User_Name, Purchase_Date) "
                                   "VALUES (%1, 'Ann', '1/1/2026')")
                        .arg(QString::fromLatin1(shoe)));
    const QString shoes = QStringLiteral(
        "SELECT Shoe FROM Running_Shoes WHERE Active %1 AND User_Name = 'ann' ORDER BY Shoes_ID DESC");
    EXPECT_EQ(rows(shoes.arg("= True")), (QStringList{"B", "Nike"}));
    EXPECT_EQ(rows(shoes.arg("<> TRUE")), (QStringList{"C"}));
    run("1/1/2026", 1);
    ResultSet rs = db->query("SELECT Distinct(Course) FROM Running_Log, Exercise_Master WHERE Running_ID = "
                             "Exercise_ID AND User_Name = 'Ann'");
    EXPECT_EQ(rs.columnName(0), "Course");
    EXPECT_EQ(rows("SELECT Format(NULL, 'yyyy') AS c, Format('n/a', 'yyyy') AS t, Format(5, 'yyyy') AS f"),
              QStringList{"/n/a/5"});
}

} // namespace
