#include "GraphTables.h"

#include "CLibrary.h"
#include "Clock.h"
#include "Connection.h"
#include "DateText.h"
#include "NumberText.h"
#include "Transaction.h"
#include "WorkoutKinds.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace GraphTables {
namespace {

QString q(const QString& text) {
    return CLibrary::Quote(text);
}

QString logTable(Sport s) {
    return QLatin1String(kindOf(s).table->name);
}
QString logKey(Sport s) {
    return QLatin1String(kindOf(s).table->key);
}

// A date condition on the stored dates: "AND Exercise_Date BETWEEN '1/1/2025' AND '12/31/2025' ".
// A range of plain dates lets the engine read just those days from the user's date index,
// where a condition on a formatted date has to format every workout of the user.
QString between(const QDate& first, const QDate& last) {
    return QStringLiteral("AND Exercise_Date BETWEEN ") + q(DateText::shortDate(first)) +
           QStringLiteral(" AND ") + q(DateText::shortDate(last)) + QLatin1Char(' ');
}

// The first and last day of the month a month text ("March 2004") names.
std::optional<std::pair<QDate, QDate>> monthDays(const QString& month) {
    const auto d = DateText::parse(month);
    if (!d)
        return std::nullopt;
    const QDate first(d->year(), d->month(), 1);
    return std::pair{first, first.addMonths(1).addDays(-1)};
}

// The condition that narrows the workouts to the selection (empty for all months and years).
QString filterClause(const Selection& sel) {
    switch (sel.filter) {
    case Filter::AllMonths:
    case Filter::CompareYears:
        return {};
    case Filter::CurrentYear: {
        const int year = Clock::today().year();
        return between(QDate(year, 1, 1), QDate(year, 12, 31));
    }
    case Filter::DateRange: {
        // From the first day of the beginning month through the whole ending month; months
        // chosen the wrong way round are taken the right way round.
        const auto begin = monthDays(sel.beginMonth);
        const auto end = monthDays(sel.endMonth);
        if (begin && end)
            return between(std::min(begin->first, end->first), std::max(begin->second, end->second));
        return QStringLiteral("AND ((Exercise_Date BETWEEN Format(") + q(sel.beginMonth) +
               QStringLiteral(", 'mmmm yyyy') AND Format(") + q(sel.endMonth) +
               QStringLiteral(", 'mmmm yyyy')) OR Format(Exercise_Date, 'mmmm yyyy') = Format(") +
               q(sel.endMonth) + QStringLiteral(", 'mmmm yyyy')) ");
    }
    case Filter::SingleMonth:
        if (const auto days = monthDays(sel.singleMonth))
            return between(days->first, days->second);
        return QStringLiteral("AND Format(Exercise_Date, 'mmmm yyyy') = Format(") + q(sel.singleMonth) +
               QStringLiteral(", 'mmmm yyyy') ");
    case Filter::CompareMonths: {
        // The month by its number: cheaper per workout than comparing month names as text.
        const QStringList names = monthNames();
        for (qsizetype m = 0; m < names.size(); ++m)
            if (names.at(m).compare(sel.compareMonth.trimmed(), Qt::CaseInsensitive) == 0)
                return QStringLiteral("AND Month(Exercise_Date) = ") + QString::number(m + 1) +
                       QLatin1Char(' ');
        return QStringLiteral("AND Format(Exercise_Date,'mmmm') = Format(") + q(sel.compareMonth) +
               QStringLiteral(", 'mmmm') ");
    }
    }
    return {};
}

// The period label of a workout in the detail queries: "Mar 04" for months, "2004" for
// years, "05 Mar" for the workouts of a single month. The detail queries read the stored ISO
// date, and the label is made once per period rather than formatted by SQL on every row.
class PeriodLabel {
  public:
    explicit PeriodLabel(Filter f)
        : m_pattern(f == Filter::CompareYears  ? QStringLiteral("yyyy")
                    : f == Filter::SingleMonth ? QStringLiteral("dd mmm")
                                               : QStringLiteral("mmm yy")),
          m_keyLength(f == Filter::CompareYears  ? 4
                      : f == Filter::SingleMonth ? 10
                                                 : 7) {}

    // The label of the workout on `iso` (yyyy-mm-dd, as stored).
    const QString& of(const QString& iso) {
        const QStringView key = QStringView(iso).left(m_keyLength);
        if (key != m_key) {
            m_key = key.toString();
            const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
            m_label = date.isValid() ? DateText::format(date, m_pattern) : iso;
        }
        return m_label;
    }

  private:
    QString m_pattern;
    qsizetype m_keyLength;
    QString m_key;
    QString m_label;
};

// The running sums of one period of the average chart.
struct Period {
    QString label;
    double distance = 0;
    double minutes = 0;
    int count = 0;
};

double rounded2(double v) {
    return NumberText::parse(NumberText::fixed(v, 2)).value_or(v);
}

// Pace in minutes per unit, or speed in units per hour; 0 where the divisor is 0 (a
// treadmill run logged without distance, a ride without time).
double paceOrSpeed(Sport sport, double distance, double minutes) {
    if (kindOf(sport).rate == WorkoutKinds::Rate::Pace)
        return distance == 0 ? 0 : minutes / distance;
    return minutes == 0 ? 0 : distance / (minutes / 60);
}

// A chart's title for its filter: `whole` over a span of months ("Avg Run And Pace All
// Months"), `single` before one month's name, `compared` when comparing months or years.
QString periodTitle(const Selection& sel, const QString& whole, const QString& single,
                    const QString& compared) {
    switch (sel.filter) {
    case Filter::AllMonths:
        return whole + QStringLiteral(" All Months");
    case Filter::CurrentYear:
        return whole + QStringLiteral(" Current Year");
    case Filter::DateRange:
        return whole + QStringLiteral(" Date Range");
    case Filter::SingleMonth:
        return single + QLatin1Char(' ') + sel.singleMonth;
    case Filter::CompareMonths:
        return QStringLiteral("Compare ") + compared + QStringLiteral(" (Months)");
    case Filter::CompareYears:
        return QStringLiteral("Compare ") + compared + QStringLiteral(" (Years)");
    }
    return {};
}

QString paceTitle(Sport sport, bool miles, const Selection& sel) {
    if (kindOf(sport).rate == WorkoutKinds::Rate::Pace)
        return periodTitle(sel, QStringLiteral("Avg Run And Pace"), QStringLiteral("Run And Pace"),
                           QStringLiteral("Avg Run and Pace"));
    const QString unit = miles ? QStringLiteral("MPH") : QStringLiteral("KPH");
    return periodTitle(sel, QStringLiteral("Avg Ride And ") + unit, QStringLiteral("Ride And ") + unit,
                       QStringLiteral("Avg Ride and ") + unit);
}

QString hoursTitle(const Selection& sel) {
    const QString hours = QStringLiteral("Exercise Hours");
    return periodTitle(sel, hours, hours, hours);
}

struct KindColumn {
    bool Kinds::*ticked;
    const WorkoutKinds::Kind* kind; // its name is the Exercise_Type, its label the series label
};

constexpr std::array<KindColumn, 5> KindColumns{{
    {&Kinds::running, &WorkoutKinds::Running},
    {&Kinds::cycling, &WorkoutKinds::Cycling},
    {&Kinds::swimming, &WorkoutKinds::Swimming},
    {&Kinds::video, &WorkoutKinds::Video},
    {&Kinds::other, &WorkoutKinds::Other},
}};

// " AND (Exercise_Type = 'Running' OR Exercise_Type = 'Swimming' ) " for the ticked kinds;
// empty when none is ticked.
QString typeFilter(const Kinds& kinds) {
    QString out;
    for (const KindColumn& k : KindColumns) {
        if (!(kinds.*k.ticked))
            continue;
        const QString test =
            QStringLiteral("Exercise_Type = ") + q(QLatin1String(k.kind->name)) + QLatin1Char(' ');
        out += out.isEmpty() ? QStringLiteral(" AND (") + test : QStringLiteral("OR ") + test;
    }
    return out.isEmpty() ? out : out + QStringLiteral(") ");
}

} // namespace

const WorkoutKinds::Kind& kindOf(Sport sport) {
    return sport == Sport::Cycling ? WorkoutKinds::Cycling : WorkoutKinds::Running;
}

std::optional<Sport> sportOf(const QString& kind) {
    for (const Sport sport : {Sport::Running, Sport::Cycling})
        if (kind == QLatin1String(kindOf(sport).name))
            return sport;
    return std::nullopt;
}

bool tick(Kinds& kinds, const QString& kind) {
    for (const KindColumn& k : KindColumns) {
        if (kind == QLatin1String(k.kind->name)) {
            kinds.*k.ticked = true;
            return true;
        }
    }
    return false;
}

namespace {

// The months of `sql`'s dates (its first column, "March 2004", in date order), each once.
QStringList monthsOf(Connection& conn, const QString& sql, const QString& user) {
    Transaction read(conn, Transaction::Mode::Read);
    ResultSet rs = conn.query(sql, {user});
    QStringList months;
    for (; !rs.eof(); rs.moveNext()) {
        const QString month = rs.field(0);
        if (months.isEmpty() || months.last() != month)
            months << month;
    }
    read.commit();
    return months;
}

} // namespace

QStringList workoutMonths(Connection& conn, const QString& user, Sport sport) {
    return monthsOf(
        conn,
        QStringLiteral("SELECT Format(Exercise_Date, 'mmmm yyyy') As tDate FROM Exercise_Master,") +
            logTable(sport) + QStringLiteral(" WHERE User_Name = ? AND Exercise_ID = ") + logKey(sport) +
            QStringLiteral(" ORDER BY Exercise_Date"),
        user);
}

QStringList workoutMonths(Connection& conn, const QString& user) {
    return monthsOf(conn,
                    QStringLiteral("SELECT Format(Exercise_Date, 'mmmm yyyy') As tDate FROM Exercise_Master "
                                   "WHERE User_Name = ? ORDER BY Exercise_Date"),
                    user);
}

QStringList monthNames() {
    return {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
            QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
            QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
            QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
}

ChartTable distanceTotals(Connection& conn, const QString& user, Sport sport, bool miles,
                          const Selection& sel) {
    const QString unitWord = miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    ChartTable table;
    switch (sel.filter) {
    case Filter::AllMonths:
        table.title = unitWord + QStringLiteral(" By Month");
        break;
    case Filter::CurrentYear:
        table.title = unitWord + QStringLiteral(" By Month (Current Year)");
        break;
    case Filter::DateRange:
        table.title = unitWord + QStringLiteral(" By Month (Date Range)");
        break;
    case Filter::CompareYears:
        table.title = QStringLiteral("Compare Years");
        break;
    case Filter::CompareMonths:
        table.title = QStringLiteral("Compare Months");
        break;
    case Filter::SingleMonth:
        table.title = sel.singleMonth;
        break;
    }
    // The series is named by the value column, as the chart names it.
    const bool single = sel.filter == Filter::SingleMonth;
    table.seriesLabels = {single ? unitWord : miles ? QStringLiteral("Mile") : QStringLiteral("KM")};

    // The user's workouts of the selection with their distance, in date order.
    const QString workouts = QStringLiteral(", ") + unitWord + QStringLiteral(" From Exercise_Master, ") +
                             logTable(sport) + QStringLiteral(" WHERE User_Name = ? AND Exercise_ID = ") +
                             logKey(sport) + QLatin1Char(' ') + filterClause(sel) +
                             QStringLiteral("ORDER BY Exercise_Date");
    Transaction read(conn, Transaction::Mode::Read);
    if (single) {
        // One row per workout of the month, labelled "Mar 05".
        ResultSet rs =
            conn.query(QStringLiteral("SELECT Format(Exercise_Date, 'mmm dd') As tDate") + workouts, {user});
        for (; !rs.eof(); rs.moveNext())
            table.rows << ChartTable::Row{rs.field(0), {rs.value(1).toDouble()}};
        read.commit();
        return table;
    }
    // The sums per month (per year when comparing years or one month across the years): the
    // workouts come in date order, so each period's workouts are contiguous, and its label is
    // made once rather than formatted by SQL for every workout.
    ResultSet rs = conn.query(QStringLiteral("SELECT Exercise_Date") + workouts, {user});
    PeriodLabel labels(sel.filter);
    Period period;
    for (; !rs.eof(); rs.moveNext()) {
        const QString& label = labels.of(rs.field(0));
        if (period.count > 0 && label != period.label) {
            table.rows << ChartTable::Row{period.label, {period.distance}};
            period = Period{};
        }
        period.label = label;
        period.distance += rs.value(1).toDouble();
        ++period.count;
    }
    if (period.count > 0)
        table.rows << ChartTable::Row{period.label, {period.distance}};
    read.commit();
    return table;
}

ChartTable averagePace(Connection& conn, const QString& user, Sport sport, bool miles, const Selection& sel) {
    const QString distanceColumn = miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    ChartTable table;
    table.title = paceTitle(sport, miles, sel);
    const bool single = sel.filter == Filter::SingleMonth;
    // Rides are charted by their speed, runs by their pace.
    const QString rate =
        kindOf(sport).rate == WorkoutKinds::Rate::Speed ? QStringLiteral("Speed") : QStringLiteral("Pace");
    table.seriesLabels =
        single ? QStringList{distanceColumn, rate}
               : QStringList{QStringLiteral("Avg ") + distanceColumn, QStringLiteral("Avg ") + rate};

    Transaction read(conn, Transaction::Mode::Read);
    ResultSet rs = conn.query(
        QStringLiteral("SELECT Exercise_Time, ") + distanceColumn + QStringLiteral(", ") +
            QStringLiteral("Exercise_Date FROM Exercise_Master,") + logTable(sport) +
            QStringLiteral(" WHERE Exercise_ID = ") + logKey(sport) + QStringLiteral(" AND User_Name = ? ") +
            filterClause(sel) + QStringLiteral("ORDER BY Exercise_Date"),
        {user});
    PeriodLabel labels(sel.filter);
    Period period;
    auto close = [&] {
        if (period.count == 0)
            return;
        table.rows << ChartTable::Row{
            period.label,
            {rounded2(period.distance / period.count), paceOrSpeed(sport, period.distance, period.minutes)}};
        period = Period{};
    };
    for (; !rs.eof(); rs.moveNext()) {
        const double minutes = CLibrary::GetMinutes(rs.field(0));
        const double distance = rs.value(1).toDouble();
        const QString& label = labels.of(rs.field(2));
        if (single) {
            table.rows << ChartTable::Row{label, {distance, paceOrSpeed(sport, distance, minutes)}};
            continue;
        }
        // Workouts come in date order, so each period's workouts are contiguous.
        if (label != period.label)
            close();
        period.label = label;
        period.distance += distance;
        period.minutes += minutes;
        ++period.count;
    }
    close();
    read.commit();
    return table;
}

namespace {

// The hour charts: each workout's kind column (-1 for a kind not shown) and its minutes,
// summed per period, or one row per workout for a single month.
ChartTable hours(Connection& conn, const QString& user, const Selection& sel, const Kinds* kinds) {
    ChartTable table;
    table.title = hoursTitle(sel);
    std::array<int, KindColumns.size()> column{};
    if (kinds) {
        for (size_t k = 0; k < KindColumns.size(); ++k) {
            column[k] = (*kinds).*KindColumns[k].ticked ? int(table.seriesLabels.size()) : -1;
            if (column[k] >= 0)
                table.seriesLabels << QLatin1String(KindColumns[k].kind->label);
        }
    } else {
        table.seriesLabels = {QStringLiteral("Hours")};
    }
    const qsizetype series = table.seriesLabels.size();

    Transaction read(conn, Transaction::Mode::Read);
    ResultSet rs =
        conn.query(QStringLiteral("SELECT Exercise_Time, Exercise_Type, Exercise_Date") +
                       QStringLiteral(" FROM Exercise_Master WHERE User_Name = ? ") + filterClause(sel) +
                       (kinds ? typeFilter(*kinds) : QString()) + QStringLiteral("ORDER BY Exercise_Date"),
                   {user});
    PeriodLabel labels(sel.filter);
    QString current;
    QList<double> minutes(series, 0.0);
    bool open = false;
    auto close = [&] {
        if (!open)
            return;
        ChartTable::Row row{current, {}};
        for (double m : minutes)
            row.values << m / 60;
        table.rows << row;
        minutes.fill(0.0);
        open = false;
    };
    for (; !rs.eof(); rs.moveNext()) {
        const double m = CLibrary::GetMinutes(rs.field(0));
        const QString& label = labels.of(rs.field(2));
        if (sel.filter == Filter::SingleMonth || label != current)
            close();
        current = label;
        open = true;
        if (!kinds) {
            minutes[0] += m;
            continue;
        }
        const QString type = rs.field(1);
        for (size_t k = 0; k < KindColumns.size(); ++k)
            if (column[k] >= 0 &&
                type.compare(QLatin1String(KindColumns[k].kind->name), Qt::CaseInsensitive) == 0)
                minutes[column[k]] += m;
    }
    close();
    read.commit();
    return table;
}

} // namespace

ChartTable hoursTogether(Connection& conn, const QString& user, const Selection& sel) {
    return hours(conn, user, sel, nullptr);
}

ChartTable hoursIndividual(Connection& conn, const QString& user, const Selection& sel, const Kinds& kinds) {
    return hours(conn, user, sel, &kinds);
}

} // namespace GraphTables
