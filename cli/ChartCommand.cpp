// trainbook-cli chart: the table a graph window hands to its chart, as text.

#include "CLibrary.h"
#include "CliSupport.h"
#include "Commands.h"
#include "Connection.h"
#include "DateText.h"
#include "GraphTables.h"
#include "WorkoutKinds.h"

namespace {

using namespace GraphTables;

QString oneOf(const Cli::Options& o, const QString& name, const QStringList& words) {
    const QString v = o.required(name);
    if (!words.contains(v))
        throw Cli::UsageError{
            QStringLiteral("%1 must be one of %2: %3").arg(name, words.join(QLatin1Char('|')), v)};
    return v;
}

// A month text as the month lists hold it ("March 2004"); required for its filter.
QString monthArg(const Cli::Options& o, const QString& name) {
    const QString v = o.required(name);
    if (!DateText::parse(v))
        throw Cli::UsageError{name + QStringLiteral(" is not a month: ") + v};
    return v;
}

Kinds kindsArg(const Cli::Options& o) {
    if (!o.has(QStringLiteral("--kinds")))
        return Kinds{}; // every box ticked, as the window opens
    Kinds k{false, false, false, false, false};
    const QString list = o.value(QStringLiteral("--kinds"));
    for (const QString& word : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString w = word.trimmed();
        if (!tick(k, w))
            throw Cli::UsageError{QStringLiteral("unknown kind in --kinds: ") + w};
    }
    return k;
}

Selection selectionArg(const Cli::Options& o) {
    const QString f =
        oneOf(o, QStringLiteral("--filter"),
              {QStringLiteral("allmonths"), QStringLiteral("currentyear"), QStringLiteral("range"),
               QStringLiteral("single"), QStringLiteral("years"), QStringLiteral("months")});
    Selection sel;
    if (f == QLatin1String("allmonths")) {
        sel.filter = Filter::AllMonths;
    } else if (f == QLatin1String("currentyear")) {
        sel.filter = Filter::CurrentYear;
    } else if (f == QLatin1String("range")) {
        sel.filter = Filter::DateRange;
        sel.beginMonth = monthArg(o, QStringLiteral("--begin"));
        sel.endMonth = monthArg(o, QStringLiteral("--end"));
    } else if (f == QLatin1String("single")) {
        sel.filter = Filter::SingleMonth;
        sel.singleMonth = monthArg(o, QStringLiteral("--month"));
    } else if (f == QLatin1String("years")) {
        sel.filter = Filter::CompareYears;
    } else {
        sel.filter = Filter::CompareMonths;
        sel.compareMonth = o.value(QStringLiteral("--compare"), sel.compareMonth);
        if (!monthNames().contains(sel.compareMonth))
            throw Cli::UsageError{QStringLiteral("--compare must be a month name: ") + sel.compareMonth};
    }
    return sel;
}

} // namespace

int Cli::chart(const QStringList& args) {
    const Options o(args,
                    {QStringLiteral("--user"), QStringLiteral("--kind"), QStringLiteral("--output"),
                     QStringLiteral("--kinds"), QStringLiteral("--filter"), QStringLiteral("--begin"),
                     QStringLiteral("--end"), QStringLiteral("--month"), QStringLiteral("--compare")},
                    {QStringLiteral("--km")});
    const QString user = o.required(QStringLiteral("--user"));
    const QString kind =
        oneOf(o, QStringLiteral("--kind"),
              {WorkoutKinds::Running.nameText(), WorkoutKinds::Cycling.nameText(), QStringLiteral("Time")});
    const bool time = kind == QLatin1String("Time");
    const QString output = oneOf(o, QStringLiteral("--output"),
                                 time ? QStringList{QStringLiteral("together"), QStringLiteral("individual")}
                                      : QStringList{QStringLiteral("totals"), QStringLiteral("average")});
    if (o.has(QStringLiteral("--kinds")) && output != QLatin1String("individual"))
        throw UsageError{QStringLiteral("--kinds belongs to --kind Time --output individual")};
    const Kinds kinds = kindsArg(o);
    const Selection sel = selectionArg(o);
    const bool miles = !o.has(QStringLiteral("--km"));
    const Sport sport = sportOf(kind).value_or(Sport::Running);

    auto conn = CLibrary().GetConnection();
    ChartTable table;
    if (output == QLatin1String("totals"))
        table = distanceTotals(*conn, user, sport, miles, sel);
    else if (output == QLatin1String("average"))
        table = averagePace(*conn, user, sport, miles, sel);
    else if (output == QLatin1String("together"))
        table = hoursTogether(*conn, user, sel);
    else
        table = hoursIndividual(*conn, user, sel, kinds);
    out() << table.text();
    return 0;
}
