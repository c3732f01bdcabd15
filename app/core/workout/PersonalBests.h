#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Connection;

// The fastest race of each race type of one user, per race kind.
//
// A race counts towards its type's best when its time reads as a time greater than zero; the
// best is the smallest time, and of equal times the earlier race. Every race of the type,
// timed or not, counts in `races`. Race types are told apart without regard to case, as the
// database compares them.
struct PersonalBest {
    QString kind;       // "RunningRace", "CyclingRace" or "SwimmingRace"
    QString raceType;   // as written in the best race (or the first race when none is timed)
    int races = 0;      // races of this type
    bool timed = false; // false: no race of the type has a usable time; the fields below are empty
    double minutes = 0;
    QString time; // the best time as h:mm:ss (or m:ss)
    // Runs and swims: the pace per mile or per kilometre, by the unit asked for; rides: the
    // speed in miles or kilometres per hour (rateHeading names it). Empty for a zero distance.
    QString pace;
    QDate date;
    QString raceName;
};

namespace PersonalBests {

// The bests of `user`, ordered by kind (running, cycling, swimming) and then by race type.
// Reads inside one read transaction on `conn`. Throws DbError.
std::vector<PersonalBest> compute(Connection& conn, const QString& user, bool miles);

// The heading of the pace column of a race kind: "Pace/mi" or "Pace/km", and for rides
// "MPH" or "KPH".
QString rateHeading(const QString& kind, bool miles);

// The bests as a text table, one line per race type under a heading line per race kind;
// "No races" when there are none.
QStringList lines(const std::vector<PersonalBest>& bests, bool miles);

// The best time (minutes) of one race type among the user's races other than `exceptRaceId`
// (0: none excepted); nothing when no other race of the type has a usable time.
std::optional<double> bestOtherThan(Connection& conn, const QString& user, const QString& kind,
                                    const QString& raceType, qint64 exceptRaceId);

// The message for a race saved with time `time` when it beats `previousBest` minutes; empty
// when it does not (or the time does not read as a time).
QString newBestMessage(const QString& raceType, const QString& time, double previousBest);

} // namespace PersonalBests
