#include "Connection.h"
#include "Transaction.h"

#include "DbError.h"
#include "NumberText.h"
#include "SqlDialect.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sqlite3.h>
#include <utility>

namespace {

[[noreturn]] void fail(sqlite3* db) {
    throw DbError(Connection::engineMessage(db));
}

// True when only blanks and comments remain.
bool onlyTrivia(const char* tail) {
    const char* p = tail;
    while (*p) {
        if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == ';') {
            ++p;
        } else if (p[0] == '-' && p[1] == '-') {
            while (*p && *p != '\n')
                ++p;
        } else if (p[0] == '/' && p[1] == '*') {
            const char* end = strstr(p + 2, "*/");
            if (!end)
                return true;
            p = end + 2;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

// --- Connection ---------------------------------------------------------------------------

Connection::Connection(sqlite3* db, const QString& path, DatabasePolicy& policy)
    : m_db(db), m_path(path), m_policy(policy) {}

Connection::~Connection() {
    for (ResultSet* rs : m_results) {
        rs->m_lease.discard();
        rs->m_stmt = nullptr;
        rs->m_owner = nullptr;
        rs->m_eof = true;
    }
    for (sqlite3_stmt* st : std::as_const(m_cache))
        sqlite3_finalize(st);
    if (m_db) {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }
}

std::unique_ptr<Connection> Connection::open(const QString& path) {
    return DatabaseFile(path).open();
}
void Connection::create(const QString& path) {
    DatabaseFile(path).create();
}
bool Connection::exists(const QString& path) {
    return DatabaseFile(path).exists();
}
void Connection::setBeforeMigration(std::function<void(const QString&, int)> guard) {
    DatabaseFile::policy().setBeforeMigration(std::move(guard));
}
void Connection::refuseWrites(const QString& path, const QString& reason) {
    DatabaseFile::policy().refuseWrites(path, reason);
}
int Connection::addWriteListener(std::function<void()> listener) {
    return DatabaseFile::policy().addWriteListener(std::move(listener));
}
void Connection::removeWriteListener(int id) {
    DatabaseFile::policy().removeWriteListener(id);
}
void Connection::setBusyTimeout(int ms) {
    DatabaseFile::policy().setBusyTimeout(ms);
}
Connection::AsItIs::AsItIs() : DatabasePolicy::AsItIs(DatabaseFile::policy()) {}

QString Connection::engineMessage(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("Out of memory");
}

void Connection::execRaw(sqlite3* db, const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : engineMessage(db);
        sqlite3_free(err);
        throw DbError(msg);
    }
}

int Connection::waitForLock(void* connection, int count) {
    // SQLite's own handler sleeps longer and longer between tries (up to 100 ms) and so keeps
    // missing the short moments between the transactions of a program that writes without
    // pause. Looking again every millisecond gives a reader its turn.
    auto* self = static_cast<Connection*>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (count == 0)
        self->m_busySince = now;
    if (now - self->m_busySince >= std::chrono::milliseconds(self->m_busyMs))
        return 0;
    sqlite3_sleep(1);
    return 1;
}

QString Connection::columnOwner(const QStringList& tables, const QString& column) {
    for (const QString& table : tables)
        if (m_layout.columns.value(table.toLower()).contains(column, Qt::CaseInsensitive))
            return table;
    return QString();
}

StatementLease Connection::prepare(const QString& sql) {
    if (auto it = m_cache.find(sql); it != m_cache.end()) {
        sqlite3_stmt* st = it.value();
        m_cache.erase(it);
        return StatementLease(this, st);
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    if (const int rc = sqlite3_prepare_v3(m_db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                                          &st, &tail);
        rc != SQLITE_OK)
        throw DbError(fileError(sqlite3_extended_errcode(m_db), engineMessage(m_db)));
    if (!st)
        throw DbError(QStringLiteral("The statement is empty"));
    if (tail && !onlyTrivia(tail)) {
        sqlite3_finalize(st);
        throw DbError(QStringLiteral("Only one statement may be run at a time"));
    }
    return StatementLease(this, st);
}

// Keeps a prepared statement for reuse unless one for the same text is already kept.
void Connection::giveBack(sqlite3_stmt* st) noexcept {
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    const QString key = QString::fromUtf8(sqlite3_sql(st));
    if (m_cache.contains(key) || m_cache.size() > 64)
        sqlite3_finalize(st);
    else
        m_cache.insert(key, st);
}

// --- StatementLease -----------------------------------------------------------------------

StatementLease::StatementLease(StatementLease&& other) noexcept
    : m_owner(std::exchange(other.m_owner, nullptr)), m_stmt(std::exchange(other.m_stmt, nullptr)) {}

StatementLease& StatementLease::operator=(StatementLease&& other) noexcept {
    if (this != &other) {
        giveBack();
        m_owner = std::exchange(other.m_owner, nullptr);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

void StatementLease::giveBack() noexcept {
    if (m_stmt && m_owner)
        m_owner->giveBack(m_stmt);
    else if (m_stmt)
        sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_owner = nullptr;
}

void StatementLease::discard() noexcept {
    sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
    m_owner = nullptr;
}

namespace {
// Binds `params` in order to the statement's ? parameters: no value as NULL, numbers as
// numbers, bytes as a blob, everything else as text.
void bindAll(sqlite3* db, sqlite3_stmt* st, const QVariantList& params) {
    if (sqlite3_bind_parameter_count(st) != params.size())
        throw DbError(QStringLiteral("The statement takes %1 values but %2 were given")
                          .arg(sqlite3_bind_parameter_count(st))
                          .arg(params.size()));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc = SQLITE_OK;
        switch (v.isNull() ? QMetaType::UnknownType : v.typeId()) {
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(st, i + 1);
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(st, i + 1, v.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(st, i + 1, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob64(st, i + 1, bytes.constData(), sqlite3_uint64(bytes.size()),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = v.toString().toUtf8();
            rc = sqlite3_bind_text(st, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
        if (rc != SQLITE_OK)
            fail(db);
    }
}
} // namespace

QStringList Connection::translated(const QString& statement) {
    if (auto it = m_translations.constFind(statement); it != m_translations.constEnd())
        return it.value();
    const QStringList sql = SqlDialect::translate(
        statement,
        [this](const QStringList& tables, const QString& column) { return columnOwner(tables, column); },
        &m_layout.dateColumns);
    if (m_translations.size() >= 256)
        m_translations.clear();
    m_translations.insert(statement, sql);
    return sql;
}

void Connection::runTranslated(const QString& sql, const QVariantList& params) {
    refuseWriteIfReadOnly();
    StatementLease lease = prepare(sql);
    sqlite3_stmt* st = lease.get();
    bindAll(m_db, st, params);
    if (sqlite3_stmt_readonly(st))
        throw DbError(QStringLiteral("A query cannot be run as a write statement"));
    // A write that returns rows (RETURNING) makes its change on the first step, before the
    // rows could be refused: it is refused before it runs.
    if (sqlite3_column_count(st) > 0)
        throw DbError(QStringLiteral("A write statement cannot return rows"));
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        throw DbError(QStringLiteral("A query cannot be run as a write statement"));
    if (rc != SQLITE_DONE) {
        const QString msg = engineMessage(m_db);
        lease.discard();
        throwWriteError(rc, msg);
    }
    lease.giveBack();
    if (sqlite3_get_autocommit(m_db))
        m_policy.tellWriteListeners();
    else
        m_wroteInTransaction = true;
}

void Connection::execute(const QString& statement) {
    executeAll({statement});
}

void Connection::execute(const QString& statement, const QVariantList& params) {
    const QStringList sql = translated(statement);
    // Values bound to one statement cannot be shared out among the parts of a split update.
    if (sql.size() != 1)
        throw DbError(QStringLiteral("A statement with parameters must be one statement"));
    runTranslated(sql.front(), params);
}

void Connection::executeAll(const QStringList& statements) {
    QStringList sql;
    for (const QString& s : statements)
        sql << translated(s);
    if (sql.isEmpty())
        throw DbError(QStringLiteral("The statement is empty"));

    if (sql.size() == 1) {
        runTranslated(sql.front());
        return;
    }
    Transaction transaction(*this);
    for (const QString& s : std::as_const(sql))
        runTranslated(s);
    transaction.commit();
}

ResultSet Connection::query(const QString& statement, const QVariantList& params) {
    const QStringList sql = translated(statement);
    if (sql.size() != 1)
        throw DbError(QStringLiteral("Only one statement may be run at a time"));
    StatementLease lease = prepare(sql.front());
    if (!sqlite3_stmt_readonly(lease.get()))
        throw DbError(QStringLiteral("Only a query can open a result"));
    bindAll(m_db, lease.get(), params);
    return ResultSet(this, std::move(lease));
}

QStringList Connection::column(const QString& statement, const QString& name, const QVariantList& params) {
    QStringList out;
    for (ResultSet rs = query(statement, params); !rs.eof(); rs.moveNext())
        out << rs.field(name);
    return out;
}

void Connection::begin() {
    refuseWriteIfReadOnly();
    if (sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throwWriteError(sqlite3_extended_errcode(m_db), engineMessage(m_db));
}

void Connection::throwWriteError(int code, const QString& message) const {
    throw DbError(fileError(code, message));
}

QString Connection::fileError(int code, const QString& message) const {
    // A fault of the file, not of the statement: say which file.
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("'%1' is in use by another program: %2").arg(m_shownPath, message);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("'%1' is damaged (%2).").arg(m_shownPath, message);
    case SQLITE_IOERR:
        return QStringLiteral("Could not read or write '%1': %2").arg(m_shownPath, message);
    case SQLITE_READONLY:
        return QStringLiteral("'%1' cannot be written: %2").arg(m_shownPath, message);
    case SQLITE_INTERRUPT:
        return m_deadlineMs > 0 ? QStringLiteral("It was stopped after %1 seconds: it takes too long.")
                                      .arg(m_deadlineMs / 1000.0)
                                : message;
    default:
        return message;
    }
}

void Connection::refuseWriteIfReadOnly() const {
    if (m_readOnly)
        throw DbError(m_writeRefusal);
    // Damage found after this connection opened (the whole-file check runs beside the
    // windows) stops its writes as well.
    if (const QString refusal = m_policy.writeRefusal(m_file); !refusal.isEmpty())
        throw DbError(refusal);
}
void Connection::beginRead() {
    execRaw(m_db, "BEGIN DEFERRED");
}
void Connection::commit() {
    execRaw(m_db, "COMMIT");
    if (m_wroteInTransaction) {
        m_wroteInTransaction = false;
        m_policy.tellWriteListeners();
    }
}
void Connection::rollback() {
    m_wroteInTransaction = false;
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}
bool Connection::inTransaction() const {
    return !sqlite3_get_autocommit(m_db);
}
qint64 Connection::lastInsertId() const {
    return sqlite3_last_insert_rowid(m_db);
}
int Connection::changes() const {
    return sqlite3_changes(m_db);
}

// --- ResultSet ----------------------------------------------------------------------------

ResultSet::ResultSet(Connection* owner, StatementLease stmt)
    : m_owner(owner), m_lease(std::move(stmt)), m_stmt(m_lease.get()) {
    owner->m_results.push_back(this);
    const int n = sqlite3_column_count(m_stmt);
    m_names.reserve(n);
    for (int i = 0; i < n; ++i)
        m_names << QString::fromUtf8(sqlite3_column_name(m_stmt, i));
    m_eof = false;
    moveNext();
}

void ResultSet::takeOver(ResultSet& other) noexcept {
    m_owner = other.m_owner;
    m_lease = std::move(other.m_lease);
    m_stmt = other.m_stmt;
    m_eof = other.m_eof;
    m_names = std::move(other.m_names);
    if (m_owner)
        std::replace(m_owner->m_results.begin(), m_owner->m_results.end(), &other, this);
    other.m_stmt = nullptr;
    other.m_owner = nullptr;
    other.m_eof = true;
}

ResultSet::ResultSet(ResultSet&& other) noexcept {
    takeOver(other);
}

ResultSet& ResultSet::operator=(ResultSet&& other) noexcept {
    if (this != &other) {
        close();
        takeOver(other);
    }
    return *this;
}

ResultSet::~ResultSet() {
    close();
}

void ResultSet::close() {
    if (m_owner) {
        auto& open = m_owner->m_results;
        open.erase(std::remove(open.begin(), open.end(), this), open.end());
    }
    m_lease.giveBack();
    m_stmt = nullptr;
    m_owner = nullptr;
    m_eof = true;
}

void ResultSet::moveNext() {
    if (!m_stmt || m_eof)
        return;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return;
    m_eof = true;
    if (rc != SQLITE_DONE) {
        QString msg = Connection::engineMessage(m_owner ? m_owner->handle() : nullptr);
        if (m_owner)
            msg = m_owner->fileError(rc, msg);
        close();
        throw DbError(msg);
    }
}

int ResultSet::columnCount() const {
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString ResultSet::columnName(int index) const {
    return m_stmt ? QString::fromUtf8(sqlite3_column_name(m_stmt, index)) : QString();
}

int ResultSet::indexOf(QAnyStringView name) const {
    // A linear scan without allocation, whatever kind of text names the field: results have a
    // handful of columns, and reports read every field of every row by name.
    for (int i = 0; i < m_names.size(); ++i)
        if (QAnyStringView::compare(m_names[i], name, Qt::CaseInsensitive) == 0)
            return i;
    throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                                 "name or ordinal. (%1)")
                      .arg(name.toString()));
}

QVariant ResultSet::value(int index) const {
    if (!m_stmt || m_eof)
        throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
    if (index < 0 || index >= sqlite3_column_count(m_stmt))
        throw DbError(QStringLiteral("Item cannot be found in the collection corresponding to the requested "
                                     "name or ordinal. (%1)")
                          .arg(index));
    switch (sqlite3_column_type(m_stmt, index)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, index));
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, index)),
                                   sqlite3_column_bytes(m_stmt, index)));
    default:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index)),
                                          sqlite3_column_bytes(m_stmt, index)));
    }
}

QVariant ResultSet::value(QAnyStringView name) const {
    return value(indexOf(name));
}

QString ResultSet::field(int index) const {
    if (!m_stmt || m_eof || index < 0 || index >= sqlite3_column_count(m_stmt))
        return value(index).toString(); // raises the proper error
    switch (sqlite3_column_type(m_stmt, index)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(m_stmt, index));
    case SQLITE_FLOAT:
        return NumberText::general(sqlite3_column_double(m_stmt, index));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, index)),
                                 sqlite3_column_bytes(m_stmt, index));
    }
}

QString ResultSet::field(QAnyStringView name) const {
    return field(indexOf(name));
}

bool ResultSet::isNull(QAnyStringView name) const {
    return !value(name).isValid();
}

// --- Deadline -----------------------------------------------------------------------------

Connection::Deadline::Deadline(Connection& connection, int ms)
    : m_connection(connection), m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)) {
    m_connection.m_deadlineMs = ms;
    // Asked every few thousand steps of the engine's program: cheap, and soon enough.
    sqlite3_progress_handler(m_connection.m_db, 4000, &Deadline::expired, this);
}

Connection::Deadline::~Deadline() {
    sqlite3_progress_handler(m_connection.m_db, 0, nullptr, nullptr);
    m_connection.m_deadlineMs = 0;
}

int Connection::Deadline::expired(void* deadline) {
    return std::chrono::steady_clock::now() >= static_cast<Deadline*>(deadline)->m_end ? 1 : 0;
}
