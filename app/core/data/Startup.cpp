#include "Startup.h"

#include "Backup.h"
#include "Clock.h"
#include "Connection.h"
#include "DatabaseFile.h"
#include "DbError.h"
#include "FilePath.h"
#include "Schema.h"
#include "StopFlag.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Startup {

namespace {

QString baseName(const QString& path) {
    QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

// "ok", or the first problem the engine's quick check finds. Throws DbError, also when `stop`
// ends it.
QString quickCheck(Connection& connection, StopFlag* stop = nullptr) {
    const StopFlag::Watch watch(stop, connection.handle());
    if (stop && stop->stopped())
        throw DbError(QStringLiteral("The check was stopped."));
    ResultSet rs = connection.query(QStringLiteral("SELECT quick_check FROM pragma_quick_check(1)"));
    if (rs.eof())
        return QStringLiteral("no answer");
    QString problem = rs.field(0);
    problem.remove(QStringLiteral("*** in database main ***\n"));
    return problem;
}

bool isGoodCopy(const QString& copy, StopFlag* stop) {
    try {
        const DatabasePolicy::AsItIs asItIs(DatabaseFile::policy());
        auto connection = DatabaseFile(copy).open();
        return quickCheck(*connection, stop) == QLatin1String("ok");
    } catch (const DbError&) {
        return false;
    }
}

// Damage, as opposed to a file that is not ours or cannot be reached now.
bool looksDamaged(const QString& message) {
    return message.contains(QLatin1String("malformed")) || message.contains(QLatin1String("is damaged")) ||
           message.contains(QLatin1String("disk I/O error"));
}

void ensureFolder(const QString& folder) {
    if (FilePath::kind(folder) == FilePath::Kind::Folder)
        return;
    if (::mkdir(FilePath::toNative(folder).constData(), 0777) != 0)
        throw DbError(QStringLiteral("Could not make the folder '%1'.").arg(FilePath::shown(folder)));
}

QString copyTo(const QString& path, const QString& target, StopFlag* stop = nullptr) {
    try {
        const DatabasePolicy::AsItIs asItIs(DatabaseFile::policy());
        Backup::copyOwn(path, target, stop);
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Could not copy the database to '%1': %2")
                          .arg(FilePath::shown(target), e.description()));
    }
    return target;
}

// Workouts and races in the file at `path`, read with the engine alone (a copy may be of an
// older version); -1 when it cannot be read.
qint64 workoutsIn(const QString& path) {
    sqlite3* db = nullptr;
    qint64 n = -1;
    if (sqlite3_open_v2(FilePath::toNative(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(
                db, "SELECT (SELECT count(*) FROM Exercise_Master) + (SELECT count(*) FROM RaceLog)", -1, &st,
                nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            n = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return n;
}

// The version a Trainbook file was at, read from its header (user_version, bytes 60 to 63);
// -1 when it cannot be read.
int versionOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(64);
    if (header.size() < 64)
        return -1;
    const auto* b = reinterpret_cast<const unsigned char*>(header.constData() + 60);
    return int((quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | quint32(b[3]));
}

// Makes `to` a second name of the file `from` (or, where the file system has no such names, a
// copy of it written to the disk), so that `from` can be replaced while `to` keeps what it held.
bool keepAside(const QString& from, const QString& to) {
    const QByteArray source = FilePath::toNative(from), target = FilePath::toNative(to);
    if (::link(source.constData(), target.constData()) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    const int in = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const int out = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    char buffer[1 << 16];
    while (ok) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = ::write(out, buffer, size_t(n)) == n;
    }
    ok = ok && ::fsync(out) == 0;
    ::close(in);
    if (out >= 0) {
        ::close(out);
        if (!ok)
            ::unlink(target.constData());
    }
    return ok;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(FilePath::toNative(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Files that a restore set aside beside the database.
bool hasDamagedFiles(const QString& absolute) {
    const QString folder = FilePath::folder(absolute);
    const QString name = absolute.mid(folder.size() + 1);
    return !QDir(FilePath::shown(folder))
                .entryList({name + QStringLiteral(".damaged-*")}, QDir::Files)
                .isEmpty();
}

} // namespace

QString backupFolder(const QString& databasePath) {
    return FilePath::folder(FilePath::absolute(databasePath)) + QStringLiteral("/backups");
}

QStringList copies(const QString& path) {
    const QString folder = backupFolder(path);
    const QRegularExpression name(
        QStringLiteral("^%1-(\\d{4}-\\d{2}-\\d{2})(?:-before-version-\\d+-(\\d{6}))?\\.db$")
            .arg(QRegularExpression::escape(baseName(FilePath::absolute(path)))));
    struct Copy {
        QString key;
        QString path;
    };
    std::vector<Copy> found;
    for (const QString& file : QDir(folder).entryList(QDir::Files)) {
        const auto m = name.match(file);
        if (m.hasMatch())
            found.push_back({m.captured(1) + (m.captured(2).isEmpty() ? QStringLiteral("-999999")
                                                                      : QLatin1Char('-') + m.captured(2)),
                             folder + QLatin1Char('/') + file});
    }
    std::sort(found.begin(), found.end(), [](const Copy& a, const Copy& b) { return a.key > b.key; });
    QStringList out;
    for (const Copy& c : found)
        out << c.path;
    return out;
}

namespace {
QString todaysCopy(const QString& absolute) {
    return backupFolder(absolute) +
           QStringLiteral("/%1-%2.db")
               .arg(baseName(absolute), Clock::today().toString(QStringLiteral("yyyy-MM-dd")));
}
} // namespace

QString keepDailyCopy(const QString& path, StopFlag* stop) {
    const QString absolute = FilePath::absolute(path);
    const QString folder = backupFolder(absolute);
    const QString base = baseName(absolute);
    const QString today = todaysCopy(absolute);
    if (FilePath::kind(today) == FilePath::Kind::Missing) {
        ensureFolder(folder);
        copyTo(absolute, today, stop);
    }
    // Only the daily copies rotate; a copy made before an update is kept.
    const QRegularExpression daily(
        QStringLiteral("^%1-\\d{4}-\\d{2}-\\d{2}\\.db$").arg(QRegularExpression::escape(base)));
    QStringList dailies = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::Reversed).filter(daily);
    if (dailies.size() <= DailyCopies)
        return today;
    // A diary that holds fewer workouts than an older copy (emptied, or made anew after a
    // loss) must not push the last copy that has them out of the folder: while none of the
    // copies kept holds more than the diary, the newest of the older ones that does stays.
    const auto pathOf = [&](const QString& name) { return folder + QLatin1Char('/') + name; };
    const qint64 inDiary = workoutsIn(absolute);
    bool keptHasMore = false;
    for (qsizetype i = 0; i < DailyCopies && !keptHasMore; ++i)
        keptHasMore = workoutsIn(pathOf(dailies.at(i))) > inDiary;
    for (qsizetype i = DailyCopies; i < dailies.size(); ++i) {
        if (!keptHasMore && workoutsIn(pathOf(dailies.at(i))) > inDiary) {
            keptHasMore = true;
            continue;
        }
        QFile::remove(pathOf(dailies.at(i)));
    }
    return today;
}

QString copyBeforeUpdate(const QString& path, int version) {
    // The copy is named after the version the file is brought to, whatever it was at.
    const QString absolute = FilePath::absolute(path);
    const QString folder = backupFolder(absolute);
    ensureFolder(folder);
    const QString target =
        folder + QStringLiteral("/%1-%2-before-version-%3-%4.db")
                     .arg(baseName(absolute), Clock::today().toString(QStringLiteral("yyyy-MM-dd")))
                     .arg(Schema::Version)
                     .arg(QDateTime::currentDateTime().toString(QStringLiteral("HHmmss")));
    const QStringList earlier = copies(absolute).filter(QStringLiteral("-before-version-"));
    copyTo(absolute, target);
    // One copy per version the file was at is enough: a file that fails its update at every
    // start would otherwise leave a new full copy each time. The newest stays.
    for (const QString& copy : earlier)
        if (copy != target && versionOf(copy) == version)
            QFile::remove(copy);
    return target;
}

QString restore(const QString& path, const QString& backup) {
    const QString absolute = FilePath::absolute(path);
    const QString aside = absolute + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (FilePath::kind(aside) != FilePath::Kind::Missing)
        throw DbError(QStringLiteral("'%1' already exists.").arg(FilePath::shown(aside)));
    // The damaged file gets a second name first; the copy then replaces the first name in one
    // rename. At every moment the database's name holds the damaged file or the copy, so a
    // crash or a kill in between never leaves the program without its diary.
    const bool present = FilePath::kind(absolute) == FilePath::Kind::File;
    if (present) {
        if (!keepAside(absolute, aside))
            throw DbError(QStringLiteral("Could not keep '%1' as '%2': %3")
                              .arg(FilePath::shown(absolute), FilePath::shown(aside),
                                   QString::fromLocal8Bit(std::strerror(errno))));
        syncFolder(FilePath::folder(absolute));
    }
    // A journal left by the damaged file belongs to it, not to the copy put in its place.
    const QString journal = absolute + QStringLiteral("-journal");
    const QString asideJournal = aside + QStringLiteral("-journal");
    const auto move = [](const QString& from, const QString& to) {
        return std::rename(FilePath::toNative(from).constData(), FilePath::toNative(to).constData()) == 0;
    };
    const bool movedJournal =
        FilePath::kind(journal) != FilePath::Kind::Missing && move(journal, asideJournal);
    try {
        copyTo(backup, absolute);
    } catch (const DbError&) {
        // The damaged file is still in place: it takes its journal back, and the second name
        // goes.
        if (movedJournal)
            move(asideJournal, journal);
        if (present)
            ::unlink(FilePath::toNative(aside).constData());
        throw;
    }
    DatabaseFile::policy().refuseWrites(absolute, QString());
    return present ? aside : QString();
}

namespace {

// A damaged file: nothing more is written to it, and the newest copy that passes its checks
// is offered in its place.
void refuseDamaged(const QString& path, Result& result, StopFlag* stop) {
    DatabaseFile::policy().refuseWrites(path,
                                        result.message + QStringLiteral(" The change cannot be saved."));
    for (const QString& copy : copies(path))
        if (isGoodCopy(copy, stop)) {
            result.newestBackup = copy;
            break;
        }
}

} // namespace

Result open(const QString& path) {
    Result result;
    const QString absolute = FilePath::absolute(path);
    const QString name = absolute.mid(FilePath::folder(absolute).size() + 1);
    const QString base = baseName(absolute);
    // What killed copies left behind: a restore's beside the database, daily and pre-update
    // copies' in the backups folder.
    Backup::removeStaleTemporaries(FilePath::folder(absolute), [&](const QString& n) { return n == name; });
    Backup::removeStaleTemporaries(backupFolder(absolute), [&](const QString& n) {
        return n.startsWith(base + QLatin1Char('-')) && n.endsWith(QLatin1String(".db"));
    });
    if (!DatabaseFile(path).exists() && (hasDamagedFiles(absolute) || !copies(path).isEmpty())) {
        // A diary that was lost is never silently replaced by an empty one: its copies are
        // offered as for a damaged file.
        result.state = State::Damaged;
        result.message =
            QStringLiteral("'%1' is missing, but copies of it are kept.").arg(FilePath::shown(absolute));
        for (const QString& copy : copies(path))
            if (isGoodCopy(copy, nullptr)) {
                result.newestBackup = copy;
                break;
            }
        return result;
    }
    if (!DatabaseFile(path).exists()) {
        try {
            DatabaseFile(path).create();
            result.state = State::Created;
        } catch (const DbError& e) {
            result.state = State::Refused;
            result.message = e.description();
        }
        return result;
    }
    try {
        result.connection = DatabaseFile(path).open();
    } catch (const DbError& e) {
        result.state = looksDamaged(e.description()) ? State::Damaged : State::Refused;
        result.message = e.description();
        // A file whose header is damaged no longer reads as a Trainbook database; with copies
        // of it beside it, it is treated as damaged, so that a copy is offered.
        if (e.description().contains(QLatin1String("is not a Trainbook database")) && !copies(path).isEmpty())
            result.state = State::Damaged;
    }
    if (result.state == State::Damaged)
        refuseDamaged(path, result, nullptr);
    return result;
}

Result checkContents(const QString& path, StopFlag* stop) {
    Result result;
    bool readOnly = false;
    try {
        auto connection = DatabaseFile(path).open();
        readOnly = connection->isReadOnly();
        // On the day's first start the copy comes first. Its integrity check reads the same
        // pages as the quick check of the file would, and checks more, so the file is read a
        // second time only when the copy fails: to tell damage from a copy not made.
        if (!readOnly && FilePath::kind(todaysCopy(FilePath::absolute(path))) == FilePath::Kind::Missing) {
            const bool hadFolder = FilePath::kind(backupFolder(path)) == FilePath::Kind::Folder;
            try {
                keepDailyCopy(path, stop);
                return stop && stop->stopped() ? Result() : result;
            } catch (const DbError& e) {
                result.warning = e.description();
                // A failed copy leaves no folder of its own behind: nothing is written
                // beside a file that may turn out damaged.
                if (!hadFolder)
                    QDir().rmdir(backupFolder(path));
            }
        }
        const QString check = quickCheck(*connection, stop);
        if (check != QLatin1String("ok")) {
            result.state = State::Damaged;
            result.message =
                QStringLiteral("'%1' is damaged (%2).").arg(FilePath::shown(FilePath::absolute(path)), check);
        }
    } catch (const DbError& e) {
        result.state = looksDamaged(e.description()) ? State::Damaged : State::Refused;
        result.message = e.description();
    }
    if (stop && stop->stopped())
        return Result();
    if (result.state == State::Damaged) {
        result.warning.clear();
        refuseDamaged(path, result, stop);
        return result;
    }
    if (result.state == State::Ready && !readOnly && result.warning.isEmpty()) {
        try {
            keepDailyCopy(path, stop);
        } catch (const DbError& e) {
            result.warning = e.description();
        }
    }
    return result;
}

Result check(const QString& path) {
    const Result opened = open(path);
    return opened.state == State::Ready ? checkContents(path) : opened;
}

} // namespace Startup
