#pragma once

#include <QHash>
#include <QString>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

class Connection;
struct sqlite3;

// What this process allows its connections to do with database files, in one object: which
// files refuse writes and why, what runs before an older file is migrated, how long a
// statement waits for another program's lock, who hears of writes, and on which threads an
// older file is taken as it is. The process has one, owned by DatabaseFile (policy()); every
// connection keeps a reference to the policy it was opened under. Safe on any thread.
class DatabasePolicy {
  public:
    // From now on, connections to the file at `path` open for reading only, and every write
    // fails with `reason`, on connections already open too. Start-up calls it for a damaged
    // file that was not replaced by a copy. An empty reason lifts the refusal.
    void refuseWrites(const QString& path, const QString& reason);
    // Why writes to the file at `absolutePath` are refused; empty when they are not.
    QString writeRefusal(const QString& absolutePath) const;

    // Runs before an older file is migrated, with the file's absolute path and version;
    // throwing DbError keeps the file as it is. By default (and after setting an empty
    // function) it is Startup::copyBeforeUpdate, a copy in the backups folder.
    void setBeforeMigration(std::function<void(const QString& file, int version)> guard);
    void beforeMigration(const QString& file, int version) const;

    // How long a statement waits for another program's lock before it fails (5 s). Tests
    // shorten it so that a locked file fails at once. Taken by connections opened afterwards.
    void setBusyTimeout(int ms) { m_busyMs.store(ms); }
    int busyTimeout() const { return m_busyMs.load(); }

    // Calls `listener` after every write made through a connection under this policy: after
    // a write statement outside a transaction, and after the commit of a transaction that
    // wrote. The listener must not read the database from inside the call. Returns the
    // number that removeWriteListener takes.
    int addWriteListener(std::function<void()> listener);
    void removeWriteListener(int id);
    void tellWriteListeners() const;

    // While one lives on this thread, opening takes an older file as it is: no migration and
    // no check of its tables. For copying a file before it is migrated (the copy opens it too).
    class AsItIs {
      public:
        explicit AsItIs(DatabasePolicy& policy);
        ~AsItIs();
        AsItIs(const AsItIs&) = delete;
        AsItIs& operator=(const AsItIs&) = delete;

      private:
        DatabasePolicy& m_policy;
    };
    // True while an AsItIs lives on the calling thread.
    bool takesAsItIs() const;

  private:
    mutable std::mutex m_mutex;        // guards everything below but the busy timeout
    QHash<QString, QString> m_refused; // absolute path -> reason
    std::function<void(const QString&, int)> m_beforeMigration;
    std::atomic<int> m_busyMs{5000};
    int m_lastListener = 0;
    std::vector<std::pair<int, std::function<void()>>> m_listeners;
    std::map<std::thread::id, int> m_asItIs; // live AsItIs objects per thread
};

// One database file as the program uses it: vetting the name and the file, deciding whether
// it opens read-only, opening it, refusing what is not a Trainbook database of a version this
// program reads, migrating an older version (after the policy's copy), checking its tables,
// and creating a new one. The connection it hands out runs statements (Connection.h).
class DatabaseFile {
  public:
    // The file at `path`, resolved against the working directory.
    explicit DatabaseFile(QString path, DatabasePolicy& policy = DatabaseFile::policy());

    // The policy of this process.
    static DatabasePolicy& policy();

    // True when something is at the path; false when nothing is. Something that cannot be
    // followed (a loop of links) is there too: it is never created anew, and opening it says
    // what is wrong.
    bool exists() const;

    // Opens an existing Trainbook database read-write, or read-only when the file or its
    // folder cannot be written or the policy refuses its writes. Never creates a file.
    // Migrates a file of an older version, and checks that every table and column is there.
    // Throws DbError naming the file when it is missing, unreadable, not a database, not a
    // Trainbook database, damaged, newer or locked.
    std::unique_ptr<Connection> open() const;

    // Creates a new database with the empty tables. Throws DbError naming the absolute path
    // if anything exists there or the name is not a file name (empty, ":memory:").
    void create() const;

  private:
    void vetAndMigrate(Connection& connection) const;
    static int pragmaInt(sqlite3* db, const char* sql);

    QString m_path; // as given
    DatabasePolicy& m_policy;
};
