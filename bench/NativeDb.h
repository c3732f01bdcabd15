#pragma once

// The raw SQLite C API as the benchmarks use it for their native readings and for filling
// their databases quickly: handles that close themselves, and errors as DbError.

#include "DbError.h"

#include <QString>

#include <sqlite3.h>

#include <memory>
#include <string>

namespace bench {

using DbHandle = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;
using StmtHandle = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

inline void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
}

inline DbHandle openNative(const QString& path) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    DbHandle db(raw, sqlite3_close_v2);
    check(rc, raw);
    return db;
}

inline StmtHandle prepareNative(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    check(sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &raw, nullptr), db);
    return StmtHandle(raw, sqlite3_finalize);
}

// A duration as the logs store it: "m:ss", or "h:mm:ss" from an hour on.
inline QString timeText(int seconds) {
    const int h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    return h > 0 ? QString::asprintf("%d:%02d:%02d", h, m, s) : QString::asprintf("%d:%02d", m, s);
}

} // namespace bench
