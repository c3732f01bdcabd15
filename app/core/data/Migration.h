#pragma once

#include <QByteArray>
#include <optional>

struct sqlite3;

// Brings an older Trainbook database up to the current version (Schema::Version), step by
// step. Each step runs in one transaction that also sets the new user_version, so a crash
// or a failure leaves the file at the old version or the new one, never between.
namespace Migration {

// Runs the steps after `fromVersion`. The connection must have foreign keys off (tables are
// rebuilt under their names). Throws DbError naming what stopped it; the file then stays at
// the version of the last finished step.
void run(sqlite3* db, int fromVersion);

// The time-weighted average heart rate a packed track (Exercise_Track.Points) holds and the
// seconds it covers; nothing when it holds no heart rate. Throws DbError for damaged bytes.
struct TrackHeartRate {
    double bpm = 0;
    double seconds = 0;
};
using TrackAverage = std::optional<TrackHeartRate> (*)(const QByteArray& points);
// Step 7 keeps the average of every track stored without one. Reading a track is the work of a
// higher layer, so a program gives the reader here before it opens a diary; a file that has
// such tracks then refuses to update without it.
void setTrackAverage(TrackAverage average);

} // namespace Migration
