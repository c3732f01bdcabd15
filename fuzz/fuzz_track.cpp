// The track unpacker on any bytes: it returns or throws DbError, within the fuzzer's time and
// memory limits, and what it returns packs and unpacks again to the same points and laps.
#include "DbError.h"
#include "FuzzSupport.h"
#include "Track.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const std::vector<Track::Point> points = Track::unpackPoints(bytes);
        const std::vector<Track::Point> again = Track::unpackPoints(Track::packPoints(points));
        FUZZ_CHECK(again.size() == points.size(), "%zu points, %zu after packing again", points.size(),
                   again.size());
        for (size_t i = 0; i < points.size(); ++i)
            FUZZ_CHECK(again[i].ms == points[i].ms && again[i].hr == points[i].hr, "point %zu changed", i);
    } catch (const DbError&) {
    }
    try {
        const std::vector<Track::Lap> laps = Track::unpackLaps(bytes);
        FUZZ_CHECK(Track::unpackLaps(Track::packLaps(laps)).size() == laps.size(), "laps changed");
    } catch (const DbError&) {
    }
    return 0;
}
