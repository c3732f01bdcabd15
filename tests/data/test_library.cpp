// The data layer as the windows use it: connections, results, writes, master rows.
#include "CLibrary.h"
#include "DataSupport.h"
#include "Tables.h"

namespace {

const QString AddUser = QStringLiteral("INSERT INTO Users (User_Name) VALUES ('Ann')");

class Library : public NewDatabase {
  protected:
    void SetUp() override {
        NewDatabase::SetUp();
        lib.setSAccessFile(path);
        Connection::setBusyTimeout(50); // a locked file fails at once
    }
    void TearDown() override { Connection::setBusyTimeout(5000); }

    QString count(const char* table) {
        return one(QStringLiteral("SELECT Count(*) FROM ") + QLatin1String(table));
    }
    // The rows of Running_Log and Exercise_Master, as "detail/master".
    QString rowCounts() { return count("Running_Log") + '/' + count("Exercise_Master"); }
    static Tables::Row master(const QString& comments = QStringLiteral("easy")) {
        Tables::Row m(Tables::ExerciseMaster);
        m.set(Tables::Holds::Type, "Running");
        m.set(Tables::Holds::Date, "12/5/2026");
        m.set(Tables::Holds::Day, "Saturday");
        m.set(Tables::Holds::Time, "45:00");
        m.set(Tables::Holds::User, "Ann");
        m.set(Tables::Holds::Comments, comments);
        return m;
    }
    static Tables::Row run(const QString& miles) {
        Tables::Row d(Tables::RunningLog);
        d.set(Tables::Holds::Miles, miles);
        d.set(Tables::Holds::Kilometers, "5");
        return d;
    }
    // The new workout's identifier, or 0 when it was refused.
    qint64 save(const Tables::Row& m, const Tables::Row& d) {
        try {
            return Tables::insertWorkout(*lib.GetConnection(), m, d);
        } catch (const DbError&) {
            return 0;
        }
    }

    CLibrary lib;
};

TEST_F(Library, TextIsStoredExactlyAndOnlyOneStatementOfPlainNumbersRuns) {
    const QString nasty = QStringLiteral("Bob's 5k'; DELETE FROM Users; -- \"quoted\" O''Brien /* ✓ */");
    ASSERT_TRUE(lib.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name, DistanceMiles) VALUES (") +
                                     CLibrary::Quote("O'Brien") + QStringLiteral(", 1)")));
    const QString id = QString::number(master(nasty).insert(*db));
    EXPECT_EQ(one(QStringLiteral("SELECT Comments FROM Exercise_Master WHERE Exercise_ID = ") + id), nasty);
    EXPECT_EQ(one("SELECT User_Name FROM Users"), "O'Brien");

    // A non-number placed where a number goes is refused by the engine; nothing is stored.
    for (const char* value : {"abc", "'abc'", "", ".", "5; DELETE FROM Users", "Miles"}) {
        const QString sql = QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, "
                                           "Kilometers) VALUES (%1, %2, 'c', 's', 1)")
                                .arg(id, QString::fromLatin1(value));
        EXPECT_FALSE(lib.Insert_UpdateRec(sql)) << value;
    }
    EXPECT_EQ(count("Running_Log"), "0");

    // A second statement, a query given as a write or a write given as a query: refused.
    EXPECT_FALSE(lib.Insert_UpdateRec(AddUser + QStringLiteral("; DELETE FROM Users")));
    EXPECT_FALSE(lib.Insert_UpdateRec("SELECT * FROM Users"));
    EXPECT_THROW(db->query("DELETE FROM Users"), DbError);
    EXPECT_EQ(count("Users"), "1");
}

TEST_F(Library, AWorkoutIsWrittenAndDeletedWhole) {
    EXPECT_EQ(save(master(), run("3.1")), 1);
    EXPECT_EQ(one("SELECT Exercise_Date || ' ' || Miles FROM Exercise_Master, Running_Log WHERE Exercise_ID "
                  "= Running_ID"),
              "2026-12-05 3.1");
    const QString id = QStringLiteral("1");

    // A detail that cannot be built, or that the engine refuses, leaves no master row behind.
    EXPECT_EQ(save(master(), Tables::Row(Tables::RunningLog)), 0) << "distances never given";
    raw(path, "CREATE TRIGGER refuse BEFORE INSERT ON Running_Log BEGIN SELECT RAISE(ABORT, 'no'); END");
    EXPECT_EQ(save(master(), run("2")), 0);
    raw(path, "DROP TRIGGER refuse");
    // An update reaches both rows, or neither when one is missing.
    auto conn = lib.GetConnection();
    EXPECT_TRUE(Tables::updateWorkout(*conn, 1, master("harder"), run("4")));
    Tables::Row swim(Tables::SwimmingLog);
    swim.set(Tables::Holds::Laps, "20");
    EXPECT_FALSE(Tables::updateWorkout(*conn, 1, master("lost"), swim));
    EXPECT_FALSE(Tables::updateWorkout(*conn, 7, master("none"), run("9")));
    conn.reset();
    EXPECT_EQ(one("SELECT Comments || ' ' || Miles FROM Exercise_Master, Running_Log WHERE Exercise_ID "
                  "= Running_ID"),
              "harder 4.0");
    EXPECT_EQ(count("Exercise_Master"), "1");
    // A detail row needs its master row.
    EXPECT_FALSE(
        lib.Insert_UpdateRec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (0, 1, 1)"));

    // A delete that cannot finish removes nothing; one that can removes both rows.
    EXPECT_FALSE(lib.DeleteWorkout("No_Such_Table", "Running_ID", id));
    EXPECT_FALSE(lib.DeleteWorkout("Running_Log", "Running_ID", "1 OR 1=1"));
    EXPECT_EQ(rowCounts(), "1/1");
    // Nor does one whose master row the engine refuses to delete: the detail row stays too.
    raw(path, "CREATE TRIGGER keep BEFORE DELETE ON Exercise_Master BEGIN SELECT RAISE(ABORT, 'kept'); END");
    EXPECT_FALSE(lib.DeleteWorkout("Running_Log", "Running_ID", id));
    EXPECT_EQ(rowCounts(), "1/1");
    raw(path, "DROP TRIGGER keep");
    EXPECT_TRUE(lib.DeleteWorkout("Running_Log", "Running_ID", id));
    EXPECT_EQ(rowCounts(), "0/0");
}

TEST_F(Library, ResultsReadFieldsByNameAsText) {
    ASSERT_TRUE(lib.Insert_UpdateRecs({
        "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, "
        "Comments) VALUES ('Running', '12/5/2026', 'Saturday', '1:05:30', 'Ann', NULL)",
        "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (1, 26.2, 'Boston', "
        "'Red', 42.2)",
        "INSERT INTO Running_Shoes (Shoe, Price, Active, User_Name) VALUES ('Red', '45', True, 'Ann')",
    }));
    ResultSet outlived;
    {
        auto c = Connection::open(path);
        ResultSet rs = c->query("SELECT kilometers AS KM, Comments, Exercise_ID FROM Running_Log, "
                                "Exercise_Master WHERE Exercise_Id = Running_Id");
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.field("km") + '/' + rs.field("exercise_id"), "42.2/1");
        EXPECT_TRUE(rs.field("Comments").isEmpty() && rs.isNull("comments"));
        EXPECT_THROW(rs.field("Shoe"), DbError);
        rs.moveNext();
        EXPECT_THROW(rs.field(0), DbError); // read past the end
        outlived = c->query("SELECT Miles FROM Running_Log");
    }
    // A result kept past its connection is closed with it.
    EXPECT_TRUE(outlived.eof());
    EXPECT_THROW(outlived.field(0), DbError);
    // A quoted number is stored as a number.
    EXPECT_EQ(one("SELECT Price FROM Running_Shoes"), "45");
}

// However the last use of a statement ended (too few values, a result left half read or ended
// by an exception, a failed write, a query run as a write), the next use of the same text
// starts afresh, and no statement of the connection is left running.
TEST_F(Library, AStatementStartsAfreshHoweverItsLastUseEnded) {
    const QString insert = QStringLiteral("INSERT INTO Users (User_Name) VALUES (?)");
    const QString names = QStringLiteral("SELECT User_Name FROM Users WHERE User_Name > ? ORDER BY 1");
    db->execute(insert, {"Ann"});
    db->execute(insert, {"Bob"});
    EXPECT_THROW(db->query(names), DbError);
    {
        ResultSet rs = db->query(names, {""});
        ASSERT_FALSE(rs.eof());
    }
    EXPECT_THROW(
        [&] {
            for (ResultSet rs = db->query(names, {""}); !rs.eof(); rs.moveNext())
                throw DbError("stopped while reading");
        }(),
        DbError);
    EXPECT_THROW(db->execute(insert, {"ann"}), DbError); // the name is taken
    EXPECT_THROW(db->execute(names, {""}), DbError);
    db->execute(insert, {"Cy"});
    EXPECT_EQ(db->column(names, "User_Name", {"A"}), QStringList({"Ann", "Bob", "Cy"}));
    for (sqlite3_stmt* st = sqlite3_next_stmt(db->handle(), nullptr); st;
         st = sqlite3_next_stmt(db->handle(), st))
        EXPECT_FALSE(sqlite3_stmt_busy(st)) << sqlite3_sql(st);
}

} // namespace
