// Restore under kills: a child process puts the good copy in place of a damaged diary and is
// killed with SIGKILL at a random moment of it. After every kill the diary's name holds the
// damaged file or the whole copy, never nothing; the next start-up offers the copy again for
// the damaged file and opens the restored one.
//
// TRAINBOOK_KILLS sets the number of kills (40 when unset).
#include "Clock.h"
#include "DataSupport.h"
#include "Startup.h"

#include <QDir>
#include <QElapsedTimer>
#include <csignal>
#include <iostream>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(RestoreCrashTest, TheDiarysNameAlwaysHoldsTheDamagedFileOrTheCopy) {
    const int kills = qEnvironmentVariableIntValue("TRAINBOOK_KILLS") > 0
                          ? qEnvironmentVariableIntValue("TRAINBOOK_KILLS")
                          : 40;
    QTemporaryDir dir;
    const QString path = dir.filePath("Trainbook.db");
    Clock::setFixed(QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
    Connection::create(path);
    // Enough rows (about 2 MB) that a restore takes a while to kill inside.
    Connection::open(path)->execute("INSERT INTO Exercise_Master (Exercise_Date, Comments) WITH RECURSIVE "
                                    "n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 8000) "
                                    "SELECT '2026-11-30', printf('%0200d', i) FROM n");
    ASSERT_EQ(Startup::check(path).state, Startup::State::Ready); // makes the daily copy
    const QString copy = Startup::copies(path).value(0);
    damage(path, "Exercise_Master");
    const QByteArray damaged = fileBytes(path);
    const auto reset = [&] {
        for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(dir.filePath(name));
        writeBytes(path, damaged);
        Connection::refuseWrites(path, QString());
    };
    // How long a whole restore takes in a child process, so that the kills fall all over it.
    const auto restoreInChild = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            Startup::restore(path, copy);
            _exit(0);
        }
        return pid;
    };
    reset();
    QElapsedTimer timer;
    timer.start();
    waitpid(restoreInChild(), nullptr, 0);
    const qint64 restoreUs = timer.nsecsElapsed() / 1000;

    std::mt19937 random(18);
    int heldDamaged = 0, heldCopy = 0, finished = 0;
    for (int kill = 0; kill < kills; ++kill) {
        reset();
        const pid_t pid = restoreInChild();
        usleep(useconds_t(std::uniform_int_distribution<qint64>(0, restoreUs)(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        finished += WIFEXITED(status);

        ASSERT_EQ(FilePath::kind(path), FilePath::Kind::File) << "kill " << kill << ": the diary is gone";
        const bool isDamaged = fileBytes(path) == damaged;
        const Startup::Result next = Startup::check(path);
        EXPECT_EQ(next.state, isDamaged ? Startup::State::Damaged : Startup::State::Ready) << "kill " << kill;
        EXPECT_EQ(next.newestBackup, isDamaged ? copy : QString()) << "kill " << kill;
        if (!isDamaged) {
            EXPECT_EQ(Connection::open(path)->query("SELECT count(*) FROM Exercise_Master").field(0), "8000");
        }
        ++(isDamaged ? heldDamaged : heldCopy);
    }
    Clock::reset();
    std::cout << "kills " << kills << " (a restore takes about " << restoreUs
              << " us): the diary's name held the "
              << "damaged file after " << heldDamaged << ", the restored copy after " << heldCopy << " ("
              << finished << " restores had finished before the kill)" << std::endl;
}

} // namespace
