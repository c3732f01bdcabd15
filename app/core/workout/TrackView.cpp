#include "TrackView.h"

#include "CLibrary.h"
#include "DateText.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>

namespace TrackView {

namespace {

constexpr double EarthRadius = 6371008.8;
constexpr double DegToRad = M_PI / 180.0;
// The stretch of road a pace or speed in the profile is taken over.
constexpr double RateWindowMeters = 100;
// A pace slower than this many times the average is drawn at that bound, so that a stop does
// not flatten the rest of the profile.
constexpr double SlowestPaceFactor = 2.5;

QString unitName(bool miles) {
    return miles ? QStringLiteral("miles") : QStringLiteral("km");
}

QString paceUnit(bool miles) {
    return miles ? QStringLiteral("min/mile") : QStringLiteral("min/km");
}

QString speedUnit(bool miles) {
    return miles ? QStringLiteral("mph") : QStringLiteral("km/h");
}

QString secondsText(double seconds) {
    return CLibrary::MinutesToString(seconds / 60.0);
}

// Distance along the track shown as a row label: fewer decimals on a long track.
QString distanceLabel(double units, double totalUnits) {
    return NumberText::fixed(units, totalUnits >= 10 ? 1 : 2);
}

} // namespace

double unitMeters(bool miles) {
    return miles ? CLibrary::KilometersPerMile * 1000 : 1000;
}

double movingSeconds(const Track::Data& track, const std::vector<double>& meters) {
    const auto& p = track.points;
    const bool noDistance = meters.empty() || !(meters.back() > 0);
    double moving = 0;
    for (size_t k = 1; k < p.size() && k < meters.size(); ++k) {
        if (p[k].newSegment)
            continue;
        const double dt = double(p[k].ms - p[k - 1].ms) / 1000.0;
        if (dt <= 0)
            continue;
        if (noDistance || (meters[k] - meters[k - 1]) >= MovingMetersPerSecond * dt)
            moving += dt;
    }
    return moving;
}

QList<Line> summary(const Track::Data& track, const Workout& workout) {
    QList<Line> out;
    out << Line{QStringLiteral("Date"), QStringLiteral("Date:"),
                workout.date.isValid() ? DateText::weekdayName(workout.date) + QStringLiteral(", ") +
                                             DateText::shortDate(workout.date)
                                       : QString()};
    if (track.points.empty())
        return out;
    const std::vector<double> meters = Track::cumulativeMeters(track);
    const Track::Stretch whole = Track::total(track);
    const double unit = unitMeters(workout.miles);
    const double units = whole.meters / unit;
    out << Line{QStringLiteral("Distance"), QStringLiteral("Distance:"),
                NumberText::fixed(units, 2) + QLatin1Char(' ') + unitName(workout.miles)};
    out << Line{QStringLiteral("Elapsed"), QStringLiteral("Elapsed time:"), secondsText(whole.seconds)};
    out << Line{QStringLiteral("Moving"), QStringLiteral("Moving time:"),
                secondsText(movingSeconds(track, meters))};
    if (workout.ride) {
        out << Line{QStringLiteral("Speed"), QStringLiteral("Average speed:"),
                    whole.seconds > 0 ? NumberText::fixed(units / (whole.seconds / 3600.0), 2) +
                                            QLatin1Char(' ') + speedUnit(workout.miles)
                                      : QString()};
    } else {
        out << Line{QStringLiteral("Pace"), QStringLiteral("Average pace:"),
                    units > 0 ? CLibrary::MinutesToString(whole.seconds / units / 60.0) + QLatin1Char(' ') +
                                    paceUnit(workout.miles)
                              : QString()};
    }
    if (std::isfinite(whole.climb)) {
        const Track::Elevation e = Track::elevation(track);
        out << Line{QStringLiteral("Climb"), QStringLiteral("Climb:"),
                    QString::number(std::llround(e.climb)) + QStringLiteral(" m")};
        out << Line{QStringLiteral("Descent"), QStringLiteral("Descent:"),
                    QString::number(std::llround(e.descent)) + QStringLiteral(" m")};
    }
    if (std::isfinite(whole.heartRate)) {
        int highest = 0;
        for (const Track::Point& p : track.points)
            highest = std::max(highest, p.hr);
        out << Line{QStringLiteral("AverageHr"), QStringLiteral("Average heart rate:"),
                    QString::number(std::llround(whole.heartRate)) + QStringLiteral(" bpm")};
        out << Line{QStringLiteral("HighestHr"), QStringLiteral("Highest heart rate:"),
                    QString::number(highest) + QStringLiteral(" bpm")};
    }
    return out;
}

QStringList splitLines(const Track::Data& track, const Workout& workout) {
    if (track.points.empty())
        return {};
    const double unit = unitMeters(workout.miles);
    return Track::lines(Track::splits(track, unit), Track::total(track), QStringLiteral("Split"), unit,
                        workout.ride);
}

QStringList lapLines(const Track::Data& track, const Workout& workout) {
    if (track.points.empty() || track.laps.empty())
        return {};
    const std::vector<Track::Stretch> rows = Track::laps(track);
    return Track::lines(rows, Track::totalOf(rows), QStringLiteral("Lap"), unitMeters(workout.miles),
                        workout.ride);
}

Profile profile(const Track::Data& track, const Workout& workout, int buckets) {
    Profile out;
    const auto& p = track.points;
    if (p.size() < 2 || buckets < 1)
        return out;
    const std::vector<double> meters = Track::cumulativeMeters(track);
    const double total = meters.back();
    if (!(total > 0))
        return out;
    const double unit = unitMeters(workout.miles);
    const double width = total / buckets;
    const auto bucketOf = [&](double m) { return std::clamp(int(m / width), 0, buckets - 1); };

    // Time and distance in each bucket, each interval between points shared out by distance.
    // An interval not moving (standing still while the position wanders, a gap) adds nothing.
    std::vector<double> time(buckets, 0.0), dist(buckets, 0.0);
    for (size_t k = 1; k < p.size(); ++k) {
        const double dd = meters[k] - meters[k - 1];
        const double dt = double(p[k].ms - p[k - 1].ms) / 1000.0;
        if (!(dd > 0) || dt <= 0 || dd < MovingMetersPerSecond * dt)
            continue;
        double from = meters[k - 1];
        while (from < meters[k]) {
            int b = bucketOf(from);
            // On a bucket's end, rounding may still give the bucket before.
            while (b < buckets - 1 && (b + 1) * width <= from)
                ++b;
            const double to = b == buckets - 1 ? meters[k] : std::min(meters[k], (b + 1) * width);
            const double share = (to - from) / dd;
            time[b] += dt * share;
            dist[b] += dd * share;
            if (to <= from)
                break;
            from = to;
        }
    }
    // Pace or speed over about RateWindowMeters around each bucket, from prefix sums.
    std::vector<double> sumT(buckets + 1, 0.0), sumD(buckets + 1, 0.0);
    for (int b = 0; b < buckets; ++b) {
        sumT[b + 1] = sumT[b] + time[b];
        sumD[b + 1] = sumD[b] + dist[b];
    }
    const int half = int(RateWindowMeters / 2 / width);
    const double averagePace = sumT[buckets] / 60.0 / (sumD[buckets] / unit);
    std::vector<double> rate(buckets, 0.0);
    for (int b = 0; b < buckets; ++b) {
        const int lo = std::max(0, b - half), hi = std::min(buckets, b + half + 1);
        const double t = sumT[hi] - sumT[lo], d = sumD[hi] - sumD[lo];
        if (!(t > 0) || !(d > 0))
            rate[b] = b > 0 ? rate[b - 1] : 0;
        else if (workout.ride)
            rate[b] = (d / unit) / (t / 3600.0);
        else
            rate[b] = std::min((t / 60.0) / (d / unit), averagePace * SlowestPaceFactor);
    }

    // Lowest and highest heart rate and elevation of the points in each bucket; a bucket without
    // a point of its own keeps the value before it.
    const std::vector<double> ele = Track::smoothedElevation(track);
    const bool hasEle = !ele.empty() && std::isfinite(ele.front());
    const bool hasHr = std::any_of(p.begin(), p.end(), [](const Track::Point& q) { return q.hr > 0; });
    struct Range {
        double lo = NAN, hi = NAN;
        void add(double v) {
            lo = std::isnan(lo) ? v : std::min(lo, v);
            hi = std::isnan(hi) ? v : std::max(hi, v);
        }
    };
    std::vector<Range> hr(buckets), el(buckets);
    for (size_t k = 0; k < p.size(); ++k) {
        const int b = bucketOf(meters[k]);
        if (p[k].hr > 0)
            hr[b].add(p[k].hr);
        if (hasEle && std::isfinite(ele[k]))
            el[b].add(ele[k]);
    }
    const auto fill = [](std::vector<Range>& ranges) {
        double last = NAN;
        for (const Range& r : ranges)
            if (!std::isnan(r.lo)) {
                last = r.lo; // leading buckets without a value take the first one
                break;
            }
        for (Range& r : ranges) {
            if (std::isnan(r.lo))
                r.lo = r.hi = std::isnan(last) ? 0 : last;
            last = r.hi;
        }
    };
    fill(hr);
    fill(el);

    const double totalUnits = total / unit;
    out.labels.reserve(2 * buckets);
    out.rateTips.reserve(2 * buckets);
    for (int b = 0; b < buckets; ++b) {
        const QString tip =
            workout.ride
                ? QStringLiteral("Speed: %1 %2").arg(NumberText::fixed(rate[b], 2), speedUnit(workout.miles))
                : QStringLiteral("Pace: %1 %2")
                      .arg(CLibrary::MinutesToString(rate[b]), paceUnit(workout.miles));
        for (int half2 = 0; half2 < 2; ++half2) {
            const double m = (b + (half2 == 0 ? 0.25 : 0.75)) * width;
            const QString label = distanceLabel(m / unit, totalUnits);
            out.meters.push_back(m);
            out.labels << label;
            out.rate << rate[b];
            out.rateTips << label + QLatin1Char(' ') + unitName(workout.miles) + QLatin1Char('\n') + tip;
            if (hasHr)
                out.heartRate << (half2 == 0 ? hr[b].lo : hr[b].hi);
            if (hasEle)
                out.elevation << std::round((half2 == 0 ? el[b].lo : el[b].hi) * 10) / 10;
        }
    }
    return out;
}

QPointF Route::at(double m) const {
    if (!hasPosition || points.empty())
        return {};
    size_t i = size_t(std::lower_bound(meters.begin(), meters.end(), m) - meters.begin());
    i = std::min(i, points.size() - 1);
    const auto valid = [&](size_t k) { return std::isfinite(points[k].x()); };
    if (i > 0 && valid(i) && valid(i - 1) && !breaks[i] && meters[i] > meters[i - 1]) {
        const double f = std::clamp((m - meters[i - 1]) / (meters[i] - meters[i - 1]), 0.0, 1.0);
        return points[i - 1] + (points[i] - points[i - 1]) * f;
    }
    // The nearest point with a position.
    for (size_t d = 0; d < points.size(); ++d) {
        if (i >= d && valid(i - d))
            return points[i - d];
        if (i + d < points.size() && valid(i + d))
            return points[i + d];
    }
    return {};
}

Route route(const Track::Data& track, double unitMeters) {
    Route r;
    const auto& p = track.points;
    r.meters = Track::cumulativeMeters(track);
    r.points.assign(p.size(), QPointF(NAN, NAN));
    r.breaks.assign(p.size(), false);
    double latLo = 90, latHi = -90;
    const Track::Point* first = nullptr;
    for (const Track::Point& q : p) {
        if (!q.hasPosition())
            continue;
        if (!first)
            first = &q;
        latLo = std::min(latLo, q.lat);
        latHi = std::max(latHi, q.lat);
    }
    if (!first)
        return r;
    const double shrink = std::cos((latLo + latHi) / 2 * DegToRad);
    double xLo = 0, xHi = 0, yLo = 0, yHi = 0;
    bool previous = false;
    for (size_t k = 0; k < p.size(); ++k) {
        if (!p[k].hasPosition()) {
            previous = false;
            continue;
        }
        double dLon = p[k].lon - first->lon;
        if (dLon > 180)
            dLon -= 360;
        else if (dLon < -180)
            dLon += 360;
        const QPointF at(EarthRadius * dLon * DegToRad * shrink,
                         EarthRadius * (p[k].lat - first->lat) * DegToRad);
        r.points[k] = at;
        r.breaks[k] = !previous || p[k].newSegment;
        previous = true;
        xLo = std::min(xLo, at.x());
        xHi = std::max(xHi, at.x());
        yLo = std::min(yLo, at.y());
        yHi = std::max(yHi, at.y());
    }
    r.hasPosition = true;
    r.bounds = QRectF(QPointF(xLo, yLo), QPointF(xHi, yHi));
    const double total = r.meters.empty() ? 0 : r.meters.back();
    for (int n = 1; unitMeters > 0 && n * unitMeters < total; ++n)
        r.unitMarks.push_back(r.at(n * unitMeters));
    return r;
}

Zones zones(const Track::Data& track, const HeartRate::Settings& settings) {
    Zones out;
    std::vector<HeartRate::Sample> samples;
    samples.reserve(track.points.size());
    bool any = false;
    for (const Track::Point& p : track.points) {
        samples.push_back({p.ms, p.hr});
        any = any || p.hr > 0;
    }
    if (!any) {
        out.note = QStringLiteral("This track has no heart rate.");
        return out;
    }
    if (!settings.max) {
        out.note = QStringLiteral("Set a maximum heart rate (Utilities, Heart Rate...) to see the time in "
                                  "each zone.");
        return out;
    }
    const std::array<double, 6> seconds = HeartRate::zoneSeconds(samples, *settings.max, settings.zones);
    const QStringList lines = HeartRate::zoneLines(seconds, *settings.max, settings.zones);
    for (int z = 0; z < 6 && z < lines.size(); ++z) {
        const QStringList cells = lines.at(z).split(QLatin1Char('\t'));
        const QString name = z == 0 ? QStringLiteral("Below") : QStringLiteral("Zone %1").arg(z);
        // Rates are whole beats, so a zone holds its lower bound up to one below the next.
        const QString from = cells.value(1), to = cells.value(2);
        const QString bpm = z == 0         ? QStringLiteral("under ") + to + QStringLiteral(" bpm")
                            : to.isEmpty() ? from + QStringLiteral(" bpm and over")
                                           : from + QLatin1Char('-') + QString::number(to.toInt() - 1) +
                                                 QStringLiteral(" bpm");
        out.labels << name;
        out.minutes << seconds[size_t(z)] / 60.0;
        out.tips << name + QStringLiteral(": ") + bpm + QLatin1Char('\n') + cells.value(3);
    }
    return out;
}

} // namespace TrackView
