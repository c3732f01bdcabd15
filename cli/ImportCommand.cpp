// trainbook-cli import: workouts from GPS files (GPX, TCX, FIT) into one user's diary, and
// the summary the import window shows. Exits with 1 when a file could not be read (the
// others are imported) or when the database refused the import (then nothing is written).

#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"
#include "DbError.h"
#include "WorkoutImport.h"
#include "WorkoutKinds.h"

#include <algorithm>

namespace Cli {

int import(const QStringList& args) {
    // Options and the file names may come in any order.
    QStringList optionArgs, paths;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1String("--"))) {
            optionArgs << args[i];
            if (i + 1 < args.size())
                optionArgs << args[++i];
        } else {
            paths << args[i];
        }
    }
    const Options options(optionArgs, {QStringLiteral("--user"), QStringLiteral("--kind")}, {});
    WorkoutImport::Options import;
    import.user = options.required(QStringLiteral("--user"));
    import.fallbackKind = options.value(QStringLiteral("--kind"), import.fallbackKind);
    const auto& tracked = WorkoutKinds::Tracked;
    if (std::none_of(tracked.begin(), tracked.end(), [&](const WorkoutKinds::Kind* k) {
            return import.fallbackKind == QLatin1String(k->name);
        }))
        throw UsageError{QStringLiteral("the kind is Running, Cycling or Swimming: ") + import.fallbackKind};
    if (paths.isEmpty())
        throw UsageError{QStringLiteral("no file or folder to import")};

    CLibrary lib;
    auto conn = lib.GetConnection();
    {
        ResultSet rs = conn->query(
            QStringLiteral("SELECT User_Name, DistanceMiles FROM Users WHERE User_Name = ?"), {import.user});
        if (rs.eof())
            throw DbError(QStringLiteral("no such user: ") + import.user);
        // Gear warnings in the user's own unit.
        import.miles = rs.field(QStringLiteral("DistanceMiles")) != QLatin1String("0");
    }
    const WorkoutImport::Summary summary = WorkoutImport::run(*conn, WorkoutImport::expand(paths), import);
    const QStringList lines = WorkoutImport::summaryLines(summary);
    if (!summary.error.isEmpty())
        throw DbError(lines.join(QLatin1Char('\n')));
    for (const QString& line : lines)
        out() << line << '\n';
    out().flush();
    return summary.failed.empty() ? 0 : 1;
}

} // namespace Cli
