#include "Migration.h"

#include "DbError.h"
#include "Schema.h"

#include <sqlite3.h>

namespace Migration {

namespace {

QString engineMessage(sqlite3* db) {
    return QString::fromUtf8(sqlite3_errmsg(db));
}

void exec(sqlite3* db, const QByteArray& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : engineMessage(db);
        sqlite3_free(err);
        throw DbError(msg);
    }
}

// The first row of `sql` as text fields joined by `|`; empty when there is none.
QString firstRow(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        throw DbError(engineMessage(db));
    QStringList fields;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            fields << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw DbError(engineMessage(db));
    return fields.join(QLatin1Char('|'));
}

// Version 1 accepted dates such as 2026-02-30 or 2026-19-39. Such a row cannot move into the
// version 2 tables, and no date can be made up for it: the step stops and names the row.
void refuseImpossibleDates(sqlite3* db) {
    static const char* const checks[][2] = {
        {"Exercise_Master", "SELECT Exercise_ID, Exercise_Date FROM Exercise_Master "
                            "WHERE date(Exercise_Date, '+0 days') IS NOT Exercise_Date LIMIT 1"},
        {"RaceLog",
         "SELECT RaceID, RaceDate FROM RaceLog WHERE date(RaceDate, '+0 days') IS NOT RaceDate LIMIT 1"},
        {"Running_Shoes", "SELECT Shoes_ID, Purchase_Date FROM Running_Shoes WHERE Purchase_Date IS NOT NULL "
                          "AND date(Purchase_Date, '+0 days') IS NOT Purchase_Date LIMIT 1"},
        {"Bikes", "SELECT Bike, Purchase_Date FROM Bikes WHERE Purchase_Date IS NOT NULL "
                  "AND date(Purchase_Date, '+0 days') IS NOT Purchase_Date LIMIT 1"},
    };
    for (const auto& [table, sql] : checks) {
        const QString row = firstRow(db, sql);
        if (!row.isEmpty()) {
            const QStringList parts = row.split(QLatin1Char('|'));
            throw DbError(QStringLiteral("row %1 of %2 holds the impossible date %3")
                              .arg(parts.value(0), QLatin1String(table), parts.value(1)));
        }
    }
}

TrackAverage& trackAverage() {
    static TrackAverage average = nullptr;
    return average;
}

// A prepared statement, finalized when it goes out of scope.
struct Statement {
    sqlite3_stmt* st = nullptr;
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
            throw DbError(engineMessage(db));
    }
    ~Statement() { sqlite3_finalize(st); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

// Tracks stored before their average heart rate was kept get it now, so that load charts see
// every imported workout. A track whose bytes are damaged is left without one: the diary still
// opens, and reading that track reports the damage where it is shown.
void keepTrackAverages(sqlite3* db) {
    Statement select(db, "SELECT t.Exercise_ID, t.Points FROM Exercise_Track t WHERE NOT EXISTS "
                         "(SELECT 1 FROM Exercise_HeartRate h WHERE h.Exercise_ID = t.Exercise_ID)");
    Statement insert(db,
                     "INSERT INTO Exercise_HeartRate (Exercise_ID, Average_HR, Seconds) VALUES (?, ?, ?)");
    int rc;
    while ((rc = sqlite3_step(select.st)) == SQLITE_ROW) {
        if (!trackAverage())
            throw DbError(QStringLiteral("this program cannot read the stored tracks"));
        const void* blob = sqlite3_column_blob(select.st, 1);
        const QByteArray points(static_cast<const char*>(blob), sqlite3_column_bytes(select.st, 1));
        std::optional<TrackHeartRate> avg;
        try {
            avg = trackAverage()(points);
        } catch (const DbError&) {
            continue;
        }
        if (!avg || !(avg->bpm > 0) || !(avg->seconds > 0))
            continue;
        sqlite3_bind_int64(insert.st, 1, sqlite3_column_int64(select.st, 0));
        sqlite3_bind_double(insert.st, 2, avg->bpm);
        sqlite3_bind_double(insert.st, 3, avg->seconds);
        if (sqlite3_step(insert.st) != SQLITE_DONE)
            throw DbError(engineMessage(db));
        sqlite3_reset(insert.st);
    }
    if (rc != SQLITE_DONE)
        throw DbError(engineMessage(db));
}

struct Step {
    int to;
    void (*check)(sqlite3*); // before the step's script
    void (*work)(sqlite3*);  // after it
};

const Step Steps[] = {
    {2, refuseImpossibleDates, nullptr},
    {3, nullptr, nullptr},
    {4, nullptr, nullptr},
    {5, nullptr, nullptr},
    {6, nullptr, nullptr},
    {7, nullptr, keepTrackAverages},
};

void runStep(sqlite3* db, const Step& step) {
    exec(db, "BEGIN IMMEDIATE");
    try {
        if (step.check)
            step.check(db);
        exec(db, Schema::migrationText(step.to).toUtf8());
        if (step.work)
            step.work(db);
        exec(db, QStringLiteral("PRAGMA user_version = %1").arg(step.to).toUtf8());
        exec(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace

void setTrackAverage(TrackAverage average) {
    trackAverage() = average;
}

void run(sqlite3* db, int fromVersion) {
    for (const Step& step : Steps) {
        if (step.to <= fromVersion)
            continue;
        try {
            runStep(db, step);
        } catch (const DbError& e) {
            throw DbError(
                QStringLiteral("could not update it to version %1: %2").arg(step.to).arg(e.description()));
        }
    }
}

} // namespace Migration
