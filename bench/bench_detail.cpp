// How long the workout detail window takes to open on a 10-hour track at one point a second
// (36,000 points with heart rate and elevation): read, worked out, laid out and painted, with
// the splits tab in front and then with the profiles. Also the parts worked out without
// widgets. Best of the runs; run a Release build:
//
//   bench_detail [runs]

#include "BenchMain.h"
#include "Connection.h"
#include "HeartRate.h"
#include "SharedState.h"
#include "TrackStore.h"
#include "TrackView.h"
#include "frmWorkoutDetail.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <time.h>

namespace {

constexpr int Points = 36000;

// A long wandering run: about 3 m/s with noise, a loop-like heading that turns slowly, rolling
// hills, heart rate drifting up, and a few stops.
Track::Data longRun() {
    Track::Data t;
    std::mt19937 rng(24);
    std::normal_distribution<double> noise(0, 1);
    double lat = 46.5, lon = 7.5, heading = 0, ele = 600;
    for (int i = 0; i < Points; ++i) {
        Track::Point p;
        p.ms = 1'780'729'200'000LL + i * 1000LL;
        const bool stopped = (i / 600) % 20 == 19 && i % 600 < 60;
        const double step = stopped ? 0 : 3.0 + 0.3 * noise(rng);
        heading += 0.002 + 0.01 * noise(rng);
        lat += step * std::cos(heading) / 111195.0;
        lon += step * std::sin(heading) / (111195.0 * std::cos(lat * M_PI / 180));
        ele += 0.05 * std::sin(i / 700.0) * step + 0.2 * noise(rng);
        p.lat = lat + noise(rng) * 2e-6;
        p.lon = lon + noise(rng) * 2e-6;
        p.ele = ele;
        p.hr = int(135 + i / 1200 + 8 * std::sin(i / 300.0) + noise(rng));
        p.cad = 170;
        t.points.push_back(p);
    }
    for (int lap = 0; lap < 20; ++lap)
        t.laps.push_back({1'780'729'200'000LL + lap * 1800'000LL, 1800, NAN});
    return t;
}

} // namespace

int main(int argc, char** argv) {
    bench::offscreenUnlessSet();
    QApplication app(argc, argv);
    const int runs = bench::runsFrom(argc, argv, 10);

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QString path = dir.filePath(QStringLiteral("Trainbook.db"));
    Connection::create(path);
    const Track::Data track = longRun();
    {
        auto conn = Connection::open(path);
        conn->execute(
            QStringLiteral("INSERT INTO Users (User_Name, Max_HR, Rest_HR) VALUES ('Runner', 190, 50)"));
        conn->execute(
            QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Time, "
                           "User_Name) VALUES ('Running', '2026-06-06', '10:00:00', 'Runner')"));
        conn->execute(QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course) "
                                     "VALUES (1, 66, 106, 'Long')"));
        TrackStore::save(*conn, 1, track);
    }
    std::printf("a 10-hour track at 1 Hz (%d points), best of %d runs\n\n", Points, runs);

    auto conn = Connection::open(path);
    const TrackView::Workout workout{QDate(2026, 6, 6), false, false};
    std::printf("read and unpacked: %.2f ms\n",
                bench::bestMs(runs, [&] { (void)TrackStore::load(*conn, 1); }));
    std::printf("summary: %.2f ms\n", bench::bestMs(runs, [&] { (void)TrackView::summary(track, workout); }));
    std::printf("splits and laps: %.2f ms\n", bench::bestMs(runs, [&] {
                    (void)TrackView::splitLines(track, workout);
                    (void)TrackView::lapLines(track, workout);
                }));
    std::printf("profiles: %.2f ms\n", bench::bestMs(runs, [&] {
                    (void)TrackView::profile(track, workout, frmWorkoutDetail::ProfileBuckets);
                }));
    std::printf("route: %.2f ms\n", bench::bestMs(runs, [&] { (void)TrackView::route(track, 1000); }));
    std::printf("zones: %.2f ms\n", bench::bestMs(runs, [&] {
                    (void)TrackView::zones(track, HeartRate::Settings{190, 50, {}});
                }));

    FixedState state(QStringLiteral("Runner"), false);
    double cpu = 0;
    const auto open = [&](int tab) {
        return bench::bestMs(
            runs,
            [&] {
                auto* w = new frmWorkoutDetail(state);
                if (!w->openWorkout(1))
                    std::abort();
                w->findChild<QTabWidget*>(QStringLiteral("tabDetail"))->setCurrentIndex(tab);
                w->show();
                (void)w->grab(); // laid out and painted, every visible part
                delete w;
            },
            &cpu);
    };
    {
        double built = 1e9, filled = 1e9, painted = 1e9;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            auto* w = new frmWorkoutDetail(state);
            built = std::min(built, t.nsecsElapsed() / 1e6);
            t.restart();
            w->openWorkout(1);
            filled = std::min(filled, t.nsecsElapsed() / 1e6);
            t.restart();
            w->show();
            (void)w->grab();
            painted = std::min(painted, t.nsecsElapsed() / 1e6);
            delete w;
        }
        std::printf("\nwindow built %.1f ms, filled %.1f ms, shown and painted %.1f ms\n", built, filled,
                    painted);
    }
    const char* fronts[] = {"splits", "profiles", "zones"};
    for (int tab = 0; tab < 3; ++tab) {
        const double wall = open(tab);
        std::printf("window opened to painted, %s in front: %.1f ms (processor %.1f ms)\n", fronts[tab], wall,
                    cpu);
    }
    if (const QByteArray shots = qgetenv("BENCH_SHOTS"); !shots.isEmpty()) {
        auto* w = new frmWorkoutDetail(state);
        w->openWorkout(1);
        for (int tab = 0; tab < 3; ++tab) {
            w->findChild<QTabWidget*>(QStringLiteral("tabDetail"))->setCurrentIndex(tab);
            w->show();
            w->grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/detail-%1.png").arg(tab));
        }
        delete w;
    }
    return 0;
}
