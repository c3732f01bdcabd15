#pragma once

#include <QString>
#include <optional>

// The calculator's arithmetic, free of widgets: what each box shows after a person changed one
// of them. None of it fails: anything that cannot be computed shows "0" (a distance) or "0:00"
// (a time or a pace), and so does a distance over 1,000 miles (1,609 km) or a time over 1,000
// hours, typed or worked out.
namespace PaceMath {

inline constexpr double KilometersPerMile = 1.609;

// The five boxes, in the order they are laid out.
enum class Box : int { Miles, KM, Time, MilePace, KMPace };
inline constexpr int BoxCount = 5;

// The texts of the five boxes.
struct Fields {
    QString text[BoxCount];
    QString& operator[](Box b) { return text[static_cast<int>(b)]; }
    const QString& operator[](Box b) const { return text[static_cast<int>(b)]; }
    bool operator==(const Fields&) const = default;
};

// True when `box` takes typing: the distance of the unit, and the time (Pace mode) or the
// pace of the unit (Time mode). The others are written by the calculator.
bool takesInput(Box box, bool miles, bool paceMode);

// Miles typed -> kilometres shown (and back), one decimal; "0" for anything that is not a
// distance.
QString toKilometers(const QString& miles);
QString toMiles(const QString& kilometers);

// A duration "h:m:s", split from the right, as minutes; a blank field counts 0. Nothing when a
// field is not a number or the total is negative or over 1,000 hours.
std::optional<double> minutesOf(const QString& duration);

// Minutes as m:ss below an hour and h:mm:ss from an hour on, rounded to the whole second
// (halves to the even one); "0:00" for a negative or absurd value.
QString clockOf(double minutes);

// The time per unit of distance (miles, or kilometres when `km`); "0:00" for a bad time and a
// distance that is empty, not a number or zero.
QString paceOf(const QString& time, const QString& distance, bool km);

// The time for a distance at a pace, with the seconds cut rather than rounded; an empty
// distance counts 0.
QString timeAt(const QString& pace, const QString& distance, bool km);

// The boxes after a person changed the box `changed` (its new text already in `fields`) in the
// given unit and mode. A change to a box that does not take input changes nothing. In Time
// mode a new distance recomputes the time only: the other pace follows from the typed one.
Fields afterChange(Fields fields, Box changed, bool miles, bool paceMode);

} // namespace PaceMath
