// The data layer as the windows use it: connections, results, writes, master rows.
#include "CLibrary.h"
#include "Connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

class Library : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("Trainbook.db"));
        Connection::create(path);
        lib.setSAccessFile(path);
    }

    QString one(const QString& sql)
    {
        auto c = Connection::open(path);
        ResultSet rs = c->query(sql);
        return rs.eof() ? QStringLiteral("<none>") : rs.field(0);
    }

    void setMaster(CLibrary& l, const QString& comments = QStringLiteral("easy"))
    {
        l.setSExercise(QStringLiteral("Running"));
        l.setSDate(QStringLiteral("12/5/2026"));
        l.setSDay(QStringLiteral("Saturday"));
        l.setSTime(QStringLiteral("45:00"));
        l.setSUser(QStringLiteral("Ann"));
        l.setSComments(comments);
    }

    QTemporaryDir dir;
    QString path;
    CLibrary lib;
};

QByteArray fileBytes(const QString& p)
{
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST_F(Library, RefusesFilesThatAreNotItsDatabaseAndNeverCreatesOrOverwritesThem)
{
    // Missing: an error with the path, and no file appears.
    const QString missing = dir.filePath(QStringLiteral("missing.db"));
    CLibrary other;
    other.setSAccessFile(missing);
    EXPECT_THROW(other.GetConnection(), DbError);
    EXPECT_FALSE(other.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('x')")));
    EXPECT_FALSE(QFile::exists(missing));

    // A text file and a foreign SQLite file: refused, left byte for byte as they were.
    const QString text = dir.filePath(QStringLiteral("notes.db"));
    {
        QFile f(text);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("These are my running notes, not a database.\n");
    }
    const QString foreign = dir.filePath(QStringLiteral("foreign.db"));
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(foreign).constData(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES (1);", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    for (const QString& p : {text, foreign}) {
        const QByteArray before = fileBytes(p);
        try {
            Connection::open(p);
            ADD_FAILURE() << "opened " << p.toStdString();
        } catch (const DbError& e) {
            EXPECT_TRUE(e.description().contains(QLatin1String("not a Trainbook database")))
                << e.description().toStdString();
        }
        EXPECT_THROW(Connection::create(p), DbError);
        EXPECT_EQ(fileBytes(p), before);
    }
}

TEST_F(Library, ALockedDatabaseFailsTheWriteWithoutChangingAnything)
{
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(lib.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('Ann')")));
    setMaster(lib);
    EXPECT_EQ(lib.AddMasterRec(), QStringLiteral("0"));
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Users")), QStringLiteral("0"));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Exercise_Master")), QStringLiteral("0"));
}

TEST_F(Library, TextValuesAreStoredExactlyAsTyped)
{
    const QString nasty = QStringLiteral("Bob's 5k'; DELETE FROM Users; -- \"quoted\" O''Brien");
    ASSERT_TRUE(lib.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name, DistanceMiles) VALUES (") +
                                     CLibrary::Quote(QStringLiteral("O'Brien")) + QStringLiteral(", 1)")));
    setMaster(lib, nasty);
    const QString id = lib.AddMasterRec();
    ASSERT_NE(id, QStringLiteral("0"));
    EXPECT_EQ(one(QStringLiteral("SELECT Comments FROM Exercise_Master WHERE Exercise_ID = ") + id), nasty);
    EXPECT_EQ(one(QStringLiteral("SELECT User_Name FROM Users")), QStringLiteral("O'Brien"));
}

TEST_F(Library, UnquotedNumbersAcceptOnlyPlainDecimals)
{
    EXPECT_EQ(CLibrary::Number(QStringLiteral(" 3.1 ")), QStringLiteral("3.1"));
    EXPECT_EQ(CLibrary::Number(QStringLiteral("26")), QStringLiteral("26"));
    for (const char* bad : {"5; DELETE FROM Users", "abc", ".", "", " ", "1e3", "1.2.3", "0x10", "5 6"})
        EXPECT_THROW(CLibrary::Number(QString::fromLatin1(bad)), DbError) << bad;

    // Written raw, a non-number is refused by the engine and nothing is stored.
    ASSERT_TRUE(lib.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('Ann')")));
    setMaster(lib);
    const QString id = lib.AddMasterRec();
    for (const char* value : {"abc", "'abc'", "", "5; DELETE FROM Users"}) {
        const QString sql = QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
                                           "VALUES (%1, %2, 'c', 's', 1)")
                                .arg(id, QString::fromLatin1(value));
        EXPECT_FALSE(lib.Insert_UpdateRec(sql)) << value;
    }
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Running_Log")), QStringLiteral("0"));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Users")), QStringLiteral("1"));
}

TEST_F(Library, OnlyOneStatementRuns)
{
    EXPECT_FALSE(lib.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('a'); DELETE FROM Users")));
    EXPECT_FALSE(lib.Insert_UpdateRec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('a');DROP TABLE Users")));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Users")), QStringLiteral("0"));
    auto c = Connection::open(path);
    EXPECT_THROW(c->query(QStringLiteral("SELECT 1; SELECT 2")), DbError);
    // A write is not a query, and a query is not a write.
    EXPECT_THROW(c->query(QStringLiteral("DELETE FROM Users")), DbError);
    EXPECT_FALSE(lib.Insert_UpdateRec(QStringLiteral("SELECT * FROM Users")));
}

TEST_F(Library, MasterRowsGetTheirOwnIdentifiers)
{
    setMaster(lib);
    const QString first = lib.AddMasterRec();
    const QString second = lib.AddMasterRec();
    EXPECT_EQ(first, QStringLiteral("1"));
    EXPECT_EQ(second, QStringLiteral("2"));
    EXPECT_EQ(one(QStringLiteral("SELECT Exercise_Date FROM Exercise_Master WHERE Exercise_ID = 2")),
              QStringLiteral("2026-12-05"));

    // A date that is not a date fails the insert: "0" and nothing stored.
    lib.setSDate(QStringLiteral("32/13/2026"));
    EXPECT_EQ(lib.AddMasterRec(), QStringLiteral("0"));
    lib.setSDate(QString());
    EXPECT_EQ(lib.AddMasterRec(), QStringLiteral("0"));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Exercise_Master")), QStringLiteral("2"));
}

TEST_F(Library, AWorkoutIsWrittenAndDeletedWhole)
{
    setMaster(lib);
    const auto detail = [](const QString& miles) {
        return [miles](const QString& id) {
            return QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (") +
                   id + QStringLiteral(", ") + CLibrary::Number(miles) + QStringLiteral(", 'Park', 'Red', 5)");
        };
    };
    const QString id = lib.AddMasterWithDetail(detail(QStringLiteral("3.1")));
    ASSERT_NE(id, QStringLiteral("0"));
    EXPECT_EQ(one(QStringLiteral("SELECT Miles FROM Running_Log WHERE Running_ID = ") + id), QStringLiteral("3.1"));

    // A detail that cannot be built, or that the engine refuses, leaves no master row behind.
    EXPECT_EQ(lib.AddMasterWithDetail(detail(QStringLiteral("abc"))), QStringLiteral("0"));
    EXPECT_EQ(lib.AddMasterWithDetail([](const QString& id) {
        return QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (%1, 'x', 1)").arg(id);
    }),
              QStringLiteral("0"));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Exercise_Master")), QStringLiteral("1"));

    // A delete that cannot finish removes nothing; one that can removes both rows.
    EXPECT_FALSE(lib.DeleteWorkout(QStringLiteral("No_Such_Table"), QStringLiteral("Running_ID"), id));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Running_Log")), QStringLiteral("1"));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Exercise_Master")), QStringLiteral("1"));
    EXPECT_FALSE(lib.DeleteWorkout(QStringLiteral("Running_Log"), QStringLiteral("Running_ID"),
                                   QStringLiteral("1 OR 1=1")));
    EXPECT_TRUE(lib.DeleteWorkout(QStringLiteral("Running_Log"), QStringLiteral("Running_ID"), id));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Running_Log")), QStringLiteral("0"));
    EXPECT_EQ(one(QStringLiteral("SELECT Count(*) FROM Exercise_Master")), QStringLiteral("0"));
}

TEST_F(Library, ResultsReadFieldsByNameAsText)
{
    ASSERT_TRUE(lib.Insert_UpdateRecs({
        QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
                       "User_Name, Comments) VALUES ('Running', '12/5/2026', 'Saturday', '1:05:30', 'Ann', NULL)"),
        QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
                       "VALUES (1, 26.2, 'Boston', 'Red', 42.2)"),
        QStringLiteral("INSERT INTO Running_Shoes (Shoe, Price, Active, User_Name) VALUES ('Red', '45', True, 'Ann')"),
    }));
    auto c = Connection::open(path);
    ResultSet rs = c->query(QStringLiteral("SELECT Miles, kilometers AS KM, Comments, Exercise_ID FROM Running_Log, "
                                           "Exercise_Master WHERE Exercise_Id = Running_Id"));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field(QStringLiteral("MILES")), QStringLiteral("26.2"));
    EXPECT_EQ(rs.field(QStringLiteral("km")), QStringLiteral("42.2"));
    EXPECT_EQ(rs.field(QStringLiteral("Comments")), QString());
    EXPECT_TRUE(rs.isNull(QStringLiteral("comments")));
    EXPECT_EQ(rs.field(QStringLiteral("exercise_id")), QStringLiteral("1"));
    EXPECT_THROW(rs.field(QStringLiteral("Shoe")), DbError);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs.field(0), DbError);

    // A quoted number is stored as a number; a Boolean written True reads back as 1.
    EXPECT_EQ(one(QStringLiteral("SELECT Price FROM Running_Shoes")), QStringLiteral("45"));
    EXPECT_EQ(one(QStringLiteral("SELECT Shoe FROM Running_Shoes WHERE Active = True AND User_Name = 'ann'")),
              QStringLiteral("Red"));
}

TEST_F(Library, ANewDatabaseCarriesItsVersionAndAllTables)
{
    auto c = Connection::open(path);
    EXPECT_EQ(c->query(QStringLiteral("PRAGMA user_version")).field(0), QStringLiteral("1"));
    EXPECT_EQ(c->query(QStringLiteral("SELECT Count(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                                      "'sqlite%'"))
                  .field(0),
              QStringLiteral("15"));
}

} // namespace
