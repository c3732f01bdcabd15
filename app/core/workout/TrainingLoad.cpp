#include "TrainingLoad.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "HeartRate.h"
#include "NumberText.h"
#include "Transaction.h"

#include <algorithm>
#include <cmath>

namespace TrainingLoad {

namespace {

// One decimal, and never "-0.0" for a value that rounds to nothing.
QString oneDecimal(double value) {
    const QString text = NumberText::fixed(value, 1);
    return text == QLatin1String("-0.0") ? QStringLiteral("0.0") : text;
}

} // namespace

double trimp(double minutes, double averageBpm, int rest, int max) {
    if (max <= rest || !(minutes > 0))
        return 0;
    const double r = std::clamp((averageBpm - rest) / double(max - rest), 0.0, 1.0);
    return minutes * r * 0.64 * std::exp(1.92 * r);
}

std::vector<Day> series(const std::vector<Workout>& workouts, const QDate& first, const QDate& from,
                        const QDate& to) {
    std::vector<Day> days;
    if (!from.isValid() || !to.isValid() || to < from)
        return days;
    // Nothing happens before the first workout, so the run may start at whichever comes first.
    const QDate start = first.isValid() ? std::min(first, from) : from;
    std::vector<double> loads(size_t(start.daysTo(to)) + 1, 0.0);
    for (const Workout& w : workouts)
        if (w.date.isValid() && w.date >= start && w.date <= to)
            loads[size_t(start.daysTo(w.date))] += w.load;

    const double fitnessRate = 1 - std::exp(-1 / FitnessDays);
    const double fatigueRate = 1 - std::exp(-1 / FatigueDays);
    double fitness = 0, fatigue = 0;
    days.reserve(size_t(from.daysTo(to)) + 1);
    for (size_t i = 0; i < loads.size(); ++i) {
        Day day;
        day.date = start.addDays(qint64(i));
        day.load = loads[i];
        day.form = fitness - fatigue;
        fitness += (day.load - fitness) * fitnessRate;
        fatigue += (day.load - fatigue) * fatigueRate;
        day.fitness = fitness;
        day.fatigue = fatigue;
        if (day.date >= from)
            days.push_back(day);
    }
    return days;
}

Range read(Connection& conn, const QString& user, const QDate& from, const QDate& to) {
    Transaction snapshot(conn, Transaction::Mode::Read);
    const HeartRate::Settings hr = HeartRate::read(conn, user);
    if (!hr.max || !hr.rest)
        throw DbError(QStringLiteral("%1 has no maximum and resting heart rate set; set them under Heart "
                                     "Rate in the Utilities menu.")
                          .arg(user));
    std::vector<Workout> workouts;
    QDate first;
    int without = 0;
    for (ResultSet rs = conn.query(
             QStringLiteral("SELECT m.Exercise_Date AS Day, h.Average_HR AS Bpm, h.Seconds AS Seconds "
                            "FROM Exercise_Master AS m LEFT JOIN Exercise_HeartRate AS h "
                            "ON h.Exercise_ID = m.Exercise_ID WHERE m.User_Name = ?"),
             {user});
         !rs.eof(); rs.moveNext()) {
        Workout w;
        w.date = QDate::fromString(rs.field(0), Qt::ISODate);
        if (!w.date.isValid())
            continue;
        if (!first.isValid() || w.date < first)
            first = w.date;
        if (rs.isNull(QStringLiteral("Bpm"))) {
            if ((!from.isValid() || w.date >= from) && w.date <= to)
                ++without;
            continue;
        }
        w.load = trimp(rs.value(2).toDouble() / 60, rs.value(1).toDouble(), *hr.rest, *hr.max);
        workouts.push_back(w);
    }
    Range range;
    const QDate start = from.isValid() ? from : first;
    range.days = series(workouts, first, start, to);
    range.withoutHeartRate = without;
    return range;
}

QString line(const Day& day) {
    return QStringLiteral("%1\t%2\t%3\t%4\t%5")
        .arg(DateText::iso(day.date), oneDecimal(day.load), oneDecimal(day.fitness), oneDecimal(day.fatigue),
             oneDecimal(day.form));
}

} // namespace TrainingLoad
