#pragma once

#include "Track.h"

#include <optional>

class Connection;

// The tracks of imported workouts, one row of Exercise_Track per workout that has one, keyed by
// its Exercise_ID. Read only when a track is asked for, never at start-up.
namespace TrackStore {

// Stores the track of workout `id`, replacing one it had, and keeps its average heart rate
// (HeartRate::keep) in the same transaction. Throws DbError.
void save(Connection& conn, qint64 id, const Track::Data& track);
// The same with the points and laps already packed (Track::packPoints, Track::packLaps).
// Throws DbError also for points that are not a packed track.
void save(Connection& conn, qint64 id, const QByteArray& points, const QByteArray& laps);
// True when workout `id` has a track. Throws DbError.
bool has(Connection& conn, qint64 id);
// The track of workout `id`, or nothing when it has none. Throws DbError, also for a stored
// track that cannot be unpacked.
std::optional<Track::Data> load(Connection& conn, qint64 id);

// The name a workout's track goes by (in the detail window's title and in GPX): the course, or
// the pool, of the workout's detail row; empty for a kind without one. `kind` is Exercise_Type.
QString trackName(Connection& conn, qint64 id, const QString& kind);

} // namespace TrackStore
