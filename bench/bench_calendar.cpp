// The calendar report on 50,000 workouts of one user (five a day, one of each kind, 1998 to
// 2025, so a month holds about 150):
//  - CalendarItems: the core read of one month (a fresh connection, as each fill opens one);
//  - CalendarMonthFill: the window's whole fill of one month again (read and AddData), as on
//    each activation;
//  - CalendarMonthFillChanging: read and AddData of two months in turn, every line changing;
//  - CalendarSwitchMonth: a month picked in the window with the keyboard, through DateChanged,
//    the read, AddData and a synchronous repaint of the window.
//
//   QT_QPA_PLATFORM=offscreen bench_calendar [--benchmark_filter=...]

#include "CLibrary.h"
#include "CalendarReport.h"
#include "Clock.h"
#include "Connection.h"
#include "SharedState.h"
#include "frmCalendarRpt.h"
#include "mossCalendar.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace {

constexpr int Workouts = 50000;
const QString User = QStringLiteral("Ann");

void execRaw(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", error);
        std::abort();
    }
}

// Writes the workouts straight through the C API: five a day, one of each kind, from 1998 on.
void fill(const QString& path) {
    Connection::create(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    execRaw(db, "BEGIN");
    QDate date(1998, 1, 1);
    const char* const kinds[] = {"Running", "Cycling", "Other", "Swimming", "Video"};
    for (int id = 1; id <= Workouts; ++id) {
        const char* kind = kinds[id % 5];
        const std::string iso = date.toString(Qt::ISODate).toStdString();
        execRaw(db, (std::string("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, "
                                 "Exercise_Day, Exercise_Time, User_Name) VALUES (") +
                     std::to_string(id) + ", '" + kind + "', '" + iso + "', 'Day', '45:00', 'Ann')")
                        .c_str());
        std::string detail;
        switch (id % 5) {
        case 0:
            detail = "INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (" + std::to_string(id) +
                     ", 5.5, 8.8)";
            break;
        case 1:
            detail = "INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (" + std::to_string(id) +
                     ", 20, 32.2)";
            break;
        case 2:
            detail = "INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (" + std::to_string(id) +
                     ", 'Weights', '3 sets')";
            break;
        case 3:
            detail = "INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (" + std::to_string(id) + ", 40)";
            break;
        default:
            detail = "INSERT INTO Video_Log (Video_ID, Video) VALUES (" + std::to_string(id) + ", 'Abs')";
        }
        execRaw(db, detail.c_str());
        if (id % 5 == 0)
            date = date.addDays(1);
    }
    execRaw(db, "COMMIT");
    sqlite3_close(db);
}

struct Database {
    Database() {
        QDir::setCurrent(dir.path());
        fill(QStringLiteral("Trainbook.db"));
    }
    QTemporaryDir dir;
};

Database& database() {
    static Database db;
    return db;
}

void CalendarItems(benchmark::State& state) {
    database();
    size_t items = 0;
    for (auto _ : state) {
        CLibrary lib;
        std::unique_ptr<Connection> conn = lib.GetConnection();
        items = CalendarReport::items(*conn, User, QDate(2004, 3, 1), true).size();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = double(items);
}
BENCHMARK(CalendarItems)->Unit(benchmark::kMillisecond);

// The calendar report shown and painted once, kept when it is closed.
void show(frmCalendarRpt& window) {
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QApplication::processEvents();
}

void CalendarMonthFill(benchmark::State& state) {
    database();
    Clock::setFixed(QDateTime(QDate(2004, 3, 15), QTime(12, 0)));
    FixedState shared(User, true);
    frmCalendarRpt window(shared); // opens on the clock's month, March 2004
    show(window);
    for (auto _ : state)
        window.FillCalendar();
}
BENCHMARK(CalendarMonthFill)->Unit(benchmark::kMillisecond);

// A fill whose lines all change: the items of March and of April 2004 in turn, read on a fresh
// connection and handed to the grid, as a fill after a month switch does.
void CalendarMonthFillChanging(benchmark::State& state) {
    database();
    mossCalendar calendar(QDate(2004, 3, 15));
    calendar.show();
    QApplication::processEvents();
    int month = 3;
    for (auto _ : state) {
        CLibrary lib;
        std::unique_ptr<Connection> conn = lib.GetConnection();
        QStringList nums, data1, data2, data3;
        QList<quint32> colors;
        for (const CalendarItem& item : CalendarReport::items(*conn, User, QDate(2004, month, 1), true)) {
            nums << item.day;
            data1 << item.kind;
            data2 << item.detail;
            data3 << item.time;
            colors << item.color;
        }
        calendar.AddData(nums, data1, data2, data3, colors);
        month = month == 3 ? 4 : 3;
    }
}
BENCHMARK(CalendarMonthFillChanging)->Unit(benchmark::kMillisecond);

void CalendarSwitchMonth(benchmark::State& state) {
    database();
    Clock::setFixed(QDateTime(QDate(2004, 3, 15), QTime(12, 0)));
    FixedState shared(User, true);
    frmCalendarRpt window(shared); // opens on the clock's month, March 2004
    show(window);
    auto* month = window.findChild<QComboBox*>(QStringLiteral("cbMonth"));
    month->setFocus();
    bool down = true;
    qint64 switches = 0;
    QObject::connect(qobject_cast<mossCalendar*>(window.mossCalendar1), &mossCalendar::DateChanged,
                     [&switches] { ++switches; });
    for (auto _ : state) {
        QTest::keyClick(month, down ? Qt::Key_Down : Qt::Key_Up);
        window.repaint();
        down = !down;
    }
    if (switches != qint64(state.iterations()))
        state.SkipWithError("a key did not switch the month");
}
BENCHMARK(CalendarSwitchMonth)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
