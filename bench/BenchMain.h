#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>

namespace bench {

// Windows are drawn offscreen unless a platform is named, so a benchmark runs without a display.
inline void offscreenUnlessSet() {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
}

// How many runs to time: the first argument, or `fallback`.
inline int runsFrom(int argc, char** argv, int fallback) {
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : fallback;
}

} // namespace bench
