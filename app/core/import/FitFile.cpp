#include "FitFile.h"

#include "GpsTrack.h"

#include <QTimeZone>
#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
#include <limits>
#include <optional>

namespace FitFile {

namespace {

// Milliseconds of a time in seconds. A damaged file can give any time at all: it is held within
// what milliseconds can count, so that the import's time checks refuse it instead of the
// arithmetic overflowing.
qint64 millisecondsOf(qint64 seconds) {
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 1000;
    return std::clamp(seconds, -limit, limit) * 1000;
}

// FIT times count seconds from 31 December 1989 00:00 UTC.
constexpr int64_t FitEpoch = 631065600;
// What one file may add to memory, whatever it declares: about 100 MB of points (23 days at
// one a second), and laps, lengths, sessions and timer events each a number far beyond any
// real activity's.
constexpr size_t MaxPoints = 2'000'000;
constexpr size_t MaxItems = 100'000;

// The global message numbers read; field numbers are written where each message is read.
enum Message : uint16_t {
    FileIdMessage = 0,
    SportMessage = 12,
    SessionMessage = 18,
    LapMessage = 19,
    RecordMessage = 20,
    EventMessage = 21,
    LengthMessage = 101
};
constexpr int TimestampField = 253;

// Bytes of the device read in blocks, with the count and the running CRC of those read.
class Input {
  public:
    explicit Input(QIODevice& device) : m_device(device), m_block(64 * 1024) {}

    bool byte(uint8_t& out) {
        if (m_at == m_size) {
            m_size = std::max<qint64>(0, m_device.read(m_block.data(), qint64(m_block.size())));
            m_at = 0;
            if (m_size == 0) {
                ended = true;
                return false;
            }
        }
        out = uint8_t(m_block[size_t(m_at++)]);
        crc = crc16(crc, &out, 1);
        ++count;
        return true;
    }
    bool bytes(uint8_t* out, size_t n) {
        for (size_t i = 0; i < n; ++i)
            if (!byte(out[i]))
                return false;
        return true;
    }

    uint16_t crc = 0;
    int64_t count = 0;
    bool ended = false; // the device had no more bytes

  private:
    QIODevice& m_device;
    std::vector<char> m_block;
    qint64 m_at = 0, m_size = 0;
};

struct FieldDef {
    uint8_t number = 0, size = 0, base = 0;
};

struct Definition {
    bool defined = false;
    bool bigEndian = false;
    uint16_t global = 0;
    std::vector<FieldDef> fields;
    size_t developerBytes = 0; // skipped: their meaning is the developer's
};

// The integer fields of one data message, by field number.
class Values {
  public:
    void clear() { m_has.reset(); }
    void set(int field, int64_t value) {
        m_has.set(size_t(field));
        m_value[size_t(field)] = value;
    }
    std::optional<int64_t> get(int field) const {
        return m_has.test(size_t(field)) ? std::optional<int64_t>(m_value[size_t(field)]) : std::nullopt;
    }
    // A scaled value (a count of thousandths, hundredths, ...) in its unit.
    std::optional<double> scaled(int field, double scale) const {
        const auto v = get(field);
        return v ? std::optional<double>(double(*v) / scale) : std::nullopt;
    }

  private:
    std::bitset<256> m_has;
    std::array<int64_t, 256> m_value{};
};

// The first value of a field, or nothing for the base type's "invalid" value, a string, a
// floating-point value, an unknown base type or a field too short for its type.
std::optional<int64_t> valueOf(const uint8_t* p, const FieldDef& f, bool bigEndian) {
    static constexpr uint8_t Sizes[17] = {1, 1, 1, 2, 2, 4, 4, 1, 4, 8, 1, 2, 4, 1, 8, 8, 8};
    const int code = f.base & 0x1F;
    if (code > 16 || code == 7 || code == 8 || code == 9)
        return std::nullopt;
    const int size = Sizes[code];
    if (f.size < size)
        return std::nullopt;
    uint64_t raw = 0;
    for (int i = 0; i < size; ++i)
        raw |= uint64_t(p[bigEndian ? size - 1 - i : i]) << (8 * i);
    const uint64_t ones = size == 8 ? ~uint64_t(0) : (uint64_t(1) << (8 * size)) - 1;
    const bool isSigned = code == 1 || code == 3 || code == 5 || code == 14;
    const bool zeroIsInvalid = code == 10 || code == 11 || code == 12 || code == 16;
    if (zeroIsInvalid ? raw == 0 : raw == (isSigned ? ones >> 1 : ones))
        return std::nullopt;
    if (isSigned && size < 8 && (raw >> (8 * size - 1)) != 0)
        return int64_t(raw | ~ones); // sign-extended
    return int64_t(raw);
}

struct TimerEvent {
    int64_t time;
    bool starts;
};

// A session as its message gave it, before its points and laps are known.
struct SessionMark {
    Session session;
    bool haveTimer = false, haveElapsed = false, haveMeters = false;
    // Worked out in floating point and held within range: a damaged file may give any numbers.
    int64_t end() const {
        const double e = double(session.start) + std::ceil(session.elapsedSeconds);
        if (!(e < 9.2e18))
            return std::numeric_limits<int64_t>::max();
        return e > -9.2e18 ? int64_t(e) : std::numeric_limits<int64_t>::min();
    }
};

class Decoder {
  public:
    explicit Decoder(Decoded& out) : m_out(out) {}

    void newFile() {
        for (Definition& d : m_definitions)
            d = Definition{};
    }

    // One record (a definition or data message); false where the bytes stop making sense.
    bool record(Input& in) {
        uint8_t header = 0;
        if (!in.byte(header))
            return false;
        if (header & 0x80) { // compressed timestamp: 5 bits of seconds after the last full time
            const uint32_t offset = header & 0x1F;
            m_lastTime = m_lastTime + ((offset - (m_lastTime & 0x1F)) & 0x1F);
            return data(in, (header >> 5) & 0x03, true);
        }
        if (header & 0x40)
            return definition(in, header & 0x0F, (header & 0x20) != 0);
        return data(in, header & 0x0F, false);
    }

    void finish();

  private:
    bool definition(Input& in, int local, bool developerFields) {
        uint8_t head[5]; // reserved, architecture, global message number (2), field count
        if (!in.bytes(head, 5) || head[1] > 1)
            return false;
        Definition d;
        d.defined = true;
        d.bigEndian = head[1] == 1;
        d.global = d.bigEndian ? uint16_t(head[2] << 8 | head[3]) : uint16_t(head[3] << 8 | head[2]);
        d.fields.resize(head[4]);
        for (FieldDef& f : d.fields) {
            uint8_t b[3];
            if (!in.bytes(b, 3))
                return false;
            f = {b[0], b[1], b[2]};
        }
        if (developerFields) {
            uint8_t count = 0;
            if (!in.byte(count))
                return false;
            for (int i = 0; i < count; ++i) {
                uint8_t b[3]; // field number, size, developer data index
                if (!in.bytes(b, 3))
                    return false;
                d.developerBytes += b[1];
            }
        }
        m_definitions[size_t(local)] = std::move(d);
        return true;
    }

    bool data(Input& in, int local, bool compressedTime) {
        const Definition& d = m_definitions[size_t(local)];
        if (!d.defined)
            return false;
        m_values.clear();
        uint8_t field[255];
        for (const FieldDef& f : d.fields) {
            if (!in.bytes(field, f.size))
                return false;
            if (const auto v = valueOf(field, f, d.bigEndian))
                m_values.set(f.number, *v);
        }
        for (size_t i = 0; i < d.developerBytes; ++i)
            if (!in.byte(field[0]))
                return false;
        if (compressedTime)
            m_values.set(TimestampField, m_lastTime);
        else if (const auto t = m_values.get(TimestampField))
            m_lastTime = uint32_t(*t);
        message(d.global);
        return true;
    }

    static int64_t unixTime(int64_t fitTime) { return fitTime + FitEpoch; }

    void message(uint16_t global);
    void session();
    std::optional<Lap> lap(int startField, int elapsedField, int timerField, int metersField) const;

    Decoded& m_out;
    std::array<Definition, 16> m_definitions;
    Values m_values;
    uint32_t m_lastTime = 0;
    int m_sport = NoSport; // from the sport message, for a file without sessions
    std::vector<SessionMark> m_sessions;
    std::vector<Point> m_points;
    std::vector<Lap> m_laps, m_lengths;
    std::vector<TimerEvent> m_events;
};

void Decoder::message(uint16_t global) {
    const Values& v = m_values;
    const auto time = v.get(TimestampField);
    switch (global) {
    case FileIdMessage:
        if (const auto type = v.get(0)) {
            if (m_out.fileType < 0)
                m_out.fileType = int(*type);
            m_out.hasActivity = m_out.hasActivity || *type == ActivityFile;
        }
        break;
    case SportMessage:
        if (const auto sport = v.get(0))
            m_sport = int(*sport);
        break;
    case SessionMessage:
        session();
        break;
    case LapMessage:
        if (const auto l = lap(2, 7, 8, 9); l && m_laps.size() < MaxItems)
            m_laps.push_back(*l);
        break;
    case LengthMessage:
        // Idle lengths (type 0) are the rests between swims.
        if (const auto l = lap(2, 3, 4, -1); l && v.get(12).value_or(1) == 1 && m_lengths.size() < MaxItems)
            m_lengths.push_back(*l);
        break;
    case RecordMessage:
        if (time && m_points.size() < MaxPoints) {
            constexpr double ToDegrees = 180.0 / 2147483648.0; // semicircles
            Point p;
            p.time = unixTime(*time);
            const auto lat = v.get(0), lon = v.get(1);
            if (lat && lon) {
                p.latitude = double(*lat) * ToDegrees;
                p.longitude = double(*lon) * ToDegrees;
            }
            if (const auto alt = v.get(78) ? v.get(78) : v.get(2))
                p.elevation = double(*alt) / 5.0 - 500.0;
            p.distance = v.scaled(5, 100).value_or(NAN);
            p.heartRate = int(v.get(3).value_or(-1));
            p.cadence = int(v.get(4).value_or(-1));
            m_points.push_back(p);
        }
        break;
    case EventMessage: {
        // The timer's starts and stops (event 0; types start 0, stop 1, stop all 4, stop and
        // disable 8 and 9), for a file whose sessions are missing.
        const auto event = v.get(0), type = v.get(1);
        if (time && event == 0 && type && m_events.size() < MaxItems) {
            if (*type == 0)
                m_events.push_back({unixTime(*time), true});
            else if (*type == 1 || *type == 4 || *type == 8 || *type == 9)
                m_events.push_back({unixTime(*time), false});
        }
        break;
    }
    default:
        break;
    }
}

// A lap or length: its start, or its end less its time when it names no start.
std::optional<Lap> Decoder::lap(int startField, int elapsedField, int timerField, int metersField) const {
    const Values& v = m_values;
    Lap l;
    l.elapsedSeconds = v.scaled(elapsedField, 1000).value_or(NAN);
    l.timerSeconds = v.scaled(timerField, 1000).value_or(NAN);
    if (metersField >= 0)
        l.meters = v.scaled(metersField, 100).value_or(NAN);
    if (const auto start = v.get(startField))
        l.start = unixTime(*start);
    else if (const auto end = v.get(TimestampField); end && std::isfinite(l.elapsedSeconds))
        l.start = unixTime(*end) - int64_t(l.elapsedSeconds);
    else
        return std::nullopt;
    return l;
}

void Decoder::session() {
    const Values& v = m_values;
    if (m_sessions.size() >= MaxItems)
        return;
    SessionMark m;
    Session& s = m.session;
    s.sport = int(v.get(5).value_or(NoSport));
    const auto timer = v.scaled(8, 1000), elapsed = v.scaled(7, 1000), meters = v.scaled(9, 100);
    const auto start = v.get(2), end = v.get(TimestampField);
    if (start)
        s.start = unixTime(*start);
    else if (end && (elapsed || timer))
        s.start = unixTime(*end) - int64_t(elapsed.value_or(timer.value_or(0)));
    else
        return; // a session with no time cannot be placed
    m.haveElapsed = elapsed || (start && end && *end >= *start);
    s.elapsedSeconds = elapsed ? *elapsed : (m.haveElapsed ? double(*end - *start) : 0);
    m.haveTimer = timer.has_value();
    s.timerSeconds = timer.value_or(s.elapsedSeconds);
    if (!m.haveElapsed)
        s.elapsedSeconds = s.timerSeconds;
    m.haveMeters = meters.has_value();
    s.meters = meters.value_or(0);
    m_sessions.push_back(std::move(m));
}

// The distance the points cover: the device's own count where it kept one, else the
// great-circle distance between consecutive positions.
double metersOf(const std::vector<Point>& points) {
    double first = NAN, last = NAN, sum = 0;
    const Point* previous = nullptr;
    for (const Point& p : points) {
        if (std::isfinite(p.distance)) {
            if (!std::isfinite(first))
                first = p.distance;
            last = p.distance;
        }
        if (std::isfinite(p.latitude)) {
            if (previous)
                sum +=
                    Track::haversineMeters(previous->latitude, previous->longitude, p.latitude, p.longitude);
            previous = &p;
        }
    }
    return std::isfinite(first) ? std::max(0.0, last - first) : sum;
}

void Decoder::finish() {
    if (m_sessions.empty() && !m_points.empty()) {
        // No session message (the device stopped before writing it): one session of the
        // points, timed by the timer's events where the file has them.
        SessionMark m;
        Session& s = m.session;
        s.sport = m_sport;
        s.fromRecords = true;
        int64_t first = m_points.front().time, last = first;
        for (const Point& p : m_points) {
            first = std::min(first, p.time);
            last = std::max(last, p.time);
        }
        s.start = first;
        s.elapsedSeconds = double(last) - double(first);
        s.timerSeconds = s.elapsedSeconds;
        if (!m_events.empty()) {
            double running = 0;
            std::optional<int64_t> since;
            for (const TimerEvent& e : m_events) {
                if (e.starts && !since)
                    since = e.time;
                else if (!e.starts && since) {
                    running += std::max(0.0, double(e.time) - double(*since));
                    since.reset();
                }
            }
            if (since)
                running += std::max(0.0, double(last) - double(*since));
            s.timerSeconds = std::min(running, s.elapsedSeconds);
        }
        m.haveTimer = m.haveElapsed = true;
        m_sessions.push_back(std::move(m));
    }
    std::stable_sort(m_sessions.begin(), m_sessions.end(), [](const SessionMark& a, const SessionMark& b) {
        return a.session.start < b.session.start;
    });
    std::vector<int64_t> starts;
    for (const SessionMark& m : m_sessions)
        starts.push_back(m.session.start);
    // The session whose time holds `t`, or null.
    auto sessionAt = [&](int64_t t) -> Session* {
        const auto after = std::upper_bound(starts.begin(), starts.end(), t);
        if (after == starts.begin())
            return nullptr;
        SessionMark& m = m_sessions[size_t(after - starts.begin() - 1)];
        return t <= m.end() ? &m.session : nullptr;
    };
    for (const Point& p : m_points)
        if (Session* s = sessionAt(p.time))
            s->points.push_back(p);
    for (const Lap& l : m_laps)
        if (Session* s = sessionAt(l.start))
            s->laps.push_back(l);
    for (const Lap& l : m_lengths)
        if (Session* s = sessionAt(l.start))
            s->lengths.push_back(l);
    for (SessionMark& m : m_sessions) {
        if (!m.haveMeters)
            m.session.meters = metersOf(m.session.points);
        m_out.sessions.push_back(std::move(m.session));
    }
}

} // namespace

uint16_t crc16(uint16_t crc, const uint8_t* bytes, size_t size) {
    static constexpr uint16_t Table[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
                                           0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400};
    for (size_t i = 0; i < size; ++i) {
        // The low four bits of the byte, then the high four.
        for (const int nibble : {bytes[i] & 0x0F, bytes[i] >> 4}) {
            const uint16_t t = Table[crc & 0x0F];
            crc = uint16_t(((crc >> 4) & 0x0FFF) ^ t ^ Table[nibble]);
        }
    }
    return crc;
}

Decoded decode(QIODevice& device) {
    Decoded out;
    Input in(device);
    Decoder decoder(out);
    auto damaged = [&](const QString& why) {
        if (out.damage.isEmpty())
            out.damage = why;
    };
    // One file after another: a chained file follows the checksum of the one before it.
    for (;;) {
        in.crc = 0;
        uint8_t header[255];
        if (!in.byte(header[0]))
            break;
        const size_t headerSize = header[0];
        if (headerSize < 12 || !in.bytes(header + 1, 11) || std::memcmp(header + 8, ".FIT", 4) != 0) {
            if (out.isFit)
                damaged(QStringLiteral("what follows its last record is not a FIT file"));
            break;
        }
        out.isFit = true;
        if (!in.bytes(header + 12, headerSize - 12)) {
            damaged(QStringLiteral("the file ends early, in its header"));
            break;
        }
        if (headerSize >= 14) {
            const uint16_t stored = uint16_t(header[12] | header[13] << 8);
            if (stored != 0 && stored != crc16(0, header, 12))
                damaged(QStringLiteral("the header's checksum does not match"));
        }
        const uint32_t dataSize = uint32_t(header[4]) | uint32_t(header[5]) << 8 | uint32_t(header[6]) << 16 |
                                  uint32_t(header[7]) << 24;
        // A device that stopped while recording may leave the size at 0: then the records run to
        // the end of the file, and where they stop decoding is said as for a damaged file.
        const int64_t end =
            dataSize == 0 ? std::numeric_limits<int64_t>::max() : in.count + int64_t(dataSize);
        decoder.newFile();
        bool whole = true;
        while (in.count < end) {
            const int64_t at = in.count;
            if (!decoder.record(in)) {
                damaged((in.ended ? QStringLiteral("the file ends early, at byte %1")
                                  : QStringLiteral("its records stop decoding at byte %1"))
                            .arg(at));
                whole = false;
                break;
            }
        }
        if (!whole)
            break;
        const uint16_t expected = in.crc;
        uint8_t stored[2];
        if (!in.bytes(stored, 2)) {
            damaged(QStringLiteral("the file ends before its checksum"));
            break;
        }
        if (uint16_t(stored[0] | stored[1] << 8) != expected)
            damaged(QStringLiteral("its checksum does not match"));
    }
    decoder.finish();
    return out;
}

QString fileTypeName(int type) {
    switch (type) {
    case 1:
        return QStringLiteral("device");
    case 2:
        return QStringLiteral("settings");
    case 3:
        return QStringLiteral("sport settings");
    case 5:
        return QStringLiteral("workout");
    case 6:
        return QStringLiteral("course");
    case 7:
        return QStringLiteral("schedules");
    case 9:
        return QStringLiteral("weight scale");
    case 10:
        return QStringLiteral("totals");
    case 11:
        return QStringLiteral("goals");
    case 14:
        return QStringLiteral("blood pressure");
    case 15:
    case 28:
    case 32:
        return QStringLiteral("monitoring");
    case 20:
        return QStringLiteral("activity summary");
    case 34:
    case 35:
        return QStringLiteral("segment");
    default:
        return QStringLiteral("type %1").arg(type);
    }
}

} // namespace FitFile

namespace GpsTrack {

Parsed readFit(QIODevice& device) {
    Parsed parsed;
    const FitFile::Decoded file = FitFile::decode(device);
    if (!file.isFit) {
        parsed.error = QStringLiteral("not a FIT file");
        return parsed;
    }
    if (!file.hasActivity && file.fileType >= 0) {
        parsed.error =
            QStringLiteral("holds no activity (a %1 file)").arg(FitFile::fileTypeName(file.fileType));
        return parsed;
    }
    for (const FitFile::Session& s : file.sessions) {
        if (s.sport == FitFile::Transition)
            continue; // the change between the sports of a multisport race
        Activity a;
        a.sport = s.sport == FitFile::Running    ? QStringLiteral("running")
                  : s.sport == FitFile::Cycling  ? QStringLiteral("cycling")
                  : s.sport == FitFile::Swimming ? QStringLiteral("swimming")
                                                 : QString();
        a.start = QDateTime::fromSecsSinceEpoch(s.start, QTimeZone::utc());
        a.seconds = s.timerSeconds;
        a.meters = s.meters;
        // The track: the session's records, and its laps (a pool swim's lengths when it has none).
        a.track.points.reserve(s.points.size());
        for (const FitFile::Point& p : s.points) {
            Track::Point t;
            t.ms = FitFile::millisecondsOf(p.time);
            t.lat = p.latitude;
            t.lon = p.longitude;
            t.ele = p.elevation;
            t.distance = p.distance;
            t.hr = p.heartRate > 0 ? p.heartRate : 0;
            t.cad = p.cadence > 0 ? p.cadence : 0;
            a.track.points.push_back(t);
        }
        for (const FitFile::Lap& l : s.laps.empty() ? s.lengths : s.laps)
            a.track.laps.push_back({FitFile::millisecondsOf(l.start),
                                    std::isfinite(l.timerSeconds) ? l.timerSeconds : l.elapsedSeconds,
                                    l.meters});
        parsed.activities.push_back(a);
    }
    if (parsed.activities.empty())
        parsed.error = QStringLiteral("no activity with a time") +
                       (file.damage.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(file.damage));
    else if (!file.damage.isEmpty())
        parsed.warning = QStringLiteral("read as far as its records decode: ") + file.damage;
    return parsed;
}

} // namespace GpsTrack
