// The FIT decoder on any bytes: it returns, within the fuzzer's time and memory limits, and
// what it gives back is consistent: sessions in order of their start, each point and lap
// inside its session's time.
#include "FitFile.h"
#include "FuzzSupport.h"
#include "GpsTrack.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const FitFile::Decoded d = FitFile::decode(buffer);
    size_t points = 0;
    for (size_t i = 0; i < d.sessions.size(); ++i) {
        const FitFile::Session& s = d.sessions[i];
        FUZZ_CHECK(i == 0 || d.sessions[i - 1].start <= s.start, "sessions out of order at %zu", i);
        for (const FitFile::Point& p : s.points)
            FUZZ_CHECK(p.time >= s.start, "a point before its session's start");
        for (const FitFile::Lap& l : s.laps)
            FUZZ_CHECK(l.start >= s.start, "a lap before its session's start");
        points += s.points.size();
    }
    FUZZ_CHECK(points <= size, "%zu points from %zu bytes", points, size);
    FUZZ_CHECK(d.isFit || d.sessions.empty(), "sessions from bytes that are not FIT");
    buffer.seek(0);
    const GpsTrack::Parsed parsed = GpsTrack::readFit(buffer);
    FUZZ_CHECK(parsed.activities.empty() != parsed.error.isEmpty(), "activities and an error, or neither");
    return 0;
}
