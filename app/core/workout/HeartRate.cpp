#include "HeartRate.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DbError.h"
#include "Transaction.h"

#include <QRegularExpression>

namespace HeartRate {

namespace {

// Calls `add(bpm, seconds)` for each stretch from a sample with a rate to the next sample.
template <typename Add> void eachStretch(const std::vector<Sample>& samples, Add add) {
    for (size_t i = 0; i + 1 < samples.size(); ++i) {
        const qint64 ms = samples[i + 1].ms - samples[i].ms;
        if (samples[i].bpm > 0 && ms > 0)
            add(samples[i].bpm, ms / 1000.0);
    }
}

std::optional<int> rateOf(const QVariant& value) {
    return value.isValid() ? std::optional<int>(value.toInt()) : std::nullopt;
}

QVariant valueOf(const std::optional<int>& rate) {
    return rate ? QVariant(*rate) : QVariant();
}

} // namespace

std::optional<Zones> parseZones(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d{1,3})\\s*(?:,\\s*(\\d{1,3})\\s*){4}$"));
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    const QStringList parts = text.split(QLatin1Char(','));
    Zones zones{};
    for (int i = 0; i < 5; ++i) {
        zones[i] = parts.at(i).trimmed().toInt();
        if (zones[i] < 1 || zones[i] > 100 || (i > 0 && zones[i] <= zones[i - 1]))
            return std::nullopt;
    }
    return zones;
}

QString zonesText(const Zones& zones) {
    QStringList parts;
    for (int z : zones)
        parts << QString::number(z);
    return parts.join(QLatin1Char(','));
}

Zones zonesFrom(const QString& text) {
    if (const std::optional<Zones> zones = parseZones(text))
        return *zones;
    throw DbError(QStringLiteral("The zone bounds must be five whole percentages from 1 to 100, each above "
                                 "the one before (such as 50,60,70,80,90)."));
}

std::optional<int> rateFrom(const QString& text, const char* which) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    bool ok = false;
    const int rate = text.trimmed().toInt(&ok);
    if (!ok || rate < Lowest || rate > Highest)
        throw DbError(QStringLiteral("The %1 heart rate must be a whole number from %2 to %3 bpm.")
                          .arg(QLatin1String(which))
                          .arg(Lowest)
                          .arg(Highest));
    return rate;
}

void check(const Settings& s) {
    for (const auto& [rate, name] : {std::pair(s.max, "maximum"), std::pair(s.rest, "resting")})
        if (rate)
            rateFrom(QString::number(*rate), name);
    if (s.max && s.rest && *s.rest >= *s.max)
        throw DbError(QStringLiteral("The resting heart rate must be below the maximum."));
    zonesFrom(zonesText(s.zones));
}

Settings read(Connection& conn, const QString& user) {
    ResultSet rs =
        conn.query(QStringLiteral("SELECT Max_HR, Rest_HR, HR_Zones FROM Users WHERE User_Name = ?"), {user});
    if (rs.eof())
        throw DbError(QStringLiteral("There is no user named '%1'.").arg(user));
    Settings s;
    s.max = rateOf(rs.value(QStringLiteral("Max_HR")));
    s.rest = rateOf(rs.value(QStringLiteral("Rest_HR")));
    // Only this program writes the bounds; any other text reads as the default.
    s.zones = parseZones(rs.field(QStringLiteral("HR_Zones"))).value_or(DefaultZones);
    return s;
}

void save(Connection& conn, const QString& user, const Settings& s) {
    check(s);
    Transaction write(conn);
    conn.execute(QStringLiteral("UPDATE Users SET Max_HR = ?, Rest_HR = ?, HR_Zones = ? WHERE User_Name = ?"),
                 {valueOf(s.max), valueOf(s.rest), zonesText(s.zones), user});
    if (conn.changes() == 0)
        throw DbError(QStringLiteral("There is no user named '%1'.").arg(user));
    write.commit();
}

QString line(const Settings& s) {
    const auto text = [](const std::optional<int>& rate) {
        return rate ? QString::number(*rate) : QString();
    };
    return QStringLiteral("%1\t%2\t%3").arg(text(s.max), text(s.rest), zonesText(s.zones));
}

std::optional<Average> average(const std::vector<Sample>& samples) {
    double beats = 0, seconds = 0;
    eachStretch(samples, [&](int bpm, double s) {
        beats += bpm * s;
        seconds += s;
    });
    if (seconds <= 0)
        return std::nullopt;
    return Average{beats / seconds, seconds};
}

std::vector<Sample> samplesOf(const std::vector<Track::Point>& points) {
    std::vector<Sample> out;
    out.reserve(points.size());
    for (const Track::Point& p : points)
        out.push_back({p.ms, p.hr});
    return out;
}

std::optional<Migration::TrackHeartRate> averageOfPacked(const QByteArray& points) {
    const std::optional<Average> avg = average(samplesOf(Track::unpackPoints(points)));
    if (!avg)
        return std::nullopt;
    return Migration::TrackHeartRate{avg->bpm, avg->seconds};
}

std::array<int, 5> bounds(int max, const Zones& zones) {
    std::array<int, 5> out{};
    for (int i = 0; i < 5; ++i)
        out[i] = max * zones[i] / 100;
    return out;
}

std::array<double, 6> zoneSeconds(const std::vector<Sample>& samples, int max, const Zones& zones) {
    const std::array<int, 5> from = bounds(max, zones);
    std::array<double, 6> out{};
    eachStretch(samples, [&](int bpm, double s) {
        int zone = 0;
        while (zone < 5 && bpm >= from[zone])
            ++zone;
        out[zone] += s;
    });
    return out;
}

QStringList zoneLines(const std::array<double, 6>& seconds, int max, const Zones& zones) {
    const std::array<int, 5> from = bounds(max, zones);
    QStringList lines;
    for (int zone = 0; zone <= 5; ++zone)
        lines << QStringLiteral("%1\t%2\t%3\t%4")
                     .arg(zone == 0 ? QStringLiteral("Below") : QString::number(zone),
                          QString::number(zone == 0 ? 0 : from[zone - 1]),
                          zone == 5 ? QString() : QString::number(from[zone]),
                          CLibrary::MinutesToString(seconds[zone] / 60));
    return lines;
}

void keep(Connection& conn, qint64 id, const std::vector<Sample>& samples) {
    const std::optional<Average> avg = average(samples);
    Transaction write(conn);
    conn.execute(QStringLiteral("DELETE FROM Exercise_HeartRate WHERE Exercise_ID = ?"), {id});
    if (avg)
        conn.execute(
            QStringLiteral(
                "INSERT INTO Exercise_HeartRate (Exercise_ID, Average_HR, Seconds) VALUES (?, ?, ?)"),
            {id, avg->bpm, avg->seconds});
    write.commit();
}

} // namespace HeartRate
