// The workout detail window: what is worked out of a track (summary, profiles, route, zones),
// and the window opened from a run's log on a real diary file.
#include "GpsTrack.h"
#include "LogFixture.h"
#include "RouteView.h"
#include "TrackStore.h"
#include "TrackView.h"
#include "frmRunLog.h"
#include "frmWorkoutDetail.h"

#include <QPointer>

#include <QBuffer>
#include <QChartView>
#include <QFileDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

namespace {

constexpr double MetersPerDegree = 6371008.8 * M_PI / 180;
constexpr qint64 Start = 1780729200000; // 2026-06-06 07:00 UTC

// Northward at 5 m/s, a point every 10 s (50 m), from 60N 10E; heart rate 150 but 170 at the
// fifth point. `pauseAt` repeats that point 60 s later (standing still); `eastAfter` turns east
// after that many steps.
Track::Data northward(int steps, int pauseAt = -1, int eastAfter = -1, bool hr = true) {
    Track::Data t;
    double lat = 60, lon = 10;
    qint64 ms = Start;
    for (int i = 0; i <= steps; ++i) {
        Track::Point p;
        p.ms = ms;
        p.lat = lat;
        p.lon = lon;
        p.hr = hr ? (i == 5 ? 170 : 150) : 0;
        t.points.push_back(p);
        if (i == pauseAt) {
            p.ms += 60000;
            ms += 60000;
            t.points.push_back(p);
        }
        ms += 10000;
        if (eastAfter >= 0 && i >= eastAfter)
            lon += 50 / (MetersPerDegree * std::cos(lat * M_PI / 180));
        else
            lat += 50 / MetersPerDegree;
    }
    return t;
}

struct SummaryCase {
    const char* name;
    Track::Data track;
    bool ride, miles;
    QStringList expected; // name=value of the lines after the date
};

class TrackSummary : public testing::TestWithParam<SummaryCase> {};

TEST_P(TrackSummary, LinesWorkedOutByHand) {
    const SummaryCase& c = GetParam();
    QStringList got;
    for (const TrackView::Line& line : TrackView::summary(c.track, {QDate(2026, 6, 6), c.ride, c.miles}))
        got << line.name + "=" + line.value;
    EXPECT_EQ(got.takeFirst(), "Date=Saturday, 6/6/2026");
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackSummary,
    testing::Values(
        // 20 steps of 50 m in 200 s; a stop of 60 s counts in the elapsed time, not the moving.
        SummaryCase{"SteadyRun",
                    northward(20),
                    false,
                    false,
                    {"Distance=1.00 km", "Elapsed=3:20", "Moving=3:20", "Pace=3:20 min/km",
                     "AverageHr=151 bpm", "HighestHr=170 bpm"}},
        SummaryCase{"RunWithAStop",
                    northward(20, 10, -1, false),
                    false,
                    false,
                    {"Distance=1.00 km", "Elapsed=4:20", "Moving=3:20", "Pace=4:20 min/km"}},
        // 1600 m in 320 s: 0.994 of the diary's 1609 m mile, at 11.19 mph.
        SummaryCase{"RideInMiles",
                    northward(32, -1, -1, false),
                    true,
                    true,
                    {"Distance=0.99 miles", "Elapsed=5:20", "Moving=5:20", "Speed=11.19 mph"}}),
    CaseName());

// The profile leaves standing still out of the pace, and its rows stay in distance order.
TEST(TrackProfile, PaceIgnoresAStopAndRowsFollowTheDistance) {
    const Track::Data track = northward(40, 20);
    const TrackView::Profile p = TrackView::profile(track, {QDate(), false, false}, 50);
    ASSERT_EQ(p.rate.size(), 100);
    for (double pace : p.rate)
        EXPECT_NEAR(pace, 200.0 / 60, 0.01); // 3:20 min/km throughout
    EXPECT_EQ(p.heartRate.size(), 100);
    EXPECT_TRUE(p.elevation.isEmpty());
    EXPECT_TRUE(std::is_sorted(p.meters.begin(), p.meters.end()));
    EXPECT_LT(p.meters.back(), 2000.0);
    EXPECT_EQ(p.labels.first(), "0.01");
    EXPECT_EQ(p.rateTips.first(), "0.01 km\nPace: 3:20 min/km");
}

// North up and to scale: 1 km north then 1 km east at 60N spans a square, the kilometre mark
// at the corner.
TEST(TrackRoute, NorthUpToScaleWithUnitMarks) {
    const TrackView::Route r = TrackView::route(northward(40, -1, 20), 1000);
    ASSERT_TRUE(r.hasPosition);
    EXPECT_NEAR(r.bounds.width(), 1000, 15);
    EXPECT_NEAR(r.bounds.height(), 1000, 1);
    EXPECT_NEAR(r.bounds.left(), 0, 1e-6);
    ASSERT_EQ(r.unitMarks.size(), 1u);
    EXPECT_NEAR(r.unitMarks[0].x(), 0, 1);
    EXPECT_NEAR(r.unitMarks[0].y(), 1000, 1);
    EXPECT_NEAR(r.at(1500).x(), 500, 8);
}

TEST(TrackZones, BarsOrANote) {
    HeartRate::Settings settings;
    EXPECT_EQ(TrackView::zones(northward(20), settings).note,
              "Set a maximum heart rate (Utilities, Heart Rate...) to see the time in each zone.");
    settings.max = 200;
    EXPECT_EQ(TrackView::zones(northward(20, -1, -1, false), settings).note, "This track has no heart rate.");
    const TrackView::Zones z = TrackView::zones(northward(20), settings);
    ASSERT_EQ(z.labels.size(), 6);
    // 150 bpm is 75% (zone 3) but for the 10 s from the fifth point at 170 (85%, zone 4).
    EXPECT_EQ(z.minutes, (QList<double>{0, 0, 0, 190.0 / 60, 10.0 / 60, 0}));
    EXPECT_EQ(z.tips[0], "Below: under 100 bpm\n0:00");
    EXPECT_EQ(z.tips[3], "Zone 3: 140-159 bpm\n3:10");
    EXPECT_EQ(z.tips[5], "Zone 5: 180 bpm and over\n0:00");
}

// --- The window -------------------------------------------------------------------------------

class WorkoutDetailTest : public LogFixture {
  protected:
    QString seedRun() {
        return seed("Running", "3:20", "",
                    "Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
                    "VALUES (%1, 1.24, 'River', 'Old', 2)");
    }
    static frmWorkoutDetail* detailOf(QWidget* log) {
        const auto found = log->findChildren<frmWorkoutDetail*>();
        return found.isEmpty() ? nullptr : found.last();
    }
};

TEST_F(WorkoutDetailTest, TrackButtonOnlyForAStoredTrack) {
    const QString bare = seedRun(), tracked = seedRun();
    TrackStore::save(*db(), tracked.toLongLong(), northward(40));
    for (const auto& [id, enabled] : {std::pair{bare, false}, {tracked, true}}) {
        frmRunLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_TRUE(button(&w, "btnTrack")->isVisibleTo(&w));
        EXPECT_EQ(button(&w, "btnTrack")->isEnabled(), enabled);
        shot(&w, "run_log_track_button");
    }
    frmRunLog add(state);
    add.openForAdd("12/5/2026", "Saturday");
    EXPECT_FALSE(button(&add, "btnTrack")->isVisibleTo(&add));
}

// Opened from the log: summary and splits filled, the pointer over a profile marks the route,
// and the exported GPX reads back with the same splits.
TEST_F(WorkoutDetailTest, ShowsTheTrackAndExportsIt) {
    const QString id = seedRun();
    const Track::Data track = northward(40, -1, 20);
    TrackStore::save(*db(), id.toLongLong(), track);
    state.setMiles(false);
    frmRunLog w(state);
    ASSERT_TRUE(w.openForEdit(id, false));
    w.show();
    click(button(&w, "btnTrack"));
    frmWorkoutDetail* d = detailOf(&w);
    ASSERT_TRUE(d && d->isVisible());
    EXPECT_EQ(find<QLabel>(d, "lblDistance")->text(), "2.00 km");
    auto* splits = find<QTableWidget>(d, "tblSplits");
    ASSERT_EQ(splits->rowCount(), 3);
    EXPECT_EQ(splits->item(0, 3)->text(), "3:20");
    EXPECT_EQ(splits->item(2, 0)->text(), "Total");
    shot(d, "workout_detail");

    auto* tabs = find<QTabWidget>(d, "tabDetail");
    tabs->setCurrentIndex(1);
    QApplication::processEvents();
    auto* view = find<QWidget>(d, "chartRate")->findChild<QChartView*>();
    const QPoint middle = view->viewport()->rect().center();
    QMouseEvent move(QEvent::MouseMove, middle, view->viewport()->mapToGlobal(middle), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &move);
    ASSERT_TRUE(find<RouteView>(d, "routeView")->mark().has_value());
    EXPECT_NEAR(*find<RouteView>(d, "routeView")->mark(), 1000, 150);

    const QString path = dir() + "/out.gpx";
    drivers["dlgExportGpx"] = [&](QDialog* dialog) {
        auto* fd = static_cast<QFileDialog*>(dialog);
        fd->setDirectory(dir());
        fd->findChild<QLineEdit*>("fileNameEdit")->setText("out.gpx"); // as typed
        return int(QDialog::Accepted);
    };
    click(find<QPushButton>(d, "btnExportGpx"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const GpsTrack::Parsed back = GpsTrack::readGpx(file);
    ASSERT_EQ(back.activities.size(), 1u);
    EXPECT_EQ(TrackView::splitLines(back.activities[0].track, {}), TrackView::splitLines(track, {}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();

    // It stays open when the log window closes.
    click(button(&w, "btnExit"));
    EXPECT_TRUE(d->isVisible());
    EXPECT_NE(d->parentWidget(), &w);
    // Esc closes it (and so deletes it).
    QPointer<frmWorkoutDetail> closing(d);
    d->activateWindow();
    QTest::keyClick(d, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    delete closing.data();
}

TEST_F(WorkoutDetailTest, ADamagedTrackGivesAMessage) {
    const QString id = seedRun();
    TrackStore::save(*db(), id.toLongLong(), northward(10));
    exec("UPDATE Exercise_Track SET Points = x'54010203' WHERE Exercise_ID = " + id);
    frmRunLog w(state);
    ASSERT_TRUE(w.openForEdit(id, true));
    click(button(&w, "btnTrack"));
    EXPECT_EQ(detailOf(&w), nullptr);
    EXPECT_TRUE(messagesAre({"Could not read the track of this workout - *"}));
}

} // namespace
