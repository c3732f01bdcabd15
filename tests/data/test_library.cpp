// The data layer as the windows use it: connections, results, writes, master rows.
#include "CLibrary.h"
#include "DataSupport.h"

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
    void setMaster(CLibrary& l, const QString& comments = QStringLiteral("easy")) {
        l.setSExercise("Running");
        l.setSDate("12/5/2026");
        l.setSDay("Saturday");
        l.setSTime("45:00");
        l.setSUser("Ann");
        l.setSComments(comments);
    }

    CLibrary lib;
};

// The description GetConnection raises for `file`, after checking that a write through it
// fails too; "(no error)" when it opens.
QString refusal(const QString& file) {
    CLibrary l;
    l.setSAccessFile(file);
    EXPECT_FALSE(l.Insert_UpdateRec(AddUser)) << file.toStdString();
    return errorOf([&] { l.GetConnection(); });
}

// Text, empty and damaged files and folders are in the start-up corpus, which checks writes
// through the library too.
TEST_F(Library, RefusesFilesThatAreNotItsDatabaseAndNeverCreatesOrOverwritesThem) {
    const QString missing = dir.filePath("missing.db");
    EXPECT_TRUE(refusal(missing).startsWith("Could not find file '" + missing));
    EXPECT_FALSE(QFile::exists(missing));
    // Another program's SQLite file: refused, not created over, left byte for byte.
    const QString foreign = dir.filePath("foreign.db");
    raw(foreign, "CREATE TABLE t(x); INSERT INTO t VALUES (1);");
    const QByteArray before = fileBytes(foreign);
    const QString why = refusal(foreign);
    EXPECT_TRUE(why.contains("is not a Trainbook database")) << why.toStdString();
    EXPECT_THROW(Connection::create(foreign), DbError);
    EXPECT_EQ(fileBytes(foreign), before);
}

TEST_F(Library, TextIsStoredExactlyAndOnlyOneStatementOfPlainNumbersRuns) {
    const QString nasty = QStringLiteral("Bob's 5k'; DELETE FROM Users; -- \"quoted\" O''Brien /* ✓ */");
    ASSERT_TRUE(lib.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name, DistanceMiles) VALUES (") +
                                     CLibrary::Quote("O'Brien") + QStringLiteral(", 1)")));
    setMaster(lib, nasty);
    const QString id = lib.AddMasterRec();
    ASSERT_NE(id, "0");
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
    setMaster(lib);
    EXPECT_EQ(lib.AddMasterRec(), "1");
    for (const char* bad : {"32/13/2026", "2/30/2026", ""}) {
        lib.setSDate(QString::fromLatin1(bad));
        EXPECT_EQ(lib.AddMasterRec(), "0") << bad;
    }
    setMaster(lib);
    const auto detail = [](const QString& miles) {
        return [miles](const QString& id) {
            return QStringLiteral(
                       "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (") +
                   id + QStringLiteral(", ") + CLibrary::Number(miles) +
                   QStringLiteral(", 'Park', 'Red', 5)");
        };
    };
    const QString id = lib.AddMasterWithDetail(detail("3.1"));
    ASSERT_EQ(id, "2");
    EXPECT_EQ(one("SELECT Exercise_Date || ' ' || Miles FROM Exercise_Master, Running_Log WHERE Exercise_ID "
                  "= Running_ID"),
              "2026-12-05 3.1");

    // A detail that cannot be built, or that the engine refuses, leaves no master row behind.
    EXPECT_EQ(lib.AddMasterWithDetail(detail("abc")), "0");
    EXPECT_EQ(lib.AddMasterWithDetail([](const QString& id) {
        return QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (%1, 'x', 1)")
            .arg(id);
    }),
              "0");
    EXPECT_EQ(count("Exercise_Master"), "2");
    // A detail row needs its master row.
    EXPECT_FALSE(
        lib.Insert_UpdateRec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (0, 1, 1)"));

    // A delete that cannot finish removes nothing; one that can removes both rows.
    EXPECT_FALSE(lib.DeleteWorkout("No_Such_Table", "Running_ID", id));
    EXPECT_FALSE(lib.DeleteWorkout("Running_Log", "Running_ID", "1 OR 1=1"));
    EXPECT_EQ(rowCounts(), "1/2");
    // Nor does one whose master row the engine refuses to delete: the detail row stays too.
    raw(path, "CREATE TRIGGER keep BEFORE DELETE ON Exercise_Master BEGIN SELECT RAISE(ABORT, 'kept'); END");
    EXPECT_FALSE(lib.DeleteWorkout("Running_Log", "Running_ID", id));
    EXPECT_EQ(rowCounts(), "1/2");
    raw(path, "DROP TRIGGER keep");
    EXPECT_TRUE(lib.DeleteWorkout("Running_Log", "Running_ID", id));
    EXPECT_EQ(rowCounts(), "0/1");
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
