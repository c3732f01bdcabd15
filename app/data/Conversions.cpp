// The time, pace and distance conversions of CLibrary, and the two helpers that write
// values into statements. None of them touches the database.

#include "CLibrary.h"
#include "NumberText.h"

#include <cmath>
#include <cstdint>

namespace {

const QString TypeMismatch = QStringLiteral("Type mismatch");
const QString DivisionByZero = QStringLiteral("Division by zero");
const QString Overflow = QStringLiteral("Overflow");
const QString InvalidArgument = QStringLiteral("Invalid procedure call or argument");

// One field of a duration: blank counts as 0, anything else must be a plain number.
double durationField(const QString& field) {
    if (field.trimmed().isEmpty())
        return 0;
    const auto value = NumberText::parse(field);
    if (!value)
        throw DbError(TypeMismatch);
    return *value;
}

double distanceValue(const QString& distance) {
    const auto value = NumberText::parse(distance);
    if (!value)
        throw DbError(TypeMismatch);
    return *value;
}

double finiteOrThrow(double value) {
    if (!std::isfinite(value))
        throw DbError(Overflow);
    return value;
}

QString twoDigits(qint64 n) {
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

} // namespace

double CLibrary::GetMinutes(const QString& time) {
    // Fields are read from the right: seconds, minutes, hours; anything before a third
    // ":" from the right does not count.
    const QStringList fields = time.split(QLatin1Char(':'));
    const qsizetype n = fields.size();
    const double seconds = durationField(fields.at(n - 1));
    const double minutes = n >= 2 ? durationField(fields.at(n - 2)) : 0.0;
    const double hours = n >= 3 ? durationField(fields.at(n - 3)) : 0.0;
    return finiteOrThrow(hours * 60 + minutes + seconds / 60);
}

QString CLibrary::MinutesToString(double minutes) {
    finiteOrThrow(minutes);
    // Work in whole seconds of the total, so the carries come out right: 59.5 seconds and
    // more become the next minute (119.999 -> 2:00:00) and whole minutes never show as
    // 59.999 seconds of the previous one. Halves go to the even second; the parity of the
    // total equals the parity of the seconds field because a minute has 60 seconds.
    double total = std::fabs(minutes) * 60;
    if (total > 9.0e15) // past 2^53 seconds: no whole-second arithmetic is exact any more
        throw DbError(Overflow);
    if (total < 9.0e9) {
        // Snap away the last binary digits of minutes*60 (30.5 s arrives as 30.49999...).
        total = std::round(total * 1e6) / 1e6;
    }
    const auto seconds = static_cast<std::int64_t>(std::nearbyint(total));
    const std::int64_t hours = seconds / 3600;
    const std::int64_t wholeMinutes = seconds / 60 % 60;
    const std::int64_t secs = seconds % 60;

    // A negative duration (typed as "-5:00") keeps its sign in front; one that rounds to
    // zero seconds shows as 0:00.
    const QString sign = minutes < 0 && seconds != 0 ? QStringLiteral("-") : QString();
    if (hours < 1)
        return sign + QString::number(wholeMinutes) + QLatin1Char(':') + twoDigits(secs);
    return sign + QString::number(hours) + QLatin1Char(':') + twoDigits(wholeMinutes) + QLatin1Char(':') +
           twoDigits(secs);
}

QString CLibrary::GetPace(const QString& time, const QString& distance) {
    return GetPace(time, distanceValue(distance));
}

QString CLibrary::GetPace(const QString& time, double distance) {
    const double minutes = GetMinutes(time);
    if (distance == 0)
        throw DbError(DivisionByZero);
    return MinutesToString(finiteOrThrow(minutes / finiteOrThrow(distance)));
}

QString CLibrary::GetMPH(const QString& time, const QString& distance) {
    return GetMPH(time, distanceValue(distance));
}

QString CLibrary::GetMPH(const QString& time, double distance) {
    const double hours = GetMinutes(time) / 60;
    if (hours == 0)
        throw DbError(DivisionByZero);
    return NumberText::fixed(finiteOrThrow(finiteOrThrow(distance) / hours), 2);
}

QString CLibrary::ComputeKilometers(const QString& miles) {
    const auto value = NumberText::parse(miles);
    if (!value || !std::isfinite(*value * KilometersPerMile))
        return QStringLiteral("0");
    return NumberText::fixed(*value * KilometersPerMile, 1);
}

QString CLibrary::ComputeMiles(const QString& kilometers) {
    const auto value = NumberText::parse(kilometers);
    if (!value)
        return QStringLiteral("0");
    return NumberText::fixed(*value / KilometersPerMile, 1);
}

QString CLibrary::FormatString(const QString& sString, qint16 nSpaces) {
    // A column of nSpaces characters plus one separating blank; a longer text overflows it.
    const qsizetype width = qsizetype(nSpaces) + 1;
    if (sString.size() >= width)
        return sString;
    return sString + QString(width - sString.size(), QLatin1Char(' '));
}

void CLibrary::ParseDate(const QString& sDate, QString& sDayOWeek, QString& sCalendarDate) {
    // "Saturday, 12/5/2026": the weekday before the first comma, the date after the comma
    // and the one blank that follows it.
    const qsizetype p = sDate.indexOf(QLatin1Char(','));
    if (p < 0 || p + 1 >= sDate.size())
        throw DbError(InvalidArgument);
    sDayOWeek = sDate.left(p);
    sCalendarDate = sDate.mid(p + 2);
}

QString CLibrary::Quote(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString CLibrary::Number(const QString& text) {
    if (!NumberText::parse(text))
        throw DbError(TypeMismatch);
    return text.trimmed();
}
