// Start-up time of the program, side by side with a bare Qt program that shows a main window
// holding a combo box and a calendar (bench_bare_window). Two diaries are built in a
// temporary folder: 50,000 workouts of 20 users, and 1,000,000 workouts of 200 users. Each
// program is started N times, the two in turn (offscreen; Trainbook with
// TRAINBOOK_QUIT_AFTER_SHOW=1), and the medians are compared:
//   - start to main window shown and filled, at both sizes; on the large diary also on the
//     first start of a day (today's copy removed before each run);
//   - the checks that run after the window is shown (the quick check of the whole file and
//     today's copy) on the large diary: how long they take, and the longest pause of the
//     window's event loop meanwhile (a 5 ms timer);
//   - quitting while those checks run: the time from the quit to the end of the process, and
//     that no copy is left under its final name unless it is whole, nor a temporary file.
//
//   bench_startup [runs] [--small] [--tracks] [--keep]   (default 15 runs; --small: the
//   50,000-workout diary only; --tracks: also that diary with 1,000 one-hour tracks of 1 Hz
//   stored; --keep: the diaries are left in place, for profiling, and their folder printed)
//
// Goals: Trainbook within 1.2x the bare window; the checks within 3 s with no pause over
// 50 ms; quitting within about a second.

#include "Connection.h"
#include "DbError.h"
#include "NativeDb.h"
#include "Track.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

struct Diary {
    const char* name;
    int workouts;
    int users;
    QString folder;
    int tracks = 0;
};

// One workout of each kind in turn, spread over the users and over the days before 2026.
void fillDatabase(const QString& path, int workouts, int users, int tracks) {
    Connection::create(path);
    const bench::DbHandle db = bench::openNative(path);
    const auto exec = [&](const std::string& sql) {
        bench::check(sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, nullptr), db.get());
    };
    const std::string n = std::to_string(workouts);
    const std::string u = std::to_string(users);
    const std::string width = users > 99 ? "3" : "2";
    exec("BEGIN");
    exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " + u +
         " - 1) INSERT INTO Users (User_Name, DistanceMiles) SELECT printf('User%0" + width +
         "d', i + 1), i % 3 != 0 FROM n");
    exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " + n +
         " - 1), d(i, day) AS (SELECT i, date('2026-01-01', '-' || (i / " + u +
         ") || ' days') FROM n) "
         "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
         "Exercise_Time, User_Name, Comments) SELECT i + 1, CASE i % 5 WHEN 0 THEN 'Running' WHEN 1 THEN "
         "'Cycling' WHEN 2 THEN 'Swimming' WHEN 3 THEN 'Video' ELSE 'Other' END, day, CASE strftime('%w', "
         "day) WHEN '0' THEN 'Sunday' WHEN '1' THEN 'Monday' WHEN '2' THEN 'Tuesday' WHEN '3' THEN "
         "'Wednesday' WHEN '4' THEN 'Thursday' WHEN '5' THEN 'Friday' ELSE 'Saturday' END, printf('45:%02d', "
         "i % 60), printf('User%0" +
         width + "d', i % " + u + " + 1), 'easy' FROM d");
    exec("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) SELECT Exercise_ID, 6.2, "
         "'River loop', 'Trail shoe', 10 FROM Exercise_Master WHERE Exercise_ID % 5 = 1");
    exec("INSERT INTO Cycling_Log (Cycling_ID, Miles, Course, Bike, Calories_Burned, Kilometers) SELECT "
         "Exercise_ID, 20, 'Hills', 'Road bike', 600, 32.2 FROM Exercise_Master WHERE Exercise_ID % 5 = 2");
    exec("INSERT INTO Swimming_Log (Swimming_ID, Laps, Location) SELECT Exercise_ID, 40, 'Town pool' FROM "
         "Exercise_Master WHERE Exercise_ID % 5 = 3");
    exec("INSERT INTO Video_Log (Video_ID, Video) SELECT Exercise_ID, 'Morning stretch' FROM "
         "Exercise_Master WHERE Exercise_ID % 5 = 4");
    exec("INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1, Field2, Field3) SELECT Exercise_ID, "
         "'Rowing', '2000', '', '' FROM Exercise_Master WHERE Exercise_ID % 5 = 0");
    // One-hour tracks of 1 Hz on the first runs, as an import stores them.
    sqlite3_stmt* insert = nullptr;
    bench::check(sqlite3_prepare_v2(db.get(),
                                    "INSERT INTO Exercise_Track (Exercise_ID, Points, Laps) VALUES (?, ?, ?)",
                                    -1, &insert, nullptr),
                 db.get());
    for (int t = 0; t < tracks; ++t) {
        std::vector<Track::Point> points(3601);
        for (int s = 0; s < 3601; ++s) {
            Track::Point& p = points[size_t(s)];
            p.ms = 1'600'000'000'000 + qint64(t) * 86'400'000 + s * 1000;
            p.lat = 47.1 + 0.002 * std::sin(s / 97.0) + 1e-5 * ((s * 7919 + t) % 13 - 6);
            p.lon = 8.5 + s * 0.0000391 + 1e-5 * ((s * 104729 + t) % 11 - 5);
            p.ele = 420 + 15 * std::sin(s / 300.0) + 0.1 * (s % 7);
            p.hr = 140 + (s / 7) % 25;
            p.cad = 86 + (s / 11) % 5;
        }
        const QByteArray packed = Track::packPoints(points), laps = Track::packLaps({});
        sqlite3_bind_int64(insert, 1, t * 5 + 1);
        sqlite3_bind_blob(insert, 2, packed.constData(), int(packed.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(insert, 3, laps.constData(), int(laps.size()), SQLITE_TRANSIENT);
        bench::check(sqlite3_step(insert) == SQLITE_DONE ? SQLITE_OK : SQLITE_ERROR, db.get());
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec("INSERT INTO Exercise_HeartRate (Exercise_ID, Average_HR, Seconds) SELECT Exercise_ID, 152, 3600 "
         "FROM Exercise_Track");
    exec("COMMIT");
}

struct Run {
    double toLine = -1;     // ms from starting the process to its first line
    QByteArray line;        // that line
    double lineToExit = -1; // ms from that line to the end of the process
    double cpu = -1;        // ms of processor time the process used, user and system
};

double childCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

Run startOnce(const QString& program, const QString& folder, const char* variable, const QString& value) {
    QProcess p;
    p.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QLatin1String(variable), value);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.setStandardErrorFile(QProcess::nullDevice());

    Run run;
    const double cpuBefore = childCpuMs();
    QElapsedTimer clock;
    clock.start();
    p.start(program, QStringList());
    while (p.waitForReadyRead(30000)) {
        if (p.canReadLine()) {
            run.toLine = clock.nsecsElapsed() / 1e6;
            run.line = p.readLine().trimmed();
            break;
        }
    }
    p.waitForFinished(30000);
    if (run.toLine >= 0)
        run.lineToExit = clock.nsecsElapsed() / 1e6 - run.toLine;
    run.cpu = childCpuMs() - cpuBefore;
    return run;
}

double median(std::vector<double> v) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The number after `word` in a line such as "checked 812 ms, longest pause 9 ms".
double numberAfter(const QByteArray& line, const QByteArray& word) {
    const qsizetype at = line.indexOf(word);
    return at < 0 ? -1 : line.mid(at + word.size()).trimmed().split(' ').value(0).toDouble();
}

QString backups(const Diary& d) {
    return d.folder + QStringLiteral("/backups");
}

QString todaysCopy(const Diary& d) {
    return backups(d) + QStringLiteral("/Trainbook-%1.db").arg(QDate::currentDate().toString(Qt::ISODate));
}

void removeCopies(const Diary& d) {
    QDir folder(backups(d));
    for (const QString& f : folder.entryList(QDir::Files | QDir::Hidden))
        folder.remove(f);
}

// Anything in the backups folder that is not a finished copy (a temporary file, a journal).
QStringList leftovers(const Diary& d) {
    QStringList out;
    for (const QString& f : QDir(backups(d)).entryList(QDir::Files | QDir::Hidden))
        if (f.startsWith(QLatin1Char('.')) || f.endsWith(QLatin1String("-journal")))
            out << f;
    return out;
}

bool failed(const Run& r, const char* what) {
    if (r.toLine >= 0)
        return false;
    std::fprintf(stderr, "%s: no line from the program\n", what);
    return true;
}

// Start to window shown: Trainbook and the bare window in turn. Returns false on a failure.
bool compareStart(const Diary& d, int runs, bool firstOfDay, bool& goalsMet) {
    const QString trainbook = QStringLiteral(TRAINBOOK_BIN);
    const QString bare = QStringLiteral(BARE_WINDOW_BIN);
    const QString one = QStringLiteral("1");
    // Warm the file cache and the dynamic loader; without a copy to remove, the first run
    // makes today's copy, so that the runs after it are not the day's first.
    startOnce(bare, d.folder, "TRAINBOOK_QUIT_AFTER_SHOW", one);
    if (!firstOfDay)
        startOnce(trainbook, d.folder, "TRAINBOOK_QUIT_AFTER_CHECK", one);
    std::vector<double> tb, tbCpu, br, brCpu;
    for (int i = 0; i < runs; ++i) {
        if (firstOfDay)
            removeCopies(d);
        const Run t = startOnce(trainbook, d.folder, "TRAINBOOK_QUIT_AFTER_SHOW", one);
        const Run b = startOnce(bare, d.folder, "TRAINBOOK_QUIT_AFTER_SHOW", one);
        if (failed(t, "Trainbook") || failed(b, "bare window"))
            return false;
        tb.push_back(t.toLine);
        tbCpu.push_back(t.cpu);
        br.push_back(b.toLine);
        brCpu.push_back(b.cpu);
    }
    const double ratio = median(tb) / median(br);
    goalsMet = goalsMet && ratio <= 1.2;
    std::printf("%-34s | %9.1f | %9.1f | %5.2fx | %6.1f / %6.1f ms (%4.2fx) | %s\n",
                (QString::fromLatin1(d.name) + (firstOfDay ? QStringLiteral(", first of day") : QString()))
                    .toUtf8()
                    .constData(),
                median(tb), median(br), ratio, median(tbCpu), median(brCpu), median(tbCpu) / median(brCpu),
                ratio <= 1.2 ? "met" : "NOT met");
    return true;
}

// The checks after the window is shown, with and without today's copy to make.
bool backgroundChecks(const Diary& d, int runs, bool& goalsMet) {
    const QString trainbook = QStringLiteral(TRAINBOOK_BIN);
    for (bool firstOfDay : {false, true}) {
        std::vector<double> took, pause;
        startOnce(trainbook, d.folder, "TRAINBOOK_QUIT_AFTER_CHECK", QStringLiteral("1"));
        for (int i = 0; i < runs; ++i) {
            if (firstOfDay)
                removeCopies(d);
            const Run r = startOnce(trainbook, d.folder, "TRAINBOOK_QUIT_AFTER_CHECK", QStringLiteral("1"));
            if (failed(r, "Trainbook") || !r.line.startsWith("checked")) {
                std::fprintf(stderr, "unexpected: %s\n", r.line.constData());
                return false;
            }
            took.push_back(numberAfter(r.line, "checked"));
            pause.push_back(numberAfter(r.line, "pause"));
        }
        const double longest = *std::max_element(pause.begin(), pause.end());
        const bool met = median(took) <= 3000 && longest <= 50;
        goalsMet = goalsMet && met;
        std::printf("  %-22s checks end %7.0f ms after shown (median; max %6.0f); longest pause of the "
                    "event loop: median %3.0f ms, max %3.0f ms | %s\n",
                    firstOfDay ? "quick check and copy:" : "quick check only:", median(took),
                    *std::max_element(took.begin(), took.end()), median(pause), longest,
                    met ? "met" : "NOT met");
    }
    return true;
}

// Quitting at moments spread over the checks and the copy of today's file.
bool quitDuringChecks(const Diary& d, bool& goalsMet) {
    const QString trainbook = QStringLiteral(TRAINBOOK_BIN);
    std::vector<double> delays;
    int whole = 0, none = 0;
    for (int ms : {50, 150, 300, 500, 700, 900, 1100, 1300, 1600, 2000}) {
        removeCopies(d);
        const Run r = startOnce(trainbook, d.folder, "TRAINBOOK_QUIT_AFTER_MS", QString::number(ms));
        if (failed(r, "Trainbook"))
            return false;
        delays.push_back(r.lineToExit);
        const QStringList left = leftovers(d);
        if (!left.isEmpty()) {
            std::printf("  quit at %d ms: left behind: %s | NOT met\n", ms, qPrintable(left.join(", ")));
            goalsMet = false;
        }
        if (QFileInfo::exists(todaysCopy(d))) {
            // A copy under its final name must be whole: it opens and holds every workout.
            try {
                auto copy = Connection::open(todaysCopy(d));
                if (copy->query(QStringLiteral("SELECT Count(*) FROM Exercise_Master")).field(0).toInt() !=
                    d.workouts)
                    throw DbError(QStringLiteral("rows missing"));
            } catch (const DbError& e) {
                std::printf("  quit at %d ms: the copy is not whole: %s | NOT met\n", ms,
                            qPrintable(e.description()));
                goalsMet = false;
            }
            ++whole;
        } else {
            ++none;
        }
    }
    const double longest = *std::max_element(delays.begin(), delays.end());
    goalsMet = goalsMet && longest <= 1000;
    std::printf(
        "  quitting during the checks (10 moments, 50-2000 ms after shown): quit to exit median %.0f ms, "
        "max %.0f ms; %d stopped with no copy, %d after a whole copy | %s\n",
        median(delays), longest, none, whole, longest <= 1000 ? "met" : "NOT met");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 15;
    bool small = false, tracks = false, keep = false;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--small")
            small = true;
        else if (QByteArray(argv[i]) == "--tracks")
            tracks = true;
        else if (QByteArray(argv[i]) == "--keep")
            keep = true;
        else
            runs = std::max(1, atoi(argv[i]));
    }

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    if (keep) {
        dir.setAutoRemove(false);
        std::printf("diaries kept in %s\n", qPrintable(dir.path()));
    }
    std::vector<Diary> diaries = {{"50,000 workouts, 20 users", 50000, 20, {}}};
    if (tracks)
        diaries.push_back({"50,000 workouts, 1,000 tracks", 50000, 20, {}, 1000});
    if (!small)
        diaries.push_back({"1,000,000 workouts, 200 users", 1000000, 200, {}});
    for (Diary& d : diaries) {
        d.folder = dir.filePath(QString::number(d.workouts) + QLatin1Char('-') + QString::number(d.tracks));
        QDir().mkpath(d.folder);
        QElapsedTimer fillClock;
        fillClock.start();
        try {
            fillDatabase(d.folder + QStringLiteral("/Trainbook.db"), d.workouts, d.users, d.tracks);
        } catch (const DbError& e) {
            std::fprintf(stderr, "could not build the database: %s\n", qPrintable(e.description()));
            return 1;
        }
        std::printf("diary: %s, %.1f MB, built in %lld ms\n", d.name,
                    QFileInfo(d.folder + QStringLiteral("/Trainbook.db")).size() / 1e6,
                    static_cast<long long>(fillClock.elapsed()));
    }

    bool goalsMet = true;
    std::printf("\nstart to main window shown and filled, median of %d runs each, the two programs in turn\n",
                runs);
    std::printf("%-34s | Trainbook | bare (ms) | ratio | processor time, Trainbook / bare | <= 1.2x\n",
                "diary");
    for (const Diary& d : diaries)
        if (!compareStart(d, runs, false, goalsMet))
            return 1;
    if (!small && !compareStart(diaries.back(), runs, true, goalsMet))
        return 1;

    const Diary& large = diaries.back();
    std::printf("\nafter the window is shown, %s, %d runs each:\n", large.name, std::max(3, runs / 3));
    if (!backgroundChecks(large, std::max(3, runs / 3), goalsMet) || !quitDuringChecks(large, goalsMet))
        return 1;
    std::printf("\ngoals %s\n", goalsMet ? "met" : "NOT met");
    return 0;
}
