// A stored criteria fragment is SQL text that a person (or anyone who can write the file) may
// have changed. Whatever fragment the report accepts must stay a condition of the report's
// own SELECT: the statement stays one statement, and it can never return another user's rows.
#include "FuzzSupport.h"
#include "ReportCriteria.h"

#include "DbError.h"

#include <sqlite3.h>

namespace {

sqlite3* database() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        sqlite3_exec(d,
                     "CREATE TABLE w (User_Name TEXT, Course TEXT, Miles REAL, Exercise_Date TEXT);"
                     "INSERT INTO w VALUES ('Ann', 'A', 5, '2026-12-01'), ('Bob', 'A', 5, '2026-12-01'),"
                     " ('Bob', 'B', 10, '2026-11-01');",
                     nullptr, nullptr, nullptr);
        // A statement that the fuzzer makes slow must not stall the run.
        sqlite3_progress_handler(
            d, 100000, [](void*) { return 1; }, nullptr);
        return d;
    }();
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString fragment = fuzzText(data, size);
    QString part;
    try {
        part = ReportCriteria::criteriaPart(fragment);
    } catch (const DbError&) {
        return 0;
    }
    // The report puts the criteria after the user's own condition.
    const QByteArray sql = ("SELECT User_Name FROM w WHERE User_Name = 'Ann' " + part).toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(database(), sql.constData(), -1, &st, &tail) != SQLITE_OK)
        return 0; // not valid SQL for this little table: the report shows its message
    const bool oneStatement = tail && QByteArray(tail).trimmed().isEmpty();
    const bool readOnly = sqlite3_stmt_readonly(st);
    FUZZ_CHECK(oneStatement, "'%s' left '%s' after the statement", sql.constData(), tail);
    FUZZ_CHECK(readOnly, "'%s' writes", sql.constData());
    while (sqlite3_step(st) == SQLITE_ROW) {
        const auto* user = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        FUZZ_CHECK(user && QByteArray(user) == "Ann", "'%s' returned a row of '%s'", sql.constData(),
                   user ? user : "(null)");
    }
    sqlite3_finalize(st);
    return 0;
}
