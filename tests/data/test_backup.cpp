// Verified backups: what is refused leaves every file as it was; what is copied is one
// consistent snapshot, even while another connection writes.
#include "Backup.h"
#include "DataSupport.h"
#include "TextReport.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

class BackupTest : public NewDatabase {
  protected:
    void SetUp() override {
        NewDatabase::SetUp();
        db->executeAll({"INSERT INTO Users (User_Name) VALUES ('Ann')",
                        "INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Bob', 0)",
                        "INSERT INTO Running_Shoes (Shoe, User_Name) VALUES ('Racer', 'Ann')"});
    }
    // The sorted file names in `folder`, hidden ones included: a failed backup leaves no
    // temporary file behind.
    static QStringList entries(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    static QString users(const QString& file) {
        return Connection::open(file)
            ->column("SELECT User_Name FROM Users ORDER BY User_Name", "User_Name")
            .join(',');
    }
};

TEST_F(BackupTest, CopiesEveryRowAndReplacesAnOlderBackup) {
    const QString target = dir.filePath("Trainbook-copy.db");
    EXPECT_EQ(Backup::copyVerified(path, target), 3);
    EXPECT_EQ(users(target), "Ann,Bob");
    // A later backup replaces the older one, which still held only two users.
    db->execute("INSERT INTO Users (User_Name) VALUES ('Cy')");
    EXPECT_EQ(Backup::copyVerified(path, target), 4);
    EXPECT_EQ(users(target), "Ann,Bob,Cy");
    // An unrelated file of the same name (not a database) is replaced too.
    writeBytes(target, "old notes");
    EXPECT_EQ(Backup::copyVerified(path, target), 4);
    EXPECT_EQ(users(target), "Ann,Bob,Cy");
    EXPECT_EQ(entries(dir.path()), QStringList({"Trainbook-copy.db", "Trainbook.db"}));
}

struct Refusal {
    const char* name;
    // Prepares the target inside `folder` and returns the path to back up to.
    std::function<QString(const QString& folder, const QString& db)> target;
    int code;
    const char* text;
};

class Refused : public BackupTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, LeavesEveryFileAsItWas) {
    const Refusal& r = GetParam();
    const QString target = r.target(dir.path(), path);
    const QStringList before = entries(dir.path());
    // (a pipe is not read: that would wait for a writer)
    const auto bytes = [](const QString& p) { return QFileInfo(p).isFile() ? fileBytes(p) : QByteArray(); };
    const QByteArray dbBefore = fileBytes(path), targetBefore = bytes(target);
    try {
        Backup::copyVerified(path, target);
        ADD_FAILURE() << "the backup to " << target.toStdString() << " was not refused";
    } catch (const BackupError& e) {
        EXPECT_EQ(e.code(), r.code);
        EXPECT_TRUE(e.description().contains(QLatin1String(r.text))) << e.description().toStdString();
    }
    EXPECT_EQ(entries(dir.path()), before);
    EXPECT_EQ(fileBytes(path), dbBefore);
    EXPECT_EQ(bytes(target), targetBefore);
}

QString writeOld(const QString& path) {
    writeBytes(path, "an older backup");
    return path;
}

const Refusal refusals[] = {
    {"EmptyTarget", [](const QString&, const QString&) { return QString("  "); }, EINVAL,
     "No file was named"},
    {"MissingFolder", [](const QString& folder, const QString&) { return folder + "/no/such/Trainbook.db"; },
     ENOENT, "/no/such' does not exist"},
    {"TargetIsAFolder",
     [](const QString& folder, const QString&) { return QDir(folder).mkdir("sub"), folder + "/sub"; }, EISDIR,
     "is a folder"},
    {"ReadOnlyTarget",
     [](const QString& folder, const QString&) {
         const QString p = writeOld(folder + "/old.db");
         QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
         return p;
     },
     EACCES, "is read-only"},
    {"TheDatabaseItself", [](const QString&, const QString& db) { return db; }, EINVAL,
     "is the database itself"},
    {"ALinkToTheDatabase",
     [](const QString& folder, const QString& db) {
         QFile::link(db, folder + "/link.db");
         return folder + "/link.db";
     },
     EINVAL, "is the database itself"},
    {"ACopyInTheBackupsFolder",
     [](const QString& folder, const QString& db) {
         QDir(folder).mkdir("backups");
         Backup::copyVerified(db, folder + "/backups/Trainbook-2026-12-01.db");
         return folder + "/backups/Trainbook-2026-12-01.db";
     },
     EINVAL, "is one of the database's own copies"},
    {"TheDamagedFileARestoreKept",
     [](const QString& folder, const QString& db) { return writeOld(db + ".damaged-20261201-080000"); },
     EINVAL, "is a damaged database kept by a restore"},
    {"APipe",
     [](const QString& folder, const QString&) {
         ::mkfifo(QFile::encodeName(folder + "/pipe").constData(), 0600);
         return folder + "/pipe";
     },
     EINVAL, "is not a regular file"},
    {"SourceIsDamaged",
     [](const QString& folder, const QString& db) {
         raw(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) INSERT INTO "
                 "Exercise_Master (Exercise_Date, Comments) SELECT '2026-12-01', printf('%0100d', i) FROM n");
         damage(db, "Exercise_Master");
         return writeOld(folder + "/old.db");
     },
     SQLITE_CORRUPT, "Trainbook.db' is damaged: its copy fails the integrity check (On tree page"},
    {"SourceIsNotATrainbookDatabase",
     [](const QString& folder, const QString& db) {
         writeBytes(db, "not a database");
         return writeOld(folder + "/old.db");
     },
     SQLITE_CANTOPEN, "is not a Trainbook database"},
    {"SourceIsMissing",
     [](const QString& folder, const QString& db) {
         QFile::remove(db);
         return writeOld(folder + "/old.db");
     },
     ENOENT, "Could not find file '"},
};
INSTANTIATE_TEST_SUITE_P(Backup, Refused, ::testing::ValuesIn(refusals), CaseName());

TEST_F(BackupTest, AFolderThatCannotBeWrittenFailsWithTheSystemsReason) {
    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::ExeOther));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    EXPECT_EXIT(
        {
            dropRoot();
            try {
                Backup::copyVerified(path, folder + "/Trainbook.db");
            } catch (const BackupError& e) {
                std::fprintf(stderr, "%d %s\n", e.code(), e.description().toUtf8().constData());
                std::exit(e.code() == EACCES ? 0 : 3);
            }
            std::exit(4);
        },
        ::testing::ExitedWithCode(0), "Could not write in '.*/locked': Permission denied");
    EXPECT_EQ(entries(folder), QStringList());
}

// The diary keeps the rollback journal. A program that writes without pause holds its lock for
// most of the time; copies and a report started meanwhile still get their turn, and each copy
// holds every write (a user, a shoe and a bike of one name) whole or not at all.
TEST_F(BackupTest, CopiesAndAReportSucceedWhileAnotherProgramWritesAndEachCopyHoldsWholeWrites) {
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    std::thread writer([&] {
        sqlite3* w = nullptr;
        sqlite3_open(FilePath::toNative(path).constData(), &w);
        sqlite3_busy_timeout(w, 5000);
        for (int i = 0; !stop; ++i) {
            const QByteArray name = "'W" + QByteArray::number(i) + "'";
            const QByteArray sql = "BEGIN IMMEDIATE; INSERT INTO Users (User_Name) VALUES (" + name +
                                   "); INSERT INTO Running_Shoes (Shoe, User_Name) VALUES (" + name +
                                   ", 'Ann'); INSERT INTO Bikes (Bike, User_Name) VALUES (" + name +
                                   ", 'Ann'); COMMIT";
            if (sqlite3_exec(w, sql.constData(), 0, 0, 0) == SQLITE_OK)
                ++written;
            else
                sqlite3_exec(w, "ROLLBACK", 0, 0, 0);
        }
        sqlite3_close(w);
    });
    while (written < 20)
        std::this_thread::yield();
    TextReport::Request running;
    running.user = "Ann";
    running.kind = "Running";
    int previous = -1;
    for (int i = 0; i < 6; ++i) {
        const QString copy = dir.filePath(QStringLiteral("copy%1.db").arg(i));
        EXPECT_NO_THROW(Backup::copyVerified(path, copy));
        EXPECT_EQ(TextReport::create(*Connection::open(path), running).error, "");
        const QStringList n = Connection::open(copy)
                                  ->query("SELECT (SELECT count(*) FROM Users) || ' ' || (SELECT count(*) "
                                          "FROM Running_Shoes) || ' ' || (SELECT count(*) FROM Bikes)")
                                  .field(0)
                                  .split(' ');
        const int users = n.value(0).toInt();
        EXPECT_EQ(users - 2, n.value(1).toInt() - 1) << "copy " << i << " holds part of a write";
        EXPECT_EQ(users - 2, n.value(2).toInt()) << "copy " << i << " holds part of a write";
        EXPECT_GE(users, previous) << "a later copy holds fewer writes";
        previous = users;
    }
    stop = true;
    writer.join();
    EXPECT_GT(previous - 2, 0);
}

} // namespace
