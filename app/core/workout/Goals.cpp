#include "Goals.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DateText.h"
#include "DbError.h"
#include "NumberText.h"
#include "Transaction.h"
#include "WorkoutKinds.h"
#include "WorkoutLimits.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace Goals {

namespace {

// The canonical spelling of `text` in `names`, matched without regard to case; empty if none.
QString canonical(const QStringList& names, const QString& text) {
    for (const QString& name : names)
        if (name.compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return name;
    return QString();
}

int daysIn(const QString& period) {
    return period == QLatin1String("week") ? 7 : period == QLatin1String("month") ? 31 : 366;
}

// One decimal; without it when it is ".0" (the status line's 25 rather than 25.0).
QString shortNumber(double value) {
    QString text = NumberText::fixed(value, 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return text;
}

// The goal's kind, whose detail table holds the distances; running for a kind not known.
const WorkoutKinds::Kind& kindOf(const Goal& goal) {
    const WorkoutKinds::Kind* kind = WorkoutKinds::findWorkout(goal.kind);
    return kind ? *kind : WorkoutKinds::Running;
}

// Whether the goal's distance is counted in laps, which have no other unit.
bool inLaps(const Goal& goal) {
    return kindOf(goal).unit == WorkoutKinds::Unit::Laps;
}

double doneIn(Connection& conn, const QString& user, const Goal& goal, const QDate& from, const QDate& to,
              bool miles) {
    const QString range = QStringLiteral("Exercise_Date BETWEEN %1 AND %2")
                              .arg(CLibrary::Quote(DateText::iso(from)), CLibrary::Quote(DateText::iso(to)));
    if (!goal.time) {
        const WorkoutKinds::Kind& kind = kindOf(goal);
        ResultSet rs = conn.query(QStringLiteral("SELECT Sum(%1) AS Done FROM Exercise_Master, %2 "
                                                 "WHERE Exercise_ID = %3 AND User_Name = ? AND %4")
                                      .arg(kind.distanceColumn(miles), QLatin1String(kind.table->name),
                                           QLatin1String(kind.table->key), range),
                                  {user});
        return rs.eof() ? 0 : rs.value(QStringLiteral("Done")).toDouble();
    }
    // Times are stored as typed; one that does not read as a time adds nothing.
    QString sql =
        QStringLiteral("SELECT Exercise_Time FROM Exercise_Master WHERE User_Name = ? AND ") + range;
    QVariantList params{user};
    if (goal.kind != QLatin1String("All")) {
        sql += QStringLiteral(" AND Exercise_Type = ?");
        params << goal.kind;
    }
    double minutes = 0;
    for (ResultSet rs = conn.query(sql, params); !rs.eof(); rs.moveNext()) {
        try {
            const double m = CLibrary::GetMinutes(rs.field(QStringLiteral("Exercise_Time")).trimmed());
            if (WorkoutLimits::minutesOk(m))
                minutes += m;
        } catch (const DbError&) {
        }
    }
    return minutes;
}

} // namespace

const QStringList& kinds() {
    static const QStringList names = [] {
        QStringList out;
        for (const WorkoutKinds::Kind* kind : WorkoutKinds::Workouts)
            if (kind->unit != WorkoutKinds::Unit::None)
                out << kind->nameText();
        return out << QStringLiteral("All");
    }();
    return names;
}

const QStringList& periods() {
    static const QStringList names{QStringLiteral("week"), QStringLiteral("month"), QStringLiteral("year")};
    return names;
}

std::pair<QDate, QDate> periodOf(const QString& period, const QDate& date) {
    if (period == QLatin1String("week")) {
        // dayOfWeek: Monday 1 ... Sunday 7, so Sunday goes back 0 days.
        const QDate sunday = date.addDays(-(date.dayOfWeek() % 7));
        return {sunday, sunday.addDays(6)};
    }
    if (period == QLatin1String("month")) {
        const QDate first(date.year(), date.month(), 1);
        return {first, first.addMonths(1).addDays(-1)};
    }
    return {QDate(date.year(), 1, 1), QDate(date.year(), 12, 31)};
}

std::optional<double> parseHoursMinutes(const QString& text) {
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d{1,5}):([0-5]\\d)\\s*$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toDouble() * 60 + m.captured(2).toDouble();
}

Goal make(const QString& kind, const QString& period, const QString& distance, const QString& time,
          bool miles) {
    Goal goal;
    goal.kind = canonical(kinds(), kind);
    if (goal.kind.isEmpty())
        throw DbError(QStringLiteral("The kind must be Running, Cycling, Swimming or All."));
    goal.period = canonical(periods(), period);
    if (goal.period.isEmpty())
        throw DbError(QStringLiteral("The period must be week, month or year."));
    const bool hasDistance = !distance.trimmed().isEmpty();
    goal.time = !time.trimmed().isEmpty();
    if (hasDistance == goal.time)
        throw DbError(QStringLiteral("Enter either a distance or a time."));
    const int days = daysIn(goal.period);
    if (goal.time) {
        // No period holds more hours than it has.
        const double most = days * 24 * 60.0;
        const std::optional<double> minutes = parseHoursMinutes(time);
        if (!minutes || *minutes <= 0 || *minutes > most)
            throw DbError(QStringLiteral("The time must be hours and minutes (h:mm), more than 0:00 and at "
                                         "most %1:00 for a %2.")
                              .arg(days * 24)
                              .arg(goal.period));
        goal.target = *minutes;
        return goal;
    }
    if (goal.kind == QLatin1String("All"))
        throw DbError(QStringLiteral("A goal for all workouts takes a time only."));
    // At least what one decimal shows; at most the largest storable workout on every day of
    // the period.
    const bool laps = inLaps(goal);
    const double factor = laps || miles ? 1.0 : CLibrary::KilometersPerMile;
    const double most = WorkoutLimits::maxMiles * days * factor;
    const std::optional<double> value = NumberText::parse(distance);
    if (!value || !(*value >= 0.1) || *value > most)
        throw DbError(QStringLiteral("The distance must be a number from 0.1 to %1 %2 for a %3.")
                          .arg(NumberText::general(most), unitOf(goal, miles), goal.period));
    goal.target = *value / factor;
    return goal;
}

std::vector<Goal> list(Connection& conn, const QString& user) {
    std::vector<Goal> goals;
    for (ResultSet rs = conn.query(
             QStringLiteral("SELECT Kind, Period, Distance, Minutes FROM Goals WHERE User_Name = ?"), {user});
         !rs.eof(); rs.moveNext()) {
        Goal goal;
        goal.kind = canonical(kinds(), rs.field(QStringLiteral("Kind")));
        goal.period = canonical(periods(), rs.field(QStringLiteral("Period")));
        goal.time = !rs.isNull(QStringLiteral("Minutes"));
        goal.target = rs.value(goal.time ? QStringLiteral("Minutes") : QStringLiteral("Distance")).toDouble();
        goals.push_back(goal);
    }
    std::sort(goals.begin(), goals.end(), [](const Goal& a, const Goal& b) {
        const auto key = [](const Goal& g) {
            return std::pair(kinds().indexOf(g.kind), periods().indexOf(g.period));
        };
        return key(a) < key(b);
    });
    return goals;
}

void save(Connection& conn, const QString& user, const Goal& goal) {
    Transaction write(conn);
    if (conn.query(QStringLiteral("SELECT User_Name FROM Users WHERE User_Name = ?"), {user}).eof())
        throw DbError(QStringLiteral("There is no user named '%1'.").arg(user));
    conn.execute(QStringLiteral("DELETE FROM Goals WHERE User_Name = ? AND Kind = ? AND Period = ?"),
                 {user, goal.kind, goal.period});
    conn.execute(QStringLiteral("INSERT INTO Goals (User_Name, Kind, Period, Distance, Minutes) "
                                "VALUES (?, ?, ?, ?, ?)"),
                 {user, goal.kind, goal.period, goal.time ? QVariant() : QVariant(goal.target),
                  goal.time ? QVariant(goal.target) : QVariant()});
    write.commit();
}

bool remove(Connection& conn, const QString& user, const QString& kind, const QString& period) {
    Transaction write(conn);
    conn.execute(QStringLiteral("DELETE FROM Goals WHERE User_Name = ? AND Kind = ? AND Period = ?"),
                 {user, kind, period});
    const bool removed = conn.changes() > 0;
    write.commit();
    return removed;
}

std::vector<GoalProgress> progress(Connection& conn, const QString& user, const QDate& date, bool miles,
                                   const QStringList& periods) {
    std::vector<GoalProgress> out;
    Transaction read(conn, Transaction::Mode::Read);
    for (const Goal& goal : list(conn, user)) {
        if (!periods.contains(goal.period))
            continue;
        GoalProgress p;
        p.goal = goal;
        std::tie(p.from, p.to) = periodOf(goal.period, date);
        const bool converted = !goal.time && !miles && !inLaps(goal);
        p.target = converted ? goal.target * CLibrary::KilometersPerMile : goal.target;
        p.done = doneIn(conn, user, goal, p.from, p.to, miles);
        // A target typed into the file by other means may be tiny: the percentage stays an int.
        p.percent = int(std::lround(std::clamp(100.0 * p.done / p.target, -1e9, 1e9)));
        out.push_back(p);
    }
    read.commit();
    return out;
}

QString unitOf(const Goal& goal, bool miles) {
    if (goal.time)
        return QString();
    if (inLaps(goal))
        return QStringLiteral("laps");
    return miles ? QStringLiteral("miles") : QStringLiteral("km");
}

QString hoursMinutesSeconds(double minutes) {
    const QString text = CLibrary::MinutesToString(minutes);
    // Below an hour the conversion gives m:ss.
    return text.count(QLatin1Char(':')) == 1 ? QStringLiteral("0:") + text.rightJustified(5, QLatin1Char('0'))
                                             : text;
}

QString targetText(const Goal& goal, bool miles) {
    if (goal.time) {
        const auto minutes = std::llround(goal.target);
        return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
    }
    const bool converted = !miles && !inLaps(goal);
    return shortNumber(converted ? goal.target * CLibrary::KilometersPerMile : goal.target);
}

QString describe(const GoalProgress& p, bool miles, const QDate& today) {
    QString when;
    if (p.from <= today && today <= p.to)
        when = QStringLiteral("this ") + p.goal.period;
    else if (p.goal.period == QLatin1String("week"))
        when = QStringLiteral("in the week of ") + DateText::shortDate(p.from);
    else if (p.goal.period == QLatin1String("month"))
        when = QStringLiteral("in ") + DateText::format(p.from, QStringLiteral("mmmm yyyy"));
    else
        when = QStringLiteral("in ") + QString::number(p.from.year());
    const QString kind = p.goal.kind == QLatin1String("All") ? QStringLiteral("All workouts") : p.goal.kind;
    return QStringLiteral("%1 %2: %3").arg(kind, when, amountsText(p, miles));
}

QString amountsText(const GoalProgress& p, bool miles) {
    const QString amounts =
        p.goal.time
            ? QStringLiteral("%1 of %2").arg(hoursMinutesSeconds(p.done), hoursMinutesSeconds(p.target))
            : QStringLiteral("%1 of %2 %3")
                  .arg(shortNumber(p.done), shortNumber(p.target), unitOf(p.goal, miles));
    return QStringLiteral("%1 (%2%)").arg(amounts).arg(p.percent);
}

QString line(const GoalProgress& p) {
    const auto amount = [&](double v) {
        return p.goal.time ? hoursMinutesSeconds(v) : NumberText::fixed(v, 1);
    };
    return QStringList{p.goal.kind,      p.goal.period,  DateText::iso(p.from),     DateText::iso(p.to),
                       amount(p.target), amount(p.done), QString::number(p.percent)}
        .join(QLatin1Char('\t'));
}

} // namespace Goals
