#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class Connection;

// Race times that a runner's recent races predict for other distances: T2 = T1 x (D2/D1)^1.06,
// from the race nearest in distance to the target.
namespace RacePredictions {

inline constexpr double Exponent = 1.06;
// No prediction from a race shorter than this, nor for a target more than MostFactor times
// the race's distance: the formula holds poorly beyond.
inline constexpr double ShortestRaceKm = 1.5;
inline constexpr double MostFactor = 10.0;
// Races count from this many days before today up to today.
inline constexpr int RecentDays = 365;

// A running race with a usable time.
struct Race {
    QDate date;
    QString type;
    double km = 0;
    double minutes = 0;
};

// A distance to predict: the four standard ones and the user's running race types.
struct Target {
    QString name;
    double km = 0;
};

struct Prediction {
    Target target;
    bool predicted = false; // false: no race qualifies; the fields below are empty
    double minutes = 0;
    Race from;
};

// 5K, 10K, Half Marathon (21.0975 km) and Marathon (42.195 km).
const std::vector<Target>& standardTargets();

// The prediction for each target from the race nearest to it in distance among those that
// qualify (at least ShortestRaceKm, target at most MostFactor times the race); on a tie the
// faster prediction.
std::vector<Prediction> predict(const std::vector<Target>& targets, const std::vector<Race>& races);

// The standard targets, then the user's running race types with a distance (by distance; a
// type named like a standard target is left out).
std::vector<Target> targets(Connection& conn, const QString& user);
// The user's running races from RecentDays before `today` up to `today` whose time reads as a
// time greater than zero.
std::vector<Race> recentRaces(Connection& conn, const QString& user, const QDate& today);
// Both of the above, in one read transaction: the predictions, or none at all when there is
// no race to predict from. Throws DbError.
std::vector<Prediction> compute(Connection& conn, const QString& user, const QDate& today);

// What is shown instead when there is no race to predict from.
QString noRaceMessage();
// "5K (3.1 miles)", "Marathon (42.2 km)".
QString distanceText(const Target& target, bool miles);
// "2026-11-26, Turkey Trot, 22:30": the race a prediction comes from, with `date` its date
// as the caller shows dates.
QString fromText(const Prediction& prediction, const QString& date);
// One line per target, Distance, Predicted and From tab-separated ("-" and nothing for a
// target without a prediction); the message alone when there is none at all.
QStringList lines(const std::vector<Prediction>& predictions, bool miles);

} // namespace RacePredictions
