#include "TrackStore.h"

#include "Connection.h"
#include "HeartRate.h"
#include "Transaction.h"
#include "WorkoutKinds.h"

namespace TrackStore {

namespace {

void write(Connection& conn, qint64 id, const QByteArray& points, const QByteArray& laps,
           const std::vector<Track::Point>& unpacked) {
    Transaction transaction(conn);
    conn.execute(
        QStringLiteral("INSERT OR REPLACE INTO Exercise_Track (Exercise_ID, Points, Laps) VALUES (?, ?, ?)"),
        {id, points, laps});
    HeartRate::keep(conn, id, HeartRate::samplesOf(unpacked));
    transaction.commit();
}

} // namespace

void save(Connection& conn, qint64 id, const Track::Data& track) {
    write(conn, id, Track::packPoints(track.points), Track::packLaps(track.laps), track.points);
}

void save(Connection& conn, qint64 id, const QByteArray& points, const QByteArray& laps) {
    // The points as they will be read back, so the kept average is the stored track's.
    write(conn, id, points, laps, Track::unpackPoints(points));
}

bool has(Connection& conn, qint64 id) {
    ResultSet rs =
        conn.query(QStringLiteral("SELECT Exercise_ID FROM Exercise_Track WHERE Exercise_ID = ?"), {id});
    return !rs.eof();
}

std::optional<Track::Data> load(Connection& conn, qint64 id) {
    ResultSet rs =
        conn.query(QStringLiteral("SELECT Points, Laps FROM Exercise_Track WHERE Exercise_ID = ?"), {id});
    if (rs.eof())
        return std::nullopt;
    Track::Data track;
    track.points = Track::unpackPoints(rs.value("Points").toByteArray());
    track.laps = Track::unpackLaps(rs.value("Laps").toByteArray());
    return track;
}

QString trackName(Connection& conn, qint64 id, const QString& kind) {
    const WorkoutKinds::Kind* k = WorkoutKinds::findWorkout(kind, Qt::CaseInsensitive);
    if (!k || k->unit == WorkoutKinds::Unit::None)
        return QString();
    ResultSet rs = conn.query(
        QStringLiteral("SELECT %1 AS Name FROM %2 WHERE %3 = ?")
            .arg(QLatin1String(k->listColumn), QLatin1String(k->table->name), QLatin1String(k->table->key)),
        {id});
    return rs.eof() ? QString() : rs.field("Name");
}

} // namespace TrackStore
