#include "DateText.h"

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::array<const char*, 12> MonthNames = {"January",   "February", "March",    "April",
                                                    "May",       "June",     "July",     "August",
                                                    "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> DayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                 "Friday", "Saturday", "Sunday"};

// A cursor over the text being read; every reader advances it only on success.
struct Reader {
    const QChar* p;
    const QChar* end;

    bool atEnd() const { return p == end; }
    void skipBlanks() {
        while (p != end && p->isSpace())
            ++p;
    }
    bool take(char c) {
        if (p != end && *p == QLatin1Char(c)) {
            ++p;
            return true;
        }
        return false;
    }
    // Reads minDigits..maxDigits ASCII digits.
    bool number(int minDigits, int maxDigits, int& value) {
        int n = 0;
        int v = 0;
        while (p != end && n < maxDigits && p->unicode() >= '0' && p->unicode() <= '9') {
            v = v * 10 + (p->unicode() - '0');
            ++p;
            ++n;
        }
        if (n < minDigits || (p != end && p->unicode() >= '0' && p->unicode() <= '9'))
            return false;
        value = v;
        return true;
    }
    // Reads a run of letters and returns the month it names: the full English name, or,
    // when `abbreviated`, its first three letters. 0 when it names none.
    int monthName(bool abbreviated) {
        const QChar* start = p;
        while (p != end && p->isLetter())
            ++p;
        const QStringView word(start, p);
        for (int m = 0; m < 12; ++m) {
            const QLatin1StringView name(MonthNames[m]);
            const QLatin1StringView wanted = abbreviated ? name.first(3) : name;
            if (word.compare(wanted, Qt::CaseInsensitive) == 0)
                return m + 1;
        }
        p = start;
        return 0;
    }
};

std::optional<QDate> validDate(int y, int m, int d) {
    const QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// yyyy-MM-dd, optionally followed by a time ("2026-12-05 10:30:00" or "2026-12-05T10:30").
std::optional<QDate> readIso(Reader r) {
    int y, m, d;
    if (!r.number(4, 4, y) || !r.take('-') || !r.number(1, 2, m) || !r.take('-') || !r.number(1, 2, d))
        return std::nullopt;
    if (!r.atEnd()) {
        if (!r.take('T') && !r.p->isSpace())
            return std::nullopt;
        r.skipBlanks();
        int hh, mm;
        if (!r.number(1, 2, hh) || !r.take(':') || !r.number(2, 2, mm))
            return std::nullopt;
        int ss = 0;
        if (r.take(':') && !r.number(2, 2, ss))
            return std::nullopt;
        if (r.take('.')) {
            int frac;
            if (!r.number(1, 9, frac))
                return std::nullopt;
        }
        if (!r.atEnd() || hh > 23 || mm > 59 || ss > 59)
            return std::nullopt;
    }
    return validDate(y, m, d);
}

// M/d/yyyy
std::optional<QDate> readSlashed(Reader r) {
    int y, m, d;
    if (!r.number(1, 2, m) || !r.take('/') || !r.number(1, 2, d) || !r.take('/') || !r.number(4, 4, y) ||
        !r.atEnd())
        return std::nullopt;
    return validDate(y, m, d);
}

// dd-MMM-yyyy
std::optional<QDate> readDayMonthYear(Reader r) {
    int y, d;
    if (!r.number(1, 2, d) || !r.take('-'))
        return std::nullopt;
    const int m = r.monthName(true);
    if (m == 0 || !r.take('-') || !r.number(4, 4, y) || !r.atEnd())
        return std::nullopt;
    return validDate(y, m, d);
}

// "March 2004" or "March, 2004": the first day of the month.
std::optional<QDate> readMonthText(Reader r) {
    const int m = r.monthName(false);
    if (m == 0)
        return std::nullopt;
    r.take(',');
    const QChar* beforeBlank = r.p;
    r.skipBlanks();
    int y;
    if (r.p == beforeBlank || !r.number(4, 4, y) || !r.atEnd())
        return std::nullopt;
    return validDate(y, m, 1);
}

} // namespace

namespace DateText {

std::optional<QDate> parse(const QString& text) {
    Reader r{text.constData(), text.constData() + text.size()};
    r.skipBlanks();
    while (r.end != r.p && (r.end - 1)->isSpace())
        --r.end;
    if (r.atEnd())
        return std::nullopt;
    if (r.p->isLetter())
        return readMonthText(r);
    if (auto d = readIso(r))
        return d;
    if (auto d = readSlashed(r))
        return d;
    return readDayMonthYear(r);
}

void formatUtf8(int year, int month, int day, const char* pattern, size_t length, std::string& out) {
    const auto lower = [](char c) { return char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c); };
    const auto two = [&out](int v) {
        out += char('0' + v / 10);
        out += char('0' + v % 10);
    };
    size_t i = 0;
    while (i < length) {
        const char c = lower(pattern[i]);
        if (c != 'd' && c != 'm' && c != 'y') {
            out += pattern[i++];
            continue;
        }
        size_t run = 1;
        while (i + run < length && run < 4 && lower(pattern[i + run]) == c)
            ++run;
        if (c == 'y' && run != 2 && run != 4) {
            // Only yy and yyyy are tokens: a lone y is copied, yyy reads as yy and y.
            if (run == 1) {
                out += pattern[i++];
                continue;
            }
            run = 2;
        }
        i += run;
        const int field = c == 'd' ? day : c == 'm' ? month : std::abs(year);
        if (c == 'y') {
            if (run == 4)
                two(field / 100 % 100);
            two(field % 100);
        } else if (run <= 2) {
            if (run == 2 || field >= 10)
                two(field);
            else
                out += char('0' + field);
        } else {
            const char* name =
                c == 'd' ? DayNames[QDate(year, month, day).dayOfWeek() - 1] : MonthNames[field - 1];
            out.append(name, run == 3 ? 3 : std::strlen(name));
        }
    }
}

QString format(const QDate& date, const QString& pattern) {
    if (!date.isValid())
        return QString();
    int y, m, d;
    date.getDate(&y, &m, &d);
    const QByteArray p = pattern.toUtf8();
    std::string out;
    formatUtf8(y, m, d, p.constData(), size_t(p.size()), out);
    return QString::fromStdString(out);
}

QDate firstPickable() {
    return QDate(1900, 1, 1);
}

QDate lastPickable() {
    return QDate(2099, 12, 31);
}

QString weekdayName(const QDate& date) {
    return date.isValid() ? QString::fromLatin1(DayNames[date.dayOfWeek() - 1]) : QString();
}

QString shortDate(const QDate& date) {
    if (!date.isValid())
        return QString();
    return QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year());
}

QString iso(const QDate& date) {
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

} // namespace DateText
