#include "PersonalBests.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DateText.h"
#include "Transaction.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace {

const char* const Kinds[] = {"RunningRace", "CyclingRace", "SwimmingRace"};

int kindOrder(const QString& kind) {
    for (int i = 0; i < 3; ++i)
        if (kind.compare(QLatin1String(Kinds[i]), Qt::CaseInsensitive) == 0)
            return i;
    return 3;
}

QString kindHeading(const QString& kind) {
    static const char* const headings[] = {"Running Races", "Cycling Races", "Swimming Races"};
    const int i = kindOrder(kind);
    return i < 3 ? QString::fromLatin1(headings[i]) : kind;
}

// Minutes of a typed race time; nothing for a blank, unreadable or zero time.
std::optional<double> minutesOf(const QString& time) {
    try {
        const double m = CLibrary::GetMinutes(time.trimmed());
        if (m > 0 && std::isfinite(m))
            return m;
    } catch (...) {
    }
    return std::nullopt;
}

bool isRide(const QString& kind) {
    return kindOrder(kind) == 1;
}

// The pace of a run or swim, the speed of a ride.
QString paceOf(const QString& kind, const QString& time, double distance) {
    if (!(distance > 0))
        return QString();
    try {
        return isRide(kind) ? CLibrary::GetMPH(time.trimmed(), distance)
                            : CLibrary::GetPace(time.trimmed(), distance);
    } catch (...) {
        return QString();
    }
}

} // namespace

namespace PersonalBests {

std::vector<PersonalBest> compute(Connection& conn, const QString& user, bool miles) {
    Transaction read(conn, Transaction::Mode::Read);
    ResultSet rs = conn.query(QStringLiteral("SELECT Exercise, RaceType, RaceName, RaceDate, RaceTime, "
                                             "RaceDistance, RaceDistanceKM FROM RaceLog WHERE User_Name = ") +
                              CLibrary::Quote(user) + QStringLiteral(" ORDER BY RaceDate, RaceID"));
    std::vector<PersonalBest> bests;
    QHash<QString, size_t> index; // kind + type, lower-case -> place in bests
    for (; !rs.eof(); rs.moveNext()) {
        const QString kind = rs.field("Exercise");
        const QString type = rs.field("RaceType").trimmed();
        const QString key = kind.toLower() + QLatin1Char('\n') + type.toLower();
        auto it = index.constFind(key);
        if (it == index.constEnd()) {
            it = index.insert(key, bests.size());
            PersonalBest fresh;
            fresh.kind = kind;
            fresh.raceType = type;
            bests.push_back(fresh);
        }
        PersonalBest& best = bests[it.value()];
        ++best.races;
        const QString time = rs.field("RaceTime");
        const std::optional<double> minutes = minutesOf(time);
        // Rows come oldest first, so a later race of equal time does not replace the best.
        if (!minutes || (best.timed && !(*minutes < best.minutes)))
            continue;
        best.timed = true;
        best.minutes = *minutes;
        best.time = CLibrary::MinutesToString(*minutes);
        best.raceType = type;
        best.raceName = rs.field("RaceName");
        best.date = DateText::parse(rs.field("RaceDate")).value_or(QDate());
        const QVariant distance = rs.value(miles ? "RaceDistance" : "RaceDistanceKM");
        best.pace = paceOf(kind, time, distance.toDouble());
    }
    read.commit();

    std::stable_sort(bests.begin(), bests.end(), [](const PersonalBest& a, const PersonalBest& b) {
        const int ka = kindOrder(a.kind), kb = kindOrder(b.kind);
        if (ka != kb)
            return ka < kb;
        return a.raceType.compare(b.raceType, Qt::CaseInsensitive) < 0;
    });
    return bests;
}

QString rateHeading(const QString& kind, bool miles) {
    if (isRide(kind))
        return miles ? QStringLiteral("MPH") : QStringLiteral("KPH");
    return miles ? QStringLiteral("Pace/mi") : QStringLiteral("Pace/km");
}

QStringList lines(const std::vector<PersonalBest>& bests, bool miles) {
    if (bests.empty())
        return {QStringLiteral("No races")};
    const auto row = [](const QString& type, const QString& time, const QString& pace, const QString& date,
                        const QString& races, const QString& name) {
        return (CLibrary::FormatString(type, 20) + QLatin1Char(' ') + time.rightJustified(9) +
                QLatin1Char(' ') + pace.rightJustified(8) + QLatin1Char(' ') + date.rightJustified(10) +
                QLatin1Char(' ') + races.rightJustified(5) + QStringLiteral("  ") + name)
            .trimmed();
    };
    QStringList out;
    QString kind;
    for (const PersonalBest& b : bests) {
        if (out.isEmpty() || kindOrder(b.kind) != kindOrder(kind) ||
            (kindOrder(b.kind) == 3 && b.kind != kind)) {
            if (!out.isEmpty())
                out << QString();
            kind = b.kind;
            out << kindHeading(kind);
            out << row(QStringLiteral("Race Type"), QStringLiteral("Time"), rateHeading(kind, miles),
                       QStringLiteral("Date"), QStringLiteral("Races"), QStringLiteral("Race"));
        }
        out << row(b.raceType.isEmpty() ? QStringLiteral("(no type)") : b.raceType,
                   b.timed ? b.time : QStringLiteral("-"), b.pace,
                   b.timed && b.date.isValid() ? DateText::shortDate(b.date) : QString(),
                   QString::number(b.races), b.raceName);
    }
    return out;
}

std::optional<double> bestOtherThan(Connection& conn, const QString& user, const QString& kind,
                                    const QString& raceType, qint64 exceptRaceId) {
    Transaction read(conn, Transaction::Mode::Read);
    ResultSet rs =
        conn.query(QStringLiteral("SELECT RaceTime FROM RaceLog WHERE User_Name = ") + CLibrary::Quote(user) +
                   QStringLiteral(" AND Exercise = ") + CLibrary::Quote(kind) +
                   QStringLiteral(" AND RaceType = ") + CLibrary::Quote(raceType.trimmed()) +
                   QStringLiteral(" AND RaceID <> ") + QString::number(exceptRaceId));
    std::optional<double> best;
    for (; !rs.eof(); rs.moveNext()) {
        const std::optional<double> minutes = minutesOf(rs.field("RaceTime"));
        if (minutes && (!best || *minutes < *best))
            best = minutes;
    }
    read.commit();
    return best;
}

QString newBestMessage(const QString& raceType, const QString& time, double previousBest) {
    const std::optional<double> minutes = minutesOf(time);
    if (!minutes || !(*minutes < previousBest))
        return QString();
    return QStringLiteral("New personal best for %1: %2, %3 faster than %4")
        .arg(raceType.trimmed(), CLibrary::MinutesToString(*minutes),
             CLibrary::MinutesToString(previousBest - *minutes), CLibrary::MinutesToString(previousBest));
}

} // namespace PersonalBests
