#include "TrackStore.h"

#include "Connection.h"

namespace TrackStore {

void save(Connection& conn, qint64 id, const Track::Data& track) {
    save(conn, id, Track::packPoints(track.points), Track::packLaps(track.laps));
}

void save(Connection& conn, qint64 id, const QByteArray& points, const QByteArray& laps) {
    conn.execute(
        QStringLiteral("INSERT OR REPLACE INTO Exercise_Track (Exercise_ID, Points, Laps) VALUES (?, ?, ?)"),
        {id, points, laps});
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

} // namespace TrackStore
