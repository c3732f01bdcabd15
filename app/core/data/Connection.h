#pragma once

#include <QAnyStringView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "Schema.h"
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class ResultSet;

// An open connection to one Trainbook database file. Statements are given in the
// program's SQL dialect and translated on the way in. Closes itself when destroyed.
class Connection {
  public:
    // Opens an existing Trainbook database read-write, or read-only when the file or its folder
    // cannot be written. Never creates a file. Migrates a file of an older version, and checks
    // that every table and column is there. Throws DbError naming the file when it is missing,
    // unreadable, not a database, not a Trainbook database, damaged, newer or locked.
    static std::unique_ptr<Connection> open(const QString& path);

    // Creates a new database with the empty tables. Throws DbError naming the absolute path if
    // anything exists there or the name is not a file name (empty, ":memory:").
    static void create(const QString& path);

    // True when `path` exists; false when it does not. Used by start-up to decide on creation.
    static bool exists(const QString& path);

    // Runs before an older file is migrated to the current version, with the file's absolute
    // path and version; throwing DbError keeps the file as it is. By default (and after
    // setting an empty function) it is Startup::copyBeforeUpdate, a copy in the backups folder.
    static void setBeforeMigration(std::function<void(const QString& file, int version)> guard);

    // From now on in this process, connections to the file at `path` open for reading only,
    // and every write fails with `reason`, on connections already open too. Start-up calls it
    // for a damaged file that was not replaced by a copy, so that nothing more is written to
    // it. May be called from any thread; an empty reason lifts the refusal.
    static void refuseWrites(const QString& path, const QString& reason);

    // While one lives on this thread, open() takes an older file as it is: no migration and no
    // check of its tables. For copying a file before it is migrated (the copy opens it too).
    class AsItIs {
      public:
        AsItIs();
        ~AsItIs();
        AsItIs(const AsItIs&) = delete;
        AsItIs& operator=(const AsItIs&) = delete;
    };

    // Calls `listener` after every write this process makes through a Connection: after a
    // write statement outside a transaction, and after the commit of a transaction that wrote.
    // A window that shows figures drawn from the data (the main window's goal progress) hears
    // of every save this way; it must not read the database from inside the call, but only
    // note that it has to. Returns the number that removeWriteListener takes.
    static int addWriteListener(std::function<void()> listener);
    static void removeWriteListener(int id);

    // How long a statement waits for another program's lock before it fails (5 s), looking
    // again every millisecond. Tests shorten it so that a locked file fails at once.
    static void setBusyTimeout(int ms);

    // While one lives, statements of the connection that run longer than `ms` in all are
    // stopped: they fail with a message that says so. For the reports, whose criteria a
    // person writes.
    class Deadline {
      public:
        Deadline(Connection& connection, int ms);
        ~Deadline();
        Deadline(const Deadline&) = delete;
        Deadline& operator=(const Deadline&) = delete;

      private:
        static int expired(void* deadline);
        Connection& m_connection;
        std::chrono::steady_clock::time_point m_end;
    };

    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one write statement (INSERT, UPDATE, DELETE). An UPDATE over two tables runs as
    // one transaction. Throws DbError; on failure nothing of the statement is written.
    void execute(const QString& statement);
    // The same with values the program supplies (identifiers, the user's name) bound in order
    // to the statement's ? parameters; such a statement must translate to one statement.
    void execute(const QString& statement, const QVariantList& params);

    // Runs several write statements as one transaction: all are written or none.
    void executeAll(const QStringList& statements);

    // Opens a forward-only result of one SELECT, with `params` bound to its ? parameters in
    // order. Throws DbError, also when the number of values differs from the parameters'.
    ResultSet query(const QString& statement, const QVariantList& params = {});
    // The named column of every row of one SELECT, in the order returned. Throws DbError.
    QStringList column(const QString& statement, const QString& name, const QVariantList& params = {});

    // The raw transaction calls behind Transaction (Transaction.h), which is how callers
    // should use them: begin() takes the write lock at once, beginRead() takes none.
    void begin();
    void beginRead();
    void commit();
    void rollback();
    bool inTransaction() const;

    qint64 lastInsertId() const;
    int changes() const;
    QString path() const { return m_path; }
    bool isReadOnly() const { return m_readOnly; }
    // The date columns of this database, lower-case, as its schema declares them.
    const QSet<QString>& dateColumns() const { return m_layout.dateColumns; }
    sqlite3* handle() const { return m_db; }

    // Which of `tables` owns `column` (case-insensitive); empty if none.
    QString columnOwner(const QStringList& tables, const QString& column);

  private:
    Connection(sqlite3* db, const QString& path);
    // The statement in SQLite's dialect; kept per connection, so that a statement run again
    // (with other values bound) is not translated again.
    QStringList translated(const QString& statement);
    void runTranslated(const QString& sql, const QVariantList& params = {});
    void checkFile(const QString& absolutePath);
    void refuseWriteIfReadOnly() const;
    [[noreturn]] void throwWriteError(int code, const QString& message) const;
    QString fileError(int code, const QString& message) const;
    sqlite3_stmt* prepare(const QString& sql); // cached; caller must reset
    static int waitForLock(void* connection, int count);
    friend class ResultSet;

    sqlite3* m_db = nullptr;
    QString m_path;
    QHash<QString, sqlite3_stmt*> m_cache;
    QHash<QString, QStringList> m_translations; // dialect text -> SQLite statements
    QString m_file;                             // absolute
    QString m_shownPath;                        // absolute, for messages
    QString m_writeRefusal;                     // why writes fail, when m_readOnly
    bool m_readOnly = false;
    int m_busyMs = 5000;
    std::chrono::steady_clock::time_point m_busySince;
    int m_deadlineMs = 0;              // while a Deadline lives
    bool m_wroteInTransaction = false; // a write since begin(); the commit tells the listeners
    Schema::Layout m_layout;           // tables, columns and date columns, read when opened
    std::vector<ResultSet*> m_results; // open results, closed when the connection closes
};

// A forward-only result, read as the windows read it: test eof() before the first read,
// fields by name without regard to case, moveNext() until eof(). A NULL reads as empty text.
// A result still open when its connection closes is closed with it and reads as at its end.
class ResultSet {
  public:
    ResultSet() = default;
    ResultSet(ResultSet&& other) noexcept;
    ResultSet& operator=(ResultSet&& other) noexcept;
    ~ResultSet();

    bool eof() const { return m_eof; }
    void moveNext();
    void close();

    int columnCount() const;
    QString columnName(int index) const;

    // Field as text: numbers in the default conversion (5, 8.1, 26.2), NULL as "".
    QString field(QAnyStringView name) const;
    QString field(int index) const;
    // Field as a typed value; an invalid QVariant for NULL.
    QVariant value(QAnyStringView name) const;
    QVariant value(int index) const;
    bool isNull(QAnyStringView name) const;

  private:
    friend class Connection;
    ResultSet(Connection* owner, sqlite3_stmt* stmt);
    int indexOf(QAnyStringView name) const;
    void takeOver(ResultSet& other) noexcept;

    Connection* m_owner = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
    bool m_eof = true;
    QStringList m_names; // column names as the statement gives them
};
