#include "DatabaseFile.h"

#include "Connection.h"
#include "DbError.h"
#include "FilePath.h"
#include "Migration.h"
#include "Schema.h"
#include "SqlFunctions.h"
#include "Startup.h"

#include <sqlite3.h>
#include <unistd.h>

// --- DatabasePolicy -----------------------------------------------------------------------

void DatabasePolicy::refuseWrites(const QString& path, const QString& reason) {
    const QString file = FilePath::absolute(path);
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (reason.isEmpty())
        m_refused.remove(file);
    else
        m_refused.insert(file, reason);
}

QString DatabasePolicy::writeRefusal(const QString& absolutePath) const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_refused.value(absolutePath);
}

void DatabasePolicy::setBeforeMigration(std::function<void(const QString&, int)> guard) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_beforeMigration = std::move(guard);
}

void DatabasePolicy::beforeMigration(const QString& file, int version) const {
    std::function<void(const QString&, int)> guard;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        guard = m_beforeMigration;
    }
    // Called without the lock: the copy opens the file through this policy too.
    if (guard)
        guard(file, version);
    else
        Startup::copyBeforeUpdate(file, version);
}

int DatabasePolicy::addWriteListener(std::function<void()> listener) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_listeners.emplace_back(++m_lastListener, std::move(listener));
    return m_lastListener;
}

void DatabasePolicy::removeWriteListener(int id) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    std::erase_if(m_listeners, [id](const auto& entry) { return entry.first == id; });
}

void DatabasePolicy::tellWriteListeners() const {
    std::vector<std::pair<int, std::function<void()>>> now;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        now = m_listeners;
    }
    for (const auto& entry : now)
        entry.second();
}

DatabasePolicy::AsItIs::AsItIs(DatabasePolicy& policy) : m_policy(policy) {
    const std::lock_guard<std::mutex> lock(m_policy.m_mutex);
    ++m_policy.m_asItIs[std::this_thread::get_id()];
}

DatabasePolicy::AsItIs::~AsItIs() {
    const std::lock_guard<std::mutex> lock(m_policy.m_mutex);
    const auto it = m_policy.m_asItIs.find(std::this_thread::get_id());
    if (it != m_policy.m_asItIs.end() && --it->second <= 0)
        m_policy.m_asItIs.erase(it);
}

bool DatabasePolicy::takesAsItIs() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_asItIs.count(std::this_thread::get_id()) > 0;
}

// --- DatabaseFile -------------------------------------------------------------------------

namespace {

// The absolute path of a database file name, for SQLite and for messages. A name SQLite
// would not take as a file (empty, ":memory:", a "file:" URI) is refused: the database would
// live in memory or elsewhere and be gone when the program ends.
QString databasePath(const QString& path) {
    if (path.isEmpty() || path == QLatin1String(":memory:") || path.startsWith(QLatin1String("file:")))
        throw DbError(QStringLiteral("'%1' is not the name of a database file.").arg(FilePath::shown(path)));
    return FilePath::absolute(path);
}

// What a failed first read of the file means, in words that name the file.
[[noreturn]] void refuseUnreadable(const QString& shown, const DbError& e) {
    const QString msg = e.description();
    if (msg.contains(QLatin1String("not a database")))
        throw DbError(QStringLiteral("'%1' is not a Trainbook database (%2).").arg(shown, msg));
    if (msg.contains(QLatin1String("malformed")))
        throw DbError(QStringLiteral("'%1' is damaged (%2).").arg(shown, msg));
    throw DbError(QStringLiteral("Could not open '%1': %2").arg(shown, msg));
}

} // namespace

DatabaseFile::DatabaseFile(QString path, DatabasePolicy& policy)
    : m_path(std::move(path)), m_policy(policy) {}

int DatabaseFile::pragmaInt(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        throw DbError(Connection::engineMessage(db));
    int value = 0;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        value = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw DbError(Connection::engineMessage(db));
    return value;
}

DatabasePolicy& DatabaseFile::policy() {
    static DatabasePolicy process;
    return process;
}

bool DatabaseFile::exists() const {
    return FilePath::kind(m_path) != FilePath::Kind::Missing || !FilePath::problem(m_path).isEmpty();
}

std::unique_ptr<Connection> DatabaseFile::open() const {
    // Messages name the whole path: the bare file name is resolved against the working
    // directory, and the person reading the message needs to know which one was meant.
    const QString file = databasePath(m_path);
    const QString shown = FilePath::shown(file);
    switch (FilePath::kind(file)) {
    case FilePath::Kind::Missing:
        if (const QString problem = FilePath::problem(file); !problem.isEmpty())
            throw DbError(QStringLiteral("Could not open '%1': %2.").arg(shown, problem));
        throw DbError(QStringLiteral("Could not find file '%1'.").arg(shown));
    case FilePath::Kind::File:
        break;
    default:
        throw DbError(QStringLiteral("'%1' is not a database file.").arg(shown));
    }
    // A file this process may not change, or one in a folder where the rollback journal
    // cannot be made, opens for reading only; every write then says why it cannot be saved.
    const QString refusal = m_policy.writeRefusal(file);
    const bool readOnly =
        !refusal.isEmpty() || !FilePath::writable(file) || !FilePath::writable(FilePath::folder(file));

    sqlite3* raw = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(FilePath::toNative(file).constData(), &raw, flags, nullptr);
    // Owned from here on, so every failure below closes it.
    std::unique_ptr<Connection> conn(new Connection(raw, m_path, m_policy));
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Could not open '%1': %2").arg(shown, Connection::engineMessage(raw)));
    conn->m_readOnly = readOnly;
    conn->m_file = file;
    conn->m_shownPath = shown;
    conn->m_writeRefusal = refusal.isEmpty()
                               ? QStringLiteral("'%1' is read-only: the change cannot be saved.").arg(shown)
                               : refusal;

    conn->m_busyMs = m_policy.busyTimeout();
    sqlite3_busy_handler(raw, &Connection::waitForLock, conn.get());
    sqlite3_extended_result_codes(raw, 1);
    vetAndMigrate(*conn);
    // A file whose header asks for a newer file format than this engine writes opens for
    // reading only, whatever the permissions say.
    if (!readOnly && sqlite3_db_readonly(raw, "main") == 1) {
        conn->m_readOnly = true;
        conn->m_writeRefusal =
            QStringLiteral("'%1' can only be read: its header asks for a newer file format than this "
                           "version of Trainbook writes. The change cannot be saved.")
                .arg(shown);
    }
    Connection::execRaw(raw, "PRAGMA foreign_keys = ON");
    if (!readOnly)
        Connection::execRaw(raw, "PRAGMA synchronous = FULL");
    SqlFunctions::registerAll(raw);
    return conn;
}

void DatabaseFile::vetAndMigrate(Connection& conn) const {
    // The first read of the file: unreadable contents, a foreign file and another program's
    // exclusive lock all show up here.
    sqlite3* db = conn.m_db;
    const QString& shown = conn.m_shownPath;
    int appId = 0;
    int version = 0;
    try {
        appId = pragmaInt(db, "PRAGMA application_id");
        version = pragmaInt(db, "PRAGMA user_version");
    } catch (const DbError& e) {
        refuseUnreadable(shown, e);
    }
    if (appId != Schema::ApplicationId || version < 1)
        throw DbError(QStringLiteral("'%1' is not a Trainbook database.").arg(shown));
    if (version > Schema::Version)
        throw DbError(QStringLiteral("'%1' was written by a newer version of Trainbook.").arg(shown));
    if (version < Schema::Version && m_policy.takesAsItIs()) {
        conn.m_layout = Schema::read(db);
        return;
    }
    if (version < Schema::Version) {
        if (conn.m_readOnly)
            throw DbError(
                QStringLiteral("'%1' must be updated to this version of Trainbook, but it is read-only.")
                    .arg(shown));
        try {
            // A copy of the file as it was comes first; without it the file is not changed.
            m_policy.beforeMigration(conn.m_file, version);
            Migration::run(db, version);
        } catch (const DbError& e) {
            throw DbError(QStringLiteral("Could not open '%1': %2").arg(shown, e.description()));
        }
    }
    try {
        conn.m_layout = Schema::read(db);
    } catch (const DbError& e) {
        refuseUnreadable(shown, e);
    }
    const QString missing = Schema::missing(conn.m_layout);
    if (!missing.isEmpty())
        throw DbError(QStringLiteral("'%1' is damaged: it has no %2.").arg(shown, missing));
}

void DatabaseFile::create() const {
    const QString file = databasePath(m_path);
    const QString shown = FilePath::shown(file);
    if (DatabaseFile(file, m_policy).exists())
        throw DbError(QStringLiteral("'%1' already exists.").arg(shown));
    sqlite3* raw = nullptr;
    const int rc =
        sqlite3_open_v2(FilePath::toNative(file).constData(), &raw,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(raw, sqlite3_close_v2);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Could not create '%1': %2").arg(shown, Connection::engineMessage(raw)));
    try {
        const QByteArray schema = Schema::text().toUtf8();
        Connection::execRaw(raw, "BEGIN");
        Connection::execRaw(raw, schema.constData());
        Connection::execRaw(raw, "COMMIT");
    } catch (const DbError& e) {
        guard.reset();
        ::unlink(FilePath::toNative(file).constData());
        throw DbError(QStringLiteral("Could not create '%1': %2").arg(shown, e.description()));
    }
}
