#include "CLibrary.h"
#include "Connection.h"
#include "DatabaseLocation.h"
#include "Dialogs.h"
#include "HeartRate.h"
#include "MainForm.h"
#include "Startup.h"
#include "StartupCheck.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <future>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process (tick resolution), or -1.
qint64 msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name may contain blanks; the fields after it are counted from ") ".
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startSeconds = fields.at(19).toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64((double(now.tv_sec) + now.tv_nsec / 1e9 - startSeconds) * 1000.0);
}

// Start-up timing for the benchmark, set by environment variables:
//   TRAINBOOK_QUIT_AFTER_SHOW=1   prints "shown <ms> ms" once the window is up and filled, and quits;
//   TRAINBOOK_QUIT_AFTER_CHECK=1  prints "checked <ms> ms, longest pause <ms> ms" when the checks
//                                 that read the whole file have ended (time since the window was
//                                 shown, and the longest the event loop was held meanwhile), and quits;
//   TRAINBOOK_QUIT_AFTER_MS=<n>   prints "quitting" n ms after the window is shown, and quits.
void timingHooks(StartupCheck& check) {
    const auto print = [](const QByteArray& line) {
        std::printf("%s\n", line.constData());
        std::fflush(stdout);
    };
    if (qEnvironmentVariableIntValue("TRAINBOOK_QUIT_AFTER_SHOW") == 1) {
        QTimer::singleShot(0, qApp, [print] {
            print("shown " + QByteArray::number(msSinceProcessStart()) + " ms");
            QApplication::quit();
        });
    }
    if (qEnvironmentVariableIntValue("TRAINBOOK_QUIT_AFTER_CHECK") == 1) {
        auto* probe = new QTimer(qApp);
        auto* sinceShown = new QElapsedTimer;
        auto* lastTick = new QElapsedTimer;
        auto* longest = new qint64(0);
        sinceShown->start();
        lastTick->start();
        probe->setTimerType(Qt::PreciseTimer);
        probe->setInterval(5);
        QObject::connect(probe, &QTimer::timeout, qApp,
                         [=] { *longest = std::max(*longest, lastTick->restart()); });
        probe->start();
        QObject::connect(&check, &StartupCheck::finished, qApp, [=] {
            print("checked " + QByteArray::number(sinceShown->elapsed()) + " ms, longest pause " +
                  QByteArray::number(std::max(*longest, lastTick->elapsed())) + " ms");
            QApplication::quit();
        });
    }
    if (const int ms = qEnvironmentVariableIntValue("TRAINBOOK_QUIT_AFTER_MS"); ms > 0) {
        QTimer::singleShot(ms, qApp, [print] {
            print("quitting");
            QApplication::quit();
        });
    }
}

// The program's icon: the desktop theme's, else the pictures built into the program.
QIcon applicationIcon() {
    QIcon icon = QIcon::fromTheme(QStringLiteral("org.trainbook.Trainbook"));
    if (icon.isNull()) {
        for (const char* size : {"32", "64", "256"})
            icon.addFile(QStringLiteral(":/icons/trainbook-%1.png").arg(QLatin1String(size)));
    }
    return icon;
}

} // namespace

int main(int argc, char** argv) {
    // Fractional scale factors (125%, 150%) are used as they are instead of being rounded,
    // so that text and layouts keep their proportions on high-DPI screens.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trainbook"));
    QApplication::setApplicationVersion(QStringLiteral(TRAINBOOK_VERSION));
    // Ties the windows to the launcher entry and its icon on the desktop.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.trainbook.Trainbook"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Trainbook, an exercise diary"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("Open the diary in <file> instead of Trainbook.db."),
                                      QStringLiteral("file"));
    parser.addOption(dbOption);
    parser.process(app);
    // Updating an older diary keeps the average heart rate of its stored tracks.
    Migration::setTrackAverage(HeartRate::averageOfPacked);

    // The diary named with --db, else Trainbook.db here, else the one in the user's data folder.
    QString file;
    try {
        file = DatabaseLocation::chooseForThisUser(parser.value(dbOption));
    } catch (const std::exception& e) {
        Dialogs::message(nullptr, describe(e));
        file = QString::fromLatin1(DatabaseLocation::FileName);
    }
    CLibrary::setDefaultAccessFile(file);

    // Before the window shows: a first run creates the database; a file that is not a
    // Trainbook database, newer, or cannot be opened is refused (the main window's own message
    // names it); an older one is copied, then updated. This runs on a thread of its own while
    // the window is made, which reads nothing from the file until it shows. What reads the
    // whole file comes after.
    std::future<Startup::Result> opening = std::async(
        std::launch::async, [file = CLibrary::defaultAccessFile()] { return Startup::open(file); });
    MainForm window;
    QSettings settings(QStringLiteral("Trainbook"), QStringLiteral("Trainbook"));
    WindowPlacement::restore(&window, settings, QStringLiteral("MainForm"));
    Startup::Result opened = opening.get();
    StartupCheck::report(nullptr, CLibrary::defaultAccessFile(), opened);
    window.readFirstThrough(std::move(opened.connection));
    window.show();
    QObject::connect(&app, &QApplication::aboutToQuit, &app,
                     [&] { WindowPlacement::save(&window, settings, QStringLiteral("MainForm")); });

    // The quick check of the whole file and today's copy run once the window is up, on a
    // thread of their own; damage is reported when found. Closing the window stops them
    // first, so that quitting does not wait for them (nor the unit's write for their lock).
    StartupCheck check(CLibrary::defaultAccessFile(), &window);
    QObject::connect(&check, &StartupCheck::finished, &window, [&window](bool restored) {
        if (restored)
            window.reload();
    });
    QObject::connect(&window, &MainForm::closing, &check, &StartupCheck::stop);
    QObject::connect(&app, &QApplication::aboutToQuit, &check, &StartupCheck::stop);
    timingHooks(check);
    // Decoding the icon's pictures takes as long as a good part of the window's own start;
    // the window gets its icon a moment after it shows.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(applicationIcon()); });
    if (opened.state == Startup::State::Ready)
        QTimer::singleShot(0, &check, &StartupCheck::start);
    return app.exec();
}
