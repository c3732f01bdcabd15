// trainbook-cli calendar: the items the calendar report hands to its month grid.

#include "CLibrary.h"
#include "CalendarReport.h"
#include "CliSupport.h"
#include "Commands.h"

namespace Cli {

// One line per item: day, the three lines and the colour number, tab-separated, in the order
// the window hands them over. Distances in miles unless --km.
int calendar(const QStringList& args) {
    const Options options(args, {QStringLiteral("--user"), QStringLiteral("--month")},
                          {QStringLiteral("--km")});
    const QString user = options.required(QStringLiteral("--user"));
    const QString monthText = options.required(QStringLiteral("--month"));
    const std::optional<QDate> month = CalendarReport::parseMonth(monthText);
    if (!month)
        throw UsageError{QStringLiteral("not a month such as \"March, 2004\": ") + monthText};

    CLibrary lib;
    std::unique_ptr<Connection> conn = lib.GetConnection();
    const QChar tab(QLatin1Char('\t'));
    for (const CalendarItem& item :
         CalendarReport::items(*conn, user, *month, !options.has(QStringLiteral("--km"))))
        out() << item.day << tab << item.kind << tab << item.detail << tab << item.time << tab << item.color
              << '\n';
    out().flush();
    return 0;
}

} // namespace Cli
