// The duration parser and its inverse: any text GetMinutes accepts, shown by MinutesToString
// and read back, gives the same minutes to the second.
#include "CLibrary.h"
#include "FuzzSupport.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    double minutes = 0;
    try {
        minutes = CLibrary::GetMinutes(text);
    } catch (const DbError&) {
        return 0;
    }
    // Beyond any duration a person types, or negative ("-5:00" is shown as typed, but a
    // leading minus reads back on its own field only): no round trip is promised.
    if (!std::isfinite(minutes) || minutes < 0 || minutes > 1e9)
        return 0;
    const QString shown = CLibrary::MinutesToString(minutes);
    double back = 0;
    try {
        back = CLibrary::GetMinutes(shown);
    } catch (const DbError& e) {
        FUZZ_CHECK(false, "'%s' -> %.17g -> '%s' is refused: %s", qPrintable(text), minutes,
                   qPrintable(shown), qPrintable(e.description()));
    }
    // Shown to the nearest second, after the total is snapped to the microsecond (so that
    // 30.5 s arriving as 30.4999... rounds as typed): off by at most half a second and a
    // microsecond.
    FUZZ_CHECK(std::fabs(back - minutes) <= (0.5 + 1e-6) / 60 + 1e-9 * minutes,
               "'%s' -> %.17g -> '%s' -> %.17g", qPrintable(text), minutes, qPrintable(shown), back);
    return 0;
}
