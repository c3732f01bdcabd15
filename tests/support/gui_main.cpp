#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    // Qt paints large fills on threads of its own, which end when the application object goes;
    // each releases its own data as the very last thing it does. The leak check at exit would
    // take data still being released for a leak: wait (a moment, at most two seconds) until
    // this is the only thread left.
    const QDeadlineTimer deadline(2000);
    while (QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() > 1 &&
           !deadline.hasExpired())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return result;
}
