// The helper for unquoted numbers: whatever it lets through is a plain decimal number that
// SQLite reads as one number, so no text can become part of a statement's syntax.
#include "CLibrary.h"
#include "FuzzSupport.h"
#include "NumberText.h"

#include <sqlite3.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        return d;
    }();
    const QString text = fuzzText(data, size);
    QString number;
    try {
        number = CLibrary::Number(text);
    } catch (const DbError&) {
        return 0;
    }
    for (const QChar c : number)
        FUZZ_CHECK(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+'),
                   "'%s' gave '%s'", qPrintable(text), qPrintable(number));
    FUZZ_CHECK(NumberText::parse(number).has_value(), "'%s' gave '%s'", qPrintable(text), qPrintable(number));
    // One statement, one result column, one numeric value.
    const QByteArray sql = ("SELECT " + number + " AS v").toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    FUZZ_CHECK(sqlite3_prepare_v2(db, sql.constData(), -1, &st, &tail) == SQLITE_OK && *tail == 0,
               "'%s' does not prepare", sql.constData());
    FUZZ_CHECK(sqlite3_column_count(st) == 1 && sqlite3_step(st) == SQLITE_ROW, "'%s'", sql.constData());
    const int type = sqlite3_column_type(st, 0);
    FUZZ_CHECK(type == SQLITE_INTEGER || type == SQLITE_FLOAT, "'%s' is not a number", sql.constData());
    sqlite3_finalize(st);
    return 0;
}
