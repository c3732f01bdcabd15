// trainbook-cli report: the lines of a text report, exactly as the report window shows them
// after Create Report on a cleared list; or the same report as CSV (--csv, on stdout) or as
// a PDF file (--pdf FILE).

#include "CLibrary.h"
#include "CliSupport.h"
#include "Clock.h"
#include "Commands.h"
#include "DbError.h"
#include "EquipmentUsage.h"
#include "ReportCriteria.h"
#include "ReportCsv.h"
#include "ReportPdf.h"
#include "TextReport.h"

#include <QFile>
#include <cstdio>

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

// The report as text, as CSV on stdout (--csv), or as a PDF file (--pdf FILE).
void print(const Options& options, const ReportLines& lines, const QString& user, const QString& kind,
           const ChartTable* chart = nullptr, const std::optional<QString>& criteria = std::nullopt) {
    if (options.has(QStringLiteral("--pdf"))) {
        ReportPdf::Heading heading{ReportPdf::titleOf(kind), user, kind, Clock::today(), criteria};
        QString error;
        const int pages =
            ReportPdf::write(options.value(QStringLiteral("--pdf")), lines, heading, chart, &error);
        if (pages == 0)
            throw DbError(error);
        out() << options.value(QStringLiteral("--pdf"))
              << QStringLiteral(": %1 page%2\n").arg(pages).arg(pages == 1 ? "" : "s");
    } else if (options.has(QStringLiteral("--csv"))) {
        out().flush();
        QFile csv;
        if (!csv.open(stdout, QIODevice::WriteOnly) || !ReportCsv::write(lines, csv) || !csv.flush())
            throw DbError(QStringLiteral("Could not write the CSV: ") + csv.errorString());
        return;
    } else {
        for (const QString& line : lines)
            out() << line << '\n';
    }
    out().flush();
}

} // namespace

int report(const QStringList& args) {
    const Options options(args,
                          {QStringLiteral("--user"), QStringLiteral("--kind"), QStringLiteral("--format"),
                           QStringLiteral("--criteria"), QStringLiteral("--pdf")},
                          {QStringLiteral("--km"), QStringLiteral("--comments"), QStringLiteral("--csv")});
    const QString user = options.required(QStringLiteral("--user"));
    const QString kind = options.required(QStringLiteral("--kind"));
    const bool miles = !options.has(QStringLiteral("--km"));
    if (options.has(QStringLiteral("--csv")) && options.has(QStringLiteral("--pdf")))
        throw UsageError{QStringLiteral("--csv and --pdf cannot be combined")};

    CLibrary lib;
    auto conn = lib.GetConnection();

    // The equipment usage report lists shoes or bikes; it has no format or criteria.
    if (kind == QLatin1String("Shoe") || kind == QLatin1String("Bike")) {
        if (options.has(QStringLiteral("--format")) || options.has(QStringLiteral("--criteria")) ||
            options.has(QStringLiteral("--comments")))
            throw UsageError{QStringLiteral("the ") + kind +
                             QStringLiteral(" report takes no format, criteria or comments")};
        const EquipmentUsage::Report report = EquipmentUsage::build(*conn, user, kind, miles);
        print(options, report.lines, user, kind, &report.chart);
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
    print(options, result.lines, user, kind, nullptr, request.criteria);
    if (!result.error.isEmpty())
        throw DbError(result.error);
    return 0;
}

} // namespace Cli
