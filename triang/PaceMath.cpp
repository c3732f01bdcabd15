#include "PaceMath.h"

#include "NumberText.h"
#include "WorkoutLimits.h"

#include <QStringList>
#include <cmath>
#include <cstdint>

namespace PaceMath {
namespace {

const QString ZeroTime = QStringLiteral("0:00");

// A typed distance in miles, or in kilometres when `km`; nothing when it is not a number or
// more than any workout can be.
std::optional<double> distanceOf(const QString& text, bool km) {
    const auto value = NumberText::parse(text);
    if (!value || !WorkoutLimits::milesOk(std::abs(*value) / (km ? KilometersPerMile : 1.0)))
        return std::nullopt;
    return value;
}

// One field of a duration: blank counts 0.
std::optional<double> timeField(const QString& field) {
    if (field.trimmed().isEmpty())
        return 0.0;
    return NumberText::parse(field);
}

// Whole seconds of `minutes`, with the last binary digits of minutes x 60 snapped away so
// that a time meant to be whole seconds is not a hair below them (22 minutes computed as
// 21.999999999999996). Nothing when the value is negative or too large to count in seconds.
std::optional<double> totalSeconds(double minutes) {
    if (!std::isfinite(minutes) || minutes < 0)
        return std::nullopt;
    double seconds = minutes * 60;
    if (seconds > 9.0e15)
        return std::nullopt;
    if (seconds < 9.0e9)
        seconds = std::round(seconds * 1e6) / 1e6;
    return seconds;
}

QString twoDigits(std::int64_t n) {
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

QString clockText(std::int64_t seconds) {
    const std::int64_t hours = seconds / 3600;
    const std::int64_t minutes = seconds / 60 % 60;
    const std::int64_t secs = seconds % 60;
    if (hours < 1)
        return QString::number(minutes) + QLatin1Char(':') + twoDigits(secs);
    return QString::number(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') +
           twoDigits(secs);
}

void bothPaces(Fields& f) {
    f[Box::MilePace] = paceOf(f[Box::Time], f[Box::Miles], false);
    f[Box::KMPace] = paceOf(f[Box::Time], f[Box::KM], true);
}

} // namespace

bool takesInput(Box box, bool miles, bool paceMode) {
    switch (box) {
    case Box::Miles:
        return miles;
    case Box::KM:
        return !miles;
    case Box::Time:
        return paceMode;
    case Box::MilePace:
        return !paceMode && miles;
    case Box::KMPace:
        return !paceMode && !miles;
    }
    return false;
}

QString toKilometers(const QString& miles) {
    const auto value = distanceOf(miles, false);
    return value ? NumberText::fixed(*value * KilometersPerMile, 1) : QStringLiteral("0");
}

QString toMiles(const QString& kilometers) {
    const auto value = distanceOf(kilometers, true);
    return value ? NumberText::fixed(*value / KilometersPerMile, 1) : QStringLiteral("0");
}

std::optional<double> minutesOf(const QString& duration) {
    // Split from the right: seconds, minutes, hours; anything before a third ":" does not count.
    const QStringList fields = duration.split(QLatin1Char(':'));
    const qsizetype n = fields.size();
    const auto h = timeField(n >= 3 ? fields.at(n - 3) : QString());
    const auto m = timeField(n >= 2 ? fields.at(n - 2) : QString());
    const auto s = timeField(fields.at(n - 1));
    if (!h || !m || !s)
        return std::nullopt;
    const double minutes = *h * 60 + *m + *s / 60;
    if (!WorkoutLimits::minutesOk(std::abs(minutes)))
        return std::nullopt;
    return minutes;
}

QString clockOf(double minutes) {
    const auto seconds = totalSeconds(minutes);
    if (!seconds)
        return ZeroTime;
    return clockText(static_cast<std::int64_t>(std::nearbyint(*seconds)));
}

QString paceOf(const QString& time, const QString& distance, bool km) {
    const auto minutes = minutesOf(time);
    const auto miles = distanceOf(distance, km);
    if (!minutes || !miles || *miles == 0)
        return ZeroTime;
    return clockOf(*minutes / *miles);
}

QString timeAt(const QString& pace, const QString& distance, bool km) {
    const auto paceMinutes = minutesOf(pace);
    const auto miles = distance.trimmed().isEmpty() ? std::optional<double>(0.0) : distanceOf(distance, km);
    if (!paceMinutes || !miles)
        return ZeroTime;
    const double minutes = *miles * *paceMinutes;
    const auto seconds = WorkoutLimits::minutesOk(minutes) ? totalSeconds(minutes) : std::nullopt;
    if (!seconds)
        return ZeroTime;
    return clockText(static_cast<std::int64_t>(std::floor(*seconds)));
}

Fields afterChange(Fields f, Box changed, bool miles, bool paceMode) {
    if (!takesInput(changed, miles, paceMode))
        return f;
    switch (changed) {
    case Box::Miles:
    case Box::KM: {
        const bool km = changed == Box::KM;
        f[km ? Box::Miles : Box::KM] = km ? toMiles(f[Box::KM]) : toKilometers(f[Box::Miles]);
        const Box typedPace = km ? Box::KMPace : Box::MilePace;
        if (paceMode) {
            if (!f[Box::Time].isEmpty())
                bothPaces(f);
        } else if (!f[typedPace].isEmpty()) {
            f[Box::Time] = timeAt(f[typedPace], f[changed], km);
        }
        break;
    }
    case Box::Time:
        bothPaces(f);
        break;
    case Box::MilePace:
        f[Box::Time] = timeAt(f[Box::MilePace], f[Box::Miles], false);
        f[Box::KMPace] = paceOf(f[Box::Time], f[Box::KM], true);
        break;
    case Box::KMPace:
        f[Box::Time] = timeAt(f[Box::KMPace], f[Box::KM], true);
        f[Box::MilePace] = paceOf(f[Box::Time], f[Box::Miles], false);
        break;
    }
    return f;
}

} // namespace PaceMath
