// FIT files: the workouts each becomes (totals worked out by hand), what each session keeps.
#include "Connection.h"
#include "FitWriter.h"
#include "TestSupport.h"
#include "TrackStore.h"
#include "WorkoutImport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

using W = FitWriter;
// 2026-06-06 07:00:00 UTC in FIT time (seconds since 1989-12-31).
const qint64 T0 = QDateTime(QDate(2026, 6, 6), QTime(7, 0), QTimeZone::utc()).toSecsSinceEpoch() - 631065600;

W& fileId(W& w, int type) {
    return w.define(0, 0, {{0, W::Enum}}).data(0, {type});
}
// A session `start` s after T0: sport, timer (and elapsed) time in ms, distance in cm.
W& session(W& w, int sport, qint64 start, qint64 ms, qint64 cm, bool bigEndian = false) {
    return w
        .define(1, 18, {{253, W::U32}, {2, W::U32}, {5, W::Enum}, {7, W::U32}, {8, W::U32}, {9, W::U32}},
                bigEndian, bigEndian ? 3 : 0)
        .data(1, {T0 + start + ms / 1000, T0 + start, sport, ms, ms, cm});
}
// A record: time, latitude (semicircles), altitude (raw), heart rate, distance (cm).
W& record(W& w, qint64 at, qint64 lat, qint64 alt, int hr, qint64 cm) {
    return w.define(2, 20, {{253, W::U32}, {0, W::S32}, {1, W::S32}, {2, W::U16}, {3, W::U8}, {5, W::U32}})
        .data(2, {T0 + at, lat, 0, alt, hr, cm});
}
W& lap(W& w, qint64 start) {
    return w.define(3, 19, {{2, W::U32}, {8, W::U32}}).data(3, {T0 + start, 1800000});
}

// 1523.6 s, 5012.34 m; compressed timestamps (+5 s, +30 s), the last point without a position.
QByteArray run() {
    W w;
    record(fileId(w, 4), 0, 0, 2600, 120, 0).define(3, 20, {{3, W::U8}, {0, W::S32}, {1, W::S32}});
    w.data(3, {130, 0, 1000}, 0x80 | 3 << 5 | int((T0 + 5) & 0x1F))
        .data(3, {131, 0x7FFFFFFF, 0x7FFFFFFF}, 0x80 | 3 << 5 | int((T0 + 30) & 0x1F));
    return session(w, 1, 0, 1523600, 501234).endFile();
}

// Swim, transition, ride, transition, run, in two chained files.
QByteArray multisport() {
    W w;
    lap(session(fileId(w, 4), 5, 0, 1800000, 150000), 0);
    record(record(w, 60, 0, 2600, 100, 0), 1850, 0, 2600, 110, 0);
    session(w, 3, 1800, 120000, 0).endFile();
    record(record(fileId(w, 4), 2000, 596523236, 3000, 140, 0), 3000, 0, 3000, 140, 0);
    lap(lap(session(w, 2, 1920, 3600000, 4000000), 1920), 3720);
    record(session(w, 3, 5520, 60000, 0), 6000, 0, 2600, 150, 0);
    return session(w, 1, 5580, 2400000, 1000000).endFile();
}

// A pool swim without positions: three lengths, the middle one a rest; a record after its end.
QByteArray pool() {
    W w;
    fileId(w, 4).define(3, 101, {{2, W::U32}, {4, W::U32}, {12, W::Enum}});
    w.data(3, {T0, 30000, 1}).data(3, {T0 + 30, 20000, 0}).data(3, {T0 + 50, 31000, 1});
    w.define(2, 20, {{253, W::U32}, {3, W::U8}}).data(2, {T0 + 10, 120}).data(2, {T0 + 1300, 90});
    return session(w, 5, 0, 1200000, 100000).endFile();
}

// A ride (by its sport message) cut in its session: timer on 0-600 s and 700-1200 s, 4000 m.
QByteArray cutRide() {
    W w;
    fileId(w, 4).define(4, 12, {{0, W::Enum}}).data(4, {2});
    w.define(5, 21, {{253, W::U32}, {0, W::Enum}, {1, W::Enum}});
    w.data(5, {T0, 0, 0}).data(5, {T0 + 600, 0, 1}).data(5, {T0 + 700, 0, 0});
    for (qint64 t : {0, 600, 1200})
        record(w, t, 0, 2600, 130, t * 1000 / 3);
    return session(w, 2, 0, 1200000, 400000).endFile().chopped(20);
}

// A sport the diary does not name (the kind chosen), big-endian, a developer field: 3723 s, 30040 m.
QByteArray ride() {
    W w;
    return session(fileId(w, 4), 0, 0, 3723000, 3004000, true).endFile();
}

QByteArray settings() {
    W w;
    return fileId(w, 2).endFile();
}

QByteArray badCrc() {
    const QByteArray b = run();
    return b.chopped(1) + char(b.back() ^ 0xFF);
}

FitFile::Decoded decoded(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return FitFile::decode(buffer);
}

struct FitCase {
    std::string name;
    QByteArray bytes;
    QStringList workouts; // kind|time|km, all on 2026-06-06
    QString sessions;     // points/laps/lengths of each session
    QString summary = {}; // the import summary's lines after "Failed: n"
};

// Ann's new diary and a FIT file to import into it.
struct FitDiary {
    explicit FitDiary(const QByteArray& bytes) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        Connection::create(dir.filePath("Trainbook.db"));
        conn = Connection::open(dir.filePath("Trainbook.db"));
        conn->execute("INSERT INTO Users (User_Name) VALUES ('Ann')");
        options.user = "Ann";
        options.fallbackKind = "Cycling";
    }
    QTemporaryDir dir;
    QString file = dir.filePath("watch.fit");
    std::unique_ptr<Connection> conn;
    WorkoutImport::Options options;
};

class FitImport : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitImport, BecomesTheWorkoutsOfItsSessions) {
    const auto& c = GetParam();
    FitDiary d(c.bytes);
    QStringList got, sessions;
    for (const auto& w : WorkoutImport::read(d.file, d.options).workouts)
        got << QStringList{w.kind, w.time, w.kilometers}.join('|');
    for (const auto& s : decoded(c.bytes).sessions)
        sessions << QStringLiteral("%1/%2/%3").arg(s.points.size()).arg(s.laps.size()).arg(s.lengths.size());
    EXPECT_EQ(got, c.workouts);
    EXPECT_EQ(sessions.join(' '), c.sessions);
    const QStringList lines = WorkoutImport::summaryLines(WorkoutImport::run(*d.conn, {d.file}, d.options));
    EXPECT_EQ(lines.mid(4).join('\n'), c.summary);
}

const QString Partial = "Read in part: 1\n  watch.fit: read as far as its records decode: ";
INSTANTIATE_TEST_SUITE_P(
    Cases, FitImport,
    testing::ValuesIn(std::vector<FitCase>{
        {"run", run(), {"Running|0:25:24|5.0"}, "3/0/0"},
        {"ride", ride(), {"Cycling|1:02:03|30.0"}, "0/0/0"},
        {"multisport",
         multisport(),
         {"Swimming|0:30:00|1.5", "Cycling|1:00:00|40.0", "Running|0:40:00|10.0"},
         "1/1/0 1/0/0 2/2/0 0/0/0 1/0/0"},
        {"pool_swim_without_positions", pool(), {"Swimming|0:20:00|1.0"}, "1/0/2"},
        {"bad_checksum", badCrc(), {"Running|0:25:24|5.0"}, "3/0/0", Partial + "its checksum does not match"},
        // 228 = 14 + 11 (file_id) + 11 (sport) + 36 (events) + 132 (records) + 24 (session definition)
        {"cut_short",
         cutRide(),
         {"Cycling|0:18:20|4.0"},
         "3/0/0",
         Partial + "the file ends early, at byte 228"},
        {"settings", settings(), {}, "", "  watch.fit: holds no activity (a settings file)"},
        {"not_fit", "<gpx/>", {}, "", "  watch.fit: not a FIT file"},
    }),
    CaseName());

// Each session keeps its records and laps as its workout's track.
TEST(FitImportTrack, SessionsKeepTheirPointsAndLaps) {
    FitDiary d(multisport());
    ASSERT_EQ(WorkoutImport::run(*d.conn, {d.file}, d.options).imported, 3);
    const auto ride = TrackStore::load(*d.conn, 2); // swim, ride, run
    ASSERT_TRUE(ride.has_value());
    ASSERT_EQ(ride->points.size(), 2u);
    EXPECT_EQ(ride->points[0].hr, 140);
    EXPECT_NEAR(ride->points[0].lat, 50.0, 1e-7);
    EXPECT_EQ(ride->laps.size(), 2u);
}

TEST(FitDecode, PointValuesTimesAndChecksum) {
    const FitFile::Decoded race = decoded(multisport()), running = decoded(run());
    const FitFile::Point& p = race.sessions.at(2).points.at(0); // the ride's first point
    EXPECT_NEAR(p.latitude, 50.0, 1e-7);
    EXPECT_EQ(p.elevation, 100.0);
    EXPECT_EQ(p.time - 631065600, T0 + 2000);
    const auto& track = running.sessions.at(0).points;
    EXPECT_EQ(track.at(2).time - track[0].time, 30); // 5 s, then 25 s more
    EXPECT_TRUE(std::isfinite(track[1].longitude) && std::isnan(track[2].latitude));
    EXPECT_EQ(FitFile::crc16(0, reinterpret_cast<const uint8_t*>("123456789"), 9), 0xBB3D); // CRC-16's check
}

} // namespace
