#include "TextReport.h"

#include "CLibrary.h"
#include "Clock.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "NumberText.h"
#include "ReportCriteria.h"
#include "Transaction.h"
#include "WorkoutKinds.h"

#include <QHash>
#include <vector>

namespace TextReport {

namespace {

using WorkoutKinds::Kind;

const QString Separator(82, QLatin1Char('-'));
const QString Blank = QStringLiteral(" ");
const QString MonthTotals = QStringLiteral("Month Totals -> ");
const QString ReportTotals = QStringLiteral("Report Totals -> ");
const QString MonthIndent(16, QLatin1Char(' '));
const QString ReportIndent(17, QLatin1Char(' '));
// Full reports read the stored date and format it with DateTexts below.
const QString FullSelect =
    QStringLiteral("SELECT Exercise_Date AS tDate, Exercise_Time, Exercise_Day, Comments,  ");

inline QString pad(const QString& text, qint16 width) {
    return CLibrary::FormatString(text, width);
}
// The same field written straight into a line, without a padded copy (record lines are the
// bulk of a long report).
inline void appendPadded(QString& line, const QString& text, qint16 width) {
    line += text;
    if (text.size() <= width)
        line.resize(line.size() + width + 1 - text.size(), QLatin1Char(' '));
}

// Column numbers of a result, looked up by name once instead of on every row.
std::vector<int> columnsOf(const ResultSet& rs, std::initializer_list<const char*> names) {
    std::vector<int> out;
    for (const char* name : names) {
        int found = -1;
        for (int i = 0; i < rs.columnCount() && found < 0; ++i)
            if (rs.columnName(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                found = i;
        if (found < 0)
            (void)rs.field(QLatin1String(name)); // throws the engine's "not found" error
        out.push_back(found);
    }
    return out;
}
// The day ("05-Dec-2026") and month ("December 2026") texts of a stored date, as the
// dialect's Format(date, 'dd-mmm-yyyy') and Format(date, 'mmmm yyyy') give them: a text that
// is not a date stays as it is. Worked out here instead of in the statement, and only when
// the date changes: rows come in date order, several a day.
class DateTexts {
  public:
    void read(const QString& stored) {
        if (stored == m_stored && !m_day.isNull())
            return;
        m_stored = stored;
        const auto date = DateText::parse(stored);
        if (!date) {
            m_day = m_month = stored;
            m_monthKey = -1;
            return;
        }
        m_day = DateText::format(*date, QStringLiteral("dd-mmm-yyyy"));
        const int key = date->year() * 12 + date->month();
        if (key != m_monthKey) {
            m_month = DateText::format(*date, QStringLiteral("mmmm yyyy"));
            m_monthKey = key;
        }
    }
    const QString& day() const { return m_day; }
    const QString& month() const { return m_month; }

  private:
    QString m_stored, m_day, m_month;
    int m_monthKey = -1;
};

inline QString general(double v) {
    return NumberText::general(v);
}
inline QString fixed2(double v) {
    return NumberText::fixed(v, 2);
}

// Pace and speed where a zero divisor would end the report: a workout logged with no
// distance has pace 0:00, one logged with no time has speed 0.00.
QString pace(const QString& time, double distance) {
    if (distance == 0) {
        CLibrary::GetMinutes(time); // a time that is not a duration still fails the report
        return QStringLiteral("0:00");
    }
    return CLibrary::GetPace(time, distance);
}

QString speed(const QString& time, double distance) {
    if (CLibrary::GetMinutes(time) == 0)
        return QStringLiteral("0.00");
    return CLibrary::GetMPH(time, distance);
}

// What one month (or one report) adds up.
struct Totals {
    double distance = 0; // miles, kilometres or laps
    double minutes = 0;
    qint64 count = 0;

    void add(const Totals& o) {
        distance += o.distance;
        minutes += o.minutes;
        count += o.count;
    }
    QString time() const { return CLibrary::MinutesToString(minutes); }
    QString averageTime() const { return CLibrary::MinutesToString(minutes / double(count)); }
    QString averageDistance() const { return fixed2(distance / double(count)); }
};

// Everything a procedure needs: its inputs, the connection and the lines written so far.
struct Context {
    Connection& conn;
    const Request& req;
    ReportLines& lines;
    const Kind* kind; // nullptr for the combined time report

    QString criteria() const { return ReportCriteria::criteriaPart(req.criteria, req.kind); }
    QString unitHeader() const { return req.miles ? QStringLiteral("MILES") : QStringLiteral("KM"); }
    QString unitWord() const { return req.miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers"); }
    QString distanceColumn() const {
        return req.miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    }
    void header(const QString& text) {
        lines << text;
        lines << Separator;
    }
    // The comment line under a record line, beside the same record number.
    void comment(const QString& text, qint64 record) {
        if (req.comments && !text.isEmpty())
            lines.append(QString(QStringLiteral("     ") + text), record);
    }
};

// A column of a report: its heading, its width, and the result column whose text a record line
// shows in it (nullptr for a value the report works out). A report's heading and its lines
// are written from one list of columns.
struct Column {
    QString header; // "" for a column without heading
    qint16 width;
    const char* field = nullptr;
};
using Columns = std::vector<Column>;

// The heading line of `columns`; with `padLast` false the last heading stands unpadded.
QString headerLine(const Columns& columns, bool padLast = true) {
    QString line;
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        if (!c.header.isEmpty())
            line += padLast || i + 1 < columns.size() ? pad(c.header, c.width) : c.header;
    }
    return line;
}

// A line of `values`, one under each of `columns` and padded to its width.
QString row(const Columns& columns, const QStringList& values) {
    QString line;
    for (size_t i = 0; i < columns.size(); ++i)
        line += pad(values.at(qsizetype(i)), columns[i].width);
    return line;
}

// The record lines of a full report: under each column the row's field (the stored date as its
// day text, a column without field the value the report worked out), then the record number;
// a comment line below when comments are asked for.
class RecordLines {
  public:
    RecordLines(const ResultSet& rs, const Columns& columns) : m_columns(columns) {
        if (rs.eof())
            return;
        for (const Column& c : columns) {
            m_at.push_back(c.field ? columnsOf(rs, {c.field}).front() : -1);
            m_isDate.push_back(c.field && qstrcmp(c.field, "tDate") == 0);
        }
        const std::vector<int> more = columnsOf(rs, {"Exercise_ID", "Comments"});
        m_id = more[0];
        m_comments = more[1];
    }
    void write(Context& ctx, const ResultSet& rs, const QString& day, const QString& worked) {
        m_line.resize(0); // keeps its capacity from row to row
        for (size_t i = 0; i < m_columns.size(); ++i)
            appendPadded(m_line,
                         m_at[i] < 0   ? worked
                         : m_isDate[i] ? day
                                       : rs.field(m_at[i]),
                         m_columns[i].width);
        const QString id = rs.field(m_id);
        m_line += id;
        ctx.lines.append(m_line, id.toLongLong());
        ctx.comment(rs.field(m_comments), id.toLongLong());
    }

  private:
    const Columns& m_columns;
    std::vector<int> m_at;
    std::vector<bool> m_isDate;
    int m_id = -1, m_comments = -1;
    QString m_line;
};

// The full reports' month loop over `rs` (in date order): a blank line and the month's name
// where the month changes, the month's totals before the next month's name, and after the last
// month a blank line and the report's totals. `record(day text, month sums)` writes a row's
// lines and adds its time and distance to the month; `totals(sums, of the report)` writes the
// total lines. Nothing is written for a report without rows.
template <typename Record, typename WriteTotals>
void byMonth(Context& ctx, ResultSet& rs, Record record, WriteTotals totals) {
    Totals month, report;
    QString previous;
    DateTexts dates;
    const int date = rs.eof() ? -1 : columnsOf(rs, {"tDate"}).front();
    for (; !rs.eof(); rs.moveNext()) {
        dates.read(rs.field(date));
        if (dates.month() != previous) {
            if (month.count != 0) {
                totals(month, false);
                report.add(month);
                month = Totals();
            }
            ctx.lines << Blank << dates.month();
            previous = dates.month();
        }
        record(dates.day(), month);
        ++month.count;
    }
    if (month.count == 0)
        return;
    totals(month, false);
    ctx.lines << Blank;
    report.add(month);
    totals(report, true);
}

// The summary reports' month loop: the workouts of `sql` (Exercise_Time, the distance column
// if any, and the stored date as tDate, in date order; the user its one value) summed per
// month, one line a month written by `monthLine(month label, month sums)`, then a blank line.
// Returns the report's sums; when there are no workouts nothing is written and the count is 0.
template <typename MonthLine>
Totals summedByMonth(Context& ctx, const QString& sql, const QString& distanceColumn, MonthLine monthLine) {
    Totals month, report;
    QString previous;
    DateTexts dates;
    for (ResultSet rs = ctx.conn.query(sql, {ctx.req.user}); !rs.eof(); rs.moveNext()) {
        dates.read(rs.field(u"tDate"));
        const QString& tMonth = dates.month();
        if (tMonth != previous && month.count != 0) {
            monthLine(previous, month);
            report.add(month);
            month = Totals();
        }
        previous = tMonth;
        month.minutes += CLibrary::GetMinutes(rs.field(u"Exercise_Time"));
        if (!distanceColumn.isEmpty())
            month.distance += rs.value(distanceColumn).toDouble();
        ++month.count;
    }
    if (month.count == 0)
        return report;
    monthLine(previous, month);
    ctx.lines << Blank;
    report.add(month);
    return report;
}

// FROM and WHERE of a kind's workouts of the report's user (a value of the statement).
QString workoutsOf(const Kind& kind) {
    return QStringLiteral("FROM Exercise_Master, %1 WHERE Exercise_Id = %2 AND User_Name = ? ")
        .arg(QLatin1String(kind.table->name), QLatin1String(kind.table->key));
}

// --- Running and cycling ----------------------------------------------------------------------

struct RunBike {
    const Kind& kind;
    QString rateHeader; // PACE / MPH / KPH
    QString rateWord;   // Pace / MPH / KPH

    static RunBike of(const Context& ctx) {
        const QString speedWord = ctx.req.miles ? QStringLiteral("MPH") : QStringLiteral("KPH");
        const bool pace = ctx.kind->rate == WorkoutKinds::Rate::Pace;
        return {*ctx.kind, pace ? QStringLiteral("PACE") : speedWord,
                pace ? QStringLiteral("Pace") : speedWord};
    }
    QString countWord() const { return QLatin1String(kind.countWord); }
    QString rate(const QString& time, double distance) const {
        return kind.rate == WorkoutKinds::Rate::Pace ? pace(time, distance) : speed(time, distance);
    }
    // The columns of the summary and weekly reports, the first headed `first`.
    Columns summaryColumns(const Context& ctx, const QString& first) const {
        return {{first, 15},
                {ctx.unitHeader(), 8},
                {QStringLiteral("TIME"), 9},
                {rateHeader, 7},
                {countWord().toUpper(), 7},
                {QStringLiteral("AVG ") + ctx.unitHeader(), 11},
                {QStringLiteral("AVG TIME"), 10}};
    }
    // The two total lines of a month or of the report.
    void totals(Context& ctx, const Totals& t, bool reportTotals) const {
        const QString T = t.time();
        ctx.lines << (reportTotals ? ReportTotals : MonthTotals) + ctx.unitWord() + QLatin1Char('=') +
                         general(t.distance) + QStringLiteral(" Time=") + T + QLatin1Char(' ') + rateWord +
                         QLatin1Char('=') + rate(T, t.distance);
        ctx.lines << (reportTotals ? ReportIndent : MonthIndent) + countWord() + QLatin1Char('=') +
                         QString::number(t.count) + QStringLiteral(" Avg ") + ctx.unitWord() +
                         QLatin1Char('=') + t.averageDistance() + QStringLiteral(" Avg Time=") +
                         t.averageTime();
    }
};

void fullRunBike(Context& ctx) {
    const RunBike rb = RunBike::of(ctx);
    const char* distanceField = ctx.req.miles ? "Miles" : "Kilometers";
    const Columns columns{
        {QStringLiteral("DATE"), 13, "tDate"},        {ctx.unitHeader(), 7, distanceField},
        {QStringLiteral("TIME"), 9, "Exercise_Time"}, {rb.rateHeader, 7},
        {QStringLiteral("DAY"), 10, "Exercise_Day"},  {QStringLiteral("COURSE"), 50, "Course"}};
    ctx.header(headerLine(columns, false));
    const QString sql = FullSelect + QStringLiteral("Miles, Kilometers, Course, Exercise_ID ") +
                        workoutsOf(rb.kind) + ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    ResultSet rs = ctx.conn.query(sql, {ctx.req.user});
    RecordLines lines(rs, columns);
    const std::vector<int> col =
        rs.eof() ? std::vector<int>() : columnsOf(rs, {"Exercise_Time", distanceField});
    byMonth(
        ctx, rs,
        [&](const QString& day, Totals& month) {
            const QString time = rs.field(col[0]);
            month.minutes += CLibrary::GetMinutes(time);
            const double distance = rs.value(col[1]).toDouble();
            month.distance += distance;
            lines.write(ctx, rs, day, rb.rate(time, distance));
        },
        [&](const Totals& t, bool reportTotals) { rb.totals(ctx, t, reportTotals); });
}

void summaryRunBike(Context& ctx) {
    const RunBike rb = RunBike::of(ctx);
    const Columns columns = rb.summaryColumns(ctx, QStringLiteral("MONTH"));
    ctx.header(headerLine(columns));
    const QString sql = QStringLiteral("SELECT Exercise_Time, Miles, Kilometers, Exercise_Date AS tDate ") +
                        workoutsOf(rb.kind) + ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    const Totals report =
        summedByMonth(ctx, sql, ctx.distanceColumn(), [&](const QString& label, const Totals& month) {
            const QString T = month.time();
            ctx.lines << row(columns,
                             {label, general(month.distance), T, rb.rate(T, month.distance),
                              QString::number(month.count), month.averageDistance(), month.averageTime()});
        });
    if (report.count != 0)
        rb.totals(ctx, report, true);
}

// The span of the weekly report: the one its criteria limit it to, else from the user's first
// run to today. False when there is no run to start from.
bool weekSpan(Context& ctx, QDate& start, QDate& end) {
    const QDate today = Clock::today();
    if (const auto span = ReportCriteria::dateSpan(ctx.req.criteria, today)) {
        start = span->first;
        end = span->last;
        return true;
    }
    end = today;
    ResultSet rs = ctx.conn.query(
        QStringLiteral("SELECT MIN(Exercise_Date) As tDate ") + workoutsOf(*ctx.kind), {ctx.req.user});
    if (rs.eof())
        return false;
    const auto first = DateText::parse(rs.field(u"tDate"));
    if (!first)
        return false;
    start = *first;
    return true;
}

void weeklyRun(Context& ctx) {
    const RunBike rb = RunBike::of(ctx);
    const Columns columns = rb.summaryColumns(ctx, QStringLiteral("WEEK"));
    ctx.header(headerLine(columns));
    const QString criteria = ctx.criteria();
    QDate start, end;
    if (!weekSpan(ctx, start, end))
        return;
    start = start.addDays(-(start.dayOfWeek() % 7)); // back to Sunday
    // One statement for the whole span in date order; each week's line is written once the
    // rows reach a later week, so a row that fails the report leaves the weeks before it.
    const qint64 weeks = start <= end ? start.daysTo(end) / 7 + 1 : 0;
    const QString sql = QStringLiteral("SELECT ") + ctx.distanceColumn() +
                        QStringLiteral(" AS Mile, Exercise_Time, Exercise_Date ") + workoutsOf(rb.kind) +
                        QStringLiteral("AND Exercise_Date BETWEEN ? AND ? ") + criteria +
                        QStringLiteral("ORDER BY Exercise_Date");
    Totals report, week;
    qint64 written = 0; // weeks whose lines are written
    const auto writeWeek = [&] {
        const QDate weekStart = start.addDays(7 * written);
        ++written;
        const QString label = DateText::format(weekStart, QStringLiteral("dd-mmm-yyyy"));
        if (week.count == 0) {
            ctx.lines << row(columns,
                             {label, QStringLiteral("0"), QStringLiteral("0:00"), QStringLiteral("0:00"),
                              QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0:00")});
            return;
        }
        report.add(week);
        const QString T = week.time();
        ctx.lines << row(columns, {label, general(week.distance), T, rb.rate(T, week.distance),
                                   QString::number(week.count), week.averageDistance(), week.averageTime()});
        week = Totals();
    };
    if (weeks > 0) {
        ResultSet rs = ctx.conn.query(
            sql, {ctx.req.user, DateText::iso(start), DateText::iso(start.addDays(7 * weeks - 1))});
        enum { Mile, Time, Date };
        const std::vector<int> col =
            rs.eof() ? std::vector<int>() : columnsOf(rs, {"Mile", "Exercise_Time", "Exercise_Date"});
        // Stored dates are ISO text, which sorts as the dates do.
        const auto nextWeek = [&] { return DateText::iso(start.addDays(7 * (written + 1))); };
        QString next = nextWeek();
        for (; !rs.eof(); rs.moveNext()) {
            const QString date = rs.field(col[Date]);
            while (written < weeks - 1 && date >= next) {
                writeWeek();
                next = nextWeek();
            }
            week.distance += rs.value(col[Mile]).toDouble();
            week.minutes += CLibrary::GetMinutes(rs.field(col[Time]));
            ++week.count;
        }
    }
    while (written < weeks)
        writeWeek();
    ctx.lines << Blank;
    const QString unit = ctx.unitWord();
    if (report.count == 0) {
        ctx.lines << ReportTotals + unit + QStringLiteral("=0 Time=0:00 ") + rb.rateWord +
                         QStringLiteral("=0:00");
        ctx.lines << ReportIndent + rb.countWord() + QStringLiteral("=0 Avg ") + unit +
                         QStringLiteral("=0 Avg Time=0:00");
        ctx.lines << ReportIndent + QStringLiteral("Average ") + unit + QStringLiteral(" per Week=0");
        return;
    }
    rb.totals(ctx, report, true);
    ctx.lines << ReportIndent + QStringLiteral("Average ") + unit + QStringLiteral(" per Week=") +
                     fixed2(report.distance / double(weeks));
}

// --- Swimming, video, user-defined and combined time ---------------------------------------------

// How one of the kinds without distances differs from the others.
struct TimeKind {
    bool swim = false;      // laps: totals of laps beside the times
    QString countWord;      // Swims / Exercises
    QString fullColumns;    // after the full select: "Laps, Location, Exercise_ID "
    QString summaryColumns; // after "SELECT Exercise_Time, "
    QString from;           // FROM and WHERE of the user's workouts (the statement's one value)
    Columns record;         // the columns of a record line before its number
    bool padLast = true;    // whether the heading of the last column is padded
};

// The columns of each kind's full report after its date, (laps,) time and day.
struct KindColumns {
    const Kind* kind;
    std::initializer_list<Column> after;
    bool padLast;
};

TimeKind timeKind(const Kind* kind) {
    const Column date{QStringLiteral("DATE"), 13, "tDate"};
    const Column time{QStringLiteral("TIME"), 9, "Exercise_Time"};
    const Column day{QStringLiteral("DAY"), 10, "Exercise_Day"};
    const QString month = QStringLiteral("Exercise_Date AS tDate ");
    TimeKind k;
    if (!kind) { // the combined time report reads the master rows of every kind
        k.countWord = QStringLiteral("Exercises");
        k.fullColumns = QStringLiteral("Exercise_Type, Exercise_ID ");
        k.summaryColumns = month;
        k.from = QStringLiteral("FROM Exercise_Master WHERE User_Name = ? ");
        k.record = {date,
                    time,
                    {QStringLiteral("DAY"), 12, "Exercise_Day"},
                    {QStringLiteral("EXERCISE"), 25, "Exercise_Type"},
                    {QString(), 39}};
        return k;
    }
    static const KindColumns afterDay[] = {
        {&WorkoutKinds::Swimming, {{QStringLiteral("LOCATION"), 57, "Location"}}, false},
        {&WorkoutKinds::Video, {{QStringLiteral("VIDEO"), 66, "Video"}}, true},
        {&WorkoutKinds::Other,
         {{QStringLiteral("EXERCISE"), 25, "Exercise_Name"}, {QStringLiteral("FIELD1"), 41, "Field1"}},
         true},
    };
    k.swim = kind->unit == WorkoutKinds::Unit::Laps;
    k.countWord = QLatin1String(kind->countWord);
    k.summaryColumns = (k.swim ? QStringLiteral("Laps, ") : QString()) + month;
    k.from = workoutsOf(*kind);
    k.record = {date};
    if (k.swim)
        k.record.push_back({QStringLiteral("LAPS"), 7, "Laps"});
    k.record.insert(k.record.end(), {time, day});
    for (const KindColumns& c : afterDay) {
        if (c.kind == kind) {
            k.record.insert(k.record.end(), c.after);
            k.padLast = c.padLast;
        }
    }
    for (const Column& c : k.record)
        if (c.field && qstrcmp(c.field, "tDate") && qstrcmp(c.field, "Exercise_Time") &&
            qstrcmp(c.field, "Exercise_Day"))
            k.fullColumns += QLatin1String(c.field) + QStringLiteral(", ");
    k.fullColumns += QStringLiteral("Exercise_ID ");
    return k;
}

// The total lines of the kinds without distances; `summary` selects the summary reports'
// report totals, which have one blank less after "->".
void timeTotals(Context& ctx, const TimeKind& k, const Totals& t, bool reportTotals, bool summary) {
    const QString lead = reportTotals ? ReportTotals : MonthTotals;
    if (k.swim) {
        ctx.lines << lead + QStringLiteral("Laps=") + general(t.distance) + QStringLiteral(" Time=") +
                         t.time();
        ctx.lines << (reportTotals ? ReportIndent : MonthIndent) + k.countWord + QLatin1Char('=') +
                         QString::number(t.count) + QStringLiteral(" Avg Laps=") + t.averageDistance() +
                         QStringLiteral(" Avg Time=") + t.averageTime();
        return;
    }
    ctx.lines << lead + (summary ? QString() : Blank) + QStringLiteral("Time=") + t.time() +
                     QLatin1Char(' ') + k.countWord + QLatin1Char('=') + QString::number(t.count) +
                     QStringLiteral(" Avg Time=") + t.averageTime();
}

void fullTime(Context& ctx) {
    const TimeKind k = timeKind(ctx.kind);
    ctx.header(headerLine(k.record, k.padLast));
    const QString sql =
        FullSelect + k.fullColumns + k.from + ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    ResultSet rs = ctx.conn.query(sql, {ctx.req.user});
    RecordLines lines(rs, k.record);
    const std::vector<int> col =
        rs.eof() ? std::vector<int>() : columnsOf(rs, {"Exercise_Time", k.swim ? "Laps" : "tDate"});
    byMonth(
        ctx, rs,
        [&](const QString& day, Totals& month) {
            month.minutes += CLibrary::GetMinutes(rs.field(col[0]));
            if (k.swim)
                month.distance += rs.value(col[1]).toDouble();
            lines.write(ctx, rs, day, QString());
        },
        [&](const Totals& t, bool reportTotals) { timeTotals(ctx, k, t, reportTotals, false); });
}

void summaryTime(Context& ctx) {
    const TimeKind k = timeKind(ctx.kind);
    const QString count = k.countWord.toUpper();
    const Columns columns = k.swim
                                ? Columns{{QStringLiteral("MONTH"), 15},    {QStringLiteral("LAPS"), 8},
                                          {QStringLiteral("TIME"), 9},      {count, 7},
                                          {QStringLiteral("AVG LAPS"), 11}, {QStringLiteral("AVG TIME"), 10}}
                                : Columns{{QStringLiteral("MONTH"), 15},
                                          {QStringLiteral("TIME"), 9},
                                          {count, 11},
                                          {QStringLiteral("AVG TIME"), 10}};
    ctx.header(headerLine(columns));
    const QString sql = QStringLiteral("SELECT Exercise_Time, ") + k.summaryColumns + k.from +
                        ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    const QString laps = k.swim ? QStringLiteral("Laps") : QString();
    const Totals report = summedByMonth(ctx, sql, laps, [&](const QString& label, const Totals& month) {
        if (k.swim)
            ctx.lines << row(columns,
                             {label, general(month.distance), month.time(), QString::number(month.count),
                              month.averageDistance(), month.averageTime()});
        else
            ctx.lines << row(columns,
                             {label, month.time(), QString::number(month.count), month.averageTime()});
    });
    if (report.count != 0)
        timeTotals(ctx, k, report, true, true);
}

// --- Races ---------------------------------------------------------------------------------------

void race(Context& ctx) {
    const Columns columns{{QStringLiteral("DATE"), 13}, {QStringLiteral("TYPE"), 13},
                          {ctx.unitHeader(), 7},        {QStringLiteral("TIME"), 9},
                          {QStringLiteral("PACE"), 7},  {QStringLiteral("RACE"), 46}};
    ctx.header(headerLine(columns));
    const QString distanceColumn = ctx.kind->distanceColumn(ctx.req.miles);
    const QString sql = QStringLiteral("SELECT RaceID, Format(RaceDate, 'dd-mmm-yyyy') AS tDate, RaceName, "
                                       "RaceType, RaceDistance, RaceDistanceKM, RaceTime FROM RaceLog "
                                       "WHERE Exercise = ? AND User_Name = ? ") +
                        ctx.criteria() + QStringLiteral("ORDER BY RaceDate");
    for (ResultSet rs = ctx.conn.query(sql, {ctx.kind->nameText(), ctx.req.user}); !rs.eof(); rs.moveNext()) {
        const QString time = rs.field(u"RaceTime");
        const QString id = rs.field(u"RaceID");
        ctx.lines.append(
            row(columns, {rs.field(u"tDate"), rs.field(u"RaceType"), rs.field(distanceColumn), time,
                          pace(time, rs.value(distanceColumn).toDouble()), rs.field(u"RaceName")}) +
                id,
            id.toLongLong());
    }
    ctx.lines << Blank;
}

using Procedure = void (*)(Context&);

// The report procedure of each kind and format, with the name its messages give it; the
// combined time report has no kind. A race report has no format (its options are disabled)
// and is found as a summary.
struct ProcedureEntry {
    const Kind* kind;
    Format format;
    const char* name;
    Procedure run;
};

constexpr ProcedureEntry Procedures[] = {
    {&WorkoutKinds::Running, Format::Full, "FullRunBikeRpt", fullRunBike},
    {&WorkoutKinds::Cycling, Format::Full, "FullRunBikeRpt", fullRunBike},
    {&WorkoutKinds::Swimming, Format::Full, "FullSwimRpt", fullTime},
    {&WorkoutKinds::Video, Format::Full, "FullVideoRpt", fullTime},
    {&WorkoutKinds::Other, Format::Full, "FullOtherRpt", fullTime},
    {nullptr, Format::Full, "FullTimeRpt", fullTime},
    {&WorkoutKinds::Running, Format::Weekly, "WeeklyRunRpt", weeklyRun},
    {&WorkoutKinds::Running, Format::Summary, "SummaryRunBikeRpt", summaryRunBike},
    {&WorkoutKinds::Cycling, Format::Summary, "SummaryRunBikeRpt", summaryRunBike},
    {&WorkoutKinds::Swimming, Format::Summary, "SummarySwimRpt", summaryTime},
    {&WorkoutKinds::Video, Format::Summary, "SummaryVideoRpt", summaryTime},
    {&WorkoutKinds::Other, Format::Summary, "SummaryExerciseRpt", summaryTime},
    {nullptr, Format::Summary, "SummaryTimeRpt", summaryTime},
};

const QLatin1String CombinedTime("Time");

Procedure procedureFor(const QString& kind, Format format, QString& name) {
    const Kind* k = WorkoutKinds::find(kind);
    if (!k && kind != CombinedTime)
        return nullptr;
    const Format asked = format == Format::None ? Format::Summary : format;
    if (k && k->isRace()) {
        if (asked != Format::Summary)
            return nullptr;
        name = QStringLiteral("RaceRpt");
        return race;
    }
    for (const ProcedureEntry& p : Procedures) {
        if (p.format == asked && p.kind == k) {
            name = QLatin1String(p.name);
            return p.run;
        }
    }
    return nullptr;
}

} // namespace

QString procedureName(const QString& kind, Format format) {
    QString name;
    procedureFor(kind, format, name);
    return name;
}

QString failureMessage(const QString& procedure, const QString& why) {
    const QString context = procedure == QLatin1String("RaceRpt")
                                ? QStringLiteral("Could not retrieve race data - ")
                                : QStringLiteral("Could not retrieve data - ");
    return context + why + QStringLiteral(" - In frmTextRpt ") + procedure;
}

Result create(Connection& conn, const Request& request) {
    Result result;
    QString name;
    const Procedure procedure = procedureFor(request.kind, request.format, name);
    if (!procedure) {
        result.error = QStringLiteral("Program Error");
        return result;
    }
    try {
        // Criteria are text a person writes: a report never runs for longer than this.
        const Connection::Deadline deadline(conn, TimeLimitMs);
        Transaction transaction(conn, Transaction::Mode::Read);
        Context ctx{conn, request, result.lines, WorkoutKinds::find(request.kind)};
        procedure(ctx);
        transaction.commit();
    } catch (const std::exception& e) {
        result.error = failureMessage(name, describe(e));
    }
    return result;
}

QString caption(const QString& kind) {
    if (const Kind* k = WorkoutKinds::find(kind))
        return QLatin1String(k->caption);
    return kind == CombinedTime ? QStringLiteral("Combined Time Report") : QString();
}

} // namespace TextReport
