#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

// Every conversion here goes through <charconv>: it never looks at the process locale, which
// QCoreApplication sets from the environment (printf and strtod would then write or expect
// "," in some locales).

namespace {

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
}

// The significant digits of a magnitude (no trailing zeros, at least one) and the decimal
// exponent of the first: value = d1.d2d3... x 10^exponent.
struct Digits {
    char digit[24];
    int count = 0;
    int exponent = 0;
};

Digits readScientific(const char* begin, const char* end) {
    Digits out;
    const char* p = begin;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.')
            out.digit[out.count++] = *p;
    ++p; // 'e'
    const bool negative = *p == '-';
    for (++p; p < end; ++p)
        out.exponent = out.exponent * 10 + (*p - '0');
    if (negative)
        out.exponent = -out.exponent;
    while (out.count > 1 && out.digit[out.count - 1] == '0')
        --out.count;
    return out;
}

// At most 15 significant digits. The shortest text that reads back as the double is tried
// first: when it has 15 digits or fewer it is also the value rounded to 15 digits, because
// every 15-digit decimal survives the trip through a double unchanged.
Digits fifteenDigits(double magnitude) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    Digits out = readScientific(buf, res.ptr);
    if (out.count > 15) {
        res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
        out = readScientific(buf, res.ptr);
    }
    return out;
}

} // namespace

namespace NumberText {

QString general(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    const Digits d = fifteenDigits(std::fabs(value));
    char text[64];
    int len = 0;
    const auto put = [&](char c) { text[len++] = c; };
    if (value < 0)
        put('-');
    if (d.exponent >= 21 || d.exponent < -7) {
        // Far outside the magnitudes of distances and times: keep it short.
        put(d.digit[0]);
        if (d.count > 1) {
            put('.');
            for (int i = 1; i < d.count; ++i)
                put(d.digit[i]);
        }
        put('E');
        put(d.exponent < 0 ? '-' : '+');
        const int e = std::abs(d.exponent);
        if (e >= 100)
            put(char('0' + e / 100));
        put(char('0' + e / 10 % 10));
        put(char('0' + e % 10));
    } else if (d.exponent < 0) {
        put('0');
        put('.');
        for (int i = 0; i < -d.exponent - 1; ++i)
            put('0');
        for (int i = 0; i < d.count; ++i)
            put(d.digit[i]);
    } else {
        for (int i = 0; i <= d.exponent || i < d.count; ++i) {
            if (i == d.exponent + 1)
                put('.');
            put(i < d.count ? d.digit[i] : '0');
        }
    }
    return QString::fromLatin1(text, len);
}

QString fixed(double value, int decimals) {
    if (!std::isfinite(value))
        return nonFinite(value);
    if (decimals < 0)
        decimals = 0;
    // The shortest text that reads back as this double is the decimal value a person meant
    // (2.675 rather than 2.67499999999999982236431605997495353221893310546875), so the
    // half is decided on it.
    std::array<char, 400> buf{};
    const auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value), std::chars_format::fixed);
    const std::string shortest(buf.data(), res.ptr);
    const auto dot = shortest.find('.');
    std::string intPart = shortest.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : shortest.substr(dot + 1);

    const bool roundUp = frac.size() > static_cast<size_t>(decimals) && frac[decimals] >= '5';
    frac.resize(decimals, '0');
    std::string digits = intPart + frac;
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i];
    }
    const size_t intLen = digits.size() - decimals;
    std::string text = digits.substr(0, intLen);
    if (decimals > 0) {
        text += '.';
        text.append(digits, intLen);
    }
    // A value that rounds to zero shows no sign: -0.001 is "0.00", not "-0.00".
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (value < 0 && !zero)
        text.insert(text.begin(), '-');
    return QString::fromLatin1(text);
}

std::optional<double> parse(const QString& text) {
    const QString t = text.trimmed();
    std::string plain;
    plain.reserve(t.size());
    int digits = 0;
    int dots = 0;
    bool integerDigits = false; // a non-zero digit before the point
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c >= u'0' && c <= u'9') {
            ++digits;
            if (dots == 0 && c != u'0')
                integerDigits = true;
            plain += static_cast<char>(c);
        } else if (c == u'.' && dots == 0) {
            ++dots;
            plain += '.';
        } else if ((c == u'-' || c == u'+') && i == 0) {
            if (c == u'-')
                plain += '-';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;

    double value = 0;
    const auto res =
        std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed);
    if (res.ec == std::errc::result_out_of_range) {
        // Hundreds of digits: too small is zero, too large is not a number we can hold.
        if (integerDigits)
            return std::nullopt;
        return plain.front() == '-' ? -0.0 : 0.0;
    }
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace NumberText
