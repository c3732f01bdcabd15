// Format(value, pattern) as SQL calls it, with any value and any pattern (the input split at
// its first newline): a text or NULL comes back, never a crash.
#include "FuzzSupport.h"
#include "SqlFunctions.h"

#include <sqlite3.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        SqlFunctions::registerAll(d);
        return d;
    }();
    static sqlite3_stmt* st = [] {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, "SELECT tb_format(?1, ?2), tb_format(CAST(?1 AS REAL), ?2)", -1, &s, nullptr);
        return s;
    }();
    const char* text = reinterpret_cast<const char*>(data);
    size_t split = 0;
    while (split < size && text[split] != '\n')
        ++split;
    sqlite3_bind_text(st, 1, text, int(split), SQLITE_TRANSIENT);
    const size_t rest = split < size ? split + 1 : size;
    sqlite3_bind_text(st, 2, text + rest, int(size - rest), SQLITE_TRANSIENT);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < 2; ++i)
            (void)sqlite3_column_text(st, i);
    }
    sqlite3_reset(st);
    return 0;
}
