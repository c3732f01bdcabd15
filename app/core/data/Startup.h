#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class Connection;
class StopFlag;

// What the program does with its database file at start: create it when it is missing, check
// it (the tables, the engine's quick check), keep a daily copy, and find a good copy to offer
// when the file is damaged. No widgets: the program and the tests call it alike, and the
// program shows the result.
//
// The work is in two parts. open() runs before the main window: it reads only the file's
// header and table list, so its time does not grow with the diary. checkContents() reads the
// whole file and runs after the window is shown, on a thread of its own.
namespace Startup {

enum class State {
    Ready,   // opened and checked; today's copy kept
    Created, // there was no file: a new empty database was made
    Refused, // cannot be used (not a Trainbook database, locked, newer, unreadable...)
    Damaged, // a Trainbook database that fails its checks, or one that is missing while
             // copies of it (or a damaged file set aside by a restore) are there
};

struct Result {
    State state = State::Ready;
    QString message;      // why it was refused or is damaged, naming the file; empty when Ready
    QString newestBackup; // Damaged: the newest copy in the backups folder that passes its checks
    QString warning;      // Ready: today's copy could not be made (the program still starts)
    // open(), Ready: the connection it opened, for the program's first reads (each new
    // connection parses the schema again).
    std::shared_ptr<Connection> connection;
};

// How many daily copies are kept in the backups folder.
constexpr int DailyCopies = 7;

// The folder beside the database that holds its copies: "<folder>/backups".
QString backupFolder(const QString& databasePath);

// Checks the database at `path` as start-up does: open(), then checkContents() when it is
// Ready. Writes nothing to a file that is refused or damaged. Before an older file is migrated,
// a copy of it is made in the backups folder. Temporary files that killed copies left beside
// the database and in the backups folder are removed first.
Result check(const QString& path);

// Creates a missing file, or opens the file as every connection does: refused when it is not
// a Trainbook database, newer, or cannot be opened; migrated when older, after a copy of it
// is made in the backups folder. A file found damaged while opening gets its writes refused
// and the newest good copy looked up. Ready means that checkContents() is still to run.
Result open(const QString& path);

// The checks that read the whole file, for a file open() found Ready: the engine's quick
// check, then today's copy (when the file may be written). Damage refuses every write from
// then on and looks up the newest good copy. Safe on any thread (it uses connections of its
// own). Once `stop` is requested it ends soon, leaving no copy half made; its result is then
// meaningless.
Result checkContents(const QString& path, StopFlag* stop = nullptr);

// Makes today's copy of the database unless there is one, and removes the daily copies older
// than the newest DailyCopies, except the newest copy that holds more workouts than the
// database while none of the kept ones does. Returns the copy's path. Throws DbError, also when
// `stop` ends the copy.
QString keepDailyCopy(const QString& path, StopFlag* stop = nullptr);

// Every copy of the database in its backups folder, newest first (daily and pre-update ones).
QStringList copies(const QString& path);

// Puts `backup` in place of the damaged (or missing) database at `path`. The damaged file is
// kept beside it under a new name, which is returned ("" when there was none); nothing is
// deleted. The copy replaces the file in one rename, so the name holds either the damaged file
// or the copy at every moment. If the copy cannot be made, the damaged file stays. Throws DbError.
QString restore(const QString& path, const QString& backup);

// Makes the copy that precedes a migration of `path` from `version`, and removes an earlier
// such copy of the same version. Throws DbError.
QString copyBeforeUpdate(const QString& path, int version);

} // namespace Startup
