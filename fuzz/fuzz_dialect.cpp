// The dialect translator on any text: it translates or throws DbError, and what it gives back
// is one statement SQLite can prepare or refuse, never a crash.
#include "DbError.h"
#include "FuzzSupport.h"
#include "Schema.h"
#include "SqlDialect.h"
#include "SqlFunctions.h"

#include <sqlite3.h>

namespace {
sqlite3* database() {
    static sqlite3* db = [] {
        sqlite3* d = nullptr;
        sqlite3_open(":memory:", &d);
        sqlite3_exec(d, Schema::text().toUtf8().constData(), nullptr, nullptr, nullptr);
        SqlFunctions::registerAll(d);
        return d;
    }();
    return db;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Schema::Layout& layout = Schema::expected();
    const auto owner = [&](const QStringList& tables, const QString& column) {
        for (const QString& t : tables)
            if (layout.columns.value(t.toLower()).contains(column, Qt::CaseInsensitive))
                return t;
        return QString();
    };
    QStringList statements;
    try {
        statements = SqlDialect::translate(fuzzText(data, size), owner, &layout.dateColumns);
    } catch (const DbError&) {
        return 0;
    }
    for (const QString& s : statements) {
        const QByteArray sql = s.toUtf8();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(database(), sql.constData(), int(sql.size()), &st, nullptr);
        sqlite3_finalize(st);
    }
    return 0;
}
