// bests: the fastest race of each race type of one user, as the Personal Bests window lists it,
// or with --predict the race times that the user's recent running races predict.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Clock.h"
#include "Commands.h"
#include "Connection.h"
#include "DbError.h"
#include "PersonalBests.h"
#include "RacePredictions.h"

namespace Cli {

int bests(const QStringList& args) {
    const Options options(args, {QStringLiteral("--user")},
                          {QStringLiteral("--km"), QStringLiteral("--miles"), QStringLiteral("--predict")});
    const QString user = options.required(QStringLiteral("--user"));
    if (options.has(QStringLiteral("--km")) && options.has(QStringLiteral("--miles")))
        throw UsageError{QStringLiteral("--km and --miles exclude each other")};

    auto conn = CLibrary().GetConnection();
    // Without a unit option, paces are in the user's own unit.
    const QStringList unit = conn->column(
        QStringLiteral("SELECT DistanceMiles FROM Users WHERE User_Name = ") + CLibrary::Quote(user),
        QStringLiteral("DistanceMiles"));
    if (unit.isEmpty())
        throw DbError(QStringLiteral("No user named '%1'").arg(user));
    bool miles = unit.first() != QLatin1String("0");
    if (options.has(QStringLiteral("--km")))
        miles = false;
    else if (options.has(QStringLiteral("--miles")))
        miles = true;

    if (options.has(QStringLiteral("--predict"))) {
        for (const QString& line :
             RacePredictions::lines(RacePredictions::compute(*conn, user, Clock::today()), miles))
            out() << line << Qt::endl;
        return 0;
    }
    for (const QString& line : PersonalBests::lines(PersonalBests::compute(*conn, user, miles), miles))
        out() << line << Qt::endl;
    return 0;
}

} // namespace Cli
