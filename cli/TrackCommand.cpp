// track: the splits or laps of a workout's recorded track, tab-separated, or the track as GPX.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"
#include "Connection.h"
#include "DbError.h"
#include "Track.h"
#include "TrackStore.h"
#include "TrackView.h"
#include "WorkoutKinds.h"

#include <QSaveFile>

namespace Cli {

int track(const QStringList& args) {
    const Options options(args, {QStringLiteral("--id"), QStringLiteral("--gpx")},
                          {QStringLiteral("--km"), QStringLiteral("--miles"), QStringLiteral("--laps")});
    const QString idText = options.required(QStringLiteral("--id"));
    bool ok = false;
    const qint64 id = idText.toLongLong(&ok);
    if (!ok || id <= 0)
        throw UsageError{QStringLiteral("the id is a workout's number: ") + idText};
    if (options.has(QStringLiteral("--km")) && options.has(QStringLiteral("--miles")))
        throw UsageError{QStringLiteral("--km and --miles exclude each other")};

    auto conn = CLibrary().GetConnection();
    QString kind;
    bool miles = false;
    {
        ResultSet rs = conn->query(QStringLiteral("SELECT Exercise_Type, User_Name FROM Exercise_Master "
                                                  "WHERE Exercise_ID = ?"),
                                   {id});
        if (rs.eof())
            throw DbError(QStringLiteral("No workout with the id %1").arg(id));
        kind = rs.field("Exercise_Type");
        ResultSet user = conn->query(QStringLiteral("SELECT DistanceMiles FROM Users WHERE User_Name = ?"),
                                     {rs.field("User_Name")});
        miles = !user.eof() && user.field("DistanceMiles") != QLatin1String("0");
    }
    if (options.has(QStringLiteral("--km")))
        miles = false;
    else if (options.has(QStringLiteral("--miles")))
        miles = true;

    const std::optional<Track::Data> data = TrackStore::load(*conn, id);
    if (!data || data->points.empty())
        throw DbError(QStringLiteral("Workout %1 has no track").arg(id));

    if (options.has(QStringLiteral("--gpx"))) {
        const QString path = options.value(QStringLiteral("--gpx"));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(Track::gpx(*data, TrackStore::trackName(*conn, id, kind), kind.toLower())) < 0 ||
            !file.commit())
            throw DbError(QStringLiteral("Could not write %1: %2").arg(path, file.errorString()));
        return 0;
    }

    const double unit = TrackView::unitMeters(miles);
    const WorkoutKinds::Kind* k = WorkoutKinds::findWorkout(kind, Qt::CaseInsensitive);
    const bool speed = k && k->rate == WorkoutKinds::Rate::Speed;
    QStringList lines;
    if (options.has(QStringLiteral("--laps"))) {
        if (data->laps.empty())
            throw DbError(QStringLiteral("The track of workout %1 has no laps").arg(id));
        const std::vector<Track::Stretch> rows = Track::laps(*data);
        lines = Track::lines(rows, Track::totalOf(rows), QStringLiteral("Lap"), unit, speed);
    } else {
        lines = Track::lines(Track::splits(*data, unit), Track::total(*data), QStringLiteral("Split"), unit,
                             speed);
    }
    for (const QString& line : lines)
        out() << line << '\n';
    return 0;
}

} // namespace Cli
