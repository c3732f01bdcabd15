#pragma once

#include "HeartRate.h"
#include "Track.h"

#include <QDate>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

// What the workout detail window shows of a track, worked out without widgets: the summary
// lines, the split and lap tables, the profiles over distance, the route projected flat and
// the time in each heart-rate zone. The window only draws these.
namespace TrackView {

// What the window knows of the workout beside its track.
struct Workout {
    QDate date;
    bool ride = false;  // speed for a ride, pace for a run
    bool miles = false; // the person's distance unit
};

// Metres in one kilometre or one mile of the diary.
double unitMeters(bool miles);

// Seconds spent moving: the time between consecutive points of one recording segment that
// covered at least `MovingMetersPerSecond`. A track that records no distance at all counts
// every second within its segments as moving.
constexpr double MovingMetersPerSecond = 0.5;
double movingSeconds(const Track::Data& track, const std::vector<double>& meters);

// One line of the summary: `name` ("Distance") names its value's label, `caption` is shown.
struct Line {
    QString name;
    QString caption;
    QString value;
};
// Date, distance, elapsed and moving time, average pace or speed (over the elapsed time, as the
// split table's total), climb and descent where there is elevation, average and highest heart
// rate where there is heart rate.
QList<Line> summary(const Track::Data& track, const Workout& workout);

// The split table (per kilometre or mile) and the lap table, as the command line prints them:
// a tab-separated header, one line per row, and the total. No lines when the file has no laps.
QStringList splitLines(const Track::Data& track, const Workout& workout);
QStringList lapLines(const Track::Data& track, const Workout& workout);

// The profiles over distance, reduced for drawing: the distance is cut into `buckets` equal
// stretches and each gives two rows, the lowest and the highest value in it, so a spike shows
// however long the track. Pace (minutes per unit) or speed (units per hour) is the time over the
// distance of about 100 m around each stretch, time not moving (as for movingSeconds) left out; a pace slower
// than two and a half times the average is drawn at that bound. Heart rate and elevation (smoothed) are empty
// when the track has none.
struct Profile {
    QStringList labels;         // the distance at each row, in the unit
    std::vector<double> meters; // the same in metres
    QList<double> rate;
    QList<double> heartRate;
    QList<double> elevation;
    QStringList rateTips; // the pace as m:ss (or the speed) at each row
};
Profile profile(const Track::Data& track, const Workout& workout, int buckets);

// The route projected flat, north up: x metres east and y metres north of the first position
// (equirectangular, longitudes shrunk by the cosine of the mean latitude).
struct Route {
    std::vector<QPointF> points;    // one per point of the track; NaN for a point without position
    std::vector<bool> breaks;       // true where the line starts anew (a gap in the recording)
    std::vector<double> meters;     // the cumulative distance of each point
    std::vector<QPointF> unitMarks; // where each whole kilometre or mile is reached
    QRectF bounds;                  // of every projected position
    bool hasPosition = false;       // false: nothing to draw
    // The projected position at `meters` along the track, interpolated between points.
    QPointF at(double meters) const;
};
Route route(const Track::Data& track, double unitMeters);

// The time in each zone as bars: "Below", "Zone 1" ... "Zone 5", in minutes, each with a tip
// naming its heart rates and time; or a note saying why there are none.
struct Zones {
    QStringList labels;
    QList<double> minutes;
    QStringList tips;
    QString note; // set when there are no bars
};
Zones zones(const Track::Data& track, const HeartRate::Settings& settings);

} // namespace TrackView
