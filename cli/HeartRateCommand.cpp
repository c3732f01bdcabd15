// hr: a user's heart-rate settings; zones: a workout's time in each heart-rate zone; load: the
// daily training load, fitness, fatigue and form.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Clock.h"
#include "Commands.h"
#include "Connection.h"
#include "DbError.h"
#include "HeartRate.h"
#include "TrackStore.h"
#include "TrainingLoad.h"

namespace Cli {

int hr(const QStringList& args) {
    const Options options(args,
                          {QStringLiteral("--user"), QStringLiteral("--max"), QStringLiteral("--rest"),
                           QStringLiteral("--zones")},
                          {});
    const QString user = options.required(QStringLiteral("--user"));
    auto conn = CLibrary().GetConnection();
    HeartRate::Settings settings = HeartRate::read(*conn, user);
    const HeartRate::Settings before = settings;
    if (options.has(QStringLiteral("--max")))
        settings.max = HeartRate::rateFrom(options.value(QStringLiteral("--max")), "maximum");
    if (options.has(QStringLiteral("--rest")))
        settings.rest = HeartRate::rateFrom(options.value(QStringLiteral("--rest")), "resting");
    if (options.has(QStringLiteral("--zones")))
        settings.zones = HeartRate::zonesFrom(options.value(QStringLiteral("--zones")));
    if (settings != before)
        HeartRate::save(*conn, user, settings);
    out() << HeartRate::line(settings) << '\n';
    out().flush();
    return 0;
}

int zones(const QStringList& args) {
    const Options options(args, {QStringLiteral("--id")}, {});
    const QString idText = options.required(QStringLiteral("--id"));
    bool ok = false;
    const qint64 id = idText.toLongLong(&ok);
    if (!ok || id <= 0)
        throw UsageError{QStringLiteral("the id is a workout's number: ") + idText};
    auto conn = CLibrary().GetConnection();
    QString user;
    {
        ResultSet rs =
            conn->query(QStringLiteral("SELECT User_Name FROM Exercise_Master WHERE Exercise_ID = ?"), {id});
        if (rs.eof())
            throw DbError(QStringLiteral("No workout with the id %1").arg(id));
        user = rs.field("User_Name");
    }
    const std::optional<Track::Data> track = TrackStore::load(*conn, id);
    const std::vector<HeartRate::Sample> samples =
        track ? HeartRate::samplesOf(track->points) : std::vector<HeartRate::Sample>{};
    if (!HeartRate::average(samples))
        throw DbError(QStringLiteral("Workout %1 has no heart rate").arg(id));
    const HeartRate::Settings settings = HeartRate::read(*conn, user);
    if (!settings.max)
        throw DbError(
            QStringLiteral("%1 has no maximum heart rate: set it with hr --user NAME --max N").arg(user));
    out() << "Zone\tFrom\tTo\tTime\n";
    for (const QString& line : HeartRate::zoneLines(
             HeartRate::zoneSeconds(samples, *settings.max, settings.zones), *settings.max, settings.zones))
        out() << line << '\n';
    out().flush();
    return 0;
}

int load(const QStringList& args) {
    const Options options(args, {QStringLiteral("--user"), QStringLiteral("--from"), QStringLiteral("--to")},
                          {});
    const QString user = options.required(QStringLiteral("--user"));
    const QDate from =
        options.has(QStringLiteral("--from")) ? dateArg(options.value(QStringLiteral("--from"))) : QDate();
    const QDate to =
        options.has(QStringLiteral("--to")) ? dateArg(options.value(QStringLiteral("--to"))) : Clock::today();
    if (from.isValid() && from > to)
        throw UsageError{QStringLiteral("--from is after --to")};
    auto conn = CLibrary().GetConnection();
    for (const TrainingLoad::Day& day : TrainingLoad::read(*conn, user, from, to).days)
        out() << TrainingLoad::line(day) << '\n';
    out().flush();
    return 0;
}

} // namespace Cli
