#include "CLibrary.h"
#include "Connection.h"
#include "DatabaseLocation.h"
#include "Dialogs.h"
#include "MainForm.h"
#include "Startup.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QIcon>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <ctime>
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

// Before the main window reads the database: a first run creates it, an existing file is
// checked and copied into backups/, and a damaged one may be replaced by its newest good copy
// (the damaged file is kept beside it). A file that cannot be opened is left to the main
// window's own message, which names it.
void checkDatabase(const QString& file) {
    const Startup::Result r = Startup::check(file);
    if (r.state == Startup::State::Ready && !r.warning.isEmpty()) {
        Dialogs::message(nullptr, r.warning);
    } else if (r.state == Startup::State::Refused && !Connection::exists(file)) {
        Dialogs::message(nullptr, r.message);
    } else if (r.state == Startup::State::Damaged && r.newestBackup.isEmpty()) {
        Dialogs::message(
            nullptr,
            r.message +
                QStringLiteral("\n\nThere is no good copy of it in '%1'.").arg(Startup::backupFolder(file)));
    } else if (r.state == Startup::State::Damaged &&
               Dialogs::ask(nullptr,
                            r.message + QStringLiteral("\n\nPut the newest good copy, '%1', in its place? "
                                                       "The damaged file is kept beside it.")
                                            .arg(r.newestBackup))) {
        try {
            const QString aside = Startup::restore(file, r.newestBackup);
            Dialogs::message(nullptr, aside.isEmpty()
                                          ? QStringLiteral("The copy is in place.")
                                          : QStringLiteral("The copy is in place. The damaged file "
                                                           "was kept as '%1'.")
                                                .arg(aside));
        } catch (const std::exception& e) {
            Dialogs::message(nullptr, describe(e));
        }
    }
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
    QIcon icon = QIcon::fromTheme(QStringLiteral("org.trainbook.Trainbook"));
    if (icon.isNull()) {
        for (const char* size : {"32", "64", "256"})
            icon.addFile(QStringLiteral(":/icons/trainbook-%1.png").arg(QLatin1String(size)));
    }
    QApplication::setWindowIcon(icon);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Trainbook, an exercise diary"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("Open the diary in <file> instead of Trainbook.db."),
                                      QStringLiteral("file"));
    parser.addOption(dbOption);
    parser.process(app);

    // The diary named with --db, else Trainbook.db here, else the one in the user's data folder.
    QString file;
    try {
        file = DatabaseLocation::chooseForThisUser(parser.value(dbOption));
    } catch (const std::exception& e) {
        Dialogs::message(nullptr, describe(e));
        file = QString::fromLatin1(DatabaseLocation::FileName);
    }
    CLibrary::setDefaultAccessFile(file);

    checkDatabase(CLibrary::defaultAccessFile());

    MainForm window;
    QSettings settings(QStringLiteral("Trainbook"), QStringLiteral("Trainbook"));
    WindowPlacement::restore(&window, settings, QStringLiteral("MainForm"));
    window.show();
    QObject::connect(&app, &QApplication::aboutToQuit, &app,
                     [&] { WindowPlacement::save(&window, settings, QStringLiteral("MainForm")); });

    // Start-up timing for the benchmark: report once the window is up and filled, then quit.
    if (qEnvironmentVariableIntValue("TRAINBOOK_QUIT_AFTER_SHOW") == 1) {
        QTimer::singleShot(0, &app, [] {
            std::printf("shown %lld ms\n", static_cast<long long>(msSinceProcessStart()));
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    return app.exec();
}
