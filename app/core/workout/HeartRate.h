#pragma once

#include "Migration.h"
#include "Track.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

class Connection;

// Heart rate: a user's maximum, resting rate and zones, and what a workout's recorded heart rate
// gives: the time in each zone and the time-weighted average, which is kept once per workout.
namespace HeartRate {

// The lower bounds of zones 1 to 5 in percent of the maximum; below the first is "below zone 1".
using Zones = std::array<int, 5>;
constexpr Zones DefaultZones{50, 60, 70, 80, 90};
// The heart rates a person can set, in beats per minute.
constexpr int Lowest = 30;
constexpr int Highest = 250;

struct Settings {
    std::optional<int> max;  // beats per minute; empty until set
    std::optional<int> rest; // beats per minute; empty until set
    Zones zones = DefaultZones;

    bool operator==(const Settings&) const = default;
};

// "50,60,70,80,90" read back: five whole percentages from 1 to 100, each above the one before.
// Nothing for anything else.
std::optional<Zones> parseZones(const QString& text);
QString zonesText(const Zones& zones);
// The same, throwing DbError with a message that says what bounds are for anything else.
Zones zonesFrom(const QString& text);

// A rate as typed: nothing for empty text, else whole bpm from 30 to 250. Throws DbError with a
// message naming the `which` ("maximum", "resting") rate for anything else.
std::optional<int> rateFrom(const QString& text, const char* which);

// Refuses settings a person cannot have, with a message that says why: a rate outside 30-250
// bpm, a resting rate not below the maximum, bounds that do not rise. Throws DbError.
void check(const Settings& settings);

// The user's settings. Throws DbError, also when there is no such user.
Settings read(Connection& conn, const QString& user);
// Checks and stores them. Throws DbError, also when there is no such user.
void save(Connection& conn, const QString& user, const Settings& settings);
// `Max\tRest\tZones`, an unset rate empty: "185\t50\t50,60,70,80,90".
QString line(const Settings& settings);

// One recorded heart rate: milliseconds since 1970 and beats per minute (0: none recorded).
struct Sample {
    qint64 ms = 0;
    int bpm = 0;
};

// The time-weighted mean: each sample's rate holds until the next sample, so the last one adds
// no time; a sample without a rate adds none either. `seconds` is the time the mean covers.
struct Average {
    double bpm = 0;
    double seconds = 0;
};
std::optional<Average> average(const std::vector<Sample>& samples);
// The heart rate of a track's points, one sample a point.
std::vector<Sample> samplesOf(const std::vector<Track::Point>& points);
// The average of a packed track's points (Track::packPoints), as a diary's update keeps it for
// tracks stored before averages were kept. Throws DbError for damaged bytes.
std::optional<Migration::TrackHeartRate> averageOfPacked(const QByteArray& points);

// The lower bound of each zone in whole bpm (rounded down) for a maximum of `max`.
std::array<int, 5> bounds(int max, const Zones& zones);
// Seconds below zone 1 (index 0) and in zones 1 to 5 (indexes 1 to 5), time-weighted as for the
// average; a rate is in the highest zone whose bound (bounds()) it reaches.
std::array<double, 6> zoneSeconds(const std::vector<Sample>& samples, int max, const Zones& zones);
// `Zone\tFrom\tTo\tTime` lines without a header: Below, 1 ... 5; From and To in bpm, To empty for
// zone 5; Time as h:mm:ss or m:ss.
QStringList zoneLines(const std::array<double, 6>& seconds, int max, const Zones& zones);

// Keeps the average of workout `id`'s samples for load charts (or drops the one kept when they
// hold no heart rate), in the caller's transaction if one is open. Throws DbError.
void keep(Connection& conn, qint64 id, const std::vector<Sample>& samples);

} // namespace HeartRate
