#include "Backup.h"

#include "Connection.h"
#include "FilePath.h"
#include "Startup.h"
#include "StopFlag.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Counts = QList<QPair<QString, qint64>>;

[[noreturn]] void failEngine(sqlite3* db, const QString& context) {
    const int code = db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("Out of memory");
    throw BackupError(code, context + message);
}

[[noreturn]] void failSystem(int error, const QString& context) {
    throw BackupError(error, context + QString::fromLocal8Bit(std::strerror(error)));
}

void execRaw(sqlite3* db, const char* sql, const QString& context) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        failEngine(db, context);
}

// `shown` names the file in a message.
Counts rowCounts(sqlite3* db, const QString& shown) {
    const QString context = QStringLiteral("Could not count the rows of '%1': ").arg(shown);
    Counts counts;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT name FROM sqlite_schema WHERE type = 'table' "
                           "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name",
                           -1, &st, nullptr) != SQLITE_OK)
        failEngine(db, context);
    QStringList tables;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        failEngine(db, context);

    for (const QString& table : tables) {
        const QByteArray sql = QStringLiteral("SELECT count(*) FROM \"%1\"")
                                   .arg(QString(table).replace(QLatin1Char('"'), QLatin1String("\"\"")))
                                   .toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
            failEngine(db, context);
        rc = sqlite3_step(st);
        const qint64 n = rc == SQLITE_ROW ? sqlite3_column_int64(st, 0) : 0;
        sqlite3_finalize(st);
        if (rc != SQLITE_ROW)
            failEngine(db, context);
        counts.append({table, n});
    }
    return counts;
}

// "ok", or the first problem the engine's integrity check names.
QString integrity(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check(1)", -1, &st, nullptr) != SQLITE_OK)
        failEngine(db, QStringLiteral("Could not check the copy: "));
    QString result;
    if (sqlite3_step(st) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return result;
}

// Removes the temporary copy (and a journal the engine may have left beside it) unless the
// copy has been renamed into place.
struct TemporaryCopy {
    QByteArray path;
    bool kept = false;
    ~TemporaryCopy() {
        if (kept || path.isEmpty())
            return;
        ::unlink(path.constData());
        ::unlink((path + "-journal").constData());
    }
};

using Handle = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

// Makes a rename in `folder` durable: the directory entry itself is flushed.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// When this process started, in whole seconds: a temporary file last changed before it
// cannot belong to a copy that this process is making.
const std::time_t processStart = std::time(nullptr);

struct FileId {
    dev_t device;
    ino_t inode;
    bool operator==(const FileId&) const = default;
};

// The file a path leads to, links followed; nothing when there is none.
std::optional<FileId> fileId(const QString& path) {
    struct stat info {};
    if (::stat(FilePath::toNative(path).constData(), &info) != 0)
        return std::nullopt;
    return FileId{info.st_dev, info.st_ino};
}

// What `target` is among the diary's own files, as a message names it; "" when none.
QString diaryRole(const QString& target, const QString& database) {
    const std::optional<FileId> id = fileId(target);
    if (!id || database.isEmpty())
        return QString();
    const QString diary = FilePath::absolute(database);
    if (fileId(diary) == id)
        return QStringLiteral("the database itself");
    if (fileId(diary + QStringLiteral("-journal")) == id)
        return QStringLiteral("the database's journal");
    for (const QString& copy : Startup::copies(diary))
        if (fileId(copy) == id)
            return QStringLiteral("one of the database's own copies");
    const QString folder = FilePath::folder(diary);
    const QString damaged = diary.mid(folder.size() + 1) + QStringLiteral(".damaged-");
    for (const QString& name :
         QDir(FilePath::shown(folder)).entryList({damaged + QLatin1Char('*')}, QDir::Files))
        if (fileId(folder + QLatin1Char('/') + name) == id)
            return QStringLiteral("a damaged database kept by a restore");
    return QString();
}

} // namespace

bool Backup::isDiaryOrCopy(const QString& target, const QString& database) {
    return !diaryRole(target, database).isEmpty();
}

QString Backup::targetRefusal(const QString& target, const QString& database) {
    const QString shown = FilePath::shown(FilePath::absolute(target));
    const QString role = diaryRole(target, database);
    if (!role.isEmpty())
        return QStringLiteral("'%1' is %2; choose another file to write to.").arg(shown, role);
    switch (FilePath::kind(target)) {
    case FilePath::Kind::Folder:
        return QStringLiteral("'%1' is a folder; choose a file name in it.").arg(shown);
    case FilePath::Kind::Other:
        return QStringLiteral("'%1' is not a regular file; choose another file to write to.").arg(shown);
    default:
        return QString();
    }
}

namespace {

// The file a temporary copy is made for, from the copy's name: ".<file>.<six letters or
// digits>", or that with "-journal" after it. Empty for any other name. Read by hand: the
// folder is looked through at every start, and compiling a pattern for it cost more than the
// rest of the look.
QString temporaryCopyOf(QStringView name) {
    if (name.endsWith(u"-journal"))
        name.chop(8);
    if (name.size() < 9 || !name.startsWith(u'.') || name.at(name.size() - 7) != u'.' || name.contains(u'\n'))
        return QString();
    for (const QChar c : name.last(6))
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return QString();
    return name.sliced(1, name.size() - 8).toString();
}

} // namespace

void Backup::removeStaleTemporaries(const QString& folder, const std::function<bool(const QString&)>& ours) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString file = temporaryCopyOf(name);
        if (file.isEmpty() || !ours(file))
            continue;
        const QByteArray path = FilePath::toNative(folder + QLatin1Char('/') + name);
        struct stat info {};
        if (::lstat(path.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_mtime < processStart)
            ::unlink(path.constData());
    }
}

QList<QPair<QString, qint64>> Backup::tableRowCounts(Connection& connection) {
    try {
        return rowCounts(connection.handle(), connection.path());
    } catch (const BackupError& e) {
        throw DbError(e.description());
    }
}

namespace {

qint64 copyFile(const QString& sourcePath, const QString& targetPath, bool checkTarget, StopFlag* stop) {
    using namespace Backup;
    if (targetPath.trimmed().isEmpty())
        throw BackupError(EINVAL, QStringLiteral("No file was named to copy the database to."));
    const QFileInfo source(sourcePath);
    const QFileInfo target(targetPath);
    const QString shownSource = FilePath::shown(FilePath::absolute(sourcePath));
    const QString shownTarget = target.absoluteFilePath();
    const QString folder = target.absolutePath();

    if (FilePath::kind(sourcePath) == FilePath::Kind::Missing) {
        const QString problem = FilePath::problem(sourcePath);
        if (problem.isEmpty())
            throw BackupError(ENOENT, QStringLiteral("Could not find file '%1'.").arg(shownSource));
        throw BackupError(ENOENT, QStringLiteral("Could not open '%1': %2").arg(shownSource, problem));
    }
    if (!QFileInfo(folder).isDir())
        throw BackupError(ENOENT, QStringLiteral("The folder '%1' does not exist.").arg(folder));
    // Nothing is written over the database or one of its own copies, through a link either,
    // nor over anything that is not a regular file (renaming over a device or a pipe would
    // replace it with a plain file).
    const QString refusal = checkTarget ? targetRefusal(targetPath, sourcePath) : QString();
    if (!refusal.isEmpty())
        throw BackupError(target.isDir() ? EISDIR : EINVAL, refusal);
    if (target.exists()) {
        // A file marked read-only was protected on purpose: it is not replaced. The mode bits
        // are read directly, so that this holds for every account, the administrator's too.
        struct stat info {};
        if (::stat(QFile::encodeName(shownTarget).constData(), &info) == 0 &&
            !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
            throw BackupError(EACCES,
                              QStringLiteral("'%1' is read-only; it was not replaced.").arg(shownTarget));
    }
    removeStaleTemporaries(folder, [&](const QString& name) { return name == target.fileName(); });

    // Opening proves the source is a Trainbook database.
    std::unique_ptr<Connection> connection;
    try {
        connection = Connection::open(sourcePath);
    } catch (const DbError& e) {
        throw BackupError(SQLITE_CANTOPEN, e.description());
    }
    sqlite3* src = connection->handle();
    const StopFlag::Watch watchSource(stop, src);
    const auto stopRequested = [stop] {
        if (stop && stop->stopped())
            throw BackupError(SQLITE_INTERRUPT, QStringLiteral("The copy was stopped."));
    };

    // The copy is made beside the target, so that the final rename stays on one file system
    // and is atomic.
    TemporaryCopy temporary;
    temporary.path =
        QFile::encodeName(folder + QLatin1String("/.") + target.fileName() + QLatin1String(".XXXXXX"));
    const int fd = ::mkstemp(temporary.path.data());
    if (fd < 0) {
        const int error = errno;
        temporary.path.clear();
        failSystem(error, QStringLiteral("Could not write in '%1': ").arg(folder));
    }
    ::close(fd);

    sqlite3* rawDest = nullptr;
    const int openRc = sqlite3_open_v2(temporary.path.constData(), &rawDest, SQLITE_OPEN_READWRITE, nullptr);
    Handle dest(rawDest, sqlite3_close);
    if (openRc != SQLITE_OK)
        failEngine(rawDest, QStringLiteral("Could not write the copy: "));
    execRaw(dest.get(), "PRAGMA synchronous = FULL", QStringLiteral("Could not write the copy: "));
    // Ends before the copy's connection closes: a closed connection is never interrupted.
    std::optional<StopFlag::Watch> watchCopy;
    watchCopy.emplace(stop, dest.get());

    // One read transaction on the source holds the snapshot that is both counted and copied:
    // writes of other connections land wholly before it or wholly after it.
    Counts expected;
    {
        execRaw(src, "BEGIN DEFERRED", QStringLiteral("Could not read the database: "));
        struct EndRead {
            sqlite3* db;
            ~EndRead() { sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); }
        } endRead{src};
        expected = rowCounts(src, shownSource);

        sqlite3_backup* copy = sqlite3_backup_init(dest.get(), "main", src, "main");
        if (!copy)
            failEngine(dest.get(), QStringLiteral("Could not copy the database: "));
        // In steps of 4 MB (at the usual page size), so that a stop is seen between two.
        int rc;
        int waits = 0;
        do {
            rc = sqlite3_backup_step(copy, 1024);
            if (rc == SQLITE_OK && stop && stop->stopped()) {
                rc = SQLITE_INTERRUPT;
                break;
            }
            if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waits++ < 250)
                sqlite3_sleep(20);
            else if (rc != SQLITE_OK)
                break;
        } while (true);
        const int finishRc = sqlite3_backup_finish(copy);
        if (rc != SQLITE_DONE)
            throw BackupError(rc, QStringLiteral("Could not copy the database: ") +
                                      QString::fromUtf8(sqlite3_errstr(rc)));
        if (finishRc != SQLITE_OK)
            failEngine(dest.get(), QStringLiteral("Could not copy the database: "));
    }

    stopRequested();
    QString check = integrity(dest.get());
    stopRequested();
    if (check != QLatin1String("ok"))
        throw BackupError(SQLITE_CORRUPT,
                          QStringLiteral("'%1' is damaged: its copy fails the integrity check (%2).")
                              .arg(shownSource, check.remove(QStringLiteral("*** in database main ***\n"))));
    const Counts copied = rowCounts(dest.get(), FilePath::shown(QFile::decodeName(temporary.path)));
    stopRequested();
    if (copied != expected)
        throw BackupError(SQLITE_MISMATCH,
                          QStringLiteral("The copy does not hold the same rows as the database."));
    watchCopy.reset();
    if (sqlite3_close(dest.release()) != SQLITE_OK)
        throw BackupError(SQLITE_IOERR, QStringLiteral("Could not finish writing the copy."));

    // The backup gets the database's own permissions, and stays writable by its owner so
    // that the next backup may replace it.
    QFile::setPermissions(QFile::decodeName(temporary.path),
                          source.permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    if (::rename(temporary.path.constData(), QFile::encodeName(shownTarget).constData()) != 0)
        failSystem(errno, QStringLiteral("Could not replace '%1': ").arg(shownTarget));
    temporary.kept = true;
    syncFolder(folder);

    qint64 rows = 0;
    for (const auto& table : expected)
        rows += table.second;
    return rows;
}

} // namespace

qint64 Backup::copyVerified(const QString& sourcePath, const QString& targetPath, StopFlag* stop) {
    return copyFile(sourcePath, targetPath, true, stop);
}

qint64 Backup::copyOwn(const QString& sourcePath, const QString& targetPath, StopFlag* stop) {
    return copyFile(sourcePath, targetPath, false, stop);
}
