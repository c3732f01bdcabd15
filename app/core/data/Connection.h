#pragma once

#include <QAnyStringView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "DatabaseFile.h"
#include "Schema.h"
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class Connection;
class ResultSet;

// A prepared statement lent out of its connection's cache. However the borrower leaves (done,
// an early return, an exception), the statement is reset, its values unbound, and it goes
// back to the cache, or is finalized when the cache already holds one of the same text or is
// full. A lease without a connection finalizes its statement.
class StatementLease {
  public:
    StatementLease() = default;
    StatementLease(Connection* owner, sqlite3_stmt* stmt) noexcept : m_owner(owner), m_stmt(stmt) {}
    StatementLease(StatementLease&& other) noexcept;
    StatementLease& operator=(StatementLease&& other) noexcept;
    ~StatementLease() { giveBack(); }
    StatementLease(const StatementLease&) = delete;
    StatementLease& operator=(const StatementLease&) = delete;

    sqlite3_stmt* get() const { return m_stmt; }
    // Returns the statement now; the lease then holds none.
    void giveBack() noexcept;
    // Finalizes the statement instead of returning it: after a failed step, or when the
    // connection closes.
    void discard() noexcept;

  private:
    Connection* m_owner = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

// An open connection to one Trainbook database file, as DatabaseFile opened it: runs
// statements and hands out their results. Statements are given in the program's SQL dialect
// and translated on the way in; prepared statements are kept for reuse and lent out as
// StatementLease. Closes itself when destroyed.
class Connection {
  public:
    // The file's open, create and exists as DatabaseFile (DatabaseFile.h) does them, under the
    // policy of this process.
    static std::unique_ptr<Connection> open(const QString& path);
    static void create(const QString& path);
    static bool exists(const QString& path);

    // The same settings of this process's DatabasePolicy (DatabaseFile.h), for callers that
    // set them through the connection. An AsItIs holds on the thread that made it.
    static void setBeforeMigration(std::function<void(const QString& file, int version)> guard);
    static void refuseWrites(const QString& path, const QString& reason);
    static int addWriteListener(std::function<void()> listener);
    static void removeWriteListener(int id);
    static void setBusyTimeout(int ms);
    class AsItIs : public DatabasePolicy::AsItIs {
      public:
        AsItIs();
    };

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
    // The engine's message for the last failure on `db` ("Out of memory" without one).
    static QString engineMessage(sqlite3* db);

    // Which of `tables` owns `column` (case-insensitive); empty if none.
    QString columnOwner(const QStringList& tables, const QString& column);

  private:
    friend class DatabaseFile;
    friend class StatementLease;
    friend class ResultSet;
    Connection(sqlite3* db, const QString& path, DatabasePolicy& policy);
    static void execRaw(sqlite3* db, const char* sql);
    // The statement in SQLite's dialect; kept per connection, so that a statement run again
    // (with other values bound) is not translated again.
    QStringList translated(const QString& statement);
    void runTranslated(const QString& sql, const QVariantList& params = {});
    void refuseWriteIfReadOnly() const;
    [[noreturn]] void throwWriteError(int code, const QString& message) const;
    QString fileError(int code, const QString& message) const;
    StatementLease prepare(const QString& sql); // from the cache, or newly prepared
    void giveBack(sqlite3_stmt* stmt) noexcept; // back into the cache, or finalized
    static int waitForLock(void* connection, int count);

    sqlite3* m_db = nullptr;
    QString m_path;
    DatabasePolicy& m_policy;
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
    ResultSet(Connection* owner, StatementLease stmt);
    int indexOf(QAnyStringView name) const;
    void takeOver(ResultSet& other) noexcept;

    Connection* m_owner = nullptr;
    StatementLease m_lease;
    sqlite3_stmt* m_stmt = nullptr; // the leased statement
    bool m_eof = true;
    QStringList m_names; // column names as the statement gives them
};
