// trainbook-cli report: the lines of a text report, exactly as the report window shows them
// after Create Report on a cleared list.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"
#include "DbError.h"
#include "EquipmentUsage.h"
#include "ReportCriteria.h"
#include "TextReport.h"

namespace Cli {

namespace {

TextReport::Format formatArg(const QString& word) {
    if (word == QLatin1String("full"))
        return TextReport::Format::Full;
    if (word == QLatin1String("summary"))
        return TextReport::Format::Summary;
    if (word == QLatin1String("weekly"))
        return TextReport::Format::Weekly;
    throw UsageError{QStringLiteral("unknown report format: ") + word};
}

void print(const QStringList& lines) {
    for (const QString& line : lines)
        out() << line << '\n';
    out().flush();
}

} // namespace

int report(const QStringList& args) {
    const Options options(args,
                          {QStringLiteral("--user"), QStringLiteral("--kind"), QStringLiteral("--format"),
                           QStringLiteral("--criteria")},
                          {QStringLiteral("--km"), QStringLiteral("--comments")});
    const QString user = options.required(QStringLiteral("--user"));
    const QString kind = options.required(QStringLiteral("--kind"));
    const bool miles = !options.has(QStringLiteral("--km"));

    CLibrary lib;
    auto conn = lib.GetConnection();

    // The equipment usage report lists shoes or bikes; it has no format or criteria.
    if (kind == QLatin1String("Shoe") || kind == QLatin1String("Bike")) {
        if (options.has(QStringLiteral("--format")) || options.has(QStringLiteral("--criteria")) ||
            options.has(QStringLiteral("--comments")))
            throw UsageError{QStringLiteral("the ") + kind +
                             QStringLiteral(" report takes no format, criteria or comments")};
        print(EquipmentUsage::lines(*conn, user, kind, miles));
        return 0;
    }

    // The race kinds have no format option selected in the window; the others start on Full.
    TextReport::Request request;
    request.user = user;
    request.kind = kind;
    request.format =
        options.has(QStringLiteral("--format"))
            ? formatArg(options.value(QStringLiteral("--format")))
            : (ReportCriteria::isRaceKind(kind) ? TextReport::Format::None : TextReport::Format::Full);
    request.miles = miles;
    request.comments = options.has(QStringLiteral("--comments"));
    request.criteria = options.value(QStringLiteral("--criteria"));

    const TextReport::Result result = TextReport::create(*conn, request);
    print(result.lines);
    if (!result.error.isEmpty())
        throw DbError(result.error);
    return 0;
}

} // namespace Cli
