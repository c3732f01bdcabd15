// How much the SQL dialect layer costs on the two heaviest reads of the program: the full
// running report and the all-months distance chart, over 50,000 runs of one user. Each query
// runs once through Connection::query (dialect text, Format/Year/Month as SQL functions,
// fields read by ResultSet::field) and once as a hand-written native SQLite query on the raw
// C API (substr instead of Format). Both read the same rows; the ratios are printed at the end.
// Two more readings tell where a gap comes from: the report's fields read by column number
// instead of by name, and a native chart query grouped the way the program's statement is.
//
//   bench_queries [--benchmark_filter=...] [--benchmark_min_time=...]

#include "CLibrary.h"
#include "Connection.h"
#include "DbError.h"
#include "NativeDb.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace bench;

constexpr int Workouts = 50000;
const QString User = QStringLiteral("Runner");

// --- The statements ------------------------------------------------------------------------

// The full running report, as the report window composes it with no criteria.
QString fullReportDialect() {
    return QStringLiteral(
               "SELECT Format(Exercise_Date, 'dd-mmm-yyyy') AS tDate, Exercise_Time, Exercise_Day, "
               "Comments,  Miles, Kilometers, Course, Format(Exercise_Date, 'mmmm yyyy') AS tMonth, "
               "Exercise_ID FROM Exercise_Master, Running_Log WHERE Exercise_Id = Running_Id "
               "AND User_Name = ") +
           CLibrary::Quote(User) + QStringLiteral(" ORDER BY Exercise_Date");
}

const char* const MonthCase = "CASE substr(Exercise_Date, 6, 2) "
                              "WHEN '01' THEN 'January' WHEN '02' THEN 'February' WHEN '03' THEN 'March' "
                              "WHEN '04' THEN 'April' WHEN '05' THEN 'May' WHEN '06' THEN 'June' "
                              "WHEN '07' THEN 'July' WHEN '08' THEN 'August' WHEN '09' THEN 'September' "
                              "WHEN '10' THEN 'October' WHEN '11' THEN 'November' ELSE 'December' END";

std::string fullReportNative() {
    return std::string("SELECT substr(Exercise_Date, 9, 2) || '-' || "
                       "substr('JanFebMarAprMayJunJulAugSepOctNovDec', "
                       "(CAST(substr(Exercise_Date, 6, 2) AS INTEGER) - 1) * 3 + 1, 3) || '-' || "
                       "substr(Exercise_Date, 1, 4) AS tDate, Exercise_Time, Exercise_Day, Comments, Miles, "
                       "Kilometers, Course, ") +
           MonthCase +
           " || ' ' || substr(Exercise_Date, 1, 4) AS tMonth, Exercise_ID "
           "FROM Exercise_Master JOIN Running_Log ON Exercise_ID = Running_ID "
           "WHERE User_Name = ?1 ORDER BY Exercise_Date";
}

// The distance chart for all months, as the graph window composes it.
QString allMonthsDialect() {
    return QStringLiteral(
               "SELECT (Format([Exercise_Date],'mmm yy')), Sum([Miles]) AS Mile From Exercise_Master, "
               "Running_Log WHERE User_Name = ") +
           CLibrary::Quote(User) +
           QStringLiteral(" AND Exercise_ID = Running_ID GROUP BY (Year([Exercise_Date])*12 + "
                          "Month([Exercise_Date])-1), (Format([Exercise_Date],'mmm yy'))");
}

std::string allMonthsNative() {
    return "SELECT substr('JanFebMarAprMayJunJulAugSepOctNovDec', "
           "(CAST(substr(Exercise_Date, 6, 2) AS INTEGER) - 1) * 3 + 1, 3) || ' ' || "
           "substr(Exercise_Date, 3, 2) AS Label, Sum(Miles) AS Mile "
           "FROM Exercise_Master JOIN Running_Log ON Exercise_ID = Running_ID "
           "WHERE User_Name = ?1 GROUP BY substr(Exercise_Date, 1, 7) ORDER BY substr(Exercise_Date, 1, 7)";
}

// The same grouping as the program's statement (running month number and label), written
// with substr: separates the cost of the statement's shape from the cost of the dialect.
std::string allMonthsNativeSameShape() {
    const std::string key = "(CAST(substr(Exercise_Date, 1, 4) AS INTEGER) * 12 + "
                            "CAST(substr(Exercise_Date, 6, 2) AS INTEGER) - 1)";
    return "SELECT substr('JanFebMarAprMayJunJulAugSepOctNovDec', "
           "(CAST(substr(Exercise_Date, 6, 2) AS INTEGER) - 1) * 3 + 1, 3) || ' ' || "
           "substr(Exercise_Date, 3, 2) AS Label, Sum(Miles) AS Mile "
           "FROM Exercise_Master JOIN Running_Log ON Exercise_ID = Running_ID "
           "WHERE User_Name = ?1 GROUP BY " +
           key + ", Label ORDER BY " + key + ", Label";
}

const char* const FullReportFields[] = {"tDate",      "Exercise_Time", "Exercise_Day", "Comments",   "Miles",
                                        "Kilometers", "Course",        "tMonth",       "Exercise_ID"};

// --- The database --------------------------------------------------------------------------

struct Database {
    QTemporaryDir dir;
    QString path;
    QString error; // set when the database could not be built or the two readings differ
};

// 50,000 runs spread over fifteen years from 2011 on (a few per day), 3 to 13 miles with the
// odd marathon, 7:00 to 10:30 per mile, eight courses, a comment on every fourth run.
void fill(const QString& path) {
    DbHandle db = openNative(path);
    check(sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr), db.get());
    StmtHandle master =
        prepareNative(db.get(), "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                                "Exercise_Time, User_Name, Comments) VALUES ('Running', ?, ?, ?, ?, ?)");
    StmtHandle detail = prepareNative(db.get(), "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, "
                                                "Kilometers) VALUES (?, ?, ?, ?, ?)");
    static const char* const days[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                       "Friday", "Saturday", "Sunday"};
    static const char* const courses[] = {"River Loop", "Park",       "Track",      "Hill Repeats",
                                          "Lake",       "Canal Path", "Old Mill's", "Downtown"};
    std::mt19937 rng(20260105);
    std::uniform_int_distribution<int> tenths(30, 130), pace(420, 630), pick(0, 7), rare(0, 199);
    const QDate first(2011, 1, 1);
    const int span = first.daysTo(QDate(2025, 12, 31));
    const QByteArray user = User.toUtf8();
    for (int i = 0; i < Workouts; ++i) {
        const QDate date = first.addDays(qint64(i) * span / Workouts);
        const double miles = rare(rng) == 0 ? 26.2 : tenths(rng) / 10.0;
        const QByteArray iso = date.toString(Qt::ISODate).toUtf8();
        const QByteArray time = timeText(int(std::lround(miles * pace(rng)))).toUtf8();
        const QByteArray comment = QStringLiteral("Run number %1, felt fine").arg(i).toUtf8();
        sqlite3_bind_text(master.get(), 1, iso.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(master.get(), 2, days[date.dayOfWeek() - 1], -1, SQLITE_STATIC);
        sqlite3_bind_text(master.get(), 3, time.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(master.get(), 4, user.constData(), -1, SQLITE_TRANSIENT);
        if (i % 4 == 0)
            sqlite3_bind_text(master.get(), 5, comment.constData(), -1, SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(master.get(), 5);
        check(sqlite3_step(master.get()), db.get());
        sqlite3_reset(master.get());

        sqlite3_bind_int64(detail.get(), 1, sqlite3_last_insert_rowid(db.get()));
        sqlite3_bind_double(detail.get(), 2, miles);
        sqlite3_bind_text(detail.get(), 3, courses[pick(rng)], -1, SQLITE_STATIC);
        sqlite3_bind_text(detail.get(), 4, i % 2 ? "Trail 3" : "Road 7", -1, SQLITE_STATIC);
        sqlite3_bind_double(detail.get(), 5, std::round(miles * CLibrary::KilometersPerMile * 10) / 10);
        check(sqlite3_step(detail.get()), db.get());
        sqlite3_reset(detail.get());
    }
    check(sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr), db.get());
}

// --- The readings --------------------------------------------------------------------------

using Rows = std::vector<std::vector<QString>>;

Rows readDialect(Connection& conn, const QString& sql, bool byName) {
    Rows rows;
    ResultSet rs = conn.query(sql);
    const int columns = rs.columnCount();
    for (; !rs.eof(); rs.moveNext()) {
        std::vector<QString> row;
        row.reserve(columns);
        if (byName) {
            for (const char* name : FullReportFields)
                row.push_back(rs.field(QLatin1String(name)));
        } else {
            for (int i = 0; i < columns; ++i)
                row.push_back(rs.field(i));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

Rows readNative(sqlite3* db, const std::string& sql) {
    Rows rows;
    StmtHandle st = prepareNative(db, sql);
    const QByteArray user = User.toUtf8();
    sqlite3_bind_text(st.get(), 1, user.constData(), int(user.size()), SQLITE_STATIC);
    const int columns = sqlite3_column_count(st.get());
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        std::vector<QString> row;
        row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            row.push_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), i)),
                                            sqlite3_column_bytes(st.get(), i)));
        rows.push_back(std::move(row));
    }
    check(rc, db);
    return rows;
}

// The two readings must agree before their times mean anything. Numbers are compared as
// numbers (the engine writes 5.0 where the program writes 5); runs of the same day may come
// in either order, so rows are compared sorted.
Rows normalized(Rows rows) {
    for (auto& row : rows)
        for (QString& v : row) {
            bool ok = false;
            const double x = v.toDouble(&ok);
            if (ok)
                v = QString::number(x, 'g', 12);
        }
    std::sort(rows.begin(), rows.end());
    return rows;
}

QString compare(const Rows& dialectRows, const Rows& nativeRows, const char* what) {
    const Rows dialect = normalized(dialectRows);
    const Rows native = normalized(nativeRows);
    if (dialect.size() != native.size())
        return QStringLiteral("%1: %2 rows through the dialect, %3 native")
            .arg(QLatin1String(what))
            .arg(dialect.size())
            .arg(native.size());
    for (size_t r = 0; r < dialect.size(); ++r) {
        if (dialect[r] != native[r])
            return QStringLiteral("%1: a row reads '%2' through the dialect, '%3' native")
                .arg(QLatin1String(what),
                     QStringList(dialect[r].begin(), dialect[r].end()).join(QLatin1Char('|')),
                     QStringList(native[r].begin(), native[r].end()).join(QLatin1Char('|')));
    }
    return QString();
}

Database& database() {
    static Database* db = [] {
        auto* d = new Database;
        d->path = d->dir.filePath(QStringLiteral("Trainbook.db"));
        try {
            Connection::create(d->path);
            fill(d->path);
            auto conn = Connection::open(d->path);
            DbHandle native = openNative(d->path);
            d->error = compare(readDialect(*conn, fullReportDialect(), true),
                               readNative(native.get(), fullReportNative()), "full report");
            if (d->error.isEmpty())
                d->error = compare(readDialect(*conn, allMonthsDialect(), false),
                                   readNative(native.get(), allMonthsNative()), "all months");
            if (d->error.isEmpty())
                d->error =
                    compare(readDialect(*conn, allMonthsDialect(), false),
                            readNative(native.get(), allMonthsNativeSameShape()), "all months (same shape)");
        } catch (const DbError& e) {
            d->error = e.description();
        }
        if (!d->error.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(d->error));
        return d;
    }();
    return *db;
}

// --- The benchmarks ------------------------------------------------------------------------

// Reads the rows of `sql` through the dialect layer on every iteration.
void dialectRows(benchmark::State& state, const QString& sql, bool byName) {
    Database& db = database();
    if (!db.error.isEmpty())
        return state.SkipWithError(qPrintable(db.error));
    auto conn = Connection::open(db.path);
    size_t rows = 0;
    for (auto _ : state) {
        Rows r = readDialect(*conn, sql, byName);
        rows = r.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["rows"] = double(rows);
}

// Reads the rows of `sql` on the raw C API on every iteration.
void nativeRows(benchmark::State& state, const std::string& sql) {
    Database& db = database();
    if (!db.error.isEmpty())
        return state.SkipWithError(qPrintable(db.error));
    DbHandle native = openNative(db.path);
    size_t rows = 0;
    for (auto _ : state) {
        Rows r = readNative(native.get(), sql);
        rows = r.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["rows"] = double(rows);
}

void BM_FullReport_Dialect(benchmark::State& state) {
    dialectRows(state, fullReportDialect(), true);
}
// The same reading by column number: what the by-name lookups of the report cost.
void BM_FullReport_DialectByIndex(benchmark::State& state) {
    dialectRows(state, fullReportDialect(), false);
}
void BM_FullReport_Native(benchmark::State& state) {
    nativeRows(state, fullReportNative());
}
void BM_AllMonths_Dialect(benchmark::State& state) {
    dialectRows(state, allMonthsDialect(), false);
}
void BM_AllMonths_Native(benchmark::State& state) {
    nativeRows(state, allMonthsNative());
}
void BM_AllMonths_NativeSameShape(benchmark::State& state) {
    nativeRows(state, allMonthsNativeSameShape());
}

BENCHMARK(BM_FullReport_Dialect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullReport_DialectByIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullReport_Native)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllMonths_Dialect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllMonths_Native)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllMonths_NativeSameShape)->Unit(benchmark::kMillisecond);

// Prints the usual table and remembers each time, so the ratios can follow it.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median, reported after the single runs, wins.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }

    void printRatios() const {
        struct Pair {
            const char* label;
            const char* dialect;
            const char* native;
        };
        const Pair pairs[] = {
            {"full report", "BM_FullReport_Dialect", "BM_FullReport_Native"},
            {"  by index", "BM_FullReport_DialectByIndex", "BM_FullReport_Native"},
            {"all months", "BM_AllMonths_Dialect", "BM_AllMonths_Native"},
            {"  same shape", "BM_AllMonths_Dialect", "BM_AllMonths_NativeSameShape"},
        };
        for (const Pair& p : pairs) {
            const char* query = p.label;
            const auto d = times.find(p.dialect);
            const auto n = times.find(p.native);
            if (d == times.end() || n == times.end() || n->second.first <= 0 || n->second.second <= 0)
                continue;
            // On a shared machine the CPU time is the steadier figure.
            std::printf("%-12s dialect %8.2f ms (cpu %8.2f)   native %8.2f ms (cpu %8.2f)   ratio %.2fx (cpu "
                        "%.2fx)\n",
                        query, d->second.first, d->second.second, n->second.first, n->second.second,
                        d->second.first / n->second.first, d->second.second / n->second.second);
        }
    }

  private:
    std::map<std::string, std::pair<double, double>> times; // real, cpu
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
