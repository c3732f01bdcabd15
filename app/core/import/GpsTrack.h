#pragma once

#include <QDateTime>
#include <QIODevice>
#include <QString>
#include <vector>

#include "Track.h"

// Workouts read from the files a GPS watch or phone writes: GPX 1.1 tracks, TCX activities and
// FIT activity files. GPX and TCX files are read whole into memory, FIT files as a stream.
namespace GpsTrack {

struct Activity {
    QString sport;   // as the file names it ("running", "Biking", ...); "" when it says nothing
    QString name;    // the track's or activity's name; "" when it has none
    QDateTime start; // the first point's time, with the zone the file gave it (UTC without one)
    double seconds = 0;
    double meters = 0;
    Track::Data track; // the points with a time, in the file's order, and the file's laps
};

struct Parsed {
    std::vector<Activity> activities; // only those with at least one point with a time
    QString error;                    // "" when the file was read to its end
    QString warning;                  // "" when the file was whole; else why only part of it could be read
};

// How the XML of GPX and TCX files is read: Quick with QuickXml where it reads the file, else
// (and always with General) with the general reader. The results are the same.
enum class Xml { Quick, General };

// A GPX document: every <trk> is one activity; its distance is the sum of the great-circle
// distances between consecutive points of each segment (a gap between segments adds
// nothing); its time runs from the first to the last point with a time.
Parsed readGpx(QIODevice& device);
Parsed readGpx(QIODevice& device, Xml which);

// A TCX document: every <Activity> is one; time and distance are the sums of its laps'
// TotalTimeSeconds and DistanceMeters, or taken from its track points when the laps lack them.
Parsed readTcx(QIODevice& device);
Parsed readTcx(QIODevice& device, Xml which);

// Why the times of an activity cannot be right: its points run backwards, or a time lies
// before 1970 or after `now`; "" when they can.
QString timeProblem(const Activity& activity, const QDateTime& now);

// A FIT file: every session is one activity, with the session's own start, timer time and
// distance; the transitions of a multisport file are none. A file whose checksum fails or whose
// records stop decoding gives what was read before, with a warning; a file of another type
// than an activity (settings, a weight scale, ...) is an error naming that type.
Parsed readFit(QIODevice& device);

// The workout kind a sport text names: "Running", "Cycling", "Swimming", or "" for one the
// program does not log by distance (or no sport at all).
QString kindOfSport(const QString& sport);

} // namespace GpsTrack
