// How long the chart tables and the graph windows take on 50,000 workouts of one user.
//
// Every chart table of the two graph windows (each output, each period filter) is computed
// through the core, and the same rows are read natively on the raw SQLite C API (substr
// instead of the dialect's Format, the same columns stepped and converted) for comparison.
// Then the two graph windows are timed from Create Chart to the chart painted into a pixmap.
// Best of the runs; run a Release build:
//
//   bench_charts [runs]

#include "BenchMain.h"
#include "CLibrary.h"
#include "ChartControl.h"
#include "Clock.h"
#include "Connection.h"
#include "DbError.h"
#include "FormLoad.h"
#include "GraphTables.h"
#include "NativeDb.h"
#include "SharedState.h"
#include "frmGraphRpt.h"
#include "frmGraphTime.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace bench;

constexpr int Workouts = 50000;
const QString User = QStringLiteral("Runner");

// 50,000 workouts from 2011 through 2025, a few per day: four in ten runs, three in ten
// rides, the rest swims, videos and other exercises.
void fill(const QString& path) {
    DbHandle db = openNative(path);
    check(sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr), db.get());
    StmtHandle master =
        prepareNative(db.get(), "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                                "Exercise_Time, User_Name) VALUES (?, ?, 'Day', ?, ?)");
    StmtHandle run =
        prepareNative(db.get(), "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (?, ?, ?)");
    StmtHandle ride =
        prepareNative(db.get(), "INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (?, ?, ?)");
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> kind(0, 9), tenths(30, 300), pace(180, 630);
    const QDate first(2011, 1, 1);
    const int span = int(first.daysTo(QDate(2025, 12, 31)));
    const QByteArray user = User.toUtf8();
    for (int i = 0; i < Workouts; ++i) {
        const int k = kind(rng);
        const char* type = k < 4    ? "Running"
                           : k < 7  ? "Cycling"
                           : k == 7 ? "Swimming"
                           : k == 8 ? "Video"
                                    : "Other";
        const QDate date = first.addDays(qint64(i) * span / Workouts);
        const double miles = tenths(rng) / 10.0;
        const QByteArray iso = date.toString(Qt::ISODate).toUtf8();
        const QByteArray time = timeText(int(std::lround(miles * pace(rng)))).toUtf8();
        sqlite3_bind_text(master.get(), 1, type, -1, SQLITE_STATIC);
        sqlite3_bind_text(master.get(), 2, iso.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(master.get(), 3, time.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(master.get(), 4, user.constData(), -1, SQLITE_TRANSIENT);
        check(sqlite3_step(master.get()), db.get());
        sqlite3_reset(master.get());
        if (k < 7) {
            sqlite3_stmt* detail = k < 4 ? run.get() : ride.get();
            sqlite3_bind_int64(detail, 1, sqlite3_last_insert_rowid(db.get()));
            sqlite3_bind_double(detail, 2, miles);
            sqlite3_bind_double(detail, 3, std::round(miles * CLibrary::KilometersPerMile * 10) / 10);
            check(sqlite3_step(detail), db.get());
            sqlite3_reset(detail);
        }
    }
    check(sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr), db.get());
}

// --- Native readings of the same rows ----------------------------------------------------

const char* const MonthLabel = "substr('JanFebMarAprMayJunJulAugSepOctNovDec', "
                               "(CAST(substr(Exercise_Date, 6, 2) AS INTEGER) - 1) * 3 + 1, 3) || ' ' || "
                               "substr(Exercise_Date, 3, 2)";

// The native counterpart of a selection's condition, on ISO dates.
std::string nativeFilter(GraphTables::Filter f) {
    using GraphTables::Filter;
    switch (f) {
    case Filter::CurrentYear:
        return " AND Exercise_Date BETWEEN '2025-01-01' AND '2025-12-31'";
    case Filter::DateRange:
        return " AND Exercise_Date BETWEEN '2015-01-01' AND '2019-12-31'";
    case Filter::SingleMonth:
        return " AND Exercise_Date BETWEEN '2020-06-01' AND '2020-06-30'";
    case Filter::CompareMonths:
        return " AND substr(Exercise_Date, 6, 2) = '03'";
    default:
        return {};
    }
}

std::string nativeLabel(GraphTables::Filter f) {
    if (f == GraphTables::Filter::CompareYears)
        return "substr(Exercise_Date, 1, 4)";
    if (f == GraphTables::Filter::SingleMonth)
        return "substr(Exercise_Date, 9, 2) || ' ' || substr('JanFebMarAprMayJunJulAugSepOctNovDec', "
               "(CAST(substr(Exercise_Date, 6, 2) AS INTEGER) - 1) * 3 + 1, 3)";
    return MonthLabel;
}

// Distance totals: the grouped sums, read row by row.
double nativeTotals(sqlite3* db, const char* table, const char* key, GraphTables::Filter f) {
    const bool single = f == GraphTables::Filter::SingleMonth;
    const std::string label = nativeLabel(f);
    const std::string sql = "SELECT " + label + " AS Label, " + (single ? "Miles" : "Sum(Miles)") +
                            " FROM Exercise_Master JOIN " + table + " ON Exercise_ID = " + key +
                            " WHERE User_Name = ?1" + nativeFilter(f) +
                            (single ? std::string(" ORDER BY Exercise_Date")
                                    : " GROUP BY substr(Exercise_Date, 1, " +
                                          std::string(f == GraphTables::Filter::CompareYears ? "4" : "7") +
                                          ") ORDER BY substr(Exercise_Date, 1, 7)");
    StmtHandle st = prepareNative(db, sql);
    sqlite3_bind_text(st.get(), 1, "Runner", -1, SQLITE_STATIC);
    double sum = 0;
    while (sqlite3_step(st.get()) == SQLITE_ROW) {
        const QString l = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
        sum += sqlite3_column_double(st.get(), 1) + l.size();
    }
    return sum;
}

// Detail rows of the average and hour charts: time text, distance (or type) and label per
// workout, each converted as the chart needs it.
double nativeDetail(sqlite3* db, const char* table, const char* key, GraphTables::Filter f) {
    const std::string from =
        table ? std::string(" FROM Exercise_Master JOIN ") + table + " ON Exercise_ID = " + key
              : std::string(" FROM Exercise_Master");
    const std::string sql = "SELECT Exercise_Time, " + std::string(table ? "Miles" : "Exercise_Type") + ", " +
                            nativeLabel(f) + from + " WHERE User_Name = ?1" + nativeFilter(f) +
                            " ORDER BY Exercise_Date";
    StmtHandle st = prepareNative(db, sql);
    sqlite3_bind_text(st.get(), 1, "Runner", -1, SQLITE_STATIC);
    double sum = 0;
    while (sqlite3_step(st.get()) == SQLITE_ROW) {
        const QString time =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 0)));
        const QString label =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.get(), 2)));
        sum += CLibrary::GetMinutes(time) + sqlite3_column_double(st.get(), 1) + label.size();
    }
    return sum;
}

struct FilterCase {
    const char* name;
    GraphTables::Selection sel;
};

} // namespace

int main(int argc, char** argv) {
    bench::offscreenUnlessSet();
    QApplication app(argc, argv);
    const int runs = bench::runsFrom(argc, argv, 15);
    Clock::setFixed(QDateTime(QDate(2025, 12, 15), QTime(12, 0)));

    const bool controlOnly = qEnvironmentVariableIsSet("BENCH_CONTROL_ONLY");
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QString path = dir.filePath(QStringLiteral("Trainbook.db"));
    Connection::create(path);
    fill(path);
    std::printf("%d workouts of one user, best of %d runs, ms\n\n", Workouts, runs);

    using GraphTables::Filter;
    const FilterCase filters[] = {
        {"all months", {Filter::AllMonths}},
        {"current year", {Filter::CurrentYear}},
        {"date range", {Filter::DateRange, QStringLiteral("January 2015"), QStringLiteral("December 2019")}},
        {"single month", {Filter::SingleMonth, {}, {}, QStringLiteral("June 2020")}},
        {"compare years", {Filter::CompareYears}},
        {"compare months", {Filter::CompareMonths, {}, {}, {}, QStringLiteral("March")}},
    };

    // The chart control alone: 180 rows of two series handed over and painted.
    {
        QList<QVariantList> rows;
        for (int i = 0; i < 180; ++i)
            rows << QVariantList{QStringLiteral("M%1").arg(i), 5.0 + i % 7, 8.0 + i % 3};
        ChartControl chart;
        chart.resize(900, 600);
        chart.show();
        for (int type : {1, 3, 5, 7}) {
            chart.setChartType(type);
            const double data = bench::bestMs(runs, [&] { chart.setChartData(rows); });
            const double paint = bench::bestMs(runs, [&] { (void)chart.grab(); });
            std::printf("chart control type %d, 180 rows x 2 series: data %.2f ms, paint %.2f ms\n", type,
                        data, paint);
        }
        std::printf("\n");
    }

    if (controlOnly)
        return 0;

    auto conn = Connection::open(path);
    DbHandle native = openNative(path);
    std::printf("%-34s %8s %6s %8s %7s\n", "chart table", "core", "rows", "native", "ratio");
    double worst = 0, worstRatio = 0;
    auto report = [&](const std::string& name, double core, qsizetype rows, double nat) {
        std::printf("%-34s %8.2f %6lld %8.2f %6.2fx\n", name.c_str(), core, (long long)rows, nat, core / nat);
        worst = std::max(worst, core);
        worstRatio = std::max(worstRatio, core / nat);
    };
    volatile double sink = 0;
    for (const FilterCase& f : filters) {
        ChartTable t;
        double core = bench::bestMs(runs, [&] {
            t = GraphTables::distanceTotals(*conn, User, GraphTables::Sport::Running, true, f.sel);
        });
        double nat = bench::bestMs(runs, [&] {
            sink = sink + nativeTotals(native.get(), "Running_Log", "Running_ID", f.sel.filter);
        });
        report(std::string("run totals, ") + f.name, core, t.rows.size(), nat);

        core = bench::bestMs(runs, [&] {
            t = GraphTables::averagePace(*conn, User, GraphTables::Sport::Running, true, f.sel);
        });
        nat = bench::bestMs(runs, [&] {
            sink = sink + nativeDetail(native.get(), "Running_Log", "Running_ID", f.sel.filter);
        });
        report(std::string("run average, ") + f.name, core, t.rows.size(), nat);

        core = bench::bestMs(runs, [&] {
            t = GraphTables::averagePace(*conn, User, GraphTables::Sport::Cycling, false, f.sel);
        });
        nat = bench::bestMs(runs, [&] {
            sink = sink + nativeDetail(native.get(), "Cycling_Log", "Cycling_ID", f.sel.filter);
        });
        report(std::string("ride average km, ") + f.name, core, t.rows.size(), nat);

        core = bench::bestMs(runs, [&] { t = GraphTables::hoursTogether(*conn, User, f.sel); });
        nat = bench::bestMs(
            runs, [&] { sink = sink + nativeDetail(native.get(), nullptr, nullptr, f.sel.filter); });
        report(std::string("hours together, ") + f.name, core, t.rows.size(), nat);

        core = bench::bestMs(
            runs, [&] { t = GraphTables::hoursIndividual(*conn, User, f.sel, GraphTables::Kinds{}); });
        report(std::string("hours individual, ") + f.name, core, t.rows.size(), nat);
    }
    std::printf("\nslowest chart table %.2f ms, largest ratio to the native read %.2fx\n\n", worst,
                worstRatio);

    // The windows: Create Chart clicked to the chart painted, all months (180 periods).
    FixedState state(User, true);
    {
        frmGraphRpt w(state);
        w.openGraph(QStringLiteral("Running"));
        w.resize(1100, 700);
        w.show();
        w.optAllMonths->setChecked(true);
        for (QRadioButton* type : {w.optBar, w.optLine, w.optArea, w.optStep}) {
            type->setChecked(true);
            for (QRadioButton* output : {w.optMiles, w.optPace}) {
                output->setChecked(true);
                const double ms = bench::bestMs(runs, [&] {
                    w.btnCreateChart->click();
                    (void)w.RunChart->grab();
                });
                if (const QByteArray shots = qgetenv("BENCH_SHOTS"); !shots.isEmpty())
                    w.grab().save(QString::fromLocal8Bit(shots) +
                                  QStringLiteral("/bench_%1_%2.png")
                                      .arg(w.RunChart->chartType())
                                      .arg(output == w.optMiles ? "totals" : "pace"));
                std::printf("frmGraphRpt %-8s %-6s create to painted %8.2f ms\n",
                            w.RunChart->chartType() == 1   ? "bar"
                            : w.RunChart->chartType() == 3 ? "line"
                            : w.RunChart->chartType() == 5 ? "area"
                                                           : "step",
                            output == w.optMiles ? "totals" : "pace", ms);
            }
        }
    }
    {
        frmGraphTime w(state);
        w.resize(1100, 700);
        w.show();
        w.optAllMonths->setChecked(true);
        w.optIndividual->setChecked(true);
        const double ms = bench::bestMs(runs, [&] {
            w.btnCreateChart->click();
            (void)w.RunChart->grab();
        });
        std::printf("frmGraphTime bar individual (5 series) create to painted %8.2f ms\n", ms);
    }
    {
        QElapsedTimer t;
        t.start();
        frmGraphRpt w(state);
        w.openGraph(QStringLiteral("Running"));
        w.show();
        (void)w.grab();
        std::printf("frmGraphRpt opened (month lists, first chart) to painted %8.2f ms\n",
                    double(t.nsecsElapsed()) / 1e6);
    }
    return 0;
}
