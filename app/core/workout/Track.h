#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cmath>
#include <vector>

// What a watch recorded of one workout: its points and its laps, and what is worked out from
// them (splits per kilometre or mile, laps, climb, heart rate). Values a file did not give are
// NaN (positions, elevation, distance) or 0 (heart rate, cadence).
namespace Track {

struct Point {
    qint64 ms = 0;           // milliseconds since 1970 UTC
    double lat = NAN;        // degrees
    double lon = NAN;        // degrees
    double ele = NAN;        // metres
    double distance = NAN;   // the file's own cumulative distance in metres
    int hr = 0;              // beats per minute
    int cad = 0;             // revolutions or steps per minute
    bool newSegment = false; // the first point after a gap in the recording (a GPX trkseg)

    bool hasPosition() const { return std::isfinite(lat) && std::isfinite(lon); }
};

// A lap as the file gives it: its start, and its timer time and distance where it has them.
struct Lap {
    qint64 startMs = 0;
    double seconds = NAN;
    double meters = NAN;
};

struct Data {
    std::vector<Point> points;
    std::vector<Lap> laps;
};

// --- Worked out from the points ------------------------------------------------------------
// Cumulative distance in metres at each point: the file's own where every point has one,
// else the great-circle distance between consecutive positions (nothing across a gap in the
// recording, nothing for a point without a position).
std::vector<double> cumulativeMeters(const Data& track);

// Elevation at each point with a light smoothing that ignores wobbles of less than 3 metres
// but keeps a steady climb at its whole height; NaN everywhere when no point has an elevation.
std::vector<double> smoothedElevation(const Data& track);

// One stretch of a workout: a split, a lap, or the whole.
struct Stretch {
    double meters = 0;
    double seconds = 0;     // elapsed, pauses included (a lap: the file's timer time when given)
    double heartRate = NAN; // time-weighted mean; NaN when no point in it has one
    double climb = NAN;     // metres gained; NaN when the track has no elevation
    qint64 startMs = 0, endMs = 0;
    double startMeters = 0, endMeters = 0; // along the cumulative distance
};

// The splits of `unitMeters` each (1000, or the miles of the diary), then the remainder when
// there is one. A split ends where the cumulative distance reaches a whole number of units, at
// the time interpolated linearly between the two points around it.
std::vector<Stretch> splits(const Data& track, double unitMeters);
// The file's laps, each from its start to the next one's (the last to the track's end).
std::vector<Stretch> laps(const Data& track);
// The whole track; for laps, the sums of `rows` with heart rate and climb over them.
Stretch total(const Data& track);
Stretch totalOf(const std::vector<Stretch>& rows);

// Climb and descent in metres over the whole track (0 without elevation).
struct Elevation {
    double climb = 0;
    double descent = 0;
};
Elevation elevation(const Data& track);

// The table the command line prints: a header (`label`, Distance, Time, Pace or Speed, HR,
// Climb), one tab-separated line per row numbered from 1, and the total. Pace is time per unit
// (a run), speed is units per hour with two decimals (a ride).
QStringList lines(const std::vector<Stretch>& rows, const Stretch& total, const QString& label,
                  double unitMeters, bool speed);

// --- Storage and export ------------------------------------------------------------------
// The points and the laps packed for storage (a one-hour track of one point a second takes
// about 16 KB): positions to 1e-7 degree, elevation and distance to the centimetre, times to
// the millisecond.
QByteArray packPoints(const std::vector<Point>& points);
QByteArray packLaps(const std::vector<Lap>& laps);
// Unpacking throws DbError for bytes that are not a packed track.
std::vector<Point> unpackPoints(const QByteArray& bytes);
std::vector<Lap> unpackLaps(const QByteArray& bytes);

// A GPX 1.1 document of the track, heart rate and cadence in the common TrackPointExtension.
// `type` is the sport as GPX names it ("running", "cycling").
QByteArray gpx(const Data& track, const QString& name, const QString& type);

// Great-circle distance in metres between two points given in degrees, on a sphere of the
// mean Earth radius.
double haversineMeters(double lat1, double lon1, double lat2, double lon2);

} // namespace Track
