// goals: each goal's progress in the period holding a date; goal: adds, changes or removes one.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Clock.h"
#include "Commands.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "Goals.h"

namespace Cli {

namespace {

// Distances are in the user's own unit.
bool userMiles(Connection& conn, const QString& user) {
    const QStringList unit =
        conn.column(QStringLiteral("SELECT DistanceMiles FROM Users WHERE User_Name = ?"),
                    QStringLiteral("DistanceMiles"), {user});
    if (unit.isEmpty())
        throw DbError(QStringLiteral("No user named '%1'").arg(user));
    return unit.first() != QLatin1String("0");
}

QString choice(const QStringList& names, const QString& text, const char* what) {
    for (const QString& name : names)
        if (name.compare(text, Qt::CaseInsensitive) == 0)
            return name;
    throw UsageError{
        QStringLiteral("%1 must be %2: %3").arg(QLatin1String(what), names.join(QLatin1Char('|')), text)};
}

} // namespace

int goals(const QStringList& args) {
    const Options options(args, {QStringLiteral("--user"), QStringLiteral("--date")}, {});
    const QString user = options.required(QStringLiteral("--user"));
    const QDate date = options.has(QStringLiteral("--date"))
                           ? dateArg(options.value(QStringLiteral("--date")))
                           : Clock::today();
    auto conn = CLibrary().GetConnection();
    const bool miles = userMiles(*conn, user);
    for (const GoalProgress& p : Goals::progress(*conn, user, date, miles))
        out() << Goals::line(p) << '\n';
    out().flush();
    return 0;
}

int goal(const QStringList& args) {
    const Options options(args,
                          {QStringLiteral("--user"), QStringLiteral("--kind"), QStringLiteral("--period"),
                           QStringLiteral("--distance"), QStringLiteral("--time")},
                          {QStringLiteral("--remove")});
    const QString user = options.required(QStringLiteral("--user"));
    const QString kind = choice(Goals::kinds(), options.required(QStringLiteral("--kind")), "--kind");
    const QString period = choice(Goals::periods(), options.required(QStringLiteral("--period")), "--period");
    const int targets =
        int(options.has(QStringLiteral("--distance"))) + int(options.has(QStringLiteral("--time")));
    if (options.has(QStringLiteral("--remove")) ? targets != 0 : targets != 1)
        throw UsageError{QStringLiteral("give one of --distance, --time and --remove")};

    auto conn = CLibrary().GetConnection();
    const bool miles = userMiles(*conn, user);
    if (options.has(QStringLiteral("--remove"))) {
        if (!Goals::remove(*conn, user, kind, period))
            throw DbError(QStringLiteral("%1 has no %2 goal for %3").arg(user, period, kind));
        return 0;
    }
    Goals::save(*conn, user,
                Goals::make(kind, period, options.value(QStringLiteral("--distance")),
                            options.value(QStringLiteral("--time")), miles));
    return 0;
}

} // namespace Cli
