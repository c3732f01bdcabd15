// How long the training load of 20 years of daily workouts takes once their average heart rates
// are kept: the days computed from the database, and the Training Load window from "All time"
// to its chart painted. Also the cost of keeping one workout's average from a one-hour track.
// Best of the runs; run a Release build:
//
//   bench_load [runs]

#include "BenchMain.h"
#include "ChartControl.h"
#include "Clock.h"
#include "Connection.h"
#include "HeartRate.h"
#include "NativeDb.h"
#include "SharedState.h"
#include "TrainingLoad.h"
#include "frmTrainingLoad.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

namespace {

using namespace bench;

const QString User = QStringLiteral("Runner");
const QDate First(2006, 1, 1);
constexpr int Days = 7300;

// One workout a day for 20 years, each with a kept average heart rate of 110 to 170 bpm over 30
// to 120 minutes; one day in ten has a second, hand-logged workout without heart rate.
void fill(const QString& path) {
    DbHandle db = openNative(path);
    check(sqlite3_exec(db.get(), "BEGIN", nullptr, nullptr, nullptr), db.get());
    check(sqlite3_exec(db.get(), "INSERT INTO Users (User_Name, Max_HR, Rest_HR) VALUES ('Runner', 188, 48)",
                       nullptr, nullptr, nullptr),
          db.get());
    StmtHandle master = prepareNative(db.get(), "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, "
                                                "User_Name) VALUES ('Running', ?, 'Runner')");
    StmtHandle hr = prepareNative(
        db.get(), "INSERT INTO Exercise_HeartRate (Exercise_ID, Average_HR, Seconds) VALUES (?, ?, ?)");
    std::mt19937 rng(20261207);
    std::uniform_int_distribution<int> bpm(110, 170), minutes(30, 120), tenth(0, 9);
    for (int d = 0; d < Days; ++d) {
        const QByteArray iso = First.addDays(d).toString(Qt::ISODate).toUtf8();
        for (int k = 0; k < (tenth(rng) == 0 ? 2 : 1); ++k) {
            sqlite3_bind_text(master.get(), 1, iso.constData(), -1, SQLITE_TRANSIENT);
            check(sqlite3_step(master.get()) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR, db.get());
            sqlite3_reset(master.get());
            if (k == 1)
                continue;
            sqlite3_bind_int64(hr.get(), 1, sqlite3_last_insert_rowid(db.get()));
            sqlite3_bind_double(hr.get(), 2, bpm(rng));
            sqlite3_bind_double(hr.get(), 3, minutes(rng) * 60.0);
            check(sqlite3_step(hr.get()) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR, db.get());
            sqlite3_reset(hr.get());
        }
    }
    check(sqlite3_exec(db.get(), "COMMIT", nullptr, nullptr, nullptr), db.get());
}

} // namespace

int main(int argc, char** argv) {
    bench::offscreenUnlessSet();
    QApplication app(argc, argv);
    const int runs = bench::runsFrom(argc, argv, 10);
    const QDate last = First.addDays(Days - 1);
    Clock::setFixed(QDateTime(last, QTime(12, 0)));

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QString path = dir.filePath(QStringLiteral("Trainbook.db"));
    Connection::create(path);
    fill(path);
    std::printf("%d days of daily workouts with kept heart rate, best of %d runs\n\n", Days, runs);

    auto conn = Connection::open(path);
    size_t days = 0;
    const double core =
        bench::bestMs(runs, [&] { days = TrainingLoad::read(*conn, User, QDate(), last).days.size(); });
    std::printf("load, fitness, fatigue, form of %zu days from the database: %.2f ms\n", days, core);

    FixedState state(User);
    frmTrainingLoad window(state);
    window.resize(1100, 650);
    window.show();
    QApplication::processEvents();
    const double all = bench::bestMs(runs, [&] {
        window.opt90Days->setChecked(true);
        window.optAllTime->setChecked(true); // redraws
        (void)window.LoadChart->grab();
    });
    std::printf("Training Load window, All time computed and charted (painted): %.2f ms (incl. the 90-day "
                "chart before it)\n",
                all);
    const double ninety = bench::bestMs(runs, [&] {
        window.optYear->setChecked(true);
        window.opt90Days->setChecked(true);
        (void)window.LoadChart->grab();
    });
    std::printf("Training Load window, last year then last 90 days, painted: %.2f ms\n", ninety);
    if (const QByteArray shots = qgetenv("BENCH_SHOTS"); !shots.isEmpty()) {
        window.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/load-90days.png"));
        window.optAllTime->setChecked(true);
        window.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/load-alltime.png"));
    }

    // A one-hour track at one point a second.
    std::vector<HeartRate::Sample> track;
    for (int s = 0; s < 3600; ++s)
        track.push_back({1'700'000'000'000 + s * 1000LL, 120 + s % 50});
    const double keep = bench::bestMs(runs, [&] { HeartRate::keep(*conn, 1, track); });
    std::printf("keeping the average of a one-hour 1 Hz track: %.3f ms\n", keep);
    return 0;
}
