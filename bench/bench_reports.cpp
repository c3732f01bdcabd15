// Speed of the text reports on a large diary of one user (Release build):
//  - the full running report's lines against a native read of the same rows on the raw C API;
//  - the weekly running report over twenty years (one query per week);
//  - the report window: Create Report to the lines shown, and scrolling through them;
//  - every report of every kind, and the program's peak memory.
//
//   bench_reports [WORKOUTS]     (default 50000; e.g. 1000000 for the large case)

#include "BenchMain.h"
#include "CLibrary.h"
#include "Clock.h"
#include "Connection.h"
#include "SharedState.h"
#include "TextReport.h"
#include "frmTextRpt.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

namespace {

const QString User = QStringLiteral("Runner");
const QDate First(2006, 1, 1);
const QDate Last(2025, 12, 31);

void check(int rc, sqlite3* db) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

// Runs spread evenly over twenty years, and a few workouts of every other kind.
void fill(const QString& path, int workouts) {
    sqlite3* db = nullptr;
    check(sqlite3_open(path.toUtf8().constData(), &db), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* master = nullptr;
    sqlite3_stmt* run = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                             "Exercise_Time, User_Name, Comments) VALUES (?, ?, ?, ?, ?, ?)",
                             -1, &master, nullptr),
          db);
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
                             "VALUES (?, ?, ?, ?, ?)",
                             -1, &run, nullptr),
          db);
    static const char* const days[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                       "Friday", "Saturday", "Sunday"};
    static const char* const courses[] = {"River Loop",   "Park", "Track",
                                          "Hill Repeats", "Lake", "Canal Path"};
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> tenths(0, 130), pace(420, 630), pick(0, 5);
    const qint64 span = First.daysTo(Last);
    const QByteArray user = User.toUtf8();
    for (int i = 0; i < workouts; ++i) {
        const QDate date = First.addDays(qint64(i) * span / workouts);
        const double miles = tenths(rng) / 10.0;
        const int seconds = int(std::lround(std::max(miles, 1.0) * pace(rng)));
        const QByteArray iso = date.toString(Qt::ISODate).toUtf8();
        const QByteArray time = QStringLiteral("%1:%2:%3")
                                    .arg(seconds / 3600)
                                    .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                    .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                                    .toUtf8();
        const QByteArray comment = QStringLiteral("Run number %1").arg(i).toUtf8();
        sqlite3_bind_text(master, 1, "Running", -1, SQLITE_STATIC);
        sqlite3_bind_text(master, 2, iso.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(master, 3, days[date.dayOfWeek() - 1], -1, SQLITE_STATIC);
        sqlite3_bind_text(master, 4, time.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(master, 5, user.constData(), -1, SQLITE_TRANSIENT);
        if (i % 4 == 0)
            sqlite3_bind_text(master, 6, comment.constData(), -1, SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(master, 6);
        check(sqlite3_step(master), db);
        sqlite3_reset(master);
        sqlite3_bind_int64(run, 1, sqlite3_last_insert_rowid(db));
        sqlite3_bind_double(run, 2, miles);
        sqlite3_bind_text(run, 3, courses[pick(rng)], -1, SQLITE_STATIC);
        sqlite3_bind_text(run, 4, "Road 7", -1, SQLITE_STATIC);
        sqlite3_bind_double(run, 5, std::round(miles * CLibrary::KilometersPerMile * 10) / 10);
        check(sqlite3_step(run), db);
        sqlite3_reset(run);
    }
    sqlite3_finalize(master);
    sqlite3_finalize(run);
    // One of each other kind a month, so that every report has rows.
    for (QDate d = First; d <= Last; d = d.addMonths(1)) {
        const QString iso = d.toString(Qt::ISODate);
        const auto add = [&](const char* type, const QString& detail) {
            const QString sql =
                QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, "
                               "Exercise_Day, Exercise_Time, User_Name) VALUES ('%1', '%2', 'Day', "
                               "'45:00', 'Runner'); ")
                    .arg(QLatin1String(type), iso) +
                detail;
            check(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), db);
        };
        add("Cycling",
            QStringLiteral("INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers, Course) VALUES "
                           "(last_insert_rowid(), 20, 32.2, 'Coast')"));
        add("Swimming", QStringLiteral("INSERT INTO Swimming_Log (Swimming_ID, Laps, Location) VALUES "
                                       "(last_insert_rowid(), 40, 'Pool')"));
        add("Video",
            QStringLiteral("INSERT INTO Video_Log (Video_ID, Video) VALUES (last_insert_rowid(), 'Tape')"));
        add("Other", QStringLiteral("INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES "
                                    "(last_insert_rowid(), 'Pushups', '50')"));
        const QString race =
            QStringLiteral("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, "
                           "RaceDistance, RaceDistanceKM, RaceTime, User_Name) VALUES "
                           "('RunningRace', '%1', '10K', 'Town Run', 6.2, 10, '45:00', 'Runner')")
                .arg(iso);
        check(sqlite3_exec(db, race.toUtf8().constData(), nullptr, nullptr, nullptr), db);
    }
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

// The same rows as the full running report, read natively: every field as text.
size_t nativeRead(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    check(
        sqlite3_prepare_v2(db,
                           "SELECT Exercise_Date, Exercise_Time, Exercise_Day, Comments, Miles, Kilometers, "
                           "Course, Exercise_ID FROM Exercise_Master, Running_Log WHERE Exercise_ID = "
                           "Running_ID AND User_Name = 'Runner' ORDER BY Exercise_Date",
                           -1, &st, nullptr),
        db);
    std::vector<std::vector<QString>> rows;
    while (sqlite3_step(st) == SQLITE_ROW) {
        std::vector<QString> row;
        row.reserve(8);
        for (int i = 0; i < 8; ++i)
            row.push_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                            sqlite3_column_bytes(st, i)));
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows.size();
}

// Median milliseconds of `runs` runs.
double median(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

long peakKiB() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Starts the peak over from the present use (Linux: "5" into clear_refs resets VmHWM), so that
// the benchmark's own native read does not count as the program's memory; what that read
// freed goes back to the system first.
void resetPeak() {
    malloc_trim(0);
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

} // namespace

int main(int argc, char** argv) {
    bench::offscreenUnlessSet();
    QApplication app(argc, argv);
    const int workouts = argc > 1 ? std::atoi(argv[1]) : 50000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Trainbook.db"));
    Connection::create(path);
    fill(path, workouts);
    CLibrary::setDefaultAccessFile(path);
    Clock::setFixed(QDateTime(Last, QTime(12, 0)));
    std::printf("%d runs of one user, %s to %s\n", workouts, qPrintable(First.toString(Qt::ISODate)),
                qPrintable(Last.toString(Qt::ISODate)));

    auto conn = Connection::open(path);
    const auto run = [&](const char* kind, TextReport::Format format, const QString& criteria = QString()) {
        return TextReport::create(*conn, {User, QString::fromLatin1(kind), format, true, true, criteria});
    };

    size_t nativeRows = 0, lines = 0;
    const double native = median(5, [&] { nativeRows = nativeRead(path); });
    resetPeak();
    const double full =
        median(5, [&] { lines = size_t(run("Running", TextReport::Format::Full).lines.size()); });
    std::printf(
        "full running report: %.1f ms for %zu lines; native read of the %zu rows: %.1f ms; ratio %.2f\n",
        full, lines, nativeRows, native, full / native);

    size_t weeks = 0;
    const double weekly =
        median(5, [&] { weeks = size_t(run("Running", TextReport::Format::Weekly).lines.size()) - 6; });
    std::printf("weekly running report: %.1f ms for %zu weeks\n", weekly, weeks);

    const std::pair<const char*, TextReport::Format> all[] = {
        {"Running", TextReport::Format::Summary},  {"Cycling", TextReport::Format::Full},
        {"Cycling", TextReport::Format::Summary},  {"Swimming", TextReport::Format::Full},
        {"Swimming", TextReport::Format::Summary}, {"Video", TextReport::Format::Full},
        {"Video", TextReport::Format::Summary},    {"Other", TextReport::Format::Full},
        {"Other", TextReport::Format::Summary},    {"Time", TextReport::Format::Full},
        {"Time", TextReport::Format::Summary},     {"RunningRace", TextReport::Format::None}};
    for (const auto& [kind, format] : all) {
        size_t n = 0;
        const double ms = median(3, [&] { n = size_t(run(kind, format).lines.size()); });
        std::printf("  %-12s %-8s %8.1f ms  %zu lines\n", kind,
                    qPrintable(TextReport::procedureName(kind, format)), ms, n);
    }

    // The window: Create Report until the lines are in the list and painted.
    FixedState state(User, true);
    frmTextRpt window(state);
    window.openReport(QStringLiteral("Running"));
    window.resize(1000, 700);
    window.show();
    QApplication::processEvents();
    window.chkAlwaysClear->setChecked(true);
    const double shown = median(5, [&] {
        window.btnCreateReport->click();
        window.lstReport->viewport()->repaint();
        QApplication::processEvents();
    });
    std::printf("window: %lld lines shown %.1f ms after Create Report\n",
                qlonglong(window.lstReport->model()->rowCount()), shown);

    // Scrolling: one page at a time through 200 pages, each painted.
    QScrollBar* bar = window.lstReport->verticalScrollBar();
    const int pages = 200;
    const double scrolled = median(3, [&] {
        bar->setValue(0);
        for (int i = 0; i < pages; ++i) {
            bar->setValue(bar->value() + bar->pageStep() * 100);
            window.lstReport->viewport()->repaint();
        }
    });
    std::printf("window: %.2f ms per scroll step and paint (200 steps across the report)\n",
                scrolled / pages);
    std::printf("peak memory of the reports and the window: %.1f MB\n", peakKiB() / 1024.0);
    return 0;
}
