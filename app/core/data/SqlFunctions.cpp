#include "SqlFunctions.h"

#include "Clock.h"
#include "DateText.h"

#include <cstdio>
#include <optional>
#include <sqlite3.h>
#include <string>

namespace {

const char* const TypeMismatch = "Data type mismatch in criteria expression.";

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

struct Ymd {
    int year, month, day;
};

// Reads the date of an SQL value. Stored dates are ISO yyyy-mm-dd, so that case is read
// straight from the bytes; every other text goes through DateText::parse.
std::optional<Ymd> dateOf(sqlite3_value* v) {
    if (sqlite3_value_type(v) != SQLITE_TEXT)
        return std::nullopt;
    const auto* s = sqlite3_value_text(v);
    const int n = sqlite3_value_bytes(v);
    if (n == 10 && isDigit(s[0]) && isDigit(s[1]) && isDigit(s[2]) && isDigit(s[3]) && s[4] == '-' &&
        isDigit(s[5]) && isDigit(s[6]) && s[7] == '-' && isDigit(s[8]) && isDigit(s[9])) {
        const Ymd d{(s[0] - '0') * 1000 + (s[1] - '0') * 100 + (s[2] - '0') * 10 + (s[3] - '0'),
                    (s[5] - '0') * 10 + (s[6] - '0'), (s[8] - '0') * 10 + (s[9] - '0')};
        if (QDate::isValid(d.year, d.month, d.day))
            return d;
        return std::nullopt;
    }
    const auto date = DateText::parse(QString::fromUtf8(reinterpret_cast<const char*>(s), n));
    if (!date)
        return std::nullopt;
    Ymd d;
    date->getDate(&d.year, &d.month, &d.day);
    return d;
}

void resultText(sqlite3_context* ctx, const std::string& text) {
    sqlite3_result_text(ctx, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

// Format(value, pattern): the date formatted with the pattern; a value that is not a date
// comes back unchanged as text.
void tbFormat(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto date = dateOf(argv[0]);
    if (!date || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        const auto* text = sqlite3_value_text(argv[0]);
        sqlite3_result_text(ctx, reinterpret_cast<const char*>(text), sqlite3_value_bytes(argv[0]),
                            SQLITE_TRANSIENT);
        return;
    }
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int length = sqlite3_value_bytes(argv[1]);
    // Reused between calls: reports format one date per row, and an allocation per row
    // would cost more than the formatting itself.
    static thread_local std::string out;
    out.clear();
    DateText::formatUtf8(date->year, date->month, date->day, pattern, size_t(length), out);
    resultText(ctx, out);
}

void tbYear(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto date = dateOf(argv[0]))
        sqlite3_result_int(ctx, date->year);
    else
        sqlite3_result_null(ctx);
}

void tbMonth(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (const auto date = dateOf(argv[0]))
        sqlite3_result_int(ctx, date->month);
    else
        sqlite3_result_null(ctx);
}

// The word Now: the program's clock, so tests can fix it.
void tbNow(sqlite3_context* ctx, int, sqlite3_value**) {
    const QByteArray text = Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toLatin1();
    sqlite3_result_text(ctx, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

// Converts a date text to the stored ISO form; anything that is not a date fails the
// statement, so no malformed date is ever written or compared.
void tbCDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto date = dateOf(argv[0]);
    if (!date) {
        sqlite3_result_error(ctx, TypeMismatch, -1);
        return;
    }
    char iso[11];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date->year, date->month, date->day);
    sqlite3_result_text(ctx, iso, 10, SQLITE_TRANSIENT);
}

} // namespace

namespace SqlFunctions {

void registerAll(sqlite3* db) {
    constexpr int Pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    struct Function {
        const char* name;
        int args;
        int flags;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };
    const Function functions[] = {
        {"tb_format", 2, Pure, tbFormat},
        {"tb_year", 1, Pure, tbYear},
        {"tb_month", 1, Pure, tbMonth},
        {"tb_cdate", 1, Pure, tbCDate},
        {"tb_now", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS, tbNow},
    };
    for (const Function& f : functions)
        sqlite3_create_function_v2(db, f.name, f.args, f.flags, nullptr, f.call, nullptr, nullptr, nullptr);
}

} // namespace SqlFunctions
