#pragma once

#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <functional>
#include <vector>

#include "GpsTrack.h"
#include "WorkoutKinds.h"

class Connection;

// Brings the workouts recorded in GPS files (GPX, TCX and FIT) into the diary as runs, rides
// and swims of one user, written as the log windows write them.
namespace WorkoutImport {

struct Options {
    QString user;
    // The kind for an activity whose file names no sport the diary logs: Running, Cycling
    // or Swimming.
    QString fallbackKind = WorkoutKinds::Running.nameText();
    // A workout's date is the date of its start time in this zone (the computer's own zone
    // unless a caller says otherwise).
    QTimeZone zone = QTimeZone::systemTimeZone();
    // The unit of the distances in the gear warnings of the summary: miles, or kilometres.
    bool miles = true;
};

struct Failure {
    QString file;
    QString reason;
};

struct Summary {
    int imported = 0;
    int updated = 0; // already in the diary without its track, which was added to it
    int skipped = 0; // already in the diary (same user, kind, date and duration) with its track
    std::vector<Failure> failed;
    std::vector<Failure> partial; // imported from what could be read of a damaged file, and why
    bool cancelled = false;       // nothing was written
    QString error;                // a database failure: nothing was written
    // One line per pair of shoes or bike that the imported workouts were logged on and that now
    // stands at 90% or more of its retirement distance: "Red: These shoes have now done ...".
    QStringList gearWarnings;
};

// The files an argument list names: files as given, and the .gpx, .tcx and .fit files of a
// folder (not its subfolders), sorted by name. Names that are neither are kept, so that the
// import lists them as failed.
QStringList expand(const QStringList& paths);

// One workout ready to be written.
struct Workout {
    QString kind; // Running, Cycling, Swimming
    QDate date;
    QString day;               // Saturday
    QString time;              // h:mm:ss
    QString miles, kilometers; // one decimal
    QString course;
    QString comment;
    // The recorded points and laps, packed for storage; empty when the file has no points.
    QByteArray points, laps;
};

// The workouts of one file, or the reason it cannot be read (then none). A file whose times
// cannot be right (GpsTrack::timeProblem) is refused with that reason.
struct FileWorkouts {
    std::vector<Workout> workouts;
    QString error;
    std::vector<QString> refused; // why each activity that cannot be stored was left out
    QString warning;              // the file was damaged: the workouts are what could be read of it
};

// The longest course or comment taken from a file, in characters; a longer one is cut.
inline constexpr qsizetype MaxTextLength = 1000;

// Makes an activity read from a file fit to be stored, whichever reader produced it: cuts its
// name (and sport) to MaxTextLength, and returns why it cannot be stored at all: points whose
// times run backwards, lie before 1970 or in the future (GpsTrack::timeProblem), a start that
// is not a valid moment, an offset from UTC beyond 14 hours, a start before 1970 or after next
// year, a time or distance that is not a finite number, negative, or more than a workout may
// hold (WorkoutLimits). "" when it can be stored.
QString validate(GpsTrack::Activity& activity);
FileWorkouts read(const QString& path, const Options& options);

// "h:mm:ss" of a number of seconds, rounded to the second.
QString durationText(double seconds);

// Called before each file with the number done and the total; returning false cancels.
using Progress = std::function<bool(int done, int total)>;

// Imports the files in one write transaction on `conn`: all of it is written, or (after a
// cancel or a database failure) none of it. A file that cannot be read is listed with its
// reason and nothing of it is written; the others still are. An activity that validate()
// refuses is listed with its file and reason; the file's other activities are written. A
// workout already in the diary without a track gets the file's track; one with its track is
// skipped.
Summary run(Connection& conn, const QStringList& files, const Options& options,
            const Progress& progress = {});

// The summary as the dialog and the command line print it, the gear warnings last.
QStringList summaryLines(const Summary& summary);

} // namespace WorkoutImport
