#include "Schema.h"

#include "DbError.h"

#include <QFile>
#include <QRegularExpression>
#include <memory>
#include <sqlite3.h>

// The schema and the migration scripts are resources of the static core library, which must
// be registered by name before first use.
static void initSchemaResource() {
    Q_INIT_RESOURCE(schema);
}

namespace Schema {

namespace {

QString resource(const QString& name) {
    initSchemaResource();
    QFile f(QStringLiteral(":/trainbook/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("The database schema is missing from the program"));
    return QString::fromUtf8(f.readAll());
}

QString text(sqlite3_stmt* st, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, column)));
}

} // namespace

QString text() {
    return resource(QStringLiteral("schema.sql"));
}

QString migrationText(int to) {
    return resource(QStringLiteral("migrations/%1.sql").arg(to));
}

QSet<QString> dateColumns(const QString& createSql) {
    static const QRegularExpression check(
        QStringLiteral(R"(\bdate\s*\(\s*\[?(\w+)\]?\s*,\s*'\+0 days'\s*\)\s*IS\s+\[?(\w+)\]?)"),
        QRegularExpression::CaseInsensitiveOption);
    QSet<QString> out;
    for (auto it = check.globalMatch(createSql); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).compare(m.captured(2), Qt::CaseInsensitive) == 0)
            out.insert(m.captured(1).toLower());
    }
    return out;
}

Layout read(sqlite3* db) {
    static const char* const sql =
        "SELECT m.name, m.sql, p.name FROM sqlite_schema AS m, pragma_table_info(m.name) AS p "
        "WHERE m.type = 'table' AND m.name NOT LIKE 'sqlite%' ORDER BY m.name, p.cid";
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    Layout layout;
    QString table;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const QString name = text(st, 0);
        const QString key = name.toLower();
        if (key != table) {
            table = key;
            layout.tableNames.insert(key, name);
            layout.dateColumns.unite(dateColumns(text(st, 1)));
        }
        layout.columns[key] << text(st, 2);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    return layout;
}

const Layout& expected() {
    static const Layout layout = [] {
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(db, sqlite3_close);
        if (sqlite3_exec(db, text().toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
        return read(db);
    }();
    return layout;
}

QString missing(const Layout& actual) {
    const Layout& want = expected();
    QStringList tables = want.tableNames.keys();
    tables.sort();
    QStringList out;
    for (const QString& table : tables) {
        const QString name = want.tableNames.value(table);
        const auto found = actual.columns.find(table);
        if (found == actual.columns.end()) {
            out << QStringLiteral("table %1").arg(name);
            continue;
        }
        for (const QString& column : want.columns.value(table))
            if (!found->contains(column, Qt::CaseInsensitive))
                out << QStringLiteral("column %1 of %2").arg(column, name);
    }
    return out.join(QStringLiteral("; "));
}

} // namespace Schema
