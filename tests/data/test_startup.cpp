// What start-up does with the database file: bad files refused or offered a copy, nothing
// written to them; read-only files opened for reading; daily copies kept in backups/.
#include "CLibrary.h"
#include "Clock.h"
#include "DataSupport.h"
#include "Schema.h"
#include "Startup.h"

#include <QDir>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

// A database with enough rows for several pages of Exercise_Master.
void fill(const QString& path) {
    Connection::create(path);
    raw(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) INSERT INTO "
              "Exercise_Master (Exercise_Type, Exercise_Date, Comments) SELECT 'Running', date('2020-01-01', "
              "'+' || i || ' days'), printf('%050d', i) FROM n");
}

// Another connection that begins a transaction of the given kind and writes a row: it holds
// its lock until closed, which takes the row back.
sqlite3* holdLock(const QString& path, const char* begin) {
    sqlite3* db = nullptr;
    sqlite3_open(FilePath::toNative(path).constData(), &db);
    EXPECT_EQ(sqlite3_exec(db, begin, nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "INSERT INTO Video_Types VALUES ('held')", nullptr, nullptr, nullptr),
              SQLITE_OK);
    return db;
}

QString describe(const Startup::Result& r) {
    const char* states[] = {"Ready", "Created", "Refused", "Damaged"};
    return QStringLiteral("%1: %2").arg(QLatin1String(states[int(r.state)]), r.message);
}

// --- Bad files ---------------------------------------------------------------------------

// Files that are not a diary this version can write: each is refused with one message naming
// it, by start-up, by opening and by every write, and nothing is created over it or written to it.
struct BadFile {
    const char* name;
    std::function<void(const QString& path)> make;
    const char* state;   // start-up's verdict, or nullptr where start-up does not refuse it
    const char* message; // why opening (or, when it opens, a write) fails; %1 is the path
};

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, AreRefusedNamingTheFileAndLeftByteForByte) {
    const BadFile& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Trainbook.db");
    c.make(path);
    const FilePath::Kind kind = FilePath::kind(path);
    const QStringList entries =
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
    const QByteArray before = fileBytes(path);
    const QString message = QString::fromUtf8(c.message).arg(path);
    Connection::setBusyTimeout(50);
    // Start-up comes first, as in the program: a file it finds damaged is refused every write.
    if (c.state) {
        const Startup::Result r = Startup::check(path);
        EXPECT_EQ(describe(r), QStringLiteral("%1: %2").arg(c.state, message));
        EXPECT_EQ(r.newestBackup, QString()) << "no copy of it is kept";
        EXPECT_THROW(Startup::restore(path, dir.filePath("missing.db")), DbError);
    }
    const QString write =
        errorOf([&] { Connection::open(path)->execute("INSERT INTO Video_Types VALUES ('x')"); });
    const QString opened = openError(path);
    if (opened == QLatin1String("(opened)")) {
        EXPECT_TRUE(write.startsWith(message)) << write.toStdString();
    } else {
        EXPECT_EQ(opened, message);
    }
    EXPECT_TRUE(write.contains(path)) << write.toStdString();
    CLibrary lib;
    lib.setSAccessFile(path);
    EXPECT_FALSE(lib.Insert_UpdateRec("INSERT INTO Video_Types VALUES ('x')"));
    if (kind != FilePath::Kind::Missing) {
        EXPECT_THROW(Connection::create(path), DbError);
    }
    Connection::setBusyTimeout(5000);
    // Nothing written: the file as it was, no journal, no copies.
    EXPECT_EQ(FilePath::kind(path), kind);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System), entries);
    EXPECT_EQ(fileBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, BadFiles,
    ::testing::Values(
        BadFile{"Missing", [](const QString&) {}, nullptr, "Could not find file '%1'."},
        BadFile{"Empty", [](const QString& p) { writeBytes(p, QByteArray()); }, "Refused",
                "'%1' is not a Trainbook database."},
        BadFile{"Text", [](const QString& p) { writeBytes(p, "Monday: 5 miles\n"); }, "Refused",
                "'%1' is not a Trainbook database (file is not a database)."},
        BadFile{"Truncated",
                [](const QString& p) {
                    fill(p);
                    writeBytes(p, fileBytes(p).left(fileBytes(p).size() / 2));
                },
                "Damaged", "'%1' is damaged (database disk image is malformed)."},
        BadFile{"PageBitFlipped", [](const QString& p) { fill(p), damage(p, "Exercise_Master"); }, "Damaged",
                "'%1' is damaged (On tree page 4 cell 5: Rowid 0 out of order)."},
        BadFile{"OtherApplication", [](const QString& p) { fill(p), raw(p, "PRAGMA application_id = 42"); },
                "Refused", "'%1' is not a Trainbook database."},
        BadFile{"OtherProgramsTables",
                [](const QString& p) { raw(p, "CREATE TABLE t(x); INSERT INTO t VALUES (1)"); }, "Refused",
                "'%1' is not a Trainbook database."},
        BadFile{"NewerVersion", [](const QString& p) { fill(p), raw(p, "PRAGMA user_version = 99"); },
                "Refused", "'%1' was written by a newer version of Trainbook."},
        // A header asking for a newer write format opens for reading; a write says why, instead
        // of the engine's "attempt to write a readonly database".
        BadFile{"NewerWriteFormat",
                [](const QString& p) {
                    fill(p);
                    QByteArray bytes = fileBytes(p);
                    bytes[18] = 3;
                    writeBytes(p, bytes);
                },
                nullptr,
                "'%1' can only be read: its header asks for a newer file format than this version of "
                "Trainbook writes. The change cannot be saved."},
        BadFile{"Folder", [](const QString& p) { QDir().mkdir(p); }, "Refused",
                "'%1' is not a database file."},
        BadFile{"SymlinkLoop", [](const QString& p) { QFile::link(p, p); }, nullptr,
                "Could not open '%1': Too many levels of symbolic links."},
        // Every missing piece is named, columns and tables alike.
        BadFile{"SchemaDamaged",
                [](const QString& p) {
                    fill(p), raw(p, "DROP TABLE Video_Types; ALTER TABLE Bikes DROP COLUMN Price");
                },
                "Damaged", "'%1' is damaged: it has no column Price of Bikes; table Video_Types."}),
    CaseName());

TEST(BadFilesLocked, AnotherProgramsWriteTransactionStopsWritesNotReadsAndChangesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Trainbook.db");
    fill(path);
    Connection::setBusyTimeout(50);
    // Writing its changes out (an exclusive lock): nothing can be read.
    sqlite3* holder = holdLock(path, "BEGIN EXCLUSIVE");
    QByteArray before = fileBytes(path);
    EXPECT_EQ(describe(Startup::check(path)),
              QStringLiteral("Refused: Could not open '%1': database is locked").arg(path));
    // The library's writes fail and say so, under either lock.
    CLibrary lib;
    lib.setSAccessFile(path);
    EXPECT_EQ(saveVideoWorkout(path), "0");
    EXPECT_EQ(fileBytes(path), before);
    sqlite3_close(holder);
    // Still in its transaction (a reserved lock): reading works, every write names the file.
    holder = holdLock(path, "BEGIN IMMEDIATE");
    before = fileBytes(path);
    EXPECT_EQ(describe(Startup::check(path)), "Ready: ");
    auto db = Connection::open(path);
    EXPECT_EQ(db->query("SELECT Count(*) FROM Exercise_Master").field(0), "400");
    EXPECT_EQ(errorOf([&] { db->execute("INSERT INTO Video_Types VALUES ('mine')"); }),
              QStringLiteral("'%1' is in use by another program: database is locked").arg(path));
    EXPECT_FALSE(lib.Insert_UpdateRec("INSERT INTO Video_Types VALUES ('mine')"));
    EXPECT_EQ(saveVideoWorkout(path), "0");
    db.reset();
    sqlite3_close(holder);
    Connection::setBusyTimeout(5000);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(saveVideoWorkout(path), "401"); // the same save, once the lock is gone
}

// Permission cases run in a child process as an ordinary user.
struct Permission {
    const char* name;
    mode_t file;
    mode_t folder;
    const char* expected;
};

class BadFilePermissions : public ::testing::TestWithParam<Permission> {};

TEST_P(BadFilePermissions, ReadOnlyOpensForReadingAndEveryWriteSaysSo) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("diary");
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/Trainbook.db");
    fill(path);
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    chmod(QFile::encodeName(path).constData(), GetParam().file);
    chmod(QFile::encodeName(folder).constData(), GetParam().folder);
    const QByteArray before = fileBytes(path);
    const QString expected = QString::fromUtf8(GetParam().expected).arg(path);
    EXPECT_EXIT(
        {
            dropRoot();
            QString seen = describe(Startup::check(path));
            try {
                auto db = Connection::open(path);
                seen += QStringLiteral(" | rows %1")
                            .arg(db->query("SELECT Count(*) FROM Exercise_Master").field(0));
                db->execute("INSERT INTO Video_Types VALUES ('x')");
                seen += QStringLiteral(" | written");
            } catch (const DbError& e) {
                seen += QStringLiteral(" | ") + e.description();
            }
            seen += QStringLiteral(" | %1").arg(saveVideoWorkout(path));
            std::fprintf(stderr, "%s\n", qPrintable(seen));
            std::exit(seen == expected ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << "expected: " << expected.toStdString();
    chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"Trainbook.db"});
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, BadFilePermissions,
    ::testing::Values(Permission{"Unreadable", 0000, 0755,
                                 "Refused: Could not open '%1': unable to open database file | Could not "
                                 "open '%1': unable to open database file | 0"},
                      Permission{"ReadOnlyFile", 0444, 0755,
                                 "Ready:  | rows 400 | '%1' is read-only: the change cannot be saved. | 0"},
                      Permission{"ReadOnlyFolder", 0644, 0555,
                                 "Ready:  | rows 400 | '%1' is read-only: the change cannot be saved. | 0"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Copies ------------------------------------------------------------------------------

class Copies : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("Trainbook.db");
        Clock::setFixed(QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
    }
    void TearDown() override { Clock::reset(); }
    QStringList backups() { return QDir(Startup::backupFolder(path)).entryList(QDir::Files, QDir::Name); }
    // Start-up at 8:00 on a day of December 2026, described.
    QString startOn(int day) {
        Clock::setFixed(QDateTime(QDate(2026, 12, day), QTime(8, 0)));
        return describe(Startup::check(path));
    }
    // The first field of `sql` in `file`, opened as it is.
    QString one(const QString& file, const QString& sql = "SELECT Count(*) FROM Exercise_Master") {
        Connection::AsItIs asItIs;
        return Connection::open(file)->query(sql).field(0);
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(Copies, StartUpKeepsTheLastSevenDailyCopies) {
    EXPECT_EQ(describe(Startup::check(path)), "Created: ");
    EXPECT_EQ(backups(), QStringList());
    for (int day = 1; day <= 10; ++day) {
        raw(path, "INSERT INTO Exercise_Master (Exercise_Date) VALUES ('2026-12-01')");
        EXPECT_EQ(startOn(day), "Ready: ");
        EXPECT_EQ(startOn(day), "Ready: "); // once a day
    }
    EXPECT_EQ(backups(),
              QStringList({"Trainbook-2026-12-04.db", "Trainbook-2026-12-05.db", "Trainbook-2026-12-06.db",
                           "Trainbook-2026-12-07.db", "Trainbook-2026-12-08.db", "Trainbook-2026-12-09.db",
                           "Trainbook-2026-12-10.db"}));
    EXPECT_EQ(one(Startup::backupFolder(path) + QStringLiteral("/Trainbook-2026-12-04.db")), "4");
    EXPECT_EQ(Startup::copies(path).front(),
              Startup::backupFolder(path) + QStringLiteral("/Trainbook-2026-12-10.db"));
}

TEST_F(Copies, AnOlderFileIsCopiedBeforeItIsUpdated) {
    raw(path, scriptOfVersion(1));
    raw(path, "INSERT INTO Exercise_Master (Exercise_Date) VALUES ('2026-11-30')");
    EXPECT_EQ(describe(Startup::check(path)), "Ready: ");
    const QStringList copies = backups();
    ASSERT_EQ(copies.size(), 2);
    EXPECT_TRUE(
        copies[0].startsWith(QStringLiteral("Trainbook-2026-12-01-before-version-%1-").arg(Schema::Version)))
        << copies[0].toStdString();
    EXPECT_EQ(copies[1], "Trainbook-2026-12-01.db");
    EXPECT_EQ(
        one(Startup::backupFolder(path) + '/' + copies[0],
            "SELECT (SELECT user_version FROM pragma_user_version) || '/' || Count(*) FROM Exercise_Master"),
        "1/1");
    // The daily rotation leaves it alone.
    for (int day = 2; day <= 9; ++day)
        startOn(day);
    EXPECT_TRUE(backups().front().contains(QStringLiteral("before-version-%1").arg(Schema::Version)));
    EXPECT_EQ(backups().size(), 8);
}

TEST_F(Copies, ADamagedOrLostFileIsOfferedItsNewestGoodCopy) {
    fill(path);
    EXPECT_EQ(describe(Startup::check(path)), "Ready: ");
    raw(path, "DELETE FROM Exercise_Master WHERE Exercise_ID > 100");
    EXPECT_EQ(startOn(2), "Ready: ");
    // The newest copy is damaged as well: the one before it is offered.
    const QString newest = Startup::backupFolder(path) + QStringLiteral("/Trainbook-2026-12-02.db");
    writeBytes(newest, fileBytes(newest).left(2048));
    damage(path, "Exercise_Master");
    const QByteArray damaged = fileBytes(path);
    const Startup::Result r = Startup::check(path);
    EXPECT_EQ(r.state, Startup::State::Damaged) << describe(r).toStdString();
    EXPECT_EQ(r.newestBackup, Startup::backupFolder(path) + QStringLiteral("/Trainbook-2026-12-01.db"));
    EXPECT_EQ(fileBytes(path), damaged);

    const QString aside = Startup::restore(path, r.newestBackup);
    EXPECT_TRUE(aside.startsWith(path + QStringLiteral(".damaged-"))) << aside.toStdString();
    EXPECT_EQ(fileBytes(aside), damaged);
    EXPECT_EQ(one(path), "400");
    EXPECT_EQ(describe(Startup::check(path)), "Ready: ");
    EXPECT_EQ(backups().size(), 2); // nothing deleted

    // A diary that disappeared (a kill in the middle of an older restore, a slip in a file
    // manager) is never silently made anew while its copies are there: the copy is offered.
    // (The file kept aside goes too: a restore in the same second would name its own alike.)
    QFile::remove(path);
    QFile::remove(aside);
    const Startup::Result lost = Startup::check(path);
    EXPECT_EQ(describe(lost),
              QStringLiteral("Damaged: '%1' is missing, but copies of it are kept.").arg(path));
    EXPECT_FALSE(Connection::exists(path));
    EXPECT_EQ(Startup::restore(path, lost.newestBackup), QString());
    EXPECT_EQ(one(path), "400");
}

// Days of start-ups with an emptied diary do not rotate out the last copy that holds the
// workouts; once the diary holds as many again, the old copy goes.
TEST_F(Copies, RotationKeepsTheLastCopyWithTheWorkoutsTheDiaryLacks) {
    fill(path);
    EXPECT_EQ(describe(Startup::check(path)), "Ready: ");
    raw(path, "DELETE FROM Exercise_Master");
    for (int day = 2; day <= 10; ++day)
        EXPECT_EQ(startOn(day), "Ready: ");
    EXPECT_EQ(backups().size(), 8);
    EXPECT_EQ(backups().front(), "Trainbook-2026-12-01.db");
    EXPECT_EQ(one(Startup::backupFolder(path) + "/Trainbook-2026-12-01.db"), "400");
    raw(path, "INSERT INTO Exercise_Master (Exercise_Date) VALUES ('2026-12-10')");
    for (int day = 11; day <= 17; ++day)
        startOn(day);
    EXPECT_EQ(backups().size(), 8);
    raw(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) INSERT INTO "
              "Exercise_Master (Exercise_Date) SELECT '2026-12-17' FROM n");
    startOn(18);
    EXPECT_EQ(backups().front(), "Trainbook-2026-12-12.db");
}

// A file that cannot be updated keeps one copy of the version it is at, not one per start.
TEST_F(Copies, FailedUpdatesLeaveOneCopyPerVersion) {
    raw(path, scriptOfVersion(1));
    raw(path, "INSERT INTO Exercise_Master (Exercise_Date) VALUES ('2026-02-30')");
    for (int day = 1; day <= 3; ++day)
        EXPECT_TRUE(startOn(day).startsWith("Refused: ")) << day;
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(backups().front().startsWith("Trainbook-2026-12-03-before-version-"))
        << backups().front().toStdString();
}

// Start-up removes what killed copies left: a restore's temporary file beside the database, a
// daily copy's in the backups folder; not a newer one, and not another program's file.
TEST_F(Copies, StartUpRemovesTemporariesThatKilledCopiesLeft) {
    fill(path);
    QDir(dir.path()).mkdir("backups");
    const QStringList left = {".Trainbook.db.a1B2c3", ".Trainbook.db.a1B2c3-journal",
                              "backups/.Trainbook-2026-11-30.db.Qw3rTy", ".notes.txt.a1B2c3"};
    for (const QString& name : left) {
        writeBytes(dir.filePath(name), "part of a copy");
        const utimbuf longAgo{1000000000, 1000000000};
        ::utime(QFile::encodeName(dir.filePath(name)).constData(), &longAgo);
    }
    writeBytes(dir.filePath(".Trainbook.db.n0w4bc"), "a copy being made now");
    EXPECT_EQ(describe(Startup::check(path)), "Ready: ");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({".notes.txt.a1B2c3", ".Trainbook.db.n0w4bc", "Trainbook.db"}));
    EXPECT_EQ(QDir(dir.filePath("backups")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"Trainbook-2026-12-01.db"}));
}

} // namespace
