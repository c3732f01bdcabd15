#pragma once

#include "DbError.h"

#include <QList>
#include <QPair>
#include <QString>

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
// Refused: an empty target, a target folder that does not exist, a target that is a folder,
// a read-only target file, and a target that is the source database itself. Throws
// BackupError with a plain description.
//
// A `stop` requested meanwhile (from any thread) ends the copy soon with BackupError
// (SQLITE_INTERRUPT), leaving nothing under the target's name.
qint64 copyVerified(const QString& sourcePath, const QString& targetPath, StopFlag* stop = nullptr);

// Whether `target` names the database at `database` itself (the same file, however written:
// a relative path, a link). The backup window asks this before it asks to copy, so that a
// copy that would be refused is not first confirmed.
bool isDatabaseItself(const QString& target, const QString& database);

// The rows of every table of the database, in table-name order. Throws DbError.
QList<QPair<QString, qint64>> tableRowCounts(Connection& connection);

} // namespace Backup
