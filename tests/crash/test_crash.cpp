// Crash safety: a child process adds, updates and deletes workouts through the same
// operations the windows use, and is killed with SIGKILL at random moments. After every kill
// the file passes the engine's integrity check, no master row lacks its detail row (or the
// reverse), and every save the child acknowledged is there.
//
// TRAINBOOK_KILLS sets the number of kills (50 when unset).
#include "CLibrary.h"
#include "Connection.h"
#include "Tables.h"
#include "WorkoutKinds.h"

#include <QHash>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using WorkoutKinds::Kind;
constexpr auto& Kinds = WorkoutKinds::Workouts;

// A workout's rows as a log window builds them: `n` in every number of the detail row, a text
// naming it in every other column.
std::pair<Tables::Row, Tables::Row> workoutRows(const Kind& kind, int n, int day, const QString& comment) {
    Tables::Row master(Tables::ExerciseMaster);
    master.set(Tables::Holds::Type, QLatin1String(kind.name));
    master.set(Tables::Holds::Date, QDate(2026, 12, day));
    master.set(Tables::Holds::Day, QStringLiteral("Monday"));
    master.set(Tables::Holds::Time, QStringLiteral("45:00"));
    master.set(Tables::Holds::User, QStringLiteral("Ann"));
    master.set(Tables::Holds::Comments, comment);
    Tables::Row detail(*kind.table, [n](const Tables::Column& c) {
        return c.kind == Tables::Kind::Number ? QString::number(n) : QStringLiteral("t%1").arg(n);
    });
    return {std::move(master), std::move(detail)};
}

// What the child tells the parent, one line per event, each written with one write():
//   "i <what>"   it is about to save <what> (the one save that may or may not be in the file)
//   "a <id> <kind> <comment>"  added a workout      "u <id> <comment>"  updated one
//   "d <id>"  deleted one
void tell(int fd, const QString& line) {
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    (void)!write(fd, bytes.constData(), size_t(bytes.size()));
}

[[noreturn]] void child(const QString& path, int fd, unsigned seed) {
    std::mt19937 random(seed);
    CLibrary lib;
    lib.setSAccessFile(path);
    std::vector<std::pair<QString, int>> workouts; // id, kind
    {
        auto conn = lib.GetConnection();
        for (ResultSet rs = conn->query("SELECT Exercise_ID, Exercise_Type FROM Exercise_Master"); !rs.eof();
             rs.moveNext())
            for (int k = 0; k < 5; ++k)
                if (rs.field(1) == QLatin1String(Kinds[k]->name))
                    workouts.push_back({rs.field(0), k});
    }
    for (int n = 0;; ++n) {
        const QString tag = QStringLiteral("%1-%2").arg(seed).arg(n);
        const int op = int(random() % 8);
        if (op < 4 || workouts.empty()) {
            const int k = int(random() % 5);
            const Kind& kind = *Kinds[k];
            tell(fd, QStringLiteral("i add ") + tag);
            const auto [master, detail] =
                workoutRows(kind, n % 97, 1 + int(random() % 28), QStringLiteral("a") + tag);
            qint64 id = 0;
            try {
                id = Tables::insertWorkout(*lib.GetConnection(), master, detail);
            } catch (const DbError&) {
            }
            if (id != 0) {
                workouts.push_back({QString::number(id), k});
                tell(fd, QStringLiteral("a %1 %2 a%3").arg(id).arg(k).arg(tag));
            }
        } else if (op < 7) {
            const auto& [id, k] = workouts[random() % workouts.size()];
            tell(fd, QStringLiteral("i update %1 u%2").arg(id, tag));
            const auto [master, detail] =
                workoutRows(*Kinds[k], n % 89, 1 + int(random() % 28), QStringLiteral("u") + tag);
            bool updated = false;
            try {
                updated = Tables::updateWorkout(*lib.GetConnection(), id.toLongLong(), master, detail);
            } catch (const DbError&) {
            }
            if (updated)
                tell(fd, QStringLiteral("u %1 u%2").arg(id, tag));
        } else {
            const size_t at = random() % workouts.size();
            const auto [id, k] = workouts[at];
            tell(fd, QStringLiteral("i delete ") + id);
            if (lib.DeleteWorkout(QLatin1String(Kinds[k]->table->name), QLatin1String(Kinds[k]->table->key),
                                  id)) {
                workouts.erase(workouts.begin() + std::ptrdiff_t(at));
                tell(fd, QStringLiteral("d ") + id);
            }
        }
    }
}

// What the parent knows from the child's acknowledgements.
struct Acknowledged {
    QHash<QString, QString> workouts; // id -> comment last acknowledged
    QString pending;                  // the save announced but not acknowledged
};

int readAcknowledgements(const QByteArray& stream, Acknowledged& ack) {
    int saves = 0;
    ack.pending.clear();
    for (const QByteArray& raw : stream.split('\n')) {
        const QStringList w = QString::fromUtf8(raw).split(QLatin1Char(' '));
        if (w.size() < 2)
            continue;
        const QString what = w[0];
        if (what == QLatin1String("i")) {
            ack.pending = w.mid(1).join(QLatin1Char(' '));
            continue;
        }
        ack.pending.clear();
        ++saves;
        if (what == QLatin1String("a") && w.size() == 4)
            ack.workouts.insert(w[1], w[3]);
        else if (what == QLatin1String("u") && w.size() == 3)
            ack.workouts.insert(w[1], w[2]);
        else if (what == QLatin1String("d"))
            ack.workouts.remove(w[1]);
    }
    return saves;
}

TEST(CrashTest, EveryAcknowledgedSaveSurvivesAKillAndTheFileStaysWhole) {
    const int kills =
        qEnvironmentVariableIsSet("TRAINBOOK_KILLS") ? qEnvironmentVariableIntValue("TRAINBOOK_KILLS") : 50;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Trainbook.db");
    Connection::create(path);
    std::mt19937 random(20261207);
    Acknowledged ack;
    int saves = 0;
    for (int kill = 0; kill < kills; ++kill) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            child(path, fds[1], unsigned(kill) * 7919u + 17u);
        }
        close(fds[1]);
        usleep(useconds_t(std::uniform_int_distribution<int>(5000, 150000)(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself, status " << status;
        QByteArray stream;
        char buffer[65536];
        for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;)
            stream.append(buffer, n);
        close(fds[0]);
        // Only whole lines count; the last one may have been cut by the kill.
        saves += readAcknowledgements(stream.left(stream.lastIndexOf('\n') + 1), ack);

        auto conn = Connection::open(path); // rolls back what the kill left unfinished
        const auto one = [&](const QString& sql) { return conn->query(sql).field(0); };
        EXPECT_EQ(one("SELECT integrity_check FROM pragma_integrity_check"), "ok") << "kill " << kill;
        // No master row without its detail row, no detail row without its master row.
        QStringList orphans;
        for (const Kind* k : Kinds)
            orphans << QStringLiteral(
                           "(SELECT Count(*) FROM Exercise_Master WHERE Exercise_Type = '%1' AND Exercise_ID "
                           "NOT IN (SELECT %2 FROM %3)) + (SELECT Count(*) FROM %3 WHERE %2 NOT IN (SELECT "
                           "Exercise_ID FROM Exercise_Master WHERE Exercise_Type = '%1'))")
                           .arg(QLatin1String(k->name), QLatin1String(k->table->key),
                                QLatin1String(k->table->name));
        EXPECT_EQ(one(QStringLiteral("SELECT ") + orphans.join(" + ")), "0") << "kill " << kill;

        QHash<QString, QString> stored;
        for (ResultSet rs = conn->query("SELECT Exercise_ID, Comments FROM Exercise_Master"); !rs.eof();
             rs.moveNext())
            stored.insert(rs.field(0), rs.field(1));
        const QStringList pending = ack.pending.split(QLatin1Char(' '));
        const bool updating = pending.size() == 3 && pending[0] == QLatin1String("update");
        const bool deleting = pending.size() == 2 && pending[0] == QLatin1String("delete");
        for (auto it = ack.workouts.cbegin(); it != ack.workouts.cend(); ++it) {
            const QString now = stored.value(it.key());
            // The one save announced but not acknowledged may or may not be in the file.
            const bool inFlight = (updating && pending[1] == it.key() && now == pending[2]) ||
                                  (deleting && pending[1] == it.key() && !stored.contains(it.key()));
            EXPECT_TRUE(now == it.value() || inFlight)
                << "kill " << kill << ": workout " << it.key().toStdString() << " holds '"
                << now.toStdString() << "', acknowledged '" << it.value().toStdString() << "'";
        }
        // A delete or update that committed before its acknowledgement: the parent takes it as done.
        if (deleting && !stored.contains(pending[1]))
            ack.workouts.remove(pending[1]);
        if (updating && stored.value(pending[1]) == pending[2])
            ack.workouts.insert(pending[1], pending[2]);
    }
    std::cout << "kills " << kills << ", " << saves << " saves acknowledged (" << ack.workouts.size()
              << " workouts at the end)" << std::endl;
    EXPECT_GT(ack.workouts.size(), 0);
}

} // namespace
