#include "Schema.h"

#include "DbError.h"

#include <QFile>
#include <algorithm>
#include <memory>
#include <mutex>
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
    static const QString script = resource(QStringLiteral("schema.sql"));
    return script;
}

QString migrationText(int to) {
    return resource(QStringLiteral("migrations/%1.sql").arg(to));
}

namespace {

// Reads the check "date(<column>, '+0 days') IS <column>" from a table's definition, in any
// case and spacing, the names optionally in brackets. By hand rather than with a pattern: it
// runs on every table at every start, where compiling a pattern cost more than the reading.
class DateCheckReader {
  public:
    explicit DateCheckReader(QStringView text) : m_text(text) {}

    // The columns whose values are checked to be dates, lower-case.
    QSet<QString> columns() {
        QSet<QString> out;
        for (qsizetype at = 0; at < m_text.size();) {
            m_at = at;
            QStringView first, second;
            const QChar c = m_text.at(at);
            if ((c == u'd' || c == u'D') && (at == 0 || !isWord(m_text.at(at - 1))) && word(u"date") &&
                spaces() && symbol(u'(') && spaces() && name(first) && spaces() && symbol(u',') && spaces() &&
                word(u"'+0 days'") && spaces() && symbol(u')') && spaces() && word(u"is") && spaces(1) &&
                name(second)) {
                if (first.compare(second, Qt::CaseInsensitive) == 0)
                    out.insert(first.toString().toLower());
                at = m_at;
            } else {
                ++at;
            }
        }
        return out;
    }

  private:
    static bool isWord(QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
    }
    static bool isSpace(QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    }
    bool word(QStringView w) {
        if (!m_text.sliced(m_at).startsWith(w, Qt::CaseInsensitive))
            return false;
        m_at += w.size();
        return true;
    }
    bool symbol(QChar c) {
        if (m_at >= m_text.size() || m_text.at(m_at) != c)
            return false;
        ++m_at;
        return true;
    }
    // At least `least` blanks, as many as there are.
    bool spaces(int least = 0) {
        const qsizetype from = m_at;
        while (m_at < m_text.size() && isSpace(m_text.at(m_at)))
            ++m_at;
        return m_at - from >= least;
    }
    // A name, perhaps in brackets.
    bool name(QStringView& out) {
        symbol(u'[');
        const qsizetype from = m_at;
        while (m_at < m_text.size() && isWord(m_text.at(m_at)))
            ++m_at;
        if (m_at == from)
            return false;
        out = m_text.sliced(from, m_at - from);
        symbol(u']');
        return true;
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

} // namespace

QSet<QString> dateColumns(const QString& createSql) {
    return DateCheckReader(createSql).columns();
}

namespace {

// The tables and columns of the database `db`, read from the engine.
Layout readTables(sqlite3* db) {
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

// The tables and columns of a database whose tables are defined by `definitions`, texts as
// this program's script writes them: the columns of a table are the items of its outer
// parentheses that do not begin with a table constraint. Reading them from the engine costs
// several times as much, at every start.
bool isTableConstraint(QStringView word) {
    for (const char* keyword : {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK", "FOREIGN"})
        if (word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

Layout readDefinitions(const QStringList& definitions) {
    Layout layout;
    for (const QString& text : definitions) {
        const QStringView definition(text);
        QString table;
        QStringList columns;
        int depth = 0;
        bool itemStart = false;
        for (qsizetype at = 0; at < definition.size();) {
            const QChar c = definition.at(at);
            if (c.isSpace()) {
                ++at;
            } else if (definition.sliced(at).startsWith(u"--")) {
                const qsizetype end = definition.indexOf(u'\n', at);
                at = end < 0 ? definition.size() : end + 1;
            } else if (c == u'(' || c == u')' || c == u',') {
                depth += c == u'(' ? 1 : c == u')' ? -1 : 0;
                itemStart = depth == 1 && c != u')';
                ++at;
            } else {
                // A word, a number or a quoted text or name.
                qsizetype end = at + 1;
                if (c == u'\'' || c == u'"' || c == u'[' || c == u'`') {
                    const QChar close = c == u'[' ? u']' : c;
                    end = definition.indexOf(close, at + 1);
                    end = end < 0 ? definition.size() : end + 1;
                } else {
                    while (end < definition.size() && !definition.at(end).isSpace() &&
                           !QStringView(u"(),'\"[`").contains(definition.at(end)))
                        ++end;
                }
                QStringView word = definition.sliced(at, end - at);
                if (c == u'"' || c == u'[' || c == u'`')
                    word = word.sliced(1, word.size() - 2);
                if (depth == 0 && table.isEmpty() && at > 0 &&
                    definition.first(at).trimmed().endsWith(u"TABLE", Qt::CaseInsensitive))
                    table = word.toString();
                else if (itemStart && depth == 1 && !isTableConstraint(word))
                    columns << word.toString();
                itemStart = false;
                at = end;
            }
        }
        const QString key = table.toLower();
        layout.tableNames.insert(key, table);
        layout.columns.insert(key, columns);
        layout.dateColumns.unite(dateColumns(text));
    }
    return layout;
}

// Layouts already read in this process, by the texts of their tables' definitions. Every
// handler opens its own connection, nearly always to the same file; those after the first
// take its layout from here. Connections open on more than one thread.
std::mutex layoutsMutex;
QHash<QString, Layout>& layouts() {
    static QHash<QString, Layout> known;
    return known;
}

} // namespace

Layout read(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE 'sqlite%' "
                           "ORDER BY name",
                           -1, &st, nullptr) != SQLITE_OK)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    QStringList definitions;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        definitions << text(st, 0);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    const QString key = definitions.join(QLatin1Char('\n'));
    {
        const std::lock_guard<std::mutex> lock(layoutsMutex);
        if (auto it = layouts().constFind(key); it != layouts().constEnd())
            return it.value();
    }
    // Every table defined word for word as a new database defines it, and as many tables:
    // nothing can be missing, and the new database need not be built to know it. Such
    // definitions are read as text; any others are asked of the engine.
    const QString script = text();
    const bool asCreated = definitions.size() == script.count(QLatin1String("CREATE TABLE ")) &&
                           std::all_of(definitions.cbegin(), definitions.cend(),
                                       [&](const QString& d) { return script.contains(d); });
    Layout layout = asCreated ? readDefinitions(definitions) : readTables(db);
    layout.asCreated = asCreated;
    const std::lock_guard<std::mutex> lock(layoutsMutex);
    if (layouts().size() < 16)
        layouts().insert(key, layout);
    return layout;
}

const Layout& expected() {
    static const Layout layout = [] {
        sqlite3* db = nullptr;
        sqlite3_open(":memory:", &db);
        std::unique_ptr<sqlite3, int (*)(sqlite3*)> guard(db, sqlite3_close);
        if (sqlite3_exec(db, text().toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
        return readTables(db);
    }();
    return layout;
}

QString missing(const Layout& actual) {
    if (actual.asCreated)
        return QString();
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
