#include "GpsTrack.h"

#include "QuickXml.h"
#include "WorkoutKinds.h"

#include <QBuffer>
#include <QTimeZone>
#include <QXmlStreamReader>
#include <charconv>
#include <cmath>
#include <optional>
#include <type_traits>

namespace GpsTrack {

namespace {

// The character at `i` of either kind of text (bytes of UTF-8 or UTF-16).
char16_t charAt(QStringView s, qsizetype i) {
    return s[i].unicode();
}
char16_t charAt(QByteArrayView s, qsizetype i) {
    return char16_t(uchar(s[i]));
}

bool isDigit(char16_t c) {
    return c >= '0' && c <= '9';
}

// Digits of `s` from `at` on as a number, or -1.
template <typename View> int digits(View s, qsizetype at, int count) {
    if (at + count > s.size())
        return -1;
    int v = 0;
    for (int i = 0; i < count; ++i) {
        const char16_t c = charAt(s, at + i);
        if (!isDigit(c))
            return -1;
        v = v * 10 + (c - '0');
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

template <typename View> std::optional<Instant> readTimeQuickly(View s) {
    const auto c = [&](qsizetype i) { return charAt(s, i); };
    if (s.size() < 19 || c(4) != '-' || c(7) != '-' || c(10) != 'T' || c(13) != ':' || c(16) != ':')
        return std::nullopt;
    const int y = digits(s, 0, 4), mo = digits(s, 5, 2), d = digits(s, 8, 2);
    const int h = digits(s, 11, 2), mi = digits(s, 14, 2), se = digits(s, 17, 2);
    if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || se < 0)
        return std::nullopt;
    qsizetype i = 19;
    int ms = 0;
    if (i < s.size() && c(i) == '.') {
        ++i;
        int scale = 100;
        while (i < s.size() && isDigit(c(i))) {
            ms += (c(i) - '0') * scale;
            scale /= 10;
            ++i;
        }
    }
    int offset = 0;
    if (i == s.size() || (i + 1 == s.size() && c(i) == 'Z')) {
        offset = 0;
    } else if (i + 6 == s.size() && (c(i) == '+' || c(i) == '-') && c(i + 3) == ':') {
        const int oh = digits(s, i + 1, 2), om = digits(s, i + 4, 2);
        if (oh < 0 || om < 0)
            return std::nullopt;
        offset = (oh * 3600 + om * 60) * (c(i) == '-' ? -1 : 1);
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

std::optional<Instant> readTime(QStringView text) {
    const QStringView trimmed = text.trimmed();
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

// The same for UTF-8 text: the common shape read from the bytes, any other as text.
std::optional<Instant> readTime(QByteArrayView text) {
    if (auto quick = readTimeQuickly(text.trimmed()))
        return quick;
    return readTime(QString::fromUtf8(text));
}

QString textOf(const QString& text) {
    return text;
}
QString textOf(QByteArrayView text) {
    return QString::fromUtf8(text);
}

double toNumber(QStringView text, bool* ok) {
    return text.toDouble(ok);
}

// A number written plainly ([+-]digits[.digits][(e|E)[+-]digits], blanks around it) read from
// the bytes; any other text as QString::toDouble reads it.
double toNumber(QByteArrayView text, bool* ok) {
    const QByteArrayView t = text.trimmed();
    const char* p = t.data();
    const char* end = p + t.size();
    const auto run = [&] {
        const char* from = p;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
        return p > from;
    };
    const char* first = p < end && *p == '+' ? p + 1 : p;
    p = first < end && *first == '-' ? first + 1 : first;
    bool plain = run();
    if (plain && p < end && *p == '.') {
        ++p;
        plain = run();
    }
    if (plain && p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        plain = run();
    }
    double v = 0;
    if (plain && p == end && !(first > t.data() && *first == '-')) {
        const auto [ptr, ec] = std::from_chars(first, end, v);
        if (ec == std::errc() && ptr == end && std::isfinite(v)) {
            if (ok)
                *ok = true;
            return v;
        }
    }
    return QString::fromUtf8(text).toDouble(ok);
}

// QXmlStreamReader with the few calls the readers below make of QuickXml too.
class GeneralXml : public QXmlStreamReader {
  public:
    using QXmlStreamReader::QXmlStreamReader;
    bool isName(const char* name) const { return this->name() == QLatin1String(name); }
    QString attribute(const char* name) const { return attributes().value(QLatin1String(name)).toString(); }
    QString readElementText(bool children) {
        return QXmlStreamReader::readElementText(children ? IncludeChildElements : SkipChildElements);
    }
};

template <typename Xml> QString errorText(const Xml& xml) {
    if constexpr (std::is_same_v<Xml, GeneralXml>)
        return QStringLiteral("not well-formed XML at line %1: %2")
            .arg(xml.lineNumber())
            .arg(xml.errorString());
    else
        return QString(); // QuickXml has no errors: it stops, and the general reader reads the file
}

// Reads with QuickXml, or again with the general reader where QuickXml stops or finds the file
// is not one it can take. The general reader looks ahead, so it may find a fault past a root of
// the wrong name, or cut short right after it; reading such a file again makes its error the
// same whichever reader was asked (and costs nothing on the files that are read).
template <typename Read> Parsed readEither(QIODevice& device, GpsTrack::Xml which, Read read) {
    QByteArray data = device.readAll();
    if (which == GpsTrack::Xml::Quick) {
        QuickXml quick(data);
        Parsed parsed = read(quick);
        if (!quick.unsupported() && parsed.error.isEmpty())
            return parsed;
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    GeneralXml general(&buffer);
    return read(general);
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
template <typename Text> double plausibleNumber(const Text& text, double limit) {
    bool ok = false;
    const double v = toNumber(text, &ok);
    return ok && std::isfinite(v) && std::fabs(v) <= limit ? v : NAN;
}

// A heart rate or cadence: a whole number from 1 to 999, else 0 (not recorded).
template <typename Text> int wholeNumber(const Text& text) {
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

template <typename Xml> bool isName(const Xml& xml, const char* name) {
    return xml.isName(name);
}

template <typename Xml> Parsed gpxFrom(Xml& xml) {
    Parsed parsed;
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
        if (token == Xml::StartElement) {
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
                current.name = textOf(xml.readElementText(false)).trimmed();
                --depth;
            } else if (inTrack && depth == trackDepth + 1 && isName(xml, "type")) {
                current.sport = textOf(xml.readElementText(false)).trimmed();
                --depth;
            } else if (inTrack && isName(xml, "trkseg")) {
                totals.havePrevious = false;
                segmentStarts = true;
            } else if (inTrack && isName(xml, "trkpt")) {
                bool okLat = false, okLon = false;
                const double lat = toNumber(xml.attribute("lat"), &okLat);
                const double lon = toNumber(xml.attribute("lon"), &okLon);
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
                point.ele = plausibleNumber(xml.readElementText(false), 1e5);
                --depth;
            } else if (inPoint && (isName(xml, "hr") || isName(xml, "cad"))) {
                const bool hr = isName(xml, "hr");
                const int v = wholeNumber(xml.readElementText(false));
                --depth;
                (hr ? point.hr : point.cad) = v;
            } else if (inTrack && isName(xml, "time")) {
                const auto text = xml.readElementText(false);
                --depth;
                if (const auto t = readTime(text)) {
                    totals.addTime(*t);
                    if (inPoint) {
                        point.ms = t->ms;
                        pointHasTime = true;
                    }
                } else {
                    parsed.error = QStringLiteral("a point has a time that is not a date and time: ") +
                                   textOf(text).trimmed();
                    return parsed;
                }
            }
        } else if (token == Xml::EndElement) {
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
                    parsed.activities.push_back(std::move(current));
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

template <typename Xml> Parsed tcxFrom(Xml& xml) {
    Parsed parsed;
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
        if (token == Xml::StartElement) {
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
                current.sport = textOf(xml.attribute("Sport")).trimmed();
                totals = PointTotals{};
                lapSeconds = lapMeters = 0;
                haveLapSeconds = haveLapMeters = false;
                lastPointMeters = -1;
                idTime.reset();
                // An activity inside another's lap (a damaged file) starts without a lap.
                inLap = false;
            } else if (!inActivity) {
                continue;
            } else if (isName(xml, "Id") && !inTrackpoint) {
                idTime = readTime(xml.readElementText(false));
            } else if (isName(xml, "Notes") && !inTrackpoint) {
                current.name = textOf(xml.readElementText(false)).trimmed();
            } else if (isName(xml, "Lap")) {
                inLap = true;
                current.track.laps.push_back(Track::Lap{});
                if (const auto t = readTime(xml.attribute("StartTime"))) {
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
                const double v = toNumber(xml.readElementText(false), &ok);
                if (ok && v >= 0) {
                    lapSeconds += v;
                    haveLapSeconds = true;
                    if (inLap && !current.track.laps.empty() && std::isfinite(v))
                        current.track.laps.back().seconds = v;
                }
            } else if (isName(xml, "DistanceMeters")) {
                bool ok = false;
                const double v = toNumber(xml.readElementText(false), &ok);
                if (ok && v >= 0) {
                    if (inTrackpoint) {
                        lastPointMeters = std::max(lastPointMeters, v);
                        if (v <= 1e9)
                            point.distance = v;
                    } else {
                        lapMeters += v;
                        haveLapMeters = true;
                        if (inLap && !current.track.laps.empty() && v <= 1e9)
                            current.track.laps.back().meters = v;
                    }
                }
            } else if (isName(xml, "Time") && inTrackpoint) {
                const auto text = xml.readElementText(false);
                if (const auto t = readTime(text)) {
                    totals.addTime(*t);
                    point.ms = t->ms;
                    pointHasTime = true;
                } else {
                    parsed.error = QStringLiteral("a point has a time that is not a date and time: ") +
                                   textOf(text).trimmed();
                    return parsed;
                }
            } else if (isName(xml, "AltitudeMeters") && inTrackpoint) {
                point.ele = plausibleNumber(xml.readElementText(false), 1e5);
            } else if (isName(xml, "HeartRateBpm") && inTrackpoint) {
                // Its one child, Value, holds the number.
                point.hr = wholeNumber(xml.readElementText(true));
            } else if ((isName(xml, "Cadence") || isName(xml, "RunCadence")) && inTrackpoint) {
                point.cad = wholeNumber(xml.readElementText(false));
            } else if (isName(xml, "LatitudeDegrees") && inTrackpoint) {
                lat = toNumber(xml.readElementText(false), nullptr);
            } else if (isName(xml, "LongitudeDegrees") && inTrackpoint) {
                lon = toNumber(xml.readElementText(false), nullptr);
            }
        } else if (token == Xml::EndElement) {
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
                    parsed.activities.push_back(std::move(current));
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

} // namespace

Parsed readGpx(QIODevice& device, Xml which) {
    return readEither(device, which, [](auto& xml) { return gpxFrom(xml); });
}

Parsed readTcx(QIODevice& device, Xml which) {
    return readEither(device, which, [](auto& xml) { return tcxFrom(xml); });
}

Parsed readGpx(QIODevice& device) {
    return readGpx(device, Xml::Quick);
}

Parsed readTcx(QIODevice& device) {
    return readTcx(device, Xml::Quick);
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
