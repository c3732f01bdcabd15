// Verified backups: what is refused leaves every file as it was; what is copied is one
// consistent snapshot, even while another connection writes.
#include "Backup.h"
#include "Connection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray bytes(const QString& p) {
    QFile f(p);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class BackupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db = dir.filePath("Trainbook.db");
        Connection::create(db);
        auto c = Connection::open(db);
        c->executeAll({"INSERT INTO Users (User_Name) VALUES ('Ann')",
                       "INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Bob', 0)",
                       "INSERT INTO Running_Shoes (Shoe, User_Name) VALUES ('Racer', 'Ann')"});
    }
    // The sorted file names in `folder`, hidden ones included: a failed backup leaves no
    // temporary file behind.
    static QStringList entries(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    static QString users(const QString& file) {
        auto c = Connection::open(file);
        return c->column("SELECT User_Name FROM Users ORDER BY User_Name", "User_Name")
            .join(QLatin1Char(','));
    }

    QTemporaryDir dir;
    QString db;
};

TEST_F(BackupTest, CopiesEveryRowAndReplacesAnOlderBackup) {
    const QString target = dir.filePath("Trainbook-copy.db");
    EXPECT_EQ(Backup::copyVerified(db, target), 3);
    EXPECT_EQ(users(target), "Ann,Bob");

    // A later backup replaces the older one, which still held only two users.
    Connection::open(db)->execute("INSERT INTO Users (User_Name) VALUES ('Cy')");
    EXPECT_EQ(Backup::copyVerified(db, target), 4);
    EXPECT_EQ(users(target), "Ann,Bob,Cy");
    // An unrelated file of the same name (not a database) is replaced too.
    QFile::remove(target);
    QFile note(target);
    ASSERT_TRUE(note.open(QIODevice::WriteOnly) && note.write("old notes") > 0);
    note.close();
    EXPECT_EQ(Backup::copyVerified(db, target), 4);
    EXPECT_EQ(users(target), "Ann,Bob,Cy");
    EXPECT_EQ(entries(dir.path()), QStringList({"Trainbook-copy.db", "Trainbook.db"}));
}

TEST_F(BackupTest, RowCountsPerTableCoverEveryTable) {
    auto c = Connection::open(db);
    const auto counts = Backup::tableRowCounts(*c);
    EXPECT_EQ(counts.size(), 15);
    qint64 total = 0;
    for (const auto& [table, n] : counts) {
        total += n;
        if (table == QLatin1String("Users")) {
            EXPECT_EQ(n, 2);
        }
    }
    EXPECT_EQ(total, 3);
}

struct Refusal {
    const char* name;
    // Prepares the target inside `folder` and returns the path to back up to.
    std::function<QString(const QString& folder, const QString& db)> target;
    int code;
    const char* text;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

class Refused : public BackupTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(Refused, LeavesEveryFileAsItWas) {
    const Refusal& r = GetParam();
    const QString target = r.target(dir.path(), db);
    QStringList before = entries(dir.path());
    const QByteArray dbBefore = bytes(db);
    const QByteArray targetBefore = bytes(target);
    try {
        Backup::copyVerified(db, target);
        ADD_FAILURE() << "the backup to " << target.toStdString() << " was not refused";
    } catch (const BackupError& e) {
        EXPECT_EQ(e.code(), r.code);
        EXPECT_TRUE(e.description().contains(QLatin1String(r.text))) << e.description().toStdString();
    }
    EXPECT_EQ(entries(dir.path()), before);
    EXPECT_EQ(bytes(db), dbBefore);
    EXPECT_EQ(bytes(target), targetBefore);
    if (dbBefore.startsWith("SQLite format 3")) {
        EXPECT_EQ(users(db), "Ann,Bob");
    }
}

QString writeOld(const QString& path) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("an older backup");
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Backup, Refused,
    ::testing::Values(Refusal{"EmptyTarget",
                              [](const QString&, const QString&) { return QStringLiteral("  "); }, EINVAL,
                              "No file was named"},
                      Refusal{"MissingFolder",
                              [](const QString& folder, const QString&) {
                                  return folder + QStringLiteral("/no/such/Trainbook.db");
                              },
                              ENOENT, "/no/such' does not exist"},
                      Refusal{"TargetIsAFolder",
                              [](const QString& folder, const QString&) {
                                  QDir(folder).mkdir("sub");
                                  return folder + QStringLiteral("/sub");
                              },
                              EISDIR, "is a folder"},
                      Refusal{"ReadOnlyTarget",
                              [](const QString& folder, const QString&) {
                                  const QString p = writeOld(folder + QStringLiteral("/old.db"));
                                  QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
                                  return p;
                              },
                              EACCES, "is read-only"},
                      Refusal{"TheDatabaseItself", [](const QString&, const QString& db) { return db; },
                              EINVAL, "is the database itself"},
                      Refusal{"TheDatabaseByAnotherPath",
                              [](const QString& folder, const QString&) {
                                  QDir(folder).mkdir("sub");
                                  return folder + QStringLiteral("/sub/../Trainbook.db");
                              },
                              EINVAL, "is the database itself"},
                      Refusal{"ALinkToTheDatabase",
                              [](const QString& folder, const QString& db) {
                                  const QString p = folder + QStringLiteral("/link.db");
                                  QFile::link(db, p);
                                  return p;
                              },
                              EINVAL, "is the database itself"},
                      Refusal{"SourceIsNotATrainbookDatabase",
                              [](const QString& folder, const QString& db) {
                                  QFile::remove(db);
                                  QFile f(db);
                                  f.open(QIODevice::WriteOnly);
                                  f.write("not a database");
                                  f.close();
                                  return writeOld(folder + QStringLiteral("/old.db"));
                              },
                              SQLITE_CANTOPEN, "is not a Trainbook database"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(BackupTest, AMissingSourceIsRefusedAndTheTargetKept) {
    const QString target = writeOld(dir.filePath("old.db"));
    try {
        Backup::copyVerified(dir.filePath("gone.db"), target);
        ADD_FAILURE() << "a missing database was copied";
    } catch (const BackupError& e) {
        EXPECT_EQ(e.code(), ENOENT);
        EXPECT_TRUE(e.description().startsWith(QLatin1String("Could not find file '")));
    }
    EXPECT_EQ(bytes(target), QByteArray("an older backup"));
}

TEST_F(BackupTest, AFolderThatCannotBeWrittenFailsWithTheSystemsReason) {
    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                      QFileDevice::ExeOther));
    QFile::setPermissions(db, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    // Permissions do not stop root, so the backup runs in a child that gives up root.
    EXPECT_EXIT(
        {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                std::exit(2);
            try {
                Backup::copyVerified(db, folder + QStringLiteral("/Trainbook.db"));
            } catch (const BackupError& e) {
                std::fprintf(stderr, "%d %s\n", e.code(), e.description().toUtf8().constData());
                std::exit(e.code() == EACCES ? 0 : 3);
            }
            std::exit(4);
        },
        ::testing::ExitedWithCode(0), "Could not write in '.*/locked': Permission denied");
    EXPECT_EQ(entries(folder), QStringList());
}

TEST_F(BackupTest, ACopyTakenWhileAnotherConnectionWritesHoldsEachWriteWholeOrNotAtAll) {
    // Each write adds a user, a shoe and a bike of the same name in one transaction.
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    QString writerError;
    std::thread writer([&] {
        try {
            auto c = Connection::open(db);
            for (int i = 0; !stop && i < 100000; ++i) {
                const QString name = QStringLiteral("'W%1'").arg(i);
                c->executeAll(
                    {QStringLiteral("INSERT INTO Users (User_Name) VALUES (%1)").arg(name),
                     QStringLiteral("INSERT INTO Running_Shoes (Shoe, User_Name) VALUES (%1, 'Ann')")
                         .arg(name),
                     QStringLiteral("INSERT INTO Bikes (Bike, User_Name) VALUES (%1, 'Ann')").arg(name)});
                ++written;
                // A pause between writes, as a person's edits have: a writer that never lets
                // go of the file starves every reader, backups included.
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
            }
        } catch (const DbError& e) {
            writerError = e.description();
            written = 1000;
        }
    });
    while (written < 5)
        std::this_thread::yield();

    QStringList copies;
    try {
        for (int i = 0; i < 12; ++i) {
            const QString target = dir.filePath(QStringLiteral("copy%1.db").arg(i));
            const qint64 rows = Backup::copyVerified(db, target);
            copies << target;
            EXPECT_EQ((rows - 3) % 3, 0) << "copy " << i << " holds part of a write";
        }
    } catch (const DbError& e) {
        ADD_FAILURE() << e.description().toStdString();
    }
    stop = true;
    writer.join();
    EXPECT_EQ(writerError, QString());

    int previous = -1;
    for (const QString& copy : copies) {
        auto c = Connection::open(copy);
        const int users = c->column("SELECT count(*) AS n FROM Users", "n").first().toInt();
        const int shoes = c->column("SELECT count(*) AS n FROM Running_Shoes", "n").first().toInt();
        const int bikes = c->column("SELECT count(*) AS n FROM Bikes", "n").first().toInt();
        EXPECT_EQ(users - 2, shoes - 1) << copy.toStdString();
        EXPECT_EQ(users - 2, bikes) << copy.toStdString();
        EXPECT_GE(users, previous) << "a later copy holds fewer writes";
        previous = users;
    }
    EXPECT_GT(previous - 2, 0);
}

} // namespace
