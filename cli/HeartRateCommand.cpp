// hr: a user's heart-rate settings; load: the daily training load, fitness, fatigue and form.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Clock.h"
#include "Commands.h"
#include "Connection.h"
#include "DbError.h"
#include "HeartRate.h"
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
