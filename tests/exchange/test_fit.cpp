// FIT files read by the program's own decoder: what each kind of file becomes, against
// totals worked out by hand, and which points, laps and lengths each session keeps.
#include "Connection.h"
#include "FitFile.h"
#include "FitWriter.h"
#include "TestSupport.h"
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
    return w.define(0, 0, {{0, 1, W::Enum}}).data(0, {type});
}
// A session `start` seconds after T0: sport, timer time in ms (elapsed the same), distance in cm.
W& session(W& w, int sport, qint64 start, qint64 ms, qint64 cm, bool bigEndian = false) {
    return w
        .define(1, 18,
                {{253, 4, W::U32},
                 {2, 4, W::U32},
                 {5, 1, W::Enum},
                 {7, 4, W::U32},
                 {8, 4, W::U32},
                 {9, 4, W::U32}},
                bigEndian, bigEndian ? 3 : 0)
        .data(1, {T0 + start + ms / 1000, T0 + start, sport, ms, ms, cm});
}
// A record: time, position (semicircles), altitude (raw), heart rate, distance (cm).
W& record(W& w, qint64 at, qint64 lat, qint64 lon, qint64 alt, int hr, qint64 cm) {
    return w
        .define(
            2, 20,
            {{253, 4, W::U32}, {0, 4, W::S32}, {1, 4, W::S32}, {2, 2, W::U16}, {3, 1, W::U8}, {5, 4, W::U32}})
        .data(2, {T0 + at, lat, lon, alt, hr, cm});
}
W& lap(W& w, qint64 start, qint64 ms) {
    return w.define(3, 19, {{2, 4, W::U32}, {8, 4, W::U32}}).data(3, {T0 + start, ms});
}

// 1523.6 s and 5012.34 m; the last two records carry compressed timestamps, one without a position.
QByteArray run() {
    W w;
    fileId(w, 4);
    record(w, 0, 0, 0, 2600, 120, 0);
    w.define(3, 20, {{3, 1, W::U8}, {0, 4, W::S32}, {1, 4, W::S32}});
    w.data(3, {130, 0, 1000}, 0x80 | 3 << 5 | int((T0 + 5) & 0x1F))
        .data(3, {131, 0x7FFFFFFF, 0x7FFFFFFF}, 0x80 | 3 << 5 | int((T0 + 30) & 0x1F));
    return session(w, 1, 0, 1523600, 501234).endFile().bytes();
}

// The multisport race, its transitions in two chained files.
QByteArray multisport() {
    W w;
    fileId(w, 4);
    session(w, 5, 0, 1800000, 150000);
    lap(w, 0, 1800000);
    record(w, 60, 0, 0, 2600, 100, 0);
    record(w, 1850, 0, 0, 2600, 110, 0);
    session(w, 3, 1800, 120000, 0).endFile();
    fileId(w, 4);
    for (qint64 t : {2000, 3000})
        record(w, t, 596523236, 0, 3000, 140, 0);
    lap(w, 1920, 1800000);
    lap(w, 3720, 1800000);
    session(w, 2, 1920, 3600000, 4000000);
    session(w, 3, 5520, 60000, 0);
    record(w, 6000, 0, 0, 2600, 150, 0);
    return session(w, 1, 5580, 2400000, 1000000).endFile().bytes();
}

// A pool swim without positions: three lengths, the middle one a rest (idle); a record after its end.
QByteArray pool() {
    W w;
    fileId(w, 4);
    w.define(3, 101, {{2, 4, W::U32}, {4, 4, W::U32}, {12, 1, W::Enum}});
    w.data(3, {T0, 30000, 1}).data(3, {T0 + 30, 20000, 0}).data(3, {T0 + 50, 31000, 1});
    w.define(2, 20, {{253, 4, W::U32}, {3, 1, W::U8}}).data(2, {T0 + 10, 120}).data(2, {T0 + 1300, 90});
    return session(w, 5, 0, 1200000, 100000).endFile().bytes();
}

// A ride cut short before its session: records, the timer's events, the sport message. The
// timer ran 0-600 s and 700-1200 s: 1100 s; the records' distance reached 4000 m.
QByteArray cutRide() {
    W w;
    fileId(w, 4);
    w.define(4, 12, {{0, 1, W::Enum}}).data(4, {2});
    w.define(5, 21, {{253, 4, W::U32}, {0, 1, W::Enum}, {1, 1, W::Enum}});
    w.data(5, {T0, 0, 0}).data(5, {T0 + 600, 0, 1}).data(5, {T0 + 700, 0, 0});
    for (qint64 t : {0, 600, 1200})
        record(w, t, 0, 0, 2600, 130, t * 1000 / 3);
    const QByteArray whole = session(w, 2, 0, 1200000, 400000).endFile().bytes();
    return whole.left(whole.size() - 20);
}

// A big-endian session with a developer field: 3723 s, 30040 m.
QByteArray ride() {
    W w;
    return session(fileId(w, 4), 2, 0, 3723000, 3004000, true).endFile().bytes();
}

QByteArray settings() {
    W w;
    return fileId(w, 2).endFile().bytes();
}

QByteArray badCrc() {
    QByteArray b = run();
    b[b.size() - 1] = char(b[b.size() - 1] ^ 0xFF);
    return b;
}

struct FitCase {
    std::string name;
    QByteArray bytes;
    QStringList workouts; // kind|date|time|km|miles
    QString error = {}, warningStart = {};
};

class FitImport : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitImport, BecomesTheWorkoutsOfItsSessions) {
    const auto& c = GetParam();
    QTemporaryDir dir;
    QFile f(dir.filePath("watch.fit"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.bytes);
    f.close();
    WorkoutImport::Options options;
    options.zone = QTimeZone::utc();
    options.fallbackKind = "Swimming";
    const auto read = WorkoutImport::read(f.fileName(), options);
    QStringList got;
    for (const auto& w : read.workouts)
        got << QStringList{w.kind, w.date.toString(Qt::ISODate), w.time, w.kilometers, w.miles}.join('|');
    EXPECT_EQ(got, c.workouts);
    EXPECT_EQ(read.error, c.error);
    EXPECT_TRUE(read.warning.startsWith(c.warningStart) && read.warning.isEmpty() == c.warningStart.isEmpty())
        << read.warning.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, FitImport,
                         testing::ValuesIn(std::vector<FitCase>{
                             {"run", run(), {"Running|2026-06-06|0:25:24|5.0|3.1"}},
                             {"ride", ride(), {"Cycling|2026-06-06|1:02:03|30.0|18.6"}},
                             {"multisport",
                              multisport(),
                              {"Swimming|2026-06-06|0:30:00|1.5|0.9", "Cycling|2026-06-06|1:00:00|40.0|24.9",
                               "Running|2026-06-06|0:40:00|10.0|6.2"}},
                             {"pool_swim_without_positions", pool(), {"Swimming|2026-06-06|0:20:00|1.0|0.6"}},
                             {"bad_checksum",
                              badCrc(),
                              {"Running|2026-06-06|0:25:24|5.0|3.1"},
                              "",
                              "read as far as its records decode: its checksum does not match"},
                             {"cut_before_its_session",
                              cutRide(),
                              {"Cycling|2026-06-06|0:18:20|4.0|2.5"},
                              "",
                              "read as far as its records decode: the file ends early, at byte "},
                             {"settings", settings(), {}, "holds no activity (a settings file)"},
                             {"not_fit", "<gpx/>", {}, "not a FIT file"},
                         }),
                         CaseName());

// The summary names the file whose workouts were read from a damaged file.
TEST(FitImportSummary, NamesTheFileReadInPart) {
    QTemporaryDir dir;
    Connection::create(dir.filePath("Trainbook.db"));
    auto conn = Connection::open(dir.filePath("Trainbook.db"));
    conn->execute("INSERT INTO Users (User_Name) VALUES ('Ann')");
    QFile f(dir.filePath("bad.fit"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(badCrc());
    f.close();
    WorkoutImport::Options options;
    options.user = "Ann";
    EXPECT_EQ(WorkoutImport::summaryLines(WorkoutImport::run(*conn, {f.fileName()}, options)),
              (QStringList{"Imported: 1", "Skipped (already in the diary): 0", "Failed: 0", "Read in part: 1",
                           "  bad.fit: read as far as its records decode: its checksum does not match"}));
}

FitFile::Decoded decoded(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return FitFile::decode(buffer);
}

TEST(FitDecode, SessionsKeepThePointsLapsAndLengthsOfTheirTime) {
    const FitFile::Decoded d = decoded(multisport());
    EXPECT_TRUE(d.damage.isEmpty()) << d.damage.toStdString();
    QList<int> points, laps;
    for (const auto& s : d.sessions) {
        points << int(s.points.size());
        laps << int(s.laps.size());
    }
    EXPECT_EQ(points, (QList<int>{1, 1, 2, 0, 1}));
    EXPECT_EQ(laps, (QList<int>{1, 0, 2, 0, 0}));
    const FitFile::Point& p = d.sessions[2].points[0]; // the ride's first point
    EXPECT_NEAR(p.latitude, 50.0, 1e-7);
    EXPECT_EQ(p.elevation, 100.0);
    EXPECT_EQ(p.heartRate, 140);
    EXPECT_EQ(p.time - 631065600, T0 + 2000);

    const FitFile::Decoded swim = decoded(pool());
    ASSERT_EQ(swim.sessions.size(), 1u);
    EXPECT_EQ(swim.sessions[0].lengths.size(), 2u);
    EXPECT_EQ(swim.sessions[0].points.size(), 1u);

    // Compressed timestamps 5 and 30 s after the full one; the last point's position is invalid.
    const FitFile::Decoded running = decoded(run());
    const auto& track = running.sessions.at(0).points;
    ASSERT_EQ(track.size(), 3u);
    EXPECT_EQ(track[1].time - track[0].time, 5);
    EXPECT_EQ(track[2].time - track[0].time, 30);
    EXPECT_TRUE(std::isfinite(track[1].longitude) && std::isnan(track[2].latitude));
    // The checksum is the common CRC-16 (its check value for "123456789").
    EXPECT_EQ(FitFile::crc16(0, reinterpret_cast<const uint8_t*>("123456789"), 9), 0xBB3D);
}

} // namespace
