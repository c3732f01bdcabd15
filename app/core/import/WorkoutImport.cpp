#include "WorkoutImport.h"

#include "CLibrary.h"
#include "Clock.h"
#include "DateText.h"
#include "GearWear.h"
#include "GpsTrack.h"
#include "Tables.h"
#include "TrackStore.h"
#include "Transaction.h"
#include "WorkoutKinds.h"
#include "WorkoutLimits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <future>

namespace WorkoutImport {

namespace {

bool hasSuffix(const QString& path, const char* suffix) {
    return QFileInfo(path).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

GpsTrack::Parsed readFile(const QString& path, GpsTrack::Parsed (*reader)(QIODevice&)) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        GpsTrack::Parsed parsed;
        parsed.error = QStringLiteral("cannot be opened: ") + file.errorString();
        return parsed;
    }
    if (file.size() == 0) {
        GpsTrack::Parsed parsed;
        parsed.error = QStringLiteral("the file is empty");
        return parsed;
    }
    return reader(file);
}

Workout workoutOf(const GpsTrack::Activity& activity, const QString& path, const Options& options) {
    Workout w;
    const QString kind = GpsTrack::kindOfSport(activity.sport);
    w.kind = kind.isEmpty() ? options.fallbackKind : kind;
    w.date = activity.start.toTimeZone(options.zone).date();
    w.day = DateText::weekdayName(w.date);
    w.time = durationText(activity.seconds);
    // Kilometres from the file with one decimal; miles from them by the program's own
    // conversion, as a kilometre user's log window fills them.
    const double km = std::round(activity.meters / 100.0) / 10.0;
    w.kilometers = QString::number(km, 'f', 1);
    w.miles = CLibrary::ComputeMiles(w.kilometers);
    const QFileInfo info(path);
    w.course = activity.name.isEmpty() ? info.completeBaseName() : activity.name;
    w.comment = info.fileName();
    if (!activity.track.points.empty()) {
        w.points = Track::packPoints(activity.track.points);
        w.laps = Track::packLaps(activity.track.laps);
    }
    return w;
}

// The pair of shoes or the bike the log window preselects: the newest active pair, the first
// active bike; "" when the user has none.
QString defaultItem(Connection& conn, const QString& kind, const QString& user) {
    const WorkoutKinds::Kind* k = WorkoutKinds::find(kind);
    const WorkoutKinds::GearCatalog* gear = k ? k->gearCatalog() : nullptr;
    if (!gear)
        return QString();
    ResultSet rs = conn.query(
        QStringLiteral("SELECT %1 AS Item FROM %2 WHERE Active = True AND User_Name = ?%3")
            .arg(QLatin1String(gear->itemColumn), QLatin1String(gear->table), QLatin1String(gear->pickOrder)),
        {user});
    return rs.eof() ? QString() : rs.field("Item");
}

// The state of each pair of shoes or bike the import logged workouts on, read after the writes:
// those at 90% or more of their limit, named.
QStringList gearWarnings(Connection& conn, const Options& options, const QHash<QString, QString>& items,
                         const QSet<QString>& usedKinds) {
    QStringList out;
    for (const WorkoutKinds::Kind* k : WorkoutKinds::Workouts) {
        const QString kind = k->nameText();
        const QString item = items.value(kind);
        const GearWear::Gear gear = k->gear;
        if (gear == GearWear::Gear::None || !usedKinds.contains(kind) || item.isEmpty())
            continue;
        const QString status =
            GearWear::statusMessage(gear, GearWear::read(conn, gear, options.user, item), options.miles);
        if (!status.isEmpty())
            out << item + QStringLiteral(": ") + status;
    }
    return out;
}

const Tables::Table& detailTable(const QString& kind) {
    const WorkoutKinds::Kind* k = WorkoutKinds::findWorkout(kind);
    return *(k ? k : &WorkoutKinds::Running)->table;
}

// A duration text in whole seconds, or -1 when it is not a duration.
qint64 wholeSeconds(const QString& time) {
    try {
        const double minutes = CLibrary::GetMinutes(time);
        return std::isfinite(minutes) ? qint64(std::llround(minutes * 60)) : -1;
    } catch (const DbError&) {
        return -1;
    }
}

// The workout of the diary that `w` is (same user, kind, date and duration to the second,
// however its time was typed), or 0.
qint64 sameWorkout(Connection& conn, const QString& user, const Workout& w) {
    ResultSet rs = conn.query(QStringLiteral("SELECT Exercise_ID, Exercise_Time FROM Exercise_Master WHERE "
                                             "User_Name = ? AND Exercise_Type = ? AND Exercise_Date = ?"),
                              {user, w.kind, DateText::iso(w.date)});
    const qint64 seconds = wholeSeconds(w.time);
    for (; !rs.eof(); rs.moveNext())
        if (wholeSeconds(rs.field("Exercise_Time")) == seconds)
            return rs.value("Exercise_ID").toLongLong();
    return 0;
}

QString write(Connection& conn, const QString& user, const Workout& w, const QString& item) {
    CLibrary lib;
    lib.setSUser(user);
    lib.setSDate(DateText::shortDate(w.date));
    lib.setSDay(w.day);
    lib.setSExercise(w.kind);
    lib.setSTime(w.time);
    lib.setSComments(w.comment);
    const Tables::Table& table = detailTable(w.kind);
    return lib.AddMasterWithDetail(conn, [&](const QString& id) {
        return Tables::insertSql(
            table,
            [&](const Tables::Column& c) -> QString {
                const QLatin1String name(c.name);
                if (name == QLatin1String("Miles"))
                    return w.miles;
                if (name == QLatin1String("Kilometers"))
                    return w.kilometers;
                if (name == QLatin1String("Course") || name == QLatin1String("Location"))
                    return w.course;
                if (name == QLatin1String("Shoes") || name == QLatin1String("Bike"))
                    return item;
                // Calories_Burned (0 when empty) and Laps: the files carry neither.
                return name == QLatin1String("Laps") ? QStringLiteral("0") : QString();
            },
            id);
    });
}

} // namespace

QString validate(GpsTrack::Activity& activity) {
    activity.name.truncate(MaxTextLength);
    activity.sport.truncate(MaxTextLength);
    // The recorded points first: a device clock that failed shows there before anywhere else.
    if (const QString problem = GpsTrack::timeProblem(activity, Clock::now()); !problem.isEmpty())
        return problem;
    if (!activity.start.isValid())
        return QStringLiteral("an activity's start is not a valid date and time (offsets from UTC go up to "
                              "14:00)");
    const int offset = activity.start.offsetFromUtc();
    if (std::abs(offset) > 14 * 3600)
        return QStringLiteral("an activity's start is %1 hours from UTC; offsets go up to 14:00")
            .arg(offset / 3600.0);
    const QDate day = activity.start.toUTC().date();
    const QDate first(1970, 1, 1), last(Clock::today().year() + 1, 12, 31);
    if (day < first || day > last)
        return QStringLiteral("an activity starts on %1; dates from %2 to %3 can be stored")
            .arg(DateText::iso(day), DateText::iso(first), DateText::iso(last));
    if (!WorkoutLimits::minutesOk(activity.seconds / 60.0))
        return QStringLiteral("an activity lasts %1 seconds; a workout may last from 0 to %2 hours")
            .arg(activity.seconds)
            .arg(WorkoutLimits::maxMinutes / 60.0);
    if (!WorkoutLimits::milesOk(activity.meters / 1000.0 / CLibrary::KilometersPerMile))
        return QStringLiteral("an activity covers %1 metres; a workout may cover from 0 to %2 miles")
            .arg(activity.meters)
            .arg(WorkoutLimits::maxMiles);
    return QString();
}

QString durationText(double seconds) {
    const qint64 total = std::isfinite(seconds) && seconds > 0 ? qint64(std::llround(seconds)) : 0;
    return QStringLiteral("%1:%2:%3")
        .arg(total / 3600)
        .arg((total / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(total % 60, 2, 10, QLatin1Char('0'));
}

QStringList expand(const QStringList& paths) {
    QStringList files;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            QStringList names = QDir(path).entryList({QStringLiteral("*.gpx"), QStringLiteral("*.tcx"),
                                                      QStringLiteral("*.fit"), QStringLiteral("*.GPX"),
                                                      QStringLiteral("*.TCX"), QStringLiteral("*.FIT")},
                                                     QDir::Files, QDir::Name);
            names.removeDuplicates();
            for (const QString& name : names)
                files << QDir(path).filePath(name);
        } else {
            files << path;
        }
    }
    return files;
}

FileWorkouts read(const QString& path, const Options& options) {
    FileWorkouts result;
    GpsTrack::Parsed parsed;
    if (!QFileInfo(path).isFile())
        parsed.error = QStringLiteral("no such file");
    else if (hasSuffix(path, "gpx"))
        parsed = readFile(path, &GpsTrack::readGpx);
    else if (hasSuffix(path, "tcx"))
        parsed = readFile(path, &GpsTrack::readTcx);
    else if (hasSuffix(path, "fit"))
        parsed = readFile(path, &GpsTrack::readFit);
    else
        parsed.error = QStringLiteral("not a GPX, TCX or FIT file");
    if (!parsed.error.isEmpty()) {
        result.error = parsed.error;
        return result;
    }
    for (auto& activity : parsed.activities) {
        if (const QString problem = validate(activity); !problem.isEmpty())
            result.refused.push_back(problem);
        else
            result.workouts.push_back(workoutOf(activity, path, options));
    }
    result.warning = parsed.warning;
    return result;
}

Summary run(Connection& conn, const QStringList& files, const Options& options, const Progress& progress) {
    Summary summary;
    try {
        Transaction transaction(conn);
        QHash<QString, QString> items; // kind -> shoes or bike
        QSet<QString> usedKinds;       // kinds of which a workout was written
        // Files are read a few at a time on worker threads (reading touches no shared state and
        // no database); what they hold is written here, in the order of the list.
        const int batch = std::max(1, QThread::idealThreadCount()) * 2;
        std::vector<std::future<FileWorkouts>> ahead;
        qsizetype queued = 0;
        auto fill = [&] {
            while (queued < files.size() && qsizetype(ahead.size()) < batch) {
                const QString path = files[queued++];
                ahead.push_back(
                    std::async(std::launch::async, [path, &options] { return read(path, options); }));
            }
        };
        for (int i = 0; i < files.size(); ++i) {
            if (progress && !progress(i, int(files.size()))) {
                for (auto& f : ahead)
                    f.wait();
                summary = Summary{};
                summary.cancelled = true;
                return summary; // the guard rolls back
            }
            fill();
            const FileWorkouts file = ahead.front().get();
            ahead.erase(ahead.begin());
            if (!file.error.isEmpty()) {
                summary.failed.push_back({files[i], file.error});
                continue;
            }
            for (const QString& reason : file.refused)
                summary.failed.push_back({files[i], reason});
            if (!file.warning.isEmpty())
                summary.partial.push_back({files[i], file.warning});
            for (const Workout& w : file.workouts) {
                if (const qint64 id = sameWorkout(conn, options.user, w)) {
                    if (!w.points.isEmpty() && !TrackStore::has(conn, id)) {
                        TrackStore::save(conn, id, w.points, w.laps);
                        ++summary.updated;
                    } else {
                        ++summary.skipped;
                    }
                    continue;
                }
                if (!items.contains(w.kind))
                    items.insert(w.kind, defaultItem(conn, w.kind, options.user));
                const QString id = write(conn, options.user, w, items.value(w.kind));
                if (!w.points.isEmpty())
                    TrackStore::save(conn, id.toLongLong(), w.points, w.laps);
                usedKinds.insert(w.kind);
                ++summary.imported;
            }
        }
        summary.gearWarnings = gearWarnings(conn, options, items, usedKinds);
        if (progress)
            progress(int(files.size()), int(files.size()));
        transaction.commit();
    } catch (const std::exception& e) {
        Summary failed;
        failed.error = QString::fromUtf8(e.what());
        return failed;
    }
    return summary;
}

QStringList summaryLines(const Summary& summary) {
    if (!summary.error.isEmpty())
        return {QStringLiteral("Import failed, nothing was written: ") + summary.error};
    if (summary.cancelled)
        return {QStringLiteral("Import cancelled, nothing was written.")};
    QStringList lines{QStringLiteral("Imported: %1").arg(summary.imported),
                      QStringLiteral("Updated (track added): %1").arg(summary.updated),
                      QStringLiteral("Skipped (already in the diary): %1").arg(summary.skipped),
                      QStringLiteral("Failed: %1").arg(summary.failed.size())};
    for (const Failure& f : summary.failed)
        lines << QStringLiteral("  ") + QFileInfo(f.file).fileName() + QStringLiteral(": ") + f.reason;
    if (!summary.partial.empty())
        lines << QStringLiteral("Read in part: %1").arg(summary.partial.size());
    for (const Failure& f : summary.partial)
        lines << QStringLiteral("  ") + QFileInfo(f.file).fileName() + QStringLiteral(": ") + f.reason;
    return lines + summary.gearWarnings;
}

} // namespace WorkoutImport
