#include "CalendarReport.h"

#include "Connection.h"
#include "DateText.h"
#include "Transaction.h"

#include <QRegularExpression>

namespace CalendarReport {

namespace {

using WorkoutKinds::Kind;

// One SELECT per kind joined by UNION ALL, filtered on the user and on the month as a date
// range (the index on user and date serves every part), in date and entry order. Each row
// carries the position of its kind in WorkoutKinds::Workouts: the kind of the table the row
// came from, not the text on line 1, so that a user-defined exercise named "Running" is not
// taken for a run.
QString statement(bool miles) {
    QStringList selects;
    for (size_t i = 0; i < WorkoutKinds::Workouts.size(); ++i) {
        const Kind& kind = *WorkoutKinds::Workouts[i];
        const QString distance = kind.distanceColumn(miles);
        const QString detail = distance.isEmpty() ? QLatin1String(kind.detailColumn) : distance;
        selects << QStringLiteral(
                       "SELECT %1 As Source, Exercise_ID, Exercise_Date, "
                       "Format(Exercise_Date, 'd') As tDay, %2 As Exercise_Type, "
                       "%3 As Distance, Exercise_Time FROM Exercise_Master, %4 "
                       "WHERE Exercise_Date BETWEEN ? AND ? AND Exercise_ID = %5 AND User_Name = ? ")
                       .arg(qsizetype(i))
                       .arg(QLatin1String(kind.nameColumn), detail, QLatin1String(kind.table->name),
                            QLatin1String(kind.table->key));
    }
    return selects.join(QStringLiteral("UNION ALL ")) + QStringLiteral("ORDER BY Exercise_Date, Exercise_ID");
}

quint32 colorOf(const Kind& kind, const QString& name) {
    // Of the user's own exercises, weight training has a colour of its own.
    if (&kind == &WorkoutKinds::Other && name == QLatin1String("Weights"))
        return WeightsColor;
    return kind.calendarColor;
}

QString detailOf(const Kind& kind, const QString& value, bool miles) {
    if (value.isEmpty())
        return QStringLiteral(" ");
    switch (kind.unit) {
    case WorkoutKinds::Unit::Laps:
        return QStringLiteral("Laps: ") + value;
    case WorkoutKinds::Unit::Miles:
        return (miles ? QStringLiteral("Miles: ") : QStringLiteral("KM: ")) + value;
    case WorkoutKinds::Unit::None:
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
    const QDate first(month.year(), month.month(), 1);
    QVariantList params;
    for (size_t i = 0; i < WorkoutKinds::Workouts.size(); ++i)
        params << DateText::iso(first) << DateText::iso(first.addMonths(1).addDays(-1)) << user;
    Transaction read(conn, Transaction::Mode::Read);
    for (ResultSet rs = conn.query(statement(miles), params); !rs.eof(); rs.moveNext()) {
        const Kind& kind = *WorkoutKinds::Workouts.at(size_t(rs.value(0).toInt()));
        const QString name = rs.field(QStringLiteral("Exercise_Type"));
        out.push_back({rs.field(QStringLiteral("tDay")), name,
                       detailOf(kind, rs.field(QStringLiteral("Distance")), miles),
                       QStringLiteral("Time: ") + rs.field(QStringLiteral("Exercise_Time")),
                       colorOf(kind, name)});
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
