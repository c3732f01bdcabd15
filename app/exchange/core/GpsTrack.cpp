#include "GpsTrack.h"

#include <QTimeZone>
#include <QXmlStreamReader>
#include <cmath>
#include <optional>

namespace GpsTrack {

namespace {

std::optional<QDateTime> readTime(const QString& text) {
    QDateTime t = QDateTime::fromString(text.trimmed(), Qt::ISODateWithMs);
    if (!t.isValid())
        return std::nullopt;
    // A time without a zone is UTC in both formats.
    if (t.timeSpec() == Qt::LocalTime)
        t.setTimeZone(QTimeZone::utc());
    return t;
}

QString errorText(const QXmlStreamReader& xml) {
    return QStringLiteral("not well-formed XML at line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
}

// Running totals of one activity's points.
struct PointTotals {
    std::optional<QDateTime> first, last;
    double meters = 0;
    bool havePrevious = false;
    double lat = 0, lon = 0;

    void addTime(const QDateTime& t) {
        if (!first || t < *first)
            first = t;
        if (!last || t > *last)
            last = t;
    }
    void addPosition(double newLat, double newLon) {
        if (havePrevious)
            meters += haversineMeters(lat, lon, newLat, newLon);
        lat = newLat;
        lon = newLon;
        havePrevious = true;
    }
};

bool isName(const QXmlStreamReader& xml, const char* name) {
    return xml.name() == QLatin1String(name);
}

} // namespace

double haversineMeters(double lat1, double lon1, double lat2, double lon2) {
    constexpr double R = 6371008.8; // mean Earth radius
    constexpr double toRad = M_PI / 180.0;
    const double dLat = (lat2 - lat1) * toRad;
    const double dLon = (lon2 - lon1) * toRad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2) + std::cos(lat1 * toRad) *
                                                                   std::cos(lat2 * toRad) *
                                                                   std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * R * std::asin(std::min(1.0, std::sqrt(a)));
}

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
            } else if (inTrack && isName(xml, "trkpt")) {
                bool okLat = false, okLon = false;
                const double lat = xml.attributes().value(QLatin1String("lat")).toDouble(&okLat);
                const double lon = xml.attributes().value(QLatin1String("lon")).toDouble(&okLon);
                if (okLat && okLon && std::isfinite(lat) && std::isfinite(lon))
                    totals.addPosition(lat, lon);
            } else if (inTrack && isName(xml, "time")) {
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                --depth;
                if (const auto t = readTime(text))
                    totals.addTime(*t);
                else {
                    parsed.error =
                        QStringLiteral("a point has a time that is not a date and time: ") + text.trimmed();
                    return parsed;
                }
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (inTrack && depth == trackDepth && isName(xml, "trk")) {
                inTrack = false;
                if (totals.first) {
                    current.start = *totals.first;
                    current.seconds = double(totals.first->msecsTo(*totals.last)) / 1000.0;
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
    std::optional<QDateTime> idTime;
    double lat = NAN, lon = NAN;

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
                if (const auto t = readTime(xml.attributes().value(QLatin1String("StartTime")).toString()))
                    totals.addTime(*t);
            } else if (isName(xml, "Track")) {
                totals.havePrevious = false;
            } else if (isName(xml, "Trackpoint")) {
                inTrackpoint = true;
                lat = lon = NAN;
            } else if (isName(xml, "TotalTimeSeconds") && !inTrackpoint) {
                bool ok = false;
                const double v = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble(&ok);
                if (ok && v >= 0) {
                    lapSeconds += v;
                    haveLapSeconds = true;
                }
            } else if (isName(xml, "DistanceMeters")) {
                bool ok = false;
                const double v = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble(&ok);
                if (ok && v >= 0) {
                    if (inTrackpoint)
                        lastPointMeters = std::max(lastPointMeters, v);
                    else {
                        lapMeters += v;
                        haveLapMeters = true;
                    }
                }
            } else if (isName(xml, "Time") && inTrackpoint) {
                const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                if (const auto t = readTime(text))
                    totals.addTime(*t);
                else {
                    parsed.error =
                        QStringLiteral("a point has a time that is not a date and time: ") + text.trimmed();
                    return parsed;
                }
            } else if (isName(xml, "LatitudeDegrees") && inTrackpoint) {
                lat = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble();
            } else if (isName(xml, "LongitudeDegrees") && inTrackpoint) {
                lon = xml.readElementText(QXmlStreamReader::SkipChildElements).toDouble();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (isName(xml, "Trackpoint")) {
                inTrackpoint = false;
                if (std::isfinite(lat) && std::isfinite(lon))
                    totals.addPosition(lat, lon);
            } else if (inActivity && isName(xml, "Activity")) {
                inActivity = false;
                const std::optional<QDateTime> start = totals.first ? totals.first : idTime;
                if (start && (totals.first || haveLapSeconds)) {
                    current.start = *start;
                    current.seconds =
                        haveLapSeconds ? lapSeconds : double(totals.first->msecsTo(*totals.last)) / 1000.0;
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

QString kindOfSport(const QString& sport) {
    const QString s = sport.toLower();
    if (s.contains(QLatin1String("run")) || s.contains(QLatin1String("jog")))
        return QStringLiteral("Running");
    if (s.contains(QLatin1String("bik")) || s.contains(QLatin1String("cycl")) ||
        s.contains(QLatin1String("ride")))
        return QStringLiteral("Cycling");
    if (s.contains(QLatin1String("swim")))
        return QStringLiteral("Swimming");
    return QString();
}

} // namespace GpsTrack
