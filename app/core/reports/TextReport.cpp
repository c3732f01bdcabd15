#include "TextReport.h"

#include "CLibrary.h"
#include "Clock.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "NumberText.h"
#include "ReportCriteria.h"
#include "Transaction.h"

#include <QHash>
#include <vector>

namespace TextReport {

namespace {

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

    QString user() const { return CLibrary::Quote(req.user); }
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

// --- Running and cycling ----------------------------------------------------------------------

struct RunBike {
    bool runs;
    QString countWord;  // Runs / Rides
    QString detail;     // Running_Log / Cycling_Log
    QString key;        // Running_Id / Cycling_Id
    QString rateHeader; // PACE / MPH / KPH
    QString rateWord;   // Pace / MPH / KPH

    static RunBike of(const Context& ctx) {
        const bool runs = ctx.req.kind == QLatin1String("Running");
        const QString speedWord = ctx.req.miles ? QStringLiteral("MPH") : QStringLiteral("KPH");
        return {runs,
                runs ? QStringLiteral("Runs") : QStringLiteral("Rides"),
                runs ? QStringLiteral("Running_Log") : QStringLiteral("Cycling_Log"),
                runs ? QStringLiteral("Running_Id") : QStringLiteral("Cycling_Id"),
                runs ? QStringLiteral("PACE") : speedWord,
                runs ? QStringLiteral("Pace") : speedWord};
    }
    QString rate(const QString& time, double distance) const {
        return runs ? pace(time, distance) : speed(time, distance);
    }
    // The two total lines of a month or of the report.
    void totals(Context& ctx, const Totals& t, const QString& lead, const QString& indent) const {
        const QString T = t.time();
        ctx.lines << lead + ctx.unitWord() + QLatin1Char('=') + general(t.distance) +
                         QStringLiteral(" Time=") + T + QLatin1Char(' ') + rateWord + QLatin1Char('=') +
                         rate(T, t.distance);
        ctx.lines << indent + countWord + QLatin1Char('=') + QString::number(t.count) +
                         QStringLiteral(" Avg ") + ctx.unitWord() + QLatin1Char('=') + t.averageDistance() +
                         QStringLiteral(" Avg Time=") + t.averageTime();
    }
};

void fullRunBike(Context& ctx) {
    const RunBike rb = RunBike::of(ctx);
    ctx.header(pad(QStringLiteral("DATE"), 13) + pad(ctx.unitHeader(), 7) + pad(QStringLiteral("TIME"), 9) +
               pad(rb.rateHeader, 7) + pad(QStringLiteral("DAY"), 10) + QStringLiteral("COURSE"));
    const QString sql = FullSelect + QStringLiteral("Miles, Kilometers, Course, Exercise_ID ") +
                        QStringLiteral("FROM Exercise_Master, ") + rb.detail + QStringLiteral(" ") +
                        QStringLiteral("WHERE Exercise_Id = ") + rb.key + QStringLiteral(" ") +
                        QStringLiteral("AND User_Name = ") + ctx.user() + QStringLiteral(" ") +
                        ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    Totals month, report;
    QString previous;
    ResultSet rs = ctx.conn.query(sql);
    enum { Time, Distance, Date, Day, Course, Id, Comments };
    const std::vector<int> col =
        rs.eof() ? std::vector<int>()
                 : columnsOf(rs, {"Exercise_Time", ctx.req.miles ? "Miles" : "Kilometers", "tDate",
                                  "Exercise_Day", "Course", "Exercise_ID", "Comments"});
    DateTexts dates;
    QString line; // the record line being written
    for (; !rs.eof(); rs.moveNext()) {
        dates.read(rs.field(col[Date]));
        const QString& tMonth = dates.month();
        if (tMonth != previous) {
            if (month.count != 0) {
                rb.totals(ctx, month, MonthTotals, MonthIndent);
                report.add(month);
                month = Totals();
            }
            ctx.lines << Blank << tMonth;
            previous = tMonth;
        }
        const QString time = rs.field(col[Time]);
        month.minutes += CLibrary::GetMinutes(time);
        const double distance = rs.value(col[Distance]).toDouble();
        month.distance += distance;
        line.resize(0); // keeps its capacity from row to row
        appendPadded(line, dates.day(), 13);
        appendPadded(line, rs.field(col[Distance]), 7);
        appendPadded(line, time, 9);
        appendPadded(line, rb.rate(time, distance), 7);
        appendPadded(line, rs.field(col[Day]), 10);
        appendPadded(line, rs.field(col[Course]), 50);
        const QString id = rs.field(col[Id]);
        line += id;
        ctx.lines.append(line, id.toLongLong());
        ctx.comment(rs.field(col[Comments]), id.toLongLong());
        ++month.count;
    }
    if (month.count == 0)
        return;
    rb.totals(ctx, month, MonthTotals, MonthIndent);
    ctx.lines << Blank;
    report.add(month);
    rb.totals(ctx, report, ReportTotals, ReportIndent);
}

// The summary reports' month loop: the workouts of `sql` (Exercise_Time, the distance column
// if any, and the stored date as tDate, in date order) summed per month, one line a month
// written by `monthLine(month label, month sums)`, then a blank line. Returns the report's
// sums; when there are no workouts nothing is written and the count is 0.
template <typename MonthLine>
Totals summedByMonth(Context& ctx, const QString& sql, const QString& distanceColumn, MonthLine monthLine) {
    Totals month, report;
    QString previous;
    DateTexts dates;
    for (ResultSet rs = ctx.conn.query(sql); !rs.eof(); rs.moveNext()) {
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

void summaryRunBike(Context& ctx) {
    const RunBike rb = RunBike::of(ctx);
    ctx.header(pad(QStringLiteral("MONTH"), 15) + pad(ctx.unitHeader(), 8) + pad(QStringLiteral("TIME"), 9) +
               pad(rb.rateHeader, 7) + pad(rb.countWord.toUpper(), 7) +
               pad(QStringLiteral("AVG ") + ctx.unitHeader(), 11) + pad(QStringLiteral("AVG TIME"), 10));
    const QString sql = QStringLiteral("SELECT Exercise_Time, ") +
                        QStringLiteral("Miles, Kilometers, Exercise_Date AS tDate ") +
                        QStringLiteral("FROM Exercise_Master, ") + rb.detail + QStringLiteral(" ") +
                        QStringLiteral("WHERE Exercise_Id = ") + rb.key + QStringLiteral(" ") +
                        QStringLiteral("AND User_Name = ") + ctx.user() + QStringLiteral(" ") +
                        ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    const Totals report =
        summedByMonth(ctx, sql, ctx.distanceColumn(), [&](const QString& label, const Totals& month) {
            const QString T = month.time();
            ctx.lines << pad(label, 15) + pad(general(month.distance), 8) + pad(T, 9) +
                             pad(rb.rate(T, month.distance), 7) + pad(QString::number(month.count), 7) +
                             pad(month.averageDistance(), 11) + pad(month.averageTime(), 10);
        });
    if (report.count != 0)
        rb.totals(ctx, report, ReportTotals, ReportIndent);
}

// The week span of the weekly report, from the criteria the dialog writes.
bool weekSpan(Context& ctx, QDate& start, QDate& end) {
    const QString& criteria = ctx.req.criteria;
    const QDate today = Clock::today();
    end = today;
    const auto quoted = [&](qsizetype from) {
        const qsizetype open = criteria.indexOf(QLatin1Char('\''), from);
        const qsizetype close = open < 0 ? -1 : criteria.indexOf(QLatin1Char('\''), open + 1);
        if (close < 0)
            throw DbError(QStringLiteral("Type mismatch"));
        const auto date = DateText::parse(criteria.mid(open + 1, close - open - 1));
        if (!date)
            throw DbError(QStringLiteral("Type mismatch"));
        return *date;
    };
    if (criteria.contains(QLatin1String("Now, 'MMMM YYYY'"))) {
        start = QDate(today.year(), today.month(), 1);
    } else if (criteria.contains(QLatin1String("Now, 'YYYY'"))) {
        start = QDate(today.year(), 1, 1);
    } else if (const qsizetype between = criteria.indexOf(QLatin1String("BETWEEN")); between >= 0) {
        start = quoted(between);
        const qsizetype andFormat = criteria.indexOf(QLatin1String("AND Format"));
        if (andFormat < 0)
            throw DbError(QStringLiteral("Type mismatch"));
        end = quoted(andFormat);
    } else {
        ResultSet rs = ctx.conn.query(QStringLiteral("SELECT MIN(Exercise_Date) As tDate ") +
                                      QStringLiteral("FROM Exercise_Master, Running_Log ") +
                                      QStringLiteral("WHERE Exercise_ID = Running_ID ") +
                                      QStringLiteral("AND User_Name = ") + ctx.user());
        if (rs.eof())
            return false;
        const auto first = DateText::parse(rs.field(u"tDate"));
        if (!first)
            return false;
        start = *first;
    }
    return true;
}

void weeklyRun(Context& ctx) {
    ctx.header(pad(QStringLiteral("WEEK"), 15) + pad(ctx.unitHeader(), 8) + pad(QStringLiteral("TIME"), 9) +
               pad(QStringLiteral("PACE"), 7) + pad(QStringLiteral("RUNS"), 7) +
               pad(QStringLiteral("AVG ") + ctx.unitHeader(), 11) + pad(QStringLiteral("AVG TIME"), 10));
    const QString criteria = ctx.criteria();
    QDate start, end;
    if (!weekSpan(ctx, start, end))
        return;
    start = start.addDays(-(start.dayOfWeek() % 7)); // back to Sunday
    // One statement for the whole span in date order; each week's line is written once the
    // rows reach a later week, so a row that fails the report leaves the weeks before it.
    const qint64 weeks = start <= end ? start.daysTo(end) / 7 + 1 : 0;
    const QString sql = QStringLiteral("SELECT ") + ctx.distanceColumn() +
                        QStringLiteral(" AS Mile, Exercise_Time, Exercise_Date ") +
                        QStringLiteral("FROM Running_Log, Exercise_Master ") +
                        QStringLiteral("WHERE Exercise_ID = Running_ID ") +
                        QStringLiteral("AND Exercise_Date BETWEEN ? AND ? ") + criteria +
                        QStringLiteral("AND User_Name = ") + ctx.user() +
                        QStringLiteral(" ORDER BY Exercise_Date");
    Totals report, week;
    qint64 written = 0; // weeks whose lines are written
    const auto writeWeek = [&] {
        const QDate weekStart = start.addDays(7 * written);
        ++written;
        const QString label = pad(DateText::format(weekStart, QStringLiteral("dd-mmm-yyyy")), 15);
        if (week.count == 0) {
            ctx.lines << label + pad(QStringLiteral("0"), 8) + pad(QStringLiteral("0:00"), 9) +
                             pad(QStringLiteral("0:00"), 7) + pad(QStringLiteral("0"), 7) +
                             pad(QStringLiteral("0"), 11) + pad(QStringLiteral("0:00"), 10);
            return;
        }
        report.add(week);
        const QString T = week.time();
        ctx.lines << label + pad(general(week.distance), 8) + pad(T, 9) + pad(pace(T, week.distance), 7) +
                         pad(QString::number(week.count), 7) + pad(week.averageDistance(), 11) +
                         pad(week.averageTime(), 10);
        week = Totals();
    };
    if (weeks > 0) {
        ResultSet rs =
            ctx.conn.query(sql, {DateText::iso(start), DateText::iso(start.addDays(7 * weeks - 1))});
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
        ctx.lines << ReportTotals + unit + QStringLiteral("=0 Time=0:00 Pace=0:00");
        ctx.lines << ReportIndent + QStringLiteral("Runs=0") + QStringLiteral(" Avg ") + unit +
                         QStringLiteral("=0 Avg Time=0:00");
        ctx.lines << ReportIndent + QStringLiteral("Average ") + unit + QStringLiteral(" per Week=0");
        return;
    }
    const QString T = report.time();
    ctx.lines << ReportTotals + unit + QLatin1Char('=') + general(report.distance) +
                     QStringLiteral(" Time=") + T + QStringLiteral(" Pace=") + pace(T, report.distance);
    ctx.lines << ReportIndent + QStringLiteral("Runs=") + QString::number(report.count) +
                     QStringLiteral(" Avg ") + unit + QLatin1Char('=') + report.averageDistance() +
                     QStringLiteral(" Avg Time=") + report.averageTime();
    ctx.lines << ReportIndent + QStringLiteral("Average ") + unit + QStringLiteral(" per Week=") +
                     fixed2(report.distance / double(weeks));
}

// --- Swimming, video, user-defined and combined time ---------------------------------------------

// How one of the kinds without distances differs from the others.
struct TimeKind {
    bool swim = false;
    QString fullColumns;    // after the full select: "Laps, Location, ... "
    QString summaryColumns; // after "SELECT Exercise_Time, "
    QString from; // "FROM ... WHERE Exercise_Id = ... AND User_Name = " or "FROM ... WHERE User_Name = "
    QString fullHeader;
    // The fields of a record line before its number, with their widths; nullptr stands for
    // an empty field.
    std::vector<std::pair<const char*, qint16>> record;
};

TimeKind timeKind(const QString& kind) {
    TimeKind k;
    const QString monthAndId = QStringLiteral("Exercise_ID ");
    const QString month = QStringLiteral("Exercise_Date AS tDate ");
    const auto detailFrom = [](const QString& table, const QString& key) {
        return QStringLiteral("FROM Exercise_Master, ") + table + QStringLiteral(" ") +
               QStringLiteral("WHERE Exercise_Id = ") + key + QStringLiteral(" ") +
               QStringLiteral("AND User_Name = ");
    };
    if (kind == QLatin1String("Swimming")) {
        k.swim = true;
        k.fullColumns = QStringLiteral("Laps, Location, ") + monthAndId;
        k.summaryColumns = QStringLiteral("Laps, ") + month;
        k.from = detailFrom(QStringLiteral("Swimming_Log"), QStringLiteral("Swimming_Id"));
        k.fullHeader = pad(QStringLiteral("DATE"), 13) + pad(QStringLiteral("LAPS"), 7) +
                       pad(QStringLiteral("TIME"), 9) + pad(QStringLiteral("DAY"), 10) +
                       QStringLiteral("LOCATION");
        k.record = {{"tDate", 13}, {"Laps", 7}, {"Exercise_Time", 9}, {"Exercise_Day", 10}, {"Location", 57}};
    } else if (kind == QLatin1String("Video")) {
        k.fullColumns = QStringLiteral("Video, ") + monthAndId;
        k.summaryColumns = month;
        k.from = detailFrom(QStringLiteral("Video_Log"), QStringLiteral("Video_Id"));
        k.fullHeader = pad(QStringLiteral("DATE"), 13) + pad(QStringLiteral("TIME"), 9) +
                       pad(QStringLiteral("DAY"), 10) + pad(QStringLiteral("VIDEO"), 66);
        k.record = {{"tDate", 13}, {"Exercise_Time", 9}, {"Exercise_Day", 10}, {"Video", 66}};
    } else if (kind == QLatin1String("Other")) {
        k.fullColumns = QStringLiteral("Exercise_Name, ") + QStringLiteral("Exercise_ID, Field1 ");
        k.summaryColumns = month;
        k.from = detailFrom(QStringLiteral("OtherLog"), QStringLiteral("Other_ID"));
        k.fullHeader = pad(QStringLiteral("DATE"), 13) + pad(QStringLiteral("TIME"), 9) +
                       pad(QStringLiteral("DAY"), 10) + pad(QStringLiteral("EXERCISE"), 25) +
                       pad(QStringLiteral("FIELD1"), 41);
        k.record = {
            {"tDate", 13}, {"Exercise_Time", 9}, {"Exercise_Day", 10}, {"Exercise_Name", 25}, {"Field1", 41}};
    } else { // Time
        k.fullColumns = QStringLiteral("Exercise_Type, ") + monthAndId;
        k.summaryColumns = month;
        k.from = QStringLiteral("FROM Exercise_Master ") + QStringLiteral("WHERE User_Name = ");
        k.fullHeader = pad(QStringLiteral("DATE"), 13) + pad(QStringLiteral("TIME"), 9) +
                       pad(QStringLiteral("DAY"), 12) + pad(QStringLiteral("EXERCISE"), 25);
        k.record = {
            {"tDate", 13}, {"Exercise_Time", 9}, {"Exercise_Day", 12}, {"Exercise_Type", 25}, {nullptr, 39}};
    }
    return k;
}

// The total lines of the kinds without distances; `summary` selects the summary reports'
// report totals, which have one blank less after "->".
void timeTotals(Context& ctx, const TimeKind& k, const Totals& t, bool reportTotals, bool summary) {
    const QString lead = reportTotals ? ReportTotals : MonthTotals;
    if (k.swim) {
        ctx.lines << lead + QStringLiteral("Laps=") + general(t.distance) + QStringLiteral(" Time=") +
                         t.time();
        ctx.lines << (reportTotals ? ReportIndent : MonthIndent) + QStringLiteral("Swims=") +
                         QString::number(t.count) + QStringLiteral(" Avg Laps=") + t.averageDistance() +
                         QStringLiteral(" Avg Time=") + t.averageTime();
        return;
    }
    ctx.lines << lead + (summary ? QString() : Blank) + QStringLiteral("Time=") + t.time() +
                     QStringLiteral(" Exercises=") + QString::number(t.count) + QStringLiteral(" Avg Time=") +
                     t.averageTime();
}

void fullTime(Context& ctx) {
    const TimeKind k = timeKind(ctx.req.kind);
    ctx.header(k.fullHeader);
    const QString sql = FullSelect + k.fullColumns + k.from + ctx.user() + QStringLiteral(" ") +
                        ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    Totals month, report;
    QString previous;
    ResultSet rs = ctx.conn.query(sql);
    enum { Date, Time, Id, Comments, Laps };
    std::vector<int> col, recordCol;
    if (!rs.eof()) {
        col = columnsOf(rs, {"tDate", "Exercise_Time", "Exercise_ID", "Comments", k.swim ? "Laps" : "tDate"});
        for (const auto& [name, width] : k.record)
            recordCol.push_back(name ? columnsOf(rs, {name}).front() : -1);
    }
    DateTexts dates;
    QString line; // the record line being written
    for (; !rs.eof(); rs.moveNext()) {
        dates.read(rs.field(col[Date]));
        const QString& tMonth = dates.month();
        if (tMonth != previous) {
            if (month.count != 0) {
                timeTotals(ctx, k, month, false, false);
                report.add(month);
                month = Totals();
            }
            ctx.lines << Blank << tMonth;
            previous = tMonth;
        }
        month.minutes += CLibrary::GetMinutes(rs.field(col[Time]));
        if (k.swim)
            month.distance += rs.value(col[Laps]).toDouble();
        line.resize(0); // keeps its capacity from row to row
        for (size_t i = 0; i < k.record.size(); ++i)
            appendPadded(line,
                         recordCol[i] < 0            ? QString()
                         : recordCol[i] == col[Date] ? dates.day()
                                                     : rs.field(recordCol[i]),
                         k.record[i].second);
        const QString id = rs.field(col[Id]);
        line += id;
        ctx.lines.append(line, id.toLongLong());
        ctx.comment(rs.field(col[Comments]), id.toLongLong());
        ++month.count;
    }
    if (month.count == 0)
        return;
    timeTotals(ctx, k, month, false, false);
    ctx.lines << Blank;
    report.add(month);
    timeTotals(ctx, k, report, true, false);
}

void summaryTime(Context& ctx) {
    const TimeKind k = timeKind(ctx.req.kind);
    if (k.swim)
        ctx.header(pad(QStringLiteral("MONTH"), 15) + pad(QStringLiteral("LAPS"), 8) +
                   pad(QStringLiteral("TIME"), 9) + pad(QStringLiteral("SWIMS"), 7) +
                   pad(QStringLiteral("AVG LAPS"), 11) + pad(QStringLiteral("AVG TIME"), 10));
    else
        ctx.header(pad(QStringLiteral("MONTH"), 15) + pad(QStringLiteral("TIME"), 9) +
                   pad(QStringLiteral("EXERCISES"), 11) + pad(QStringLiteral("AVG TIME"), 10));
    const QString sql = QStringLiteral("SELECT Exercise_Time, ") + k.summaryColumns + k.from + ctx.user() +
                        QStringLiteral(" ") + ctx.criteria() + QStringLiteral("ORDER BY Exercise_Date");
    const QString laps = k.swim ? QStringLiteral("Laps") : QString();
    const Totals report = summedByMonth(ctx, sql, laps, [&](const QString& label, const Totals& month) {
        if (k.swim)
            ctx.lines << pad(label, 15) + pad(general(month.distance), 8) + pad(month.time(), 9) +
                             pad(QString::number(month.count), 7) + pad(month.averageDistance(), 11) +
                             pad(month.averageTime(), 10);
        else
            ctx.lines << pad(label, 15) + pad(month.time(), 9) + pad(QString::number(month.count), 11) +
                             pad(month.averageTime(), 10);
    });
    if (report.count != 0)
        timeTotals(ctx, k, report, true, true);
}

// --- Races ---------------------------------------------------------------------------------------

void race(Context& ctx) {
    ctx.header(pad(QStringLiteral("DATE"), 13) + pad(QStringLiteral("TYPE"), 13) + pad(ctx.unitHeader(), 7) +
               pad(QStringLiteral("TIME"), 9) + pad(QStringLiteral("PACE"), 7) +
               pad(QStringLiteral("RACE"), 46));
    const QString distanceColumn =
        ctx.req.miles ? QStringLiteral("RaceDistance") : QStringLiteral("RaceDistanceKM");
    const QString sql =
        QStringLiteral("SELECT RaceID, Format(RaceDate, 'dd-mmm-yyyy') AS tDate, RaceName, ") +
        QStringLiteral("RaceType, RaceDistance, RaceDistanceKM, RaceTime ") +
        QStringLiteral("FROM RaceLog ") + QStringLiteral("WHERE Exercise = ") +
        CLibrary::Quote(ctx.req.kind) + QStringLiteral(" ") + QStringLiteral("AND User_Name = ") +
        ctx.user() + QStringLiteral(" ") + ctx.criteria() + QStringLiteral("ORDER BY RaceDate");
    for (ResultSet rs = ctx.conn.query(sql); !rs.eof(); rs.moveNext()) {
        const QString time = rs.field(u"RaceTime");
        const QString id = rs.field(u"RaceID");
        ctx.lines.append(QString(pad(rs.field(u"tDate"), 13) + pad(rs.field(u"RaceType"), 13) +
                                 pad(rs.field(distanceColumn), 7) + pad(time, 9) +
                                 pad(pace(time, rs.value(distanceColumn).toDouble()), 7) +
                                 pad(rs.field(u"RaceName"), 46) + id),
                         id.toLongLong());
    }
    ctx.lines << Blank;
}

using Procedure = void (*)(Context&);

// The report procedure of each kind and format, with the name its messages give it. A
// race report has no format (its options are disabled) and is found as a summary.
struct ProcedureEntry {
    const char* kind;
    Format format;
    const char* name;
    Procedure run;
};

constexpr ProcedureEntry Procedures[] = {
    {"Running", Format::Full, "FullRunBikeRpt", fullRunBike},
    {"Cycling", Format::Full, "FullRunBikeRpt", fullRunBike},
    {"Swimming", Format::Full, "FullSwimRpt", fullTime},
    {"Video", Format::Full, "FullVideoRpt", fullTime},
    {"Other", Format::Full, "FullOtherRpt", fullTime},
    {"Time", Format::Full, "FullTimeRpt", fullTime},
    {"Running", Format::Weekly, "WeeklyRunRpt", weeklyRun},
    {"Running", Format::Summary, "SummaryRunBikeRpt", summaryRunBike},
    {"Cycling", Format::Summary, "SummaryRunBikeRpt", summaryRunBike},
    {"Swimming", Format::Summary, "SummarySwimRpt", summaryTime},
    {"Video", Format::Summary, "SummaryVideoRpt", summaryTime},
    {"Other", Format::Summary, "SummaryExerciseRpt", summaryTime},
    {"Time", Format::Summary, "SummaryTimeRpt", summaryTime},
};

Procedure procedureFor(const QString& kind, Format format, QString& name) {
    const Format asked = format == Format::None ? Format::Summary : format;
    for (const ProcedureEntry& p : Procedures) {
        if (p.format == asked && kind == QLatin1String(p.kind)) {
            name = QLatin1String(p.name);
            return p.run;
        }
    }
    if (asked == Format::Summary && ReportCriteria::isRaceKind(kind)) {
        name = QStringLiteral("RaceRpt");
        return race;
    }
    return nullptr;
}

} // namespace

QString procedureName(const QString& kind, Format format) {
    QString name;
    procedureFor(kind, format, name);
    return name;
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
        Context ctx{conn, request, result.lines};
        procedure(ctx);
        transaction.commit();
    } catch (const std::exception& e) {
        const QString context = name == QLatin1String("RaceRpt")
                                    ? QStringLiteral("Could not retrieve race data - ")
                                    : QStringLiteral("Could not retrieve data - ");
        result.error = context + describe(e) + QStringLiteral(" - In frmTextRpt ") + name;
    }
    return result;
}

QString caption(const QString& kind) {
    static const QHash<QString, QString> captions = {
        {QStringLiteral("Running"), QStringLiteral("Running Report")},
        {QStringLiteral("Cycling"), QStringLiteral("Cycling Report")},
        {QStringLiteral("Swimming"), QStringLiteral("Swimming Report")},
        {QStringLiteral("Video"), QStringLiteral("Video Report")},
        {QStringLiteral("Other"), QStringLiteral("Exercise Report")},
        {QStringLiteral("RunningRace"), QStringLiteral("Running Race Report")},
        {QStringLiteral("CyclingRace"), QStringLiteral("Cycling Race Report")},
        {QStringLiteral("SwimmingRace"), QStringLiteral("Swimming Race Report")},
        {QStringLiteral("Time"), QStringLiteral("Combined Time Report")}};
    return captions.value(kind);
}

} // namespace TextReport
