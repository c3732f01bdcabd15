// What a database file may hold and how an older or damaged one is treated: real dates only,
// one statement that writes or fails whole, the schema checked on open, versions migrated.
#include "DataSupport.h"
#include "DatabaseFile.h"
#include "Schema.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <csignal>
#include <iostream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Schema_ = NewDatabase;

// Statement forms that write a date without the dialect seeing which column it goes to; the
// table's CHECK refuses an impossible date whatever the form. %1 is the date text.
struct DateForm {
    const char* name;
    const char* statement;
};

class ImpossibleDates : public Schema_, public ::testing::WithParamInterface<DateForm> {};

TEST_P(ImpossibleDates, AreRefusedWhateverTheStatementForm) {
    const QString form = QString::fromLatin1(GetParam().statement);
    db->execute("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date) VALUES ('Running', '1/2/2026')");
    db->execute("INSERT INTO RaceLog (RaceDate, RaceDistance, RaceDistanceKM) VALUES ('1/2/2026', 1, 1)");
    const QString dates = "SELECT group_concat(Exercise_Date) || '/' || (SELECT group_concat(RaceDate) FROM "
                          "RaceLog) FROM Exercise_Master";
    const QString before = one(dates);
    for (const char* date : {"2026-02-30", "2026-19-39", "2026-00-10", "2025-02-29", "26-1-5", "now"})
        EXPECT_THROW(db->execute(form.arg(QLatin1String(date))), DbError) << date;
    EXPECT_EQ(one(dates), before);
    // A real date goes in by the same form.
    EXPECT_NO_THROW(db->execute(form.arg(QLatin1String("2024-02-29"))));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ImpossibleDates,
    ::testing::Values(
        DateForm{"ValuesWithoutColumns",
                 "INSERT INTO Exercise_Master VALUES (NULL, 'Running', '%1', 'Monday', '1:00', 'Ann', '')"},
        DateForm{"ReplaceInto", "REPLACE INTO Exercise_Master (Exercise_ID, Exercise_Date) VALUES (1, '%1')"},
        DateForm{"InsertOrReplace", "INSERT OR REPLACE INTO RaceLog (RaceID, RaceDate, RaceDistance, "
                                    "RaceDistanceKM) VALUES (1, '%1', 1, 1)"},
        DateForm{"BacktickColumn",
                 "INSERT INTO RaceLog (`RaceDate`, RaceDistance, RaceDistanceKM) VALUES ('%1', 1, 1)"},
        DateForm{"RowValueSet", "UPDATE Exercise_Master SET (Exercise_Date, Comments) = ('%1', 'x')"},
        DateForm{"ComputedValue", "UPDATE RaceLog SET RaceDate = substr('x%1', 2)"},
        DateForm{"PurchaseDate", "INSERT INTO Bikes (Bike, Purchase_Date) VALUES ('Red', '%1')"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Schema_, AFailedWriteWritesNothing) {
    // RETURNING would make its change on the first step; it is refused before it runs.
    EXPECT_THROW(db->execute("INSERT INTO Users (User_Name) VALUES ('Ann') RETURNING User_Name"), DbError);
    EXPECT_THROW(db->query("INSERT INTO Users (User_Name) VALUES ('Bob') RETURNING User_Name"), DbError);
    EXPECT_EQ(one("SELECT Count(*) FROM Users"), "0");
    // An UPDATE over two tables with nothing to set fails like the one-table form.
    for (const char* sql : {"UPDATE Users, Exercise_Master SET",
                            "UPDATE Users, Exercise_Master SET WHERE 1 = 1", "UPDATE Users SET"})
        EXPECT_THROW(db->execute(QString::fromLatin1(sql)), DbError) << sql;
}

TEST_F(Schema_, ANewDatabaseReadsAsTheEngineReadsTheScript) {
    // A file defined word for word as a new one is read from its definitions' text; the
    // engine, asked about a database made from the script, must find the same.
    const Schema::Layout read = Schema::read(db->handle());
    const Schema::Layout& engine = Schema::expected();
    EXPECT_TRUE(read.asCreated);
    EXPECT_EQ(read.tableNames, engine.tableNames);
    EXPECT_EQ(read.columns, engine.columns);
    EXPECT_EQ(read.dateColumns, engine.dateColumns);
    EXPECT_GE(read.dateColumns.size(), 3);
}

TEST_F(Schema_, TheDialectKnowsTheDateColumnsFromTheSchema) {
    EXPECT_EQ(Schema::dateColumns("CREATE TABLE t (a TEXT CHECK (date(a, '+0 days') IS a), b TEXT CHECK "
                                  "(date([b],'+0 days') IS [b]), c TEXT CHECK (date(c, '+0 days') IS d))"),
              (QSet<QString>{"a", "b"}));
    // Read as the pattern below reads it, on texts made of its pieces at random.
    const QRegularExpression pattern(
        QStringLiteral(R"(\bdate\s*\(\s*\[?(\w+)\]?\s*,\s*'\+0 days'\s*\)\s*IS\s+\[?(\w+)\]?)"),
        QRegularExpression::CaseInsensitiveOption);
    // The check's own pieces, each kept, left out or replaced by another piece at random.
    const QStringList check = {"date",      " ", "(",  "[", "a", "]", ",", "\n\t",
                               "'+0 days'", ")", "IS", " ", "[", "A", "]"};
    const QStringList pieces = {"date", "DaTe", "up",        "(",         ")",  "[", "]",   " ", "\n\t",
                                "",     ",",    "'+0 DAYS'", "'+1 days'", "is", "a", "x_1", "."};
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        for (int copies = 1 + int(random() % 2); copies > 0; --copies)
            for (const QString& piece : check) {
                const unsigned roll = random() % 16;
                text += roll < 13 ? piece : roll < 14 ? QString() : pieces.at(int(random() % pieces.size()));
            }
        QSet<QString> expected;
        for (auto it = pattern.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(1).compare(m.captured(2), Qt::CaseInsensitive) == 0)
                expected.insert(m.captured(1).toLower());
        }
        ASSERT_EQ(Schema::dateColumns(text), expected) << text.toStdString();
    }
    // A short date written to a date column is stored as ISO, and compared as a date.
    db->execute("INSERT INTO Bikes (Bike, Purchase_Date) VALUES ('Red', '12/5/2026')");
    EXPECT_EQ(one("SELECT Bike FROM Bikes WHERE Purchase_Date > '11/30/2026'"), "Red");
    EXPECT_EQ(one("SELECT Purchase_Date FROM Bikes"), "2026-12-05");
}

TEST_F(Schema_, NamesThatAreNotFilesAreRefused) {
    for (const char* name : {"", ":memory:", "file:Trainbook.db?mode=memory"}) {
        EXPECT_THROW(Connection::create(QString::fromLatin1(name)), DbError) << name;
        EXPECT_THROW(Connection::open(QString::fromLatin1(name)), DbError) << name;
    }
    // Errors of create name the absolute path, as errors of open do.
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_EQ(errorOf([] { Connection::create("Trainbook.db"); }),
              QStringLiteral("'%1' already exists.").arg(path));
    EXPECT_EQ(openError("nope.db"), QStringLiteral("Could not find file '%1/nope.db'.").arg(dir.path()));
    QDir::setCurrent(cwd);
}

TEST_F(Schema_, AFileNameThatIsNotUtf8OpensAndIsNamed) {
    const QByteArray native = QFile::encodeName(dir.path()) + "/r\xe9sum\xe9-\xff.db";
    const QString name = FilePath::fromNative(native);
    EXPECT_EQ(FilePath::toNative(name), native);
    Connection::create(name);
    struct stat st {};
    EXPECT_EQ(stat(native.constData(), &st), 0);
    Connection::open(name)->execute("INSERT INTO Users (User_Name) VALUES ('Ann')");
    EXPECT_EQ(Connection::open(name)->column("SELECT User_Name FROM Users", "User_Name"), QStringList{"Ann"});
    EXPECT_EQ(errorOf([&] { Connection::create(name); }),
              QStringLiteral("'%1/r\uFFFDsum\uFFFD-\uFFFD.db' already exists.").arg(dir.path()));
}

// --- Migration ----------------------------------------------------------------------------

class Migrate : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("Old.db");
        raw(path, scriptOfVersion(1));
    }
    QTemporaryDir dir;
    QString path;
};

TEST_F(Migrate, AnImpossibleDateStopsItAndLeavesTheFileAsItWas) {
    raw(path, "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date) VALUES (3, 'Running', "
              "'2026-02-30')");
    const QByteArray before = fileBytes(path);
    EXPECT_EQ(openError(path), QStringLiteral("Could not open '%1': could not update it to version 2: row 3 "
                                              "of Exercise_Master holds the impossible date 2026-02-30")
                                   .arg(path));
    EXPECT_EQ(fileBytes(path), before);
}

TEST_F(Migrate, RunsAfterTheGuardAndNotWhenTheGuardRefuses) {
    QStringList calls;
    Connection::setBeforeMigration([&](const QString& file, int version) {
        calls << QStringLiteral("%1 %2").arg(file).arg(version);
        if (calls.size() == 1)
            throw DbError("no room for a copy");
    });
    const QByteArray before = fileBytes(path);
    EXPECT_EQ(openError(path), QStringLiteral("Could not open '%1': no room for a copy").arg(path));
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(openError(path), "(opened)");
    EXPECT_EQ(openError(path), "(opened)"); // already migrated: no second call
    Connection::setBeforeMigration(nullptr);
    EXPECT_EQ(calls, QStringList({path + QStringLiteral(" 1"), path + QStringLiteral(" 1")}));
}

// A policy of its own reaches only the connections opened under it, and taking a file as it is
// holds only on the thread that asked for it.
TEST_F(Migrate, APolicyReachesOnlyItsConnectionsAndAsItIsOnlyItsThread) {
    DatabasePolicy own;
    QStringList guarded;
    own.setBeforeMigration([&](const QString&, int version) { guarded << QString::number(version); });
    {
        const DatabasePolicy::AsItIs asItIs(own);
        DatabaseFile(path, own).open();
        EXPECT_EQ(rawValue(path, "PRAGMA user_version"), "1");
        std::thread([&] { DatabaseFile(path, own).open(); }).join();
    }
    EXPECT_EQ(guarded, QStringList{"1"});
    EXPECT_EQ(rawValue(path, "PRAGMA user_version"), QString::number(Schema::Version));
    own.refuseWrites(path, "kept as it is");
    const auto refused = DatabaseFile(path, own).open();
    const auto usual = Connection::open(path);
    const QString add = QStringLiteral("INSERT INTO Users (User_Name) VALUES ('Ann')");
    EXPECT_EQ(errorOf([&] { refused->execute(add); }), "kept as it is");
    EXPECT_EQ(errorOf([&] { usual->execute(add); }), "(no error)");
}

// A migration killed at any moment leaves the old version or the new one, whole: each step is
// one transaction, and the rollback journal undoes an unfinished one on the next open.
TEST_F(Migrate, AKillAtAnyMomentLeavesTheOldOrTheNewVersion) {
    const QString n = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) ";
    raw(path, n +
                  "INSERT INTO Exercise_Master SELECT i, 'Running', date('2000-01-01', '+' || (i % 9000) || "
                  "' days'), 'Day', '30:00', 'Ann', 'row ' || i FROM n;" +
                  n + "INSERT INTO Running_Log SELECT i, 3.1, 'Park', 'Red', 5 FROM n;");
    const QByteArray original = fileBytes(path);
    const QString work = dir.filePath("Work.db");
    const auto fresh = [&] {
        QFile::remove(work + QStringLiteral("-journal"));
        writeBytes(work, original);
    };
    const auto migrateInChild = [&]() -> pid_t {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(openError(work) == QLatin1String("(opened)") ? 0 : 1);
        return pid;
    };
    // How long one whole migration takes here, to spread the kills over it.
    fresh();
    QElapsedTimer timer;
    timer.start();
    int status = 0;
    waitpid(migrateInChild(), &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const qint64 spanUs = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);

    std::mt19937 random(20261207);
    int old = 0, migrated = 0;
    for (int kill = 0; kill < 20; ++kill) {
        fresh();
        const pid_t pid = migrateInChild();
        usleep(useconds_t(std::uniform_int_distribution<qint64>(0, spanUs * 3 / 2)(random)));
        ::kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        const auto value = [&](const char* sql) { return rawValue(work, sql); };
        EXPECT_EQ(value("PRAGMA integrity_check"), "ok") << "kill " << kill;
        const QString version = value("PRAGMA user_version");
        // Each step is its own transaction: a kill between two steps leaves an intermediate version.
        EXPECT_TRUE(version.toInt() >= 1 && version.toInt() <= Schema::Version) << version.toStdString();
        (version == QLatin1String("1") ? old : migrated)++;
        EXPECT_EQ(value("SELECT Count(*) || '/' || Sum(Exercise_ID) FROM Exercise_Master, Running_Log WHERE "
                        "Exercise_ID = Running_ID"),
                  "5000/12502500");
        const bool hasCheck = value("SELECT sql FROM sqlite_schema WHERE name = 'Exercise_Master'")
                                  .contains(QLatin1String("+0 days"));
        EXPECT_EQ(hasCheck, version != QLatin1String("1"));
        // Whichever it was, the next open finishes the job.
        EXPECT_EQ(openError(work), "(opened)");
    }
    std::cout << "migration kills: " << old << " left version 1, " << migrated
              << " reached a later version\n";
}

// --- Every earlier version to the current one ---------------------------------------------

// Tables, columns (type, NOT NULL, default, key), strictness and indexes of a file: what a
// migrated file must share with a new one.
QString shape(Connection& db) {
    const auto all = [&](const char* sql) {
        return db.column(QString::fromLatin1(sql), "v").join(QLatin1Char('\n'));
    };
    return all("SELECT m.name || '.' || p.name || ' ' || p.type || ' ' || p.[notnull] || ' ' || "
               "ifnull(p.dflt_value, '-') || ' ' || p.pk AS v FROM sqlite_schema AS m, "
               "pragma_table_xinfo(m.name) AS p WHERE m.type = 'table' ORDER BY m.name, p.cid") +
           QLatin1Char('\n') +
           all("SELECT name || ' ' || strict AS v FROM pragma_table_list WHERE schema = 'main' ORDER BY "
               "name") +
           QLatin1Char('\n') + all("SELECT name AS v FROM sqlite_schema WHERE type = 'index' ORDER BY name");
}

class FromEarlierVersion : public ::testing::TestWithParam<int> {};

// Every earlier version migrates to the current one with its rows, its identifiers and its
// counters, no retirement limits, and the shape and checks of a new file.
TEST_P(FromEarlierVersion, KeepsEveryRowAndIdentifierAndEndsLikeANewFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString old = dir.filePath("Old.db");
    raw(old, scriptOfVersion(GetParam()));
    raw(old, "INSERT INTO Users (User_Name) VALUES ('Ann');"
             "INSERT INTO Exercise_Master VALUES (1, 'Running', '2026-12-05', 'Saturday', '45:00', 'Ann', "
             "'a'), (7, 'Cycling', '2026-12-06', 'Sunday', '1:00:00', 'Ann', NULL), (9, 'Running', "
             "'2026-12-07', 'Monday', '5', 'Ann', '');"
             "DELETE FROM Exercise_Master WHERE Exercise_ID = 9;"
             "INSERT INTO Running_Log VALUES (1, 3.1, 'Park', 'Red', 5);"
             "INSERT INTO Cycling_Log VALUES (7, 20, 'Hills', 'Blue', 300, 32.2);"
             "INSERT INTO RaceLog (RaceID, Exercise, RaceDate, RaceDistance, RaceDistanceKM, User_Name) "
             "VALUES (4, 'RunningRace', '2026-10-01', 3.1, 5, 'Ann');"
             "INSERT INTO Running_Shoes (Shoes_ID, Shoe, Price, User_Name, Purchase_Date) VALUES (3, 'Red', "
             "80, 'Ann', '2026-01-31'), (5, 'Old', NULL, 'Ann', NULL);"
             "INSERT INTO Bikes (Bike, Price, User_Name, Purchase_Date) VALUES ('Blue', 900, 'Ann', "
             "'2025-06-30');");
    const QString fresh = dir.filePath("New.db");
    Connection::create(fresh);

    auto migrated = Connection::open(old);
    auto made = Connection::open(fresh);
    const auto all = [&](const char* sql) {
        return migrated->column(QString::fromLatin1(sql), "v").join(QLatin1Char(','));
    };
    EXPECT_EQ(all("SELECT user_version AS v FROM pragma_user_version"), QString::number(Schema::Version));
    EXPECT_EQ(shape(*migrated), shape(*made));
    EXPECT_EQ(all("SELECT Exercise_ID || ' ' || Exercise_Date || ' ' || ifnull(Comments, '-') AS v FROM "
                  "Exercise_Master ORDER BY 1"),
              "1 2026-12-05 a,7 2026-12-06 -");
    EXPECT_EQ(all("SELECT name || '=' || seq AS v FROM sqlite_sequence ORDER BY name"),
              "Exercise_Master=9,RaceLog=4,Running_Shoes=5");
    EXPECT_EQ(all("SELECT Shoes_ID || ' ' || Shoe || ' ' || ifnull(Retire_Distance, 'none') AS v FROM "
                  "Running_Shoes"),
              "3 Red none,5 Old none");
    EXPECT_EQ(all("SELECT Bike || ' ' || Purchase_Date || ' ' || ifnull(Retire_Distance, 'none') AS v FROM "
                  "Bikes"),
              "Blue 2025-06-30 none");
    EXPECT_EQ(all("SELECT ifnull(Max_HR, '-') || ifnull(Rest_HR, '-') || HR_Zones AS v FROM Users"),
              "--50,60,70,80,90");
    EXPECT_EQ(all("SELECT Count(*) AS v FROM Running_Log, Cycling_Log"), "1");
    EXPECT_EQ(all("SELECT integrity_check AS v FROM pragma_integrity_check"), "ok");
    // Identifiers are not given out twice: 9 was used and deleted.
    migrated->execute(
        "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date) VALUES ('Video', '1/1/2027')");
    EXPECT_EQ(all("SELECT MAX(Exercise_ID) AS v FROM Exercise_Master"), "10");
    EXPECT_THROW(migrated->execute(
                     "UPDATE Exercise_Master SET Comments = 'x', Exercise_Date = substr('x2026-02-30', 2)"),
                 DbError);
    // A foreign key still holds a detail row to its master row.
    EXPECT_THROW(migrated->execute("INSERT INTO Running_Log VALUES (99, 1, '', '', 1)"), DbError);
    // A limit is a positive distance, in both files alike.
    for (Connection* db : {migrated.get(), made.get()}) {
        db->execute(
            "INSERT INTO Running_Shoes (Shoe, User_Name, Retire_Distance) VALUES ('Lim', 'Ann', 500)");
        EXPECT_THROW(db->execute("UPDATE Running_Shoes SET Retire_Distance = 0 WHERE Shoe = 'Lim'"), DbError);
        EXPECT_THROW(
            db->execute("INSERT INTO Bikes (Bike, User_Name, Retire_Distance) VALUES ('B', 'Ann', -1)"),
            DbError);
        // A goal for every kind of workout is a time.
        db->execute(
            "INSERT INTO Goals (User_Name, Kind, Period, Minutes) VALUES ('Ann', 'All', 'week', 300)");
        EXPECT_THROW(
            db->execute("INSERT INTO Goals (User_Name, Kind, Period, Distance) VALUES ('Ann', 'All', "
                        "'month', 5)"),
            DbError);
        // A resting heart rate is below the maximum.
        EXPECT_THROW(db->execute("INSERT INTO Users (User_Name, Max_HR, Rest_HR) VALUES ('Cy', 150, 160)"),
                     DbError);
    }
}

// Every earlier version that has a schema script here.
std::vector<int> earlierVersions() {
    std::vector<int> versions;
    for (int v = 1; v < Schema::Version; ++v)
        if (!scriptOfVersion(v).isEmpty())
            versions.push_back(v);
    return versions;
}

INSTANTIATE_TEST_SUITE_P(Versions, FromEarlierVersion, ::testing::ValuesIn(earlierVersions()),
                         [](const auto& info) { return "Version" + std::to_string(info.param); });

} // namespace
