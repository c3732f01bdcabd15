#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>

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

// Processor time of the process so far, in milliseconds.
inline double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// The best wall time of the runs, in milliseconds: on a machine shared with other work the
// fastest run shows what the code costs, the median the load as much as the code. The
// processor time of that run goes to `cpu`, since the wall time also counts the waits for a core.
inline double bestMs(int runs, const std::function<void()>& work, double* cpu = nullptr) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double c0 = cpuMs();
        t.start();
        work();
        const double wall = double(t.nsecsElapsed()) / 1e6;
        if (wall < best) {
            best = wall;
            if (cpu)
                *cpu = cpuMs() - c0;
        }
    }
    return best;
}

} // namespace bench
