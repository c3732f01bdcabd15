#pragma once

#include <cmath>

// The largest values a workout may hold, wherever it comes from (a log window, the calculator,
// an imported file). Anything larger is a typing slip or a broken device clock, and would make
// every later total meaningless, so it is refused before it is stored.
namespace WorkoutLimits {

inline constexpr double maxMiles = 1000.0;          // 1,609 km
inline constexpr double maxMinutes = 1000.0 * 60.0; // 1,000 hours

// A distance in miles that may be stored: finite, not negative, at most maxMiles.
inline bool milesOk(double miles) {
    return std::isfinite(miles) && miles >= 0 && miles <= maxMiles;
}

// A duration in minutes that may be stored: finite, not negative, at most maxMinutes.
inline bool minutesOk(double minutes) {
    return std::isfinite(minutes) && minutes >= 0 && minutes <= maxMinutes;
}

} // namespace WorkoutLimits
