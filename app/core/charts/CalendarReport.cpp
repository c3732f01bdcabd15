#include "CalendarReport.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DateText.h"
#include "Transaction.h"

#include <QRegularExpression>

namespace CalendarReport {

namespace {

// The sources of the month's workouts: where each kind keeps its detail, and how its rows are
// told apart from the others (the kind of the table the row came from, not the text on line 1,
// so that a user-defined exercise named "Running" is not taken for a run).
enum class Source { Running, Cycling, UserDefined, Swimming, Video };

struct Part {
    Source source;
    const char* kindColumn;   // line 1
    const char* detailColumn; // line 2's value; miles or kilometres for runs and rides
    const char* table;
    const char* key;
};

const Part Parts[] = {
    {Source::Running, "Exercise_Type", nullptr, "Running_Log", "Running_ID"},
    {Source::Cycling, "Exercise_Type", nullptr, "Cycling_Log", "Cycling_ID"},
    {Source::UserDefined, "Exercise_Name", "Field1", "OtherLog", "Other_ID"},
    {Source::Swimming, "Exercise_Type", "Laps", "Swimming_Log", "Swimming_ID"},
    {Source::Video, "Exercise_Type", "Video", "Video_Log", "Video_ID"},
};

// One SELECT per kind joined by UNION ALL, filtered on the user and on the month as a date
// range (the index on user and date serves every part), in date and entry order.
QString statement(const QString& user, const QDate& month, bool miles) {
    const QDate first(month.year(), month.month(), 1);
    const QString range = QStringLiteral("Exercise_Date BETWEEN %1 AND %2 ")
                              .arg(CLibrary::Quote(DateText::iso(first)),
                                   CLibrary::Quote(DateText::iso(first.addMonths(1).addDays(-1))));
    const QString distance = miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    QStringList selects;
    for (const Part& p : Parts) {
        const QString detail = p.detailColumn ? QLatin1String(p.detailColumn) : distance;
        selects << QStringLiteral("SELECT %1 As Source, Exercise_ID, Exercise_Date, "
                                  "Format(Exercise_Date, 'd') As tDay, %2 As Exercise_Type, "
                                  "%3 As Distance, Exercise_Time FROM Exercise_Master, %4 "
                                  "WHERE %5AND Exercise_ID = %6 AND User_Name = %7 ")
                       .arg(int(p.source))
                       .arg(QLatin1String(p.kindColumn), detail, QLatin1String(p.table), range,
                            QLatin1String(p.key), CLibrary::Quote(user));
    }
    return selects.join(QStringLiteral("UNION ALL ")) + QStringLiteral("ORDER BY Exercise_Date, Exercise_ID");
}

quint32 colorOf(Source source, const QString& kind) {
    switch (source) {
    case Source::Running:
        return RunningColor;
    case Source::Cycling:
        return CyclingColor;
    case Source::Swimming:
        return SwimmingColor;
    case Source::Video:
        return VideoColor;
    case Source::UserDefined:
        break;
    }
    return kind == QLatin1String("Weights") ? WeightsColor : OtherColor;
}

QString detailOf(Source source, const QString& value, bool miles) {
    if (value.isEmpty())
        return QStringLiteral(" ");
    switch (source) {
    case Source::Swimming:
        return QStringLiteral("Laps: ") + value;
    case Source::Running:
    case Source::Cycling:
        return (miles ? QStringLiteral("Miles: ") : QStringLiteral("KM: ")) + value;
    case Source::UserDefined:
    case Source::Video:
        break;
    }
    return value;
}

} // namespace

std::optional<QDate> parseMonth(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^\\s*([A-Za-z]+),?\\s+(\\d{4})\\s*$"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString name = match.captured(1);
    for (int m = 1; m <= 12; ++m) {
        const QDate first(match.captured(2).toInt(), m, 1);
        if (first.isValid() &&
            name.compare(DateText::format(first, QStringLiteral("mmmm")), Qt::CaseInsensitive) == 0)
            return first;
    }
    return std::nullopt;
}

std::vector<CalendarItem> items(Connection& conn, const QString& user, const QDate& month, bool miles) {
    std::vector<CalendarItem> out;
    if (!month.isValid())
        return out;
    Transaction read(conn, Transaction::Mode::Read);
    for (ResultSet rs = conn.query(statement(user, month, miles)); !rs.eof(); rs.moveNext()) {
        const auto source = Source(rs.value(0).toInt());
        const QString kind = rs.field(QStringLiteral("Exercise_Type"));
        out.push_back({rs.field(QStringLiteral("tDay")), kind,
                       detailOf(source, rs.field(QStringLiteral("Distance")), miles),
                       QStringLiteral("Time: ") + rs.field(QStringLiteral("Exercise_Time")),
                       colorOf(source, kind)});
    }
    read.commit();
    return out;
}

QList<QDate> workoutDays(Connection& conn, const QString& user, const QDate& first, const QDate& last) {
    QList<QDate> days;
    if (!first.isValid() || !last.isValid() || last < first)
        return days;
    // The index on user and date answers this without reading the workouts themselves.
    ResultSet rs = conn.query(QStringLiteral("SELECT DISTINCT Exercise_Date FROM Exercise_Master "
                                             "WHERE User_Name = ? AND Exercise_Date BETWEEN ? AND ? "
                                             "ORDER BY Exercise_Date"),
                              {user, DateText::iso(first), DateText::iso(last)});
    for (; !rs.eof(); rs.moveNext())
        if (const QDate day = QDate::fromString(rs.field(0), Qt::ISODate); day.isValid())
            days << day;
    return days;
}

} // namespace CalendarReport
