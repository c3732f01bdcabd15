#include "Track.h"

#include "CLibrary.h"
#include "DbError.h"
#include "NumberText.h"

#include <QDateTime>
#include <QTimeZone>
#include <QXmlStreamWriter>
#include <algorithm>

namespace Track {

namespace {

// --- Where a stretch begins or ends: between point i and i + 1, at fraction f ---------------

struct Cut {
    size_t i = 0;
    double f = 0;
};

struct Series {
    std::vector<double> meters;  // cumulative distance
    std::vector<double> seconds; // since the first point
    std::vector<double> ele;     // smoothed
};

Series seriesOf(const Data& track) {
    Series s;
    s.meters = cumulativeMeters(track);
    s.ele = smoothedElevation(track);
    s.seconds.reserve(track.points.size());
    for (const Point& p : track.points)
        s.seconds.push_back(double(p.ms - track.points.front().ms) / 1000.0);
    return s;
}

double at(const std::vector<double>& v, const Cut& c) {
    if (c.f == 0 || c.i + 1 >= v.size())
        return v[c.i];
    return v[c.i] + (v[c.i + 1] - v[c.i]) * c.f;
}

// The first place where `v` (not decreasing) reaches `target`, searching from `from`.
Cut reach(const std::vector<double>& v, double target, size_t from) {
    for (size_t k = from; k + 1 < v.size(); ++k) {
        if (v[k + 1] >= target) {
            const double span = v[k + 1] - v[k];
            return {k, span > 0 ? std::clamp((target - v[k]) / span, 0.0, 1.0) : 1.0};
        }
    }
    return {v.size() - 1, 0};
}

// Distance, time, heart rate and climb between two cuts. Heart rate and elevation are taken as
// changing linearly between points, so the mean is time-weighted over every piece.
Stretch between(const Data& track, const Series& s, Cut a, Cut b) {
    Stretch out;
    out.startMeters = at(s.meters, a);
    out.endMeters = at(s.meters, b);
    out.meters = out.endMeters - out.startMeters;
    const double t0 = at(s.seconds, a), t1 = at(s.seconds, b);
    out.seconds = t1 - t0;
    const qint64 first = track.points.front().ms;
    out.startMs = first + qint64(std::llround(t0 * 1000));
    out.endMs = first + qint64(std::llround(t1 * 1000));
    const bool haveEle = !s.ele.empty() && std::isfinite(s.ele.front());
    double hrSum = 0, hrWeight = 0, climb = 0;
    for (size_t k = a.i; k < b.i || (k == b.i && b.f > 0); ++k) {
        if (k + 1 >= track.points.size())
            break;
        const double lo = k == a.i ? a.f : 0, hi = k == b.i ? b.f : 1;
        if (hi <= lo)
            continue;
        const Point &p = track.points[k], &q = track.points[k + 1];
        const double dt = (s.seconds[k + 1] - s.seconds[k]) * (hi - lo);
        if (p.hr > 0 && q.hr > 0 && dt > 0) {
            const double hLo = p.hr + (q.hr - p.hr) * lo, hHi = p.hr + (q.hr - p.hr) * hi;
            hrSum += (hLo + hHi) / 2 * dt;
            hrWeight += dt;
        }
        if (haveEle) {
            const double rise = (s.ele[k + 1] - s.ele[k]) * (hi - lo);
            if (rise > 0)
                climb += rise;
        }
    }
    if (hrWeight > 0)
        out.heartRate = hrSum / hrWeight;
    if (haveEle)
        out.climb = climb;
    return out;
}

// --- Packing: zig-zag variable-length integers, then deflated ---------------------------------

constexpr char Magic = 'T';
constexpr char Version = 1;
constexpr qsizetype MaxUnpacked = 64 * 1024 * 1024;

enum Has : quint8 { HasPosition = 1, HasEle = 2, HasDistance = 4, HasHr = 8, HasCad = 16, NewSegment = 32 };

class Writer {
  public:
    void put(qint64 v) {
        quint64 z = (quint64(v) << 1) ^ quint64(v >> 63);
        while (z >= 0x80) {
            bytes += char(z | 0x80);
            z >>= 7;
        }
        bytes += char(z);
    }
    // A value as the difference from the one before (first = true: from the one before that too).
    struct Delta {
        qint64 last = 0, lastStep = 0;
    };
    // Differences wrap around as the reader adds them back, so any values round-trip.
    void delta(Delta& d, qint64 v) {
        put(qint64(quint64(v) - quint64(d.last)));
        d.last = v;
    }
    void delta2(Delta& d, qint64 v) {
        const qint64 step = qint64(quint64(v) - quint64(d.last));
        put(qint64(quint64(step) - quint64(d.lastStep)));
        d.last = v;
        d.lastStep = step;
    }
    QByteArray bytes;
};

class Reader {
  public:
    explicit Reader(const QByteArray& b) : bytes(b) {}
    qint64 get() {
        quint64 z = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            if (pos >= bytes.size())
                damaged();
            const quint8 c = quint8(bytes[pos++]);
            z |= quint64(c & 0x7f) << shift;
            if (!(c & 0x80))
                return qint64(z >> 1) ^ -qint64(z & 1);
        }
        damaged();
    }
    quint8 byte() {
        if (pos >= bytes.size())
            damaged();
        return quint8(bytes[pos++]);
    }
    qint64 delta(Writer::Delta& d) {
        d.last = qint64(quint64(d.last) + quint64(get()));
        return d.last;
    }
    qint64 delta2(Writer::Delta& d) {
        d.lastStep = qint64(quint64(d.lastStep) + quint64(get()));
        d.last = qint64(quint64(d.last) + quint64(d.lastStep));
        return d.last;
    }
    [[noreturn]] static void damaged() { throw DbError(QStringLiteral("the stored track is damaged")); }
    const QByteArray& bytes;
    qsizetype pos = 0;
};

QByteArray seal(const QByteArray& body) {
    return QByteArray(1, Magic) + QByteArray(1, Version) + qCompress(body, 6);
}

QByteArray unseal(const QByteArray& bytes) {
    if (bytes.size() < 6 || bytes[0] != Magic || bytes[1] != Version)
        Reader::damaged();
    const QByteArray packed = bytes.mid(2);
    // The deflated data begins with its size: refuse a size no track reaches before allocating it.
    const quint32 size = (quint32(quint8(packed[0])) << 24) | (quint32(quint8(packed[1])) << 16) |
                         (quint32(quint8(packed[2])) << 8) | quint32(quint8(packed[3]));
    if (size > MaxUnpacked)
        Reader::damaged();
    const QByteArray body = qUncompress(packed);
    if (body.isEmpty() && size != 0)
        Reader::damaged();
    return body;
}

bool plausible(double v, double limit) {
    return std::isfinite(v) && std::fabs(v) <= limit;
}

qint64 scaled(double v, double factor) {
    return qint64(std::llround(v * factor));
}

QString isoTime(qint64 ms) {
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc());
    return t.toString(ms % 1000 == 0 ? Qt::ISODate : Qt::ISODateWithMs);
}

} // namespace

std::vector<double> cumulativeMeters(const Data& track) {
    const auto& pts = track.points;
    std::vector<double> d(pts.size(), 0.0);
    const bool own = !pts.empty() && std::all_of(pts.begin(), pts.end(),
                                                 [](const Point& p) { return std::isfinite(p.distance); });
    double sum = 0;
    const Point* previous = nullptr;
    for (size_t i = 0; i < pts.size(); ++i) {
        const Point& p = pts[i];
        if (own) {
            // A file's distance never runs backwards along the track.
            sum = std::max(sum, p.distance);
        } else if (p.hasPosition()) {
            if (previous && !p.newSegment)
                sum += haversineMeters(previous->lat, previous->lon, p.lat, p.lon);
            previous = &p;
        }
        if (!own && p.newSegment && !p.hasPosition())
            previous = nullptr;
        d[i] = sum;
    }
    if (own && !d.empty()) {
        // Measured from the first point.
        const double start = d.front();
        for (double& v : d)
            v -= start;
    }
    return d;
}

std::vector<double> smoothedElevation(const Data& track) {
    const auto& pts = track.points;
    std::vector<double> raw;
    raw.reserve(pts.size());
    double known = NAN;
    for (const Point& p : pts)
        if (std::isfinite(p.ele)) {
            known = p.ele;
            break;
        }
    if (!std::isfinite(known))
        return std::vector<double>(pts.size(), NAN);
    // A point without an elevation keeps the one before it.
    for (const Point& p : pts) {
        if (std::isfinite(p.ele))
            known = p.ele;
        raw.push_back(known);
    }
    // The turning points of the profile that stand at least a few metres above or below the
    // one before: a climb counts from its low to its high once it has risen that much, so a
    // steady climb keeps its whole height and wobbles smaller than that count nothing.
    constexpr double Band = 3.0;
    const size_t n = raw.size();
    std::vector<size_t> turns;
    size_t lo = 0, hi = 0, candidate = 0;
    int direction = 0;
    for (size_t k = 1; k < n; ++k) {
        if (direction == 0) {
            if (raw[k] < raw[lo])
                lo = k;
            if (raw[k] > raw[hi])
                hi = k;
            if (raw[k] - raw[lo] >= Band) {
                turns.push_back(lo);
                direction = 1;
                candidate = k;
            } else if (raw[hi] - raw[k] >= Band) {
                turns.push_back(hi);
                direction = -1;
                candidate = k;
            }
        } else if ((raw[k] - raw[candidate]) * direction > 0) {
            candidate = k;
        } else if ((raw[candidate] - raw[k]) * direction >= Band) {
            turns.push_back(candidate);
            direction = -direction;
            candidate = k;
        }
    }
    if (direction == 0)
        return std::vector<double>(n, raw.front());
    turns.push_back(candidate);
    // Between two turning points the profile runs one way only: the highest (or lowest) height
    // reached so far in that leg, within the leg's two ends. Before the first and after the last
    // turning point it stays level.
    std::vector<double> out(n);
    for (size_t k = 0; k <= turns.front(); ++k)
        out[k] = raw[turns.front()];
    for (size_t t = 0; t + 1 < turns.size(); ++t) {
        const size_t from = turns[t], to = turns[t + 1];
        const double a = raw[from], b = raw[to];
        double reached = a;
        for (size_t k = from; k <= to; ++k) {
            reached = b > a ? std::max(reached, raw[k]) : std::min(reached, raw[k]);
            out[k] = std::clamp(reached, std::min(a, b), std::max(a, b));
        }
    }
    for (size_t k = turns.back(); k < n; ++k)
        out[k] = raw[turns.back()];
    return out;
}

std::vector<Stretch> splits(const Data& track, double unitMeters) {
    std::vector<Stretch> rows;
    if (track.points.empty() || !(unitMeters > 0))
        return rows;
    const Series s = seriesOf(track);
    const double end = s.meters.back();
    Cut from{0, 0};
    for (int k = 1; k * unitMeters <= end; ++k) {
        const Cut to = reach(s.meters, k * unitMeters, from.i);
        rows.push_back(between(track, s, from, to));
        from = to;
    }
    const Cut last{track.points.size() - 1, 0};
    const Stretch rest = between(track, s, from, last);
    // A remainder that would print as 0.00 in 0:00 is the rounding of the last whole unit,
    // not a stretch of its own.
    if (rest.meters >= unitMeters * 0.005 || rest.seconds >= 0.5)
        rows.push_back(rest);
    return rows;
}

std::vector<Stretch> laps(const Data& track) {
    std::vector<Stretch> rows;
    if (track.points.empty())
        return rows;
    const Series s = seriesOf(track);
    const qint64 first = track.points.front().ms;
    auto cutAt = [&](qint64 ms) { return reach(s.seconds, double(ms - first) / 1000.0, 0); };
    for (size_t i = 0; i < track.laps.size(); ++i) {
        const Cut a = cutAt(track.laps[i].startMs);
        const Cut b =
            i + 1 < track.laps.size() ? cutAt(track.laps[i + 1].startMs) : Cut{track.points.size() - 1, 0};
        Stretch row = between(track, s, a, b);
        if (std::isfinite(track.laps[i].seconds))
            row.seconds = track.laps[i].seconds;
        if (std::isfinite(track.laps[i].meters))
            row.meters = track.laps[i].meters;
        rows.push_back(row);
    }
    return rows;
}

Stretch total(const Data& track) {
    if (track.points.empty())
        return {};
    return between(track, seriesOf(track), Cut{0, 0}, Cut{track.points.size() - 1, 0});
}

Stretch totalOf(const std::vector<Stretch>& rows) {
    Stretch sum;
    if (rows.empty())
        return sum;
    double hrSum = 0, hrWeight = 0;
    bool haveClimb = false;
    sum.climb = 0;
    for (const Stretch& r : rows) {
        sum.meters += r.meters;
        sum.seconds += r.seconds;
        if (std::isfinite(r.heartRate)) {
            const double w = double(r.endMs - r.startMs);
            hrSum += r.heartRate * w;
            hrWeight += w;
        }
        if (std::isfinite(r.climb)) {
            sum.climb += r.climb;
            haveClimb = true;
        }
    }
    if (!haveClimb)
        sum.climb = NAN;
    if (hrWeight > 0)
        sum.heartRate = hrSum / hrWeight;
    sum.startMs = rows.front().startMs;
    sum.endMs = rows.back().endMs;
    return sum;
}

Elevation elevation(const Data& track) {
    Elevation e;
    const std::vector<double> s = smoothedElevation(track);
    for (size_t i = 1; i < s.size(); ++i) {
        if (!std::isfinite(s[i]))
            break;
        const double d = s[i] - s[i - 1];
        (d > 0 ? e.climb : e.descent) += std::fabs(d);
    }
    return e;
}

QStringList lines(const std::vector<Stretch>& rows, const Stretch& total, const QString& label,
                  double unitMeters, bool speed) {
    const QChar tab = QLatin1Char('\t');
    QStringList out{label + QStringLiteral("\tDistance\tTime\t") +
                    (speed ? QStringLiteral("Speed") : QStringLiteral("Pace")) +
                    QStringLiteral("\tHR\tClimb")};
    auto line = [&](const QString& first, const Stretch& r) {
        const double units = r.meters / unitMeters;
        QString rate;
        if (speed && r.seconds > 0)
            rate = NumberText::fixed(units / (r.seconds / 3600.0), 2);
        else if (!speed && units > 0)
            rate = CLibrary::MinutesToString(r.seconds / units / 60.0);
        return first + tab + NumberText::fixed(units, 2) + tab + CLibrary::MinutesToString(r.seconds / 60.0) +
               tab + rate + tab +
               (std::isfinite(r.heartRate) ? QString::number(std::llround(r.heartRate)) : QString()) + tab +
               (std::isfinite(r.climb) ? QString::number(std::llround(r.climb)) : QString());
    };
    for (size_t i = 0; i < rows.size(); ++i)
        out << line(QString::number(i + 1), rows[i]);
    out << line(QStringLiteral("Total"), total);
    return out;
}

QByteArray packPoints(const std::vector<Point>& points) {
    Writer w;
    w.put(qint64(points.size()));
    // Presence of each value, one byte a point (deflating takes the repeats away).
    std::vector<quint8> has(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        quint8 h = 0;
        if (p.hasPosition() && plausible(p.lat, 90) && plausible(p.lon, 180))
            h |= HasPosition;
        if (plausible(p.ele, 1e5))
            h |= HasEle;
        if (plausible(p.distance, 1e9) && p.distance >= 0)
            h |= HasDistance;
        if (p.hr > 0 && p.hr < 1000)
            h |= HasHr;
        if (p.cad > 0 && p.cad < 1000)
            h |= HasCad;
        if (p.newSegment)
            h |= NewSegment;
        has[i] = h;
        w.bytes += char(h);
    }
    // Each value in a column of its own: times, positions and distances as changes of their
    // step (constant at a steady pace), elevation, heart rate and cadence as changes.
    Writer::Delta time, lat, lon, ele, dist, hr, cad;
    for (const Point& p : points)
        w.delta2(time, p.ms);
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasPosition) {
            w.delta2(lat, scaled(points[i].lat, 1e7));
            w.delta2(lon, scaled(points[i].lon, 1e7));
        }
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasEle)
            w.delta(ele, scaled(points[i].ele, 100));
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasDistance)
            w.delta2(dist, scaled(points[i].distance, 100));
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasHr)
            w.delta(hr, points[i].hr);
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasCad)
            w.delta(cad, points[i].cad);
    return seal(w.bytes);
}

std::vector<Point> unpackPoints(const QByteArray& bytes) {
    const QByteArray body = unseal(bytes);
    Reader r(body);
    const qint64 count = r.get();
    // Every point takes at least two bytes (its presence and its time).
    if (count < 0 || count > body.size() / 2)
        Reader::damaged();
    std::vector<Point> points(static_cast<size_t>(count));
    std::vector<quint8> has(points.size());
    for (auto& h : has)
        h = r.byte();
    Writer::Delta time, lat, lon, ele, dist, hr, cad;
    for (Point& p : points)
        p.ms = r.delta2(time);
    for (size_t i = 0; i < points.size(); ++i) {
        points[i].newSegment = has[i] & NewSegment;
        if (has[i] & HasPosition) {
            points[i].lat = double(r.delta2(lat)) / 1e7;
            points[i].lon = double(r.delta2(lon)) / 1e7;
        }
    }
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasEle)
            points[i].ele = double(r.delta(ele)) / 100;
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasDistance)
            points[i].distance = double(r.delta2(dist)) / 100;
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasHr)
            points[i].hr = int(std::clamp<qint64>(r.delta(hr), 0, 999));
    for (size_t i = 0; i < points.size(); ++i)
        if (has[i] & HasCad)
            points[i].cad = int(std::clamp<qint64>(r.delta(cad), 0, 999));
    return points;
}

QByteArray packLaps(const std::vector<Lap>& laps) {
    Writer w;
    w.put(qint64(laps.size()));
    Writer::Delta start;
    for (const Lap& lap : laps) {
        w.delta(start, lap.startMs);
        // Milliseconds and centimetres; -1 when the file does not give them.
        w.put(plausible(lap.seconds, 1e9) && lap.seconds >= 0 ? scaled(lap.seconds, 1000) : -1);
        w.put(plausible(lap.meters, 1e9) && lap.meters >= 0 ? scaled(lap.meters, 100) : -1);
    }
    return seal(w.bytes);
}

std::vector<Lap> unpackLaps(const QByteArray& bytes) {
    const QByteArray body = unseal(bytes);
    Reader r(body);
    const qint64 count = r.get();
    if (count < 0 || count > body.size() / 3)
        Reader::damaged();
    std::vector<Lap> laps(static_cast<size_t>(count));
    Writer::Delta start;
    for (Lap& lap : laps) {
        lap.startMs = r.delta(start);
        const qint64 ms = r.get(), cm = r.get();
        lap.seconds = ms >= 0 ? double(ms) / 1000 : NAN;
        lap.meters = cm >= 0 ? double(cm) / 100 : NAN;
    }
    return laps;
}

QByteArray gpx(const Data& track, const QString& name, const QString& type) {
    QByteArray out;
    out.reserve(qsizetype(track.points.size()) * 200 + 512);
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    const QString tpx = QStringLiteral("http://www.garmin.com/xmlschemas/TrackPointExtension/v1");
    xml.writeNamespace(tpx, QStringLiteral("gpxtpx"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Trainbook"));
    xml.writeStartElement(QStringLiteral("trk"));
    if (!name.isEmpty())
        xml.writeTextElement(QStringLiteral("name"), name);
    if (!type.isEmpty())
        xml.writeTextElement(QStringLiteral("type"), type);
    xml.writeStartElement(QStringLiteral("trkseg"));
    bool first = true;
    for (const Point& p : track.points) {
        // GPX needs a position on every point; one without is left out.
        if (!p.hasPosition())
            continue;
        if (p.newSegment && !first) {
            xml.writeEndElement();
            xml.writeStartElement(QStringLiteral("trkseg"));
        }
        first = false;
        xml.writeStartElement(QStringLiteral("trkpt"));
        xml.writeAttribute(QStringLiteral("lat"), QString::number(p.lat, 'f', 7));
        xml.writeAttribute(QStringLiteral("lon"), QString::number(p.lon, 'f', 7));
        if (std::isfinite(p.ele))
            xml.writeTextElement(QStringLiteral("ele"), QString::number(p.ele, 'f', 2));
        xml.writeTextElement(QStringLiteral("time"), isoTime(p.ms));
        if (p.hr > 0 || p.cad > 0) {
            xml.writeStartElement(QStringLiteral("extensions"));
            xml.writeStartElement(tpx, QStringLiteral("TrackPointExtension"));
            if (p.hr > 0)
                xml.writeTextElement(tpx, QStringLiteral("hr"), QString::number(p.hr));
            if (p.cad > 0)
                xml.writeTextElement(tpx, QStringLiteral("cad"), QString::number(p.cad));
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return out;
}

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

} // namespace Track
