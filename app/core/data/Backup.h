#pragma once

#include "DbError.h"

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

class Connection;
class StopFlag;

// A failed backup. The code is the operating system's error number for a file-system failure
// (2: no such file or directory, 13: permission denied, ...), or the engine's result code for
// a failure while copying or checking; 22 (invalid argument) for a target that is refused
// before anything is written (none named, or the database itself).
class BackupError : public DbError {
  public:
    BackupError(int code, const QString& description) : DbError(description), m_code(code) {}
    int code() const { return m_code; }

  private:
    int m_code;
};

// Verified copies of a Trainbook database.
namespace Backup {

// Copies the database at `sourcePath` to `targetPath` while other connections may be using it.
// The copy is one consistent snapshot (each write of another connection is in it whole or not
// at all). It is written to a temporary file beside the target, checked (the engine's
// integrity check, and the same number of rows in every table as the source had in the
// snapshot), and only then renamed over the target, so a failed backup leaves an older target
// as it was. Returns the number of rows copied, all tables together.
//
// Refused: an empty target, a target folder that does not exist, a read-only target file, and
// every target that targetRefusal(targetPath, sourcePath) refuses. Throws BackupError with a
// plain description naming the file.
//
// A `stop` requested meanwhile (from any thread) ends the copy soon with BackupError
// (SQLITE_INTERRUPT), leaving nothing under the target's name.
qint64 copyVerified(const QString& sourcePath, const QString& targetPath, StopFlag* stop = nullptr);

// The same for the program's own copies (daily, before an update, a restore): the target may
// be one of the database's own copies, which is replaced.
qint64 copyOwn(const QString& sourcePath, const QString& targetPath, StopFlag* stop = nullptr);

// True when `target` is the diary at `database`, its journal, one of its copies in the backups
// folder, a damaged file that a restore kept beside it, or a link to any of them.
bool isDiaryOrCopy(const QString& target, const QString& database);

// Why no export, backup or copy may write `target` while `database` is the diary: it is one of
// the files isDiaryOrCopy names, or it exists and is not a regular file (a folder, a pipe, a
// device). "" when it may be written. Every writer of a file that a person names asks this
// before it writes anything.
QString targetRefusal(const QString& target, const QString& database);

// Removes the temporary files that a killed copy left in `folder`: hidden files named
// ".<name>.XXXXXX" (and their journals) for a <name> that `ours` accepts, last changed before
// this process started, so that a copy still being written by another process is left alone.
void removeStaleTemporaries(const QString& folder, const std::function<bool(const QString& name)>& ours);

// The rows of every table of the database, in table-name order. Throws DbError.
QList<QPair<QString, qint64>> tableRowCounts(Connection& connection);

} // namespace Backup
