#include "GpsTrack.h"

#include "WorkoutKinds.h"

#include <QTimeZone>
#include <QXmlStreamReader>
#include <cmath>
#include <optional>

namespace GpsTrack {

namespace {

// Digits of `s` from `at` on as a number, or -1.
int digits(QStringView s, qsizetype at, int count) {
    if (at + count > s.size())
        return -1;
    int v = 0;
    for (int i = 0; i < count; ++i) {
        const QChar c = s[at + i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// The common shape of a point's time, 2026-06-06T07:00:00[.fff][Z|+hh:mm|-hh:mm], read
// without the general parser (a track has thousands of them); nothing for any other shape.
// A moment as milliseconds since 1970 UTC, with the offset from UTC the file wrote it with.
struct Instant {
    qint64 ms = 0;
    int offset = 0;
    QDateTime dateTime() const {
        return QDateTime::fromMSecsSinceEpoch(ms, offset == 0 ? QTimeZone::utc() : QTimeZone(offset));
    }
};

std::optional<Instant> readTimeQuickly(QStringView s) {
    if (s.size() < 19 || s[4] != QLatin1Char('-') || s[7] != QLatin1Char('-') || s[10] != QLatin1Char('T') ||
        s[13] != QLatin1Char(':') || s[16] != QLatin1Char(':'))
        return std::nullopt;
    const int y = digits(s, 0, 4), mo = digits(s, 5, 2), d = digits(s, 8, 2);
    const int h = digits(s, 11, 2), mi = digits(s, 14, 2), se = digits(s, 17, 2);
    if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || se < 0)
        return std::nullopt;
    qsizetype i = 19;
    int ms = 0;
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        int scale = 100;
        while (i < s.size() && s[i].isDigit()) {
            ms += (s[i].unicode() - '0') * scale;
            scale /= 10;
            ++i;
        }
    }
    int offset = 0;
    if (i == s.size() || (i + 1 == s.size() && s[i] == QLatin1Char('Z'))) {
        offset = 0;
    } else if (i + 6 == s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')) &&
               s[i + 3] == QLatin1Char(':')) {
        const int oh = digits(s, i + 1, 2), om = digits(s, i + 4, 2);
        if (oh < 0 || om < 0)
            return std::nullopt;
        offset = (oh * 3600 + om * 60) * (s[i] == QLatin1Char('-') ? -1 : 1);
    } else {
        return std::nullopt;
    }
    const QDate date(y, mo, d);
    if (!date.isValid() || h > 23 || mi > 59 || se > 59)
        return std::nullopt;
    constexpr qint64 UnixEpochDay = 2440588; // the Julian day of 1 January 1970
    const qint64 secondsOfDay = qint64(h) * 3600 + mi * 60 + se - offset;
    return Instant{(date.toJulianDay() - UnixEpochDay) * 86400000 + secondsOfDay * 1000 + ms, offset};
}

std::optional<Instant> readTime(const QString& text) {
    const QStringView trimmed = QStringView(text).trimmed();
    if (auto quick = readTimeQuickly(trimmed))
        return quick;
    QDateTime t = QDateTime::fromString(trimmed.toString(), Qt::ISODateWithMs);
    if (!t.isValid())
        return std::nullopt;
    // A time without a zone is UTC in both formats.
    if (t.timeSpec() == Qt::LocalTime)
        t.setTimeZone(QTimeZone::utc());
    return Instant{t.toMSecsSinceEpoch(), t.offsetFromUtc()};
}

QString errorText(const QXmlStreamReader& xml) {
    return QStringLiteral("not well-formed XML at line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
}

// Running totals of one activity's points.
struct PointTotals {
    std::optional<Instant> first, last;
    double meters = 0;
    bool havePrevious = false;
    double lat = 0, lon = 0;

    void addTime(const Instant& t) {
        if (!first || t.ms < first->ms)
            first = t;
        if (!last || t.ms > last->ms)
            last = t;
    }
    void addPosition(double newLat, double newLon) {
        if (havePrevious)
            meters += Track::haversineMeters(lat, lon, newLat, newLon);
        lat = newLat;
        lon = newLon;
        havePrevious = true;
    }
};

// A number of at most `limit` in size, or NaN.
double plausibleNumber(const QString& text, double limit) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) && std::fabs(v) <= limit ? v : NAN;
}

// A heart rate or cadence: a whole number from 1 to 999, else 0 (not recorded).
int wholeNumber(const QString& text) {
    const double v = plausibleNumber(text, 999);
    return std::isfinite(v) && v >= 1 ? int(std::lround(v)) : 0;
}

// A position on the Earth: latitude within ±90 degrees, longitude within ±180.
bool onEarth(double lat, double lon) {
    return std::abs(lat) <= 90 && std::abs(lon) <= 180;
}

QString offEarth(double lat, double lon) {
    return QStringLiteral("a point lies outside the Earth's latitudes and longitudes: %1, %2")
        .arg(lat)
        .arg(lon);
}

bool isName(const QXmlStreamReader& xml, const char* name) {
    return xml.name() == QLatin1String(name);
}

} // namespace

Parsed readGpx(QIODevice& device) {
    Parsed parsed;
    QXmlStreamReader xml(&device);
    bool sawRoot = false;
    bool inTrack = false;
    Activity current;
    PointTotals totals;
    // Element nesting inside the track: the track's own name and type are its direct children.
    int trackDepth = 0;
    int depth = 0;
    Track::Point point;
    bool inPoint = false, pointHasTime = false, segmentStarts = false;

    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (!sawRoot) {
                sawRoot = true;
                if (!isName(xml, "gpx")) {
                    parsed.error = QStringLiteral("not a GPX file");
                    return parsed;
                }
                continue;
            }
            if (isName(xml, "trk")) {
                inTrack = true;
                trackDepth = depth;
                current = Activity{};
                totals = PointTotals{};
            } else if (inTrack && depth == trackDepth + 1 && isName(xml, "name")) {
                current.name = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                --depth;
            } else if (inTrack && depth == trackDepth + 1 && isName(xml, "type")) {
                current.sport = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                --depth;
            } else if (inTrack && isName(xml, "trkseg")) {
                totals.havePrevious = false;
                segmentStarts = true;
            } else if (inTrack && isName(xml, "trkpt")) {
                bool okLat = false, okLon = false;
                const double lat = xml.attributes().value(QLatin1String("lat")).toDouble(&okLat);
                const double lon = xml.attributes().value(QLatin1String("lon")).toDouble(&okLon);
                point = Track::Point{};
                inPoint = true;
                pointHasTime = false;
                if (okLat && okLon && std::isfinite(lat) && std::isfinite(lon)) {
                    if (!onEarth(lat, lon)) {
                        parsed.error = offEarth(lat, lon);
                        return parsed;
                    }
                    totals.addPosition(lat, lon);
                    point.lat = lat;
                    point.lon = lon;
                }
            } else if (inPoint && isName(xml, "ele")) {
                point.ele = plausibleNumber(xml.readElementText(QXmlStreamReader::SkipChildElements), 1e5);
                --depth;
            } else if (inPoint && (isName(xml, "hr") || isName(xml, "cad"))) {
                const bool hr = isName(xml, "hr");
                const int v = wholeNumber(xml.readElementText(QXmlStreamReader::SkipChildElements));
                --depth;
                (hr ? point.hr : point.cad) = v;
            } else if (inTrack && isName(xml, "time")) {
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                --depth;
                if (const auto t = readTime(text)) {
                    totals.addTime(*t);
                    if (inPoint) {
                        point.ms = t->ms;
                        pointHasTime = true;
                    }
                } else {
                    parsed.error =
                        QStringLiteral("a point has a time that is not a date and time: ") + text.trimmed();
                    return parsed;
                }
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (inPoint && isName(xml, "trkpt")) {
                inPoint = false;
                if (pointHasTime) {
                    point.newSegment = segmentStarts && !current.track.points.empty();
                    segmentStarts = false;
                    current.track.points.push_back(point);
                }
            } else if (inTrack && depth == trackDepth && isName(xml, "trk")) {
                inTrack = false;
                if (totals.first) {
                    current.start = totals.first->dateTime();
                    current.seconds = double(totals.last->ms - totals.first->ms) / 1000.0;
                    current.meters = totals.meters;
                    parsed.activities.push_back(current);
                }
            }
            --depth;
        }
    }
    if (xml.hasError()) {
        parsed.activities.clear();
        parsed.error = errorText(xml);
    } else if (!sawRoot) {
        parsed.error = QStringLiteral("not a GPX file");
    } else if (parsed.activities.empty()) {
        parsed.error = QStringLiteral("no track points with a time");
    }
    return parsed;
}

Parsed readTcx(QIODevice& device) {
    Parsed parsed;
    QXmlStreamReader xml(&device);
    bool sawRoot = false;
    bool inActivity = false;
    bool inTrackpoint = false;
    Activity current;
    PointTotals totals;
    double lapSeconds = 0, lapMeters = 0;
    bool haveLapSeconds = false, haveLapMeters = false;
    double lastPointMeters = -1;
    std::optional<Instant> idTime;
    double lat = NAN, lon = NAN;
    Track::Point point;
    bool pointHasTime = false, segmentStarts = false, inLap = false;

    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (!sawRoot) {
                sawRoot = true;
                if (!isName(xml, "TrainingCenterDatabase")) {
                    parsed.error = QStringLiteral("not a TCX file");
                    return parsed;
                }
                continue;
            }
            if (isName(xml, "Activity")) {
                inActivity = true;
                current = Activity{};
                current.sport = xml.attributes().value(QLatin1String("Sport")).toString().trimmed();
                totals = PointTotals{};
                lapSeconds = lapMeters = 0;
                haveLapSeconds = haveLapMeters = false;
                lastPointMeters = -1;
                idTime.reset();
            } else if (!inActivity) {
                continue;
            } else if (isName(xml, "Id") && !inTrackpoint) {
                idTime = readTime(xml.readElementText(QXmlStreamReader::SkipChildElements));
            } else if (isName(xml, "Notes") && !inTrackpoint) {
                current.name = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            } else if (isName(xml, "Lap")) {
                inLap = true;
                current.track.laps.push_back(Track::Lap{});
                if (const auto t = readTime(xml.attributes().value(QLatin1String("StartTime")).toString())) {
                    totals.addTime(*t);
                    current.track.laps.back().startMs = t->ms;
                } else {
                    current.track.laps.pop_back();
                    inLap = false;
                }
            } else if (isName(xml, "Track")) {
                totals.havePrevious = false;
                segmentStarts = true;
            } else if (isName(xml, "Trackpoint")) {
                inTrackpoint = true;
                lat = lon = NAN;
                point = Track::Point{};
                pointHasTime = false;
            } else if (isName(xml, "TotalTimeSeconds") && !inTrackpoint) {
                bool ok = false;
                const double v = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble(&ok);
                if (ok && v >= 0) {
                    lapSeconds += v;
                    haveLapSeconds = true;
                    if (inLap && std::isfinite(v))
                        current.track.laps.back().seconds = v;
                }
            } else if (isName(xml, "DistanceMeters")) {
                bool ok = false;
                const double v = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble(&ok);
                if (ok && v >= 0) {
                    if (inTrackpoint) {
                        lastPointMeters = std::max(lastPointMeters, v);
                        if (v <= 1e9)
                            point.distance = v;
                    } else {
                        lapMeters += v;
                        haveLapMeters = true;
                        if (inLap && v <= 1e9)
                            current.track.laps.back().meters = v;
                    }
                }
            } else if (isName(xml, "Time") && inTrackpoint) {
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                if (const auto t = readTime(text)) {
                    totals.addTime(*t);
                    point.ms = t->ms;
                    pointHasTime = true;
                } else {
                    parsed.error =
                        QStringLiteral("a point has a time that is not a date and time: ") + text.trimmed();
                    return parsed;
                }
            } else if (isName(xml, "AltitudeMeters") && inTrackpoint) {
                point.ele = plausibleNumber(xml.readElementText(QXmlStreamReader::SkipChildElements), 1e5);
            } else if (isName(xml, "HeartRateBpm") && inTrackpoint) {
                // Its one child, Value, holds the number.
                point.hr = wholeNumber(xml.readElementText(QXmlStreamReader::IncludeChildElements));
            } else if ((isName(xml, "Cadence") || isName(xml, "RunCadence")) && inTrackpoint) {
                point.cad = wholeNumber(xml.readElementText(QXmlStreamReader::SkipChildElements));
            } else if (isName(xml, "LatitudeDegrees") && inTrackpoint) {
                lat = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble();
            } else if (isName(xml, "LongitudeDegrees") && inTrackpoint) {
                lon = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (isName(xml, "Trackpoint")) {
                inTrackpoint = false;
                if (std::isfinite(lat) && std::isfinite(lon)) {
                    if (!onEarth(lat, lon)) {
                        parsed.error = offEarth(lat, lon);
                        return parsed;
                    }
                    totals.addPosition(lat, lon);
                    point.lat = lat;
                    point.lon = lon;
                }
                if (pointHasTime) {
                    point.newSegment = segmentStarts && !current.track.points.empty();
                    segmentStarts = false;
                    current.track.points.push_back(point);
                }
            } else if (isName(xml, "Lap")) {
                inLap = false;
            } else if (inActivity && isName(xml, "Activity")) {
                inActivity = false;
                const std::optional<Instant> start = totals.first ? totals.first : idTime;
                if (start && (totals.first || haveLapSeconds)) {
                    current.start = start->dateTime();
                    current.seconds =
                        haveLapSeconds ? lapSeconds : double(totals.last->ms - totals.first->ms) / 1000.0;
                    current.meters =
                        haveLapMeters ? lapMeters : (lastPointMeters >= 0 ? lastPointMeters : totals.meters);
                    parsed.activities.push_back(current);
                }
            }
        }
    }
    if (xml.hasError()) {
        parsed.activities.clear();
        parsed.error = errorText(xml);
    } else if (!sawRoot) {
        parsed.error = QStringLiteral("not a TCX file");
    } else if (parsed.activities.empty()) {
        parsed.error = QStringLiteral("no activity with a time");
    }
    return parsed;
}

QString timeProblem(const Activity& activity, const QDateTime& now) {
    const auto& points = activity.track.points;
    qint64 earliest = activity.start.isValid() ? activity.start.toMSecsSinceEpoch() : 0;
    qint64 latest = earliest;
    for (size_t i = 0; i < points.size(); ++i) {
        if (i > 0 && points[i].ms < points[i - 1].ms)
            return QStringLiteral("the times of its points run backwards");
        earliest = std::min(earliest, points[i].ms);
        latest = std::max(latest, points[i].ms);
    }
    for (const Track::Lap& lap : activity.track.laps) {
        earliest = std::min(earliest, lap.startMs);
        latest = std::max(latest, lap.startMs);
    }
    if (earliest < 0)
        return QStringLiteral("its times lie before 1970");
    if (latest > now.toMSecsSinceEpoch())
        return QStringLiteral("its times lie in the future");
    return QString();
}

QString kindOfSport(const QString& sport) {
    const WorkoutKinds::Kind* kind = WorkoutKinds::ofSport(sport);
    return kind ? kind->nameText() : QString();
}

} // namespace GpsTrack
