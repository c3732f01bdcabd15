#include "Startup.h"

#include "Backup.h"
#include "Clock.h"
#include "Connection.h"
#include "DbError.h"
#include "FilePath.h"
#include "Schema.h"
#include "StopFlag.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <sys/stat.h>

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
        Connection::AsItIs asItIs;
        auto connection = Connection::open(copy);
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
        Connection::AsItIs asItIs;
        Backup::copyVerified(path, target, stop);
    } catch (const DbError& e) {
        throw DbError(QStringLiteral("Could not copy the database to '%1': %2")
                          .arg(FilePath::shown(target), e.description()));
    }
    return target;
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
    for (qsizetype i = DailyCopies; i < dailies.size(); ++i)
        QFile::remove(folder + QLatin1Char('/') + dailies.at(i));
    return today;
}

QString copyBeforeUpdate(const QString& path, int version) {
    // The copy is named after the version the file is brought to, whatever it was at.
    Q_UNUSED(version);
    const QString absolute = FilePath::absolute(path);
    const QString folder = backupFolder(absolute);
    ensureFolder(folder);
    const QString target =
        folder + QStringLiteral("/%1-%2-before-version-%3-%4.db")
                     .arg(baseName(absolute), Clock::today().toString(QStringLiteral("yyyy-MM-dd")))
                     .arg(Schema::Version)
                     .arg(QDateTime::currentDateTime().toString(QStringLiteral("HHmmss")));
    return copyTo(absolute, target);
}

QString restore(const QString& path, const QString& backup) {
    const QString absolute = FilePath::absolute(path);
    const QString aside = absolute + QStringLiteral(".damaged-") +
                          QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (FilePath::kind(aside) != FilePath::Kind::Missing)
        throw DbError(QStringLiteral("'%1' already exists.").arg(FilePath::shown(aside)));
    const auto move = [](const QString& from, const QString& to) {
        return std::rename(FilePath::toNative(from).constData(), FilePath::toNative(to).constData()) == 0;
    };
    if (!move(absolute, aside))
        throw DbError(QStringLiteral("Could not rename '%1'.").arg(FilePath::shown(absolute)));
    // A journal left by the damaged file belongs to it, not to the copy put in its place.
    const QString journal = absolute + QStringLiteral("-journal");
    if (FilePath::kind(journal) != FilePath::Kind::Missing)
        move(journal, aside + QStringLiteral("-journal"));
    try {
        copyTo(backup, absolute);
        Connection::refuseWrites(absolute, QString());
    } catch (const DbError&) {
        move(aside, absolute);
        if (FilePath::kind(aside + QStringLiteral("-journal")) != FilePath::Kind::Missing)
            move(aside + QStringLiteral("-journal"), journal);
        throw;
    }
    return aside;
}

namespace {

// A damaged file: nothing more is written to it, and the newest copy that passes its checks
// is offered in its place.
void refuseDamaged(const QString& path, Result& result, StopFlag* stop) {
    Connection::refuseWrites(path, result.message + QStringLiteral(" The change cannot be saved."));
    for (const QString& copy : copies(path))
        if (isGoodCopy(copy, stop)) {
            result.newestBackup = copy;
            break;
        }
}

} // namespace

Result open(const QString& path) {
    Result result;
    if (!Connection::exists(path)) {
        try {
            Connection::create(path);
            result.state = State::Created;
        } catch (const DbError& e) {
            result.state = State::Refused;
            result.message = e.description();
        }
        return result;
    }
    try {
        Connection::open(path);
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
        auto connection = Connection::open(path);
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
