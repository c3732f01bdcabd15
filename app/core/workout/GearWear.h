#pragma once

#include "WorkoutKinds.h"

#include <QString>
#include <optional>

class Connection;

// How far a pair of shoes or a bike has gone against its retirement distance: the distance
// shown beside the chosen item in the running and cycling logs, and the warning a save gives
// when it takes the item past 90% or past 100% of its limit.
namespace GearWear {

// Shoes or Bike; the catalog of each is described with the workout kinds.
using Gear = WorkoutKinds::Gear;

// Distances in miles, as stored: every decision (the share of the limit, the warnings) is taken
// on them, so an item is at its limit in either unit alike; kilometres are for showing only.
struct Wear {
    double done = 0;             // miles, summed over every logged workout of the user with the item
    std::optional<double> limit; // the retirement distance in miles; none: no limit (or no such item)
};

// The item's wear for `user`, read in one read transaction. The item is matched by name, as
// the logs store it. Throws DbError.
Wear read(Connection& conn, Gear gear, const QString& user, const QString& item);

// Whole percent of the limit used, rounded down (so 100 means the limit is reached).
int percentUsed(double done, double limit);

// The text beside the chosen item: "Done: 452.0 miles", or with a limit
// "Done: 452.0 of 500 miles (90%)"; converted to "km" when `miles` is false.
QString label(const Wear& wear, bool miles);

// The item's state once it has reached 90% of its limit: at 100% "These shoes have now done
// 503.0 of their 500 miles (100%): time to retire them." (bikes: "This bike has now done ...
// of its ...: time to retire it."); from 90% the same sentence ending "(90%)." without the
// advice. Empty below 90% or without a limit.
QString statusMessage(Gear gear, const Wear& wear, bool miles);

// The warning for a save that took the item from `before` to `after`: statusMessage of
// `after` when this save crossed 90% or 100% of the limit; empty otherwise.
QString crossingMessage(Gear gear, const Wear& before, const Wear& after, bool miles);

} // namespace GearWear
