#include "Clock.h"

#include <atomic>

namespace {
// Milliseconds since the epoch of a fixed "now", or -1 for the system clock.
std::atomic<qint64> fixedMs{-1};
} // namespace

namespace Clock {

QDateTime now() {
    const qint64 ms = fixedMs.load();
    return ms < 0 ? QDateTime::currentDateTime() : QDateTime::fromMSecsSinceEpoch(ms);
}

QDate today() {
    return now().date();
}

void setFixed(const QDateTime& when) {
    fixedMs.store(when.toMSecsSinceEpoch());
}

void reset() {
    fixedMs.store(-1);
}

} // namespace Clock
