// A stored track read back: every value as packed, and damaged bytes refused, never a crash.
#include "DbError.h"
#include "Track.h"

#include <gtest/gtest.h>

namespace {

TEST(StoredTrack, UnpacksAsPackedAndRefusesDamage) {
    std::vector<Track::Point> points;
    for (int i = 0; i < 50; ++i) {
        Track::Point p;
        p.ms = 1780729200000 + i * 1000 + (i == 7 ? 400 : 0);
        if (i != 3) {
            p.lat = 47.1234567 + i * 1e-5;
            p.lon = -8.7654321 - i * 2e-5;
        }
        p.ele = i % 5 ? 420.25 + i : NAN;
        p.distance = i * 3.21;
        p.hr = i == 9 ? 0 : 140 + i % 7;
        p.cad = 88;
        p.newSegment = i == 20;
        points.push_back(p);
    }
    const QByteArray packed = Track::packPoints(points);
    const std::vector<Track::Point> back = Track::unpackPoints(packed);
    ASSERT_EQ(back.size(), points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const Track::Point &a = points[i], &b = back[i];
        EXPECT_EQ(b.ms, a.ms);
        EXPECT_EQ(b.hasPosition(), a.hasPosition());
        if (a.hasPosition()) {
            EXPECT_TRUE(std::fabs(b.lat - a.lat) < 1e-9 && std::fabs(b.lon - a.lon) < 1e-9) << i;
        }
        EXPECT_EQ(std::isnan(b.ele), std::isnan(a.ele)) << i;
        if (!std::isnan(a.ele)) {
            EXPECT_NEAR(b.ele, a.ele, 0.005);
        }
        EXPECT_NEAR(b.distance, a.distance, 0.005);
        EXPECT_TRUE(b.hr == a.hr && b.cad == a.cad && b.newSegment == a.newSegment) << i;
    }
    // Every byte changed, and every length cut short: refused or read, never a crash.
    for (qsizetype i = 0; i < packed.size(); ++i) {
        QByteArray bad = packed;
        bad[i] = char(bad[i] ^ 0x5A);
        for (const QByteArray& bytes : {bad, packed.left(i)}) {
            try {
                Track::unpackPoints(bytes);
            } catch (const DbError&) {
            }
        }
    }
    EXPECT_THROW(Track::unpackLaps(QByteArray("T\1\0\0\0\5x", 7)), DbError);
}

// A remainder of a fraction of a metre and a second is the rounding of the last whole unit:
// it gets no line of 0.00 in 0:00. A real one (here 0.5 km) keeps its line.
TEST(Splits, ALastStretchThatWouldPrintAsNothingIsNotALine) {
    for (const auto& [meters, lines] : {std::pair{1000.4, size_t(1)}, {1500.0, size_t(2)}}) {
        Track::Data track;
        for (int i = 0; i <= 10; ++i) {
            Track::Point p;
            p.ms = 1780729200000 + qint64(i) * 30000;
            p.distance = meters * i / 10;
            track.points.push_back(p);
        }
        EXPECT_EQ(Track::splits(track, 1000).size(), lines) << meters;
    }
}

} // namespace
