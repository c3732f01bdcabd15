#include "RacePredictions.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "NumberText.h"
#include "Transaction.h"
#include "WorkoutLimits.h"

#include <algorithm>
#include <cmath>

namespace RacePredictions {

const std::vector<Target>& standardTargets() {
    static const std::vector<Target> targets{{QStringLiteral("5K"), 5.0},
                                             {QStringLiteral("10K"), 10.0},
                                             {QStringLiteral("Half Marathon"), 21.0975},
                                             {QStringLiteral("Marathon"), 42.195}};
    return targets;
}

std::vector<Prediction> predict(const std::vector<Target>& targets, const std::vector<Race>& races) {
    std::vector<Prediction> out;
    for (const Target& target : targets) {
        Prediction best;
        best.target = target;
        double bestGap = 0;
        for (const Race& race : races) {
            if (race.km < ShortestRaceKm || target.km > MostFactor * race.km || !(race.minutes > 0))
                continue;
            const double minutes = race.minutes * std::pow(target.km / race.km, Exponent);
            const double gap = std::fabs(race.km - target.km);
            // Distances come from typed decimals: gaps this close are the same gap.
            const bool tie = best.predicted && std::fabs(gap - bestGap) < 1e-9;
            if (!best.predicted || (!tie && gap < bestGap) || (tie && minutes < best.minutes)) {
                best.predicted = true;
                best.minutes = minutes;
                best.from = race;
                bestGap = gap;
            }
        }
        out.push_back(best);
    }
    return out;
}

std::vector<Target> targets(Connection& conn, const QString& user) {
    std::vector<Target> out = standardTargets();
    std::vector<Target> types;
    for (ResultSet rs = conn.query(QStringLiteral("SELECT RaceType, RaceDistance FROM RaceTypes "
                                                  "WHERE Exercise = 'RunningRace' AND User_Name = ?"),
                                   {user});
         !rs.eof(); rs.moveNext()) {
        const QString name = rs.field(QStringLiteral("RaceType")).trimmed();
        const double miles = rs.value(QStringLiteral("RaceDistance")).toDouble();
        const bool standard = std::any_of(out.begin(), out.end(), [&](const Target& t) {
            return t.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (name.isEmpty() || standard || !(miles > 0) || !WorkoutLimits::milesOk(miles))
            continue;
        types.push_back({name, miles * CLibrary::KilometersPerMile});
    }
    std::stable_sort(types.begin(), types.end(), [](const Target& a, const Target& b) {
        return a.km < b.km || (a.km == b.km && a.name.compare(b.name, Qt::CaseInsensitive) < 0);
    });
    out.insert(out.end(), types.begin(), types.end());
    return out;
}

std::vector<Race> recentRaces(Connection& conn, const QString& user, const QDate& today) {
    std::vector<Race> races;
    for (ResultSet rs = conn.query(
             QStringLiteral("SELECT RaceDate, RaceType, RaceTime, RaceDistance, RaceDistanceKM FROM RaceLog "
                            "WHERE Exercise = 'RunningRace' AND User_Name = ? AND RaceDate BETWEEN %1 AND %2 "
                            "ORDER BY RaceDate, RaceID")
                 .arg(CLibrary::Quote(DateText::iso(today.addDays(-RecentDays))),
                      CLibrary::Quote(DateText::iso(today))),
             {user});
         !rs.eof(); rs.moveNext()) {
        Race race;
        try {
            race.minutes = CLibrary::GetMinutes(rs.field(QStringLiteral("RaceTime")).trimmed());
        } catch (const DbError&) {
            continue;
        }
        // A time or distance no workout could hold is a typing slip, and no ground to predict on.
        if (!(race.minutes > 0) || !WorkoutLimits::minutesOk(race.minutes))
            continue;
        race.date = DateText::parse(rs.field(QStringLiteral("RaceDate"))).value_or(QDate());
        race.type = rs.field(QStringLiteral("RaceType")).trimmed();
        race.km = rs.value(QStringLiteral("RaceDistanceKM")).toDouble();
        // A race typed in miles only still has its distance.
        if (!(race.km > 0))
            race.km = rs.value(QStringLiteral("RaceDistance")).toDouble() * CLibrary::KilometersPerMile;
        if (WorkoutLimits::milesOk(race.km / CLibrary::KilometersPerMile))
            races.push_back(race);
    }
    return races;
}

std::vector<Prediction> compute(Connection& conn, const QString& user, const QDate& today) {
    Transaction read(conn, Transaction::Mode::Read);
    const std::vector<Race> races = recentRaces(conn, user, today);
    std::vector<Prediction> out;
    if (!races.empty())
        out = predict(targets(conn, user), races);
    read.commit();
    return out;
}

QString noRaceMessage() {
    return QStringLiteral("No running race in the last %1 days to predict from").arg(RecentDays);
}

QString distanceText(const Target& target, bool miles) {
    return miles ? QStringLiteral("%1 (%2 miles)")
                       .arg(target.name, NumberText::fixed(target.km / CLibrary::KilometersPerMile, 1))
                 : QStringLiteral("%1 (%2 km)").arg(target.name, NumberText::fixed(target.km, 1));
}

QString fromText(const Prediction& p, const QString& date) {
    if (!p.predicted)
        return QString();
    return QStringLiteral("%1, %2, %3")
        .arg(date, p.from.type.isEmpty() ? QStringLiteral("(no type)") : p.from.type,
             CLibrary::MinutesToString(p.from.minutes));
}

QStringList lines(const std::vector<Prediction>& predictions, bool miles) {
    if (predictions.empty())
        return {noRaceMessage()};
    QStringList out;
    for (const Prediction& p : predictions)
        out << QStringList{distanceText(p.target, miles),
                           p.predicted ? CLibrary::MinutesToString(p.minutes) : QStringLiteral("-"),
                           fromText(p, DateText::iso(p.from.date))}
                   .join(QLatin1Char('\t'));
    return out;
}

} // namespace RacePredictions
