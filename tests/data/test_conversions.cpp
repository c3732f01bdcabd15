// Durations, pace, speed, distances, report padding, the chooser's date text, number texts
// and the helpers that write values into statements.

#include "CLibrary.h"
#include "NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// The description of the DbError thrown by `f`, or "(no error)".
template <typename F> QString errorOf(F f) {
    try {
        f();
    } catch (const DbError& e) {
        return e.description();
    }
    return QStringLiteral("(no error)");
}

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

TEST(NumberText, DefaultConversionAndFixedDecimals) {
    const std::pair<double, const char*> general[] = {
        {26.2, "26.2"}, {10, "10"}, {0.1 + 0.2, "0.3"}, // binary noise beyond 15 digits
        {-0.0, "0"},    {1.0 / 3, "0.333333333333333"}, {1e25, "1E+25"}, {123456789012345678.0, "123456789012346000"},
    };
    for (const auto& [v, text] : general)
        EXPECT_EQ(NumberText::general(v), text) << text;

    // Halves round away from zero on the typed value, though each is stored a hair below it.
    const std::tuple<double, int, const char*> fixed[] = {
        {0.125, 2, "0.13"}, {2.675, 2, "2.68"}, {-2.675, 2, "-2.68"}, {2.674999, 2, "2.67"},
        {20, 2, "20.00"},   {99.96, 1, "100.0"}, {-0.001, 2, "0.00"},  {NaN, 2, "NaN"},
    };
    for (const auto& [v, decimals, text] : fixed)
        EXPECT_EQ(NumberText::fixed(v, decimals), text) << text;
}

TEST(NumberText, ParsesOnlyPlainDecimals) {
    const std::pair<const char*, double> good[] = {{"  5  ", 5}, {"-3", -3}, {"+3", 3}, {".5", 0.5}, {"5.", 5}};
    for (const auto& [text, v] : good)
        EXPECT_EQ(NumberText::parse(text), v) << text;
    for (const char* bad : {"", "   ", ".", "-", "abc", "1e5", "5;", "1,5", "1.2.3", "0x10", "- 5", "inf", "nan"})
        EXPECT_FALSE(NumberText::parse(bad).has_value()) << bad;
    EXPECT_FALSE(NumberText::parse(QString::fromUtf8("\u0665")).has_value()); // not an ASCII digit
    EXPECT_FALSE(NumberText::parse(QString(400, QLatin1Char('9'))).has_value());
}

TEST(Durations, FieldsFromTheRightAndSecondsCarried) {
    const std::pair<const char*, double> minutes[] = {
        {"1:05:30", 65.5}, {"45:10", 45 + 10.0 / 60}, {"45", 0.75}, {"5.5:00", 5.5}, {"", 0}, {":30", 0.5},
        {"1:00:00:00", 0}, {"junk:1:00:00", 60}, // only the last three fields count
    };
    for (const auto& [text, value] : minutes)
        EXPECT_DOUBLE_EQ(CLibrary::GetMinutes(text), value) << text;
    for (const char* bad : {"abc", "1:x:00", "1:30a", "1,5:00", "1e2"})
        EXPECT_EQ(errorOf([&] { CLibrary::GetMinutes(bad); }), "Type mismatch") << bad;

    const std::pair<double, const char*> texts[] = {
        {7.5, "7:30"}, {0, "0:00"}, {65.5, "1:05:30"}, {60 * 40000, "40000:00:00"}, // beyond a 16-bit hour count
        // Seconds that round to 60 carry into the minutes and hours.
        {119.999, "2:00:00"}, {4 + 59.6 / 60, "5:00"},
        // Whole minutes reached through sums of fractions do not show as 59.99... seconds.
        {CLibrary::GetMinutes("45:10") * 3, "2:15:30"},
        // Half seconds go to the even second.
        {CLibrary::GetMinutes("0:30.5"), "0:30"}, {CLibrary::GetMinutes("0:31.5"), "0:32"}, {30.51 / 60, "0:31"},
        // A negative duration keeps its sign in front.
        {-65.5, "-1:05:30"}, {-0.001, "0:00"},
    };
    for (const auto& [value, text] : texts)
        EXPECT_EQ(CLibrary::MinutesToString(value), text) << text;
    for (double bad : {NaN, Inf, 1e300})
        EXPECT_EQ(errorOf([&] { CLibrary::MinutesToString(bad); }), "Overflow") << bad;
}

TEST(PaceAndSpeed, ValuesAndErrors) {
    EXPECT_EQ(CLibrary::GetPace("1:05:30", "10"), "6:33");
    EXPECT_EQ(CLibrary::GetPace("3:30:00", " 26.2 "), "8:01");
    EXPECT_EQ(CLibrary::GetMPH("1:00:00", "12.345"), "12.35"); // half away from zero
    EXPECT_EQ(CLibrary::GetMPH("2:00:00", 0.25), "0.13");

    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "0"); }), "Division by zero");
    EXPECT_EQ(errorOf([] { CLibrary::GetMPH("", 10.0); }), "Division by zero");
    for (const char* distance : {"", "five", "1e-300"}) {
        EXPECT_EQ(errorOf([&] { CLibrary::GetPace("45:00", distance); }), "Type mismatch") << distance;
        EXPECT_EQ(errorOf([&] { CLibrary::GetMPH("45:00", distance); }), "Type mismatch") << distance;
    }
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("4x:00", "5"); }), "Type mismatch");
    // A pace beyond any whole-second count reports instead of printing nonsense.
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "0." + QString(300, QLatin1Char('0')) + "1"); }), "Overflow");
}

TEST(Distances, OneDecimalWithTheShortFactorAndZeroOnAnyError) {
    EXPECT_EQ(CLibrary::ComputeKilometers("26.2"), "42.2");
    EXPECT_EQ(CLibrary::ComputeKilometers("1"), "1.6"); // 1.609, not 1.609344
    EXPECT_EQ(CLibrary::ComputeMiles(" 42.195 "), "26.2");
    for (const char* bad : {"", "abc", "3,1", "1e3"}) {
        EXPECT_EQ(CLibrary::ComputeKilometers(bad), "0") << bad;
        EXPECT_EQ(CLibrary::ComputeMiles(bad), "0") << bad;
    }
    EXPECT_EQ(CLibrary::ComputeKilometers("17" + QString(307, QLatin1Char('0'))), "0"); // 1.609 x that overflows
}

TEST(FormatString, PadsToTheColumnPlusOneBlank) {
    EXPECT_EQ(CLibrary::FormatString("abc", 5) + CLibrary::FormatString("abc", 2), "abc   abc");
    EXPECT_EQ(CLibrary::FormatString("", -5), "");
    EXPECT_EQ(CLibrary::FormatString("x", 32767).size(), 32768);
}

TEST(ParseDate, SplitsAtTheFirstCommaAndRefusesTextWithoutRoomForADate) {
    QString day, date;
    const std::pair<const char*, const char*> cases[] = {
        {"Saturday, 12/5/2026", "Saturday|12/5/2026"}, {"Monday, March, 2004", "Monday|March, 2004"},
        {",x1/1/2000", "|1/1/2000"}, // the one character after the comma is dropped
    };
    for (const auto& [text, parts] : cases) {
        CLibrary::ParseDate(text, day, date);
        EXPECT_EQ(day + '|' + date, parts) << text;
    }
    day = date = "unchanged";
    for (const char* bad : {"Saturday 12/5/2026", "", "Friday,"})
        EXPECT_EQ(errorOf([&] { CLibrary::ParseDate(bad, day, date); }), "Invalid procedure call or argument") << bad;
    EXPECT_EQ(day + date, "unchangedunchanged");
}

TEST(StatementValues, NumberPassesOnlyPlainDecimals) {
    EXPECT_EQ(CLibrary::Number(" 26.2 "), "26.2");
    for (const char* bad : {"", "1 OR 1=1", "5; DELETE FROM Users", "0x1F", "5--", "'5'"})
        EXPECT_EQ(errorOf([&] { CLibrary::Number(bad); }), "Type mismatch") << bad;
}

} // namespace
