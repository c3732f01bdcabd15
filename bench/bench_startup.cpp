// Start-up time of the program on a large database: from starting the process to the
// main window shown with its user list filled. Builds a database of 50,000 workouts and
// 20 users in a temporary folder, then starts the Trainbook program there N times
// (offscreen, TRAINBOOK_QUIT_AFTER_SHOW=1) and prints the minimum and the median.
//
//   bench_startup [runs]        (default 20; goal: median below 300 ms)

#include "CLibrary.h"
#include "Connection.h"
#include "DbError.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int Users = 20;
constexpr int Workouts = 50000;

QString userName(int i) {
    return QStringLiteral("User%1").arg(i + 1, 2, 10, QLatin1Char('0'));
}

// One workout of each kind in turn, spread over the users and over the days before 2026.
void fillDatabase(const QString& path) {
    Connection::create(path);
    auto conn = Connection::open(path);
    conn->begin();
    for (int u = 0; u < Users; ++u)
        conn->execute(
            QStringLiteral("INSERT INTO Users (User_Name, DistanceMiles) VALUES (%1, %2)")
                .arg(CLibrary::Quote(userName(u)), u % 3 ? QStringLiteral("1") : QStringLiteral("0")));

    static const char* const kinds[] = {"Running", "Cycling", "Swimming", "Video", "Other"};
    const QDate first(2026, 1, 1);
    for (int i = 0; i < Workouts; ++i) {
        const QString kind = QLatin1String(kinds[i % 5]);
        const QDate date = first.addDays(-(i / Users));
        conn->execute(
            QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                           "Exercise_Time, User_Name, Comments) VALUES ('%1', '%2', '%3', '%4', %5, 'easy')")
                .arg(kind, date.toString(Qt::ISODate), QLocale::c().dayName(date.dayOfWeek()),
                     QStringLiteral("45:%1").arg(i % 60, 2, 10, QLatin1Char('0')),
                     CLibrary::Quote(userName(i % Users))));
        const QString id = QString::number(conn->lastInsertId());
        QString detail;
        switch (i % 5) {
        case 0:
            detail = "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (" + id +
                     ", 6.2, 'River loop', 'Trail shoe', 10)";
            break;
        case 1:
            detail = "INSERT INTO Cycling_Log (Cycling_ID, Miles, Course, Bike, Calories_Burned, Kilometers) "
                     "VALUES (" +
                     id + ", 20, 'Hills', 'Road bike', 600, 32.2)";
            break;
        case 2:
            detail =
                "INSERT INTO Swimming_Log (Swimming_ID, Laps, Location) VALUES (" + id + ", 40, 'Town pool')";
            break;
        case 3:
            detail = "INSERT INTO Video_Log (Video_ID, Video) VALUES (" + id + ", 'Morning stretch')";
            break;
        default:
            detail = "INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1, Field2, Field3) VALUES (" + id +
                     ", 'Rowing', '2000', '', '')";
            break;
        }
        conn->execute(detail);
    }
    conn->commit();
}

struct Run {
    double measured = -1; // by this program: process start to the "shown" line
    double reported = -1; // by Trainbook itself, since the kernel started it
};

Run startOnce(const QString& folder) {
    QProcess p;
    p.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TRAINBOOK_QUIT_AFTER_SHOW"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.setStandardErrorFile(QProcess::nullDevice());

    Run run;
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(TRAINBOOK_BIN), QStringList());
    while (p.waitForReadyRead(10000)) {
        if (p.canReadLine()) {
            run.measured = clock.nsecsElapsed() / 1e6;
            const QByteArray line = p.readLine().trimmed(); // "shown 58 ms"
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() >= 2)
                run.reported = parts.at(1).toDouble();
            break;
        }
    }
    p.waitForFinished(10000);
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    QElapsedTimer fillClock;
    fillClock.start();
    try {
        fillDatabase(dir.filePath(QStringLiteral("Trainbook.db")));
    } catch (const DbError& e) {
        std::fprintf(stderr, "could not build the database: %s\n", qPrintable(e.description()));
        return 1;
    }
    std::printf("database: %d workouts, %d users, built in %lld ms\n", Workouts, Users,
                static_cast<long long>(fillClock.elapsed()));

    startOnce(dir.path()); // warm the file cache and the dynamic loader
    std::vector<double> measured, reported;
    for (int i = 0; i < runs; ++i) {
        const Run r = startOnce(dir.path());
        if (r.measured < 0) {
            std::fprintf(stderr, "run %d: Trainbook did not report its window\n", i + 1);
            return 1;
        }
        measured.push_back(r.measured);
        reported.push_back(r.reported);
    }
    std::printf("start to window shown and filled, %d runs:\n", runs);
    std::printf("  measured by the launcher: min %.1f ms, median %.1f ms\n",
                *std::min_element(measured.begin(), measured.end()), median(measured));
    std::printf("  reported by Trainbook:    min %.0f ms, median %.0f ms (kernel tick resolution)\n",
                *std::min_element(reported.begin(), reported.end()), median(reported));
    std::printf("  goal: below 300 ms -> %s\n", median(measured) < 300 ? "met" : "NOT met");
    return 0;
}
