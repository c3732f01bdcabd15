// A stored criteria fragment is SQL text that a person (or anyone who can write the file) may
// have changed. Whatever fragment the report accepts must stay a condition on the report's own
// rows: the statement stays one statement that writes nothing, it reads no table but the
// report's own and calls no function but the dialect's, and it never returns another user's rows.
#include "FuzzSupport.h"
#include "ReportCriteria.h"

#include "Connection.h"
#include "DbError.h"

#include <QTemporaryDir>
#include <sqlite3.h>

namespace {

Connection& database() {
    static QTemporaryDir dir;
    static std::unique_ptr<Connection> conn = [] {
        const QString path = dir.filePath(QStringLiteral("Trainbook.db"));
        Connection::create(path);
        auto c = Connection::open(path);
        c->executeAll(
            {"INSERT INTO Users (User_Name) VALUES ('Ann')", "INSERT INTO Users (User_Name) VALUES ('Bob')",
             "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
             "User_Name, Comments) VALUES ('Running', '2026-12-01', 'Tuesday', '30:00', 'Ann', 'a')",
             "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
             "VALUES (1, 5, 'A', 'Red', 8)",
             "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
             "User_Name, Comments) VALUES ('Running', '2026-11-01', 'Sunday', '50:00', 'Bob', 'b')",
             "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
             "VALUES (2, 10, 'B', 'Blue', 16)"});
        return c;
    }();
    return *conn;
}

// Records the first table or function outside the report's own that a statement uses.
int authorize(void* seen, int action, const char* third, const char* fourth, const char*, const char*) {
    auto& first = *static_cast<QByteArray*>(seen);
    if (!first.isEmpty())
        return SQLITE_OK;
    const QByteArray name = QByteArray(action == SQLITE_FUNCTION ? fourth : third).toLower();
    if (action == SQLITE_READ && name != "exercise_master" && name != "running_log")
        first = "table " + name;
    else if (action == SQLITE_FUNCTION &&
             !QList<QByteArray>{"tb_format", "tb_year", "tb_month", "tb_now", "tb_cdate", "like"}.contains(
                 name))
        first = "function " + name;
    else if (action != SQLITE_READ && action != SQLITE_FUNCTION && action != SQLITE_SELECT)
        first = "action " + QByteArray::number(action);
    return SQLITE_OK;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString fragment = fuzzText(data, size);
    QString part;
    try {
        part = ReportCriteria::criteriaPart(fragment, QStringLiteral("Running"));
    } catch (const DbError&) {
        return 0;
    }
    // The report puts the criteria after the user's own condition.
    const QString sql = QStringLiteral("SELECT User_Name FROM Exercise_Master, Running_Log "
                                       "WHERE Exercise_Id = Running_Id AND User_Name = 'Ann' ") +
                        part;
    Connection& conn = database();
    QByteArray outside;
    sqlite3_set_authorizer(conn.handle(), authorize, &outside);
    try {
        const Connection::Deadline deadline(conn, 1000);
        for (ResultSet rs = conn.query(sql); !rs.eof(); rs.moveNext())
            FUZZ_CHECK(rs.field(0) == QLatin1String("Ann"), "'%s' returned a row of '%s'", qPrintable(sql),
                       qPrintable(rs.field(0)));
    } catch (const DbError&) {
        // not a valid condition for SQLite (or too slow): the report shows its message
    }
    sqlite3_set_authorizer(conn.handle(), nullptr, nullptr);
    FUZZ_CHECK(outside.isEmpty(), "'%s' uses %s", qPrintable(sql), outside.constData());
    return 0;
}
