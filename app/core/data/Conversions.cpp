// The time, pace and distance conversions of CLibrary, and the two helpers that write
// values into statements. None of them touches the database.

#include "CLibrary.h"
#include "NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

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

// The usual stored duration, [[h:]m:]s in plain digits, read without splitting the text. Empty
// fields count as 0, as below; false for anything else (signs, points, blanks, long fields),
// which the general reading handles.
bool plainMinutes(const QString& time, double& out) {
    std::int64_t fields[3] = {0, 0, 0}; // seconds, minutes, hours: the last three fields
    int digits = 0;
    for (const QChar ch : time) {
        const char16_t c = ch.unicode();
        if (c >= u'0' && c <= u'9') {
            if (++digits > 15)
                return false;
            fields[0] = fields[0] * 10 + (c - u'0');
        } else if (c == u':') {
            fields[2] = fields[1];
            fields[1] = fields[0];
            fields[0] = 0;
            digits = 0;
        } else {
            return false;
        }
    }
    out = double(fields[2]) * 60 + double(fields[1]) + double(fields[0]) / 60;
    return true;
}

} // namespace

double CLibrary::GetMinutes(const QString& time) {
    if (double minutes; plainMinutes(time, minutes))
        return minutes;
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
    // Written into one buffer: long reports convert a few durations per line.
    const char* sign = minutes < 0 && seconds != 0 ? "-" : "";
    char text[48];
    const int n = hours < 1 ? std::snprintf(text, sizeof text, "%s%lld:%02lld", sign, (long long)wholeMinutes,
                                            (long long)secs)
                            : std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld", sign, (long long)hours,
                                            (long long)wholeMinutes, (long long)secs);
    return QString::fromLatin1(text, n);
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
