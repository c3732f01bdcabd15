#pragma once

#include <QString>
#include <optional>

class Connection;

// How far a pair of shoes or a bike has gone against its retirement distance: the distance
// shown beside the chosen item in the running and cycling logs, and the warning a save gives
// when it takes the item past 90% or past 100% of its limit.
namespace GearWear {

enum class Gear { Shoes, Bike };

// Distances in one unit (miles or kilometres, as asked).
struct Wear {
    double done = 0;             // summed over every logged workout of the user with the item
    std::optional<double> limit; // the retirement distance; none: no limit (or no such item)
};

// The item's wear for `user`, in miles or kilometres, read in one read transaction. The item
// is matched by name, as the logs store it. Throws DbError.
Wear read(Connection& conn, Gear gear, const QString& user, const QString& item, bool miles);

// Whole percent of the limit used, rounded down (so 100 means the limit is reached).
int percentUsed(double done, double limit);

// The text beside the chosen item: "Done: 452.0 miles", or with a limit
// "Done: 452.0 of 500 miles (90%)"; "km" for kilometres.
QString label(const Wear& wear, bool miles);

// The warning for a save that took the item from `before` to `after`: when it reaches 100% of
// the limit, "These shoes have now done 503.0 of their 500 miles (100%): time to retire them."
// (bikes: "This bike has now done ... of its ...: time to retire it."); when it reaches 90%
// only, the same sentence ending "(90%)." without the advice. Empty when no threshold is
// crossed by this save, or the item has no limit.
QString crossingMessage(Gear gear, const Wear& before, const Wear& after, bool miles);

} // namespace GearWear
