// Durations, pace, speed, distances, report padding, the chooser's date text, and the
// helpers that write values into statements.

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

} // namespace

// --- NumberText -----------------------------------------------------------------------------

TEST(NumberTextGeneral, ShortestTextUpToFifteenDigits) {
    EXPECT_EQ(NumberText::general(26.2), "26.2");
    EXPECT_EQ(NumberText::general(10), "10");
    EXPECT_EQ(NumberText::general(3.75), "3.75");
    EXPECT_EQ(NumberText::general(0.1 + 0.2), "0.3"); // binary noise beyond 15 digits
    EXPECT_EQ(NumberText::general(-0.0), "0");
    EXPECT_EQ(NumberText::general(-42.5), "-42.5");
    EXPECT_EQ(NumberText::general(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(NumberText::general(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(NumberText::general(0.0005), "0.0005");
    EXPECT_EQ(NumberText::general(1e25), "1E+25");
    EXPECT_EQ(NumberText::general(1.5e-9), "1.5E-09");
}

TEST(NumberTextFixed, HalvesAwayFromZeroOnTheDecimalValue) {
    // Each of these is stored a hair below the half; the typed value decides.
    EXPECT_EQ(NumberText::fixed(0.125, 2), "0.13");
    EXPECT_EQ(NumberText::fixed(2.675, 2), "2.68");
    EXPECT_EQ(NumberText::fixed(1.005, 2), "1.01");
    EXPECT_EQ(NumberText::fixed(0.05, 1), "0.1");
    EXPECT_EQ(NumberText::fixed(-2.675, 2), "-2.68");
    EXPECT_EQ(NumberText::fixed(2.674999, 2), "2.67");

    EXPECT_EQ(NumberText::fixed(20, 2), "20.00");
    EXPECT_EQ(NumberText::fixed(0.3, 2), "0.30");
    EXPECT_EQ(NumberText::fixed(9.995, 2), "10.00"); // carry through every digit
    EXPECT_EQ(NumberText::fixed(99.96, 1), "100.0");
    EXPECT_EQ(NumberText::fixed(123456.78, 1), "123456.8"); // no thousands separator
    EXPECT_EQ(NumberText::fixed(0.4, 0), "0");
    EXPECT_EQ(NumberText::fixed(2.5, 0), "3");
}

TEST(NumberTextFixed, NoNegativeZeroAndNoOddTextForNonNumbers) {
    EXPECT_EQ(NumberText::fixed(-0.001, 2), "0.00");
    EXPECT_EQ(NumberText::fixed(-0.0, 1), "0.0");
    EXPECT_EQ(NumberText::fixed(std::numeric_limits<double>::quiet_NaN(), 2), "NaN");
    EXPECT_EQ(NumberText::fixed(-std::numeric_limits<double>::infinity(), 2), "-Infinity");
    EXPECT_EQ(NumberText::general(std::numeric_limits<double>::infinity()), "Infinity");
}

TEST(NumberTextParse, AcceptsOnlyPlainDecimals) {
    EXPECT_EQ(NumberText::parse("26.2"), 26.2);
    EXPECT_EQ(NumberText::parse("  5  "), 5.0);
    EXPECT_EQ(NumberText::parse("-3"), -3.0);
    EXPECT_EQ(NumberText::parse("+3"), 3.0);
    EXPECT_EQ(NumberText::parse(".5"), 0.5);
    EXPECT_EQ(NumberText::parse("5."), 5.0);
    EXPECT_EQ(NumberText::parse("007"), 7.0);

    for (const char* bad : {"", "   ", ".", "-", "+", "abc", "1e5", "5;", "1,5", "1.2.3", "0x10", "- 5", "5-",
                            "inf", "nan", "5 5", "1 OR 1=1"})
        EXPECT_FALSE(NumberText::parse(bad).has_value()) << bad;
    // Digits outside ASCII are not read as numbers.
    EXPECT_FALSE(NumberText::parse(QString::fromUtf8("\u0665")).has_value());
}

TEST(NumberTextParse, HugeAndTinyTexts) {
    EXPECT_FALSE(NumberText::parse(QString(400, QLatin1Char('9'))).has_value());
    const auto tiny = NumberText::parse("0." + QString(400, QLatin1Char('0')) + "1");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 0.0);
}

// --- GetMinutes -----------------------------------------------------------------------------

TEST(GetMinutes, FieldsFromTheRight) {
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("1:05:30"), 65.5);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("45:10"), 45 + 10.0 / 60);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("45"), 0.75); // a bare number is seconds
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("2:00:00"), 120);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("1:2:3"), 62.05);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("5.5:00"), 5.5);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("0:30.5"), 30.5 / 60);
}

TEST(GetMinutes, EmptyFieldsCountAsZeroAndExtraFieldsAreIgnored) {
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes(""), 0);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes(":30"), 0.5);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("1::"), 60);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("1:00:00:00"), 0);
    EXPECT_DOUBLE_EQ(CLibrary::GetMinutes("junk:1:00:00"), 60);
}

TEST(GetMinutes, NonNumericFieldIsATypeMismatch) {
    for (const char* bad : {"abc", "1:x:00", "1:30a", "1;30", "1,5:00", "1e2"})
        EXPECT_EQ(errorOf([&] { CLibrary::GetMinutes(bad); }), "Type mismatch") << bad;
}

// --- MinutesToString ------------------------------------------------------------------------

TEST(MinutesToString, ShapesBelowAndFromOneHour) {
    EXPECT_EQ(CLibrary::MinutesToString(7.5), "7:30");
    EXPECT_EQ(CLibrary::MinutesToString(0), "0:00");
    EXPECT_EQ(CLibrary::MinutesToString(0.25), "0:15");
    EXPECT_EQ(CLibrary::MinutesToString(59.5), "59:30");
    EXPECT_EQ(CLibrary::MinutesToString(60), "1:00:00");
    EXPECT_EQ(CLibrary::MinutesToString(65.5), "1:05:30");
    EXPECT_EQ(CLibrary::MinutesToString(600), "10:00:00");
    EXPECT_EQ(CLibrary::MinutesToString(60 * 40000), "40000:00:00"); // beyond a 16-bit hour count
}

TEST(MinutesToString, SecondsThatRoundToSixtyCarry) {
    EXPECT_EQ(CLibrary::MinutesToString(61), "1:01:00");
    EXPECT_EQ(CLibrary::MinutesToString(119.999), "2:00:00");
    EXPECT_EQ(CLibrary::MinutesToString(59.9999), "1:00:00");
    EXPECT_EQ(CLibrary::MinutesToString(4 + 59.6 / 60), "5:00");
    // Whole minutes reached through sums of fractions must not show as 59.99... seconds.
    EXPECT_EQ(CLibrary::MinutesToString(CLibrary::GetMinutes("45:10") * 3), "2:15:30");
    EXPECT_EQ(CLibrary::MinutesToString(0.1 * 3 * 60), "18:00");
}

TEST(MinutesToString, HalfSecondsGoToTheEvenSecond) {
    EXPECT_EQ(CLibrary::MinutesToString(CLibrary::GetMinutes("0:30.5")), "0:30");
    EXPECT_EQ(CLibrary::MinutesToString(CLibrary::GetMinutes("0:31.5")), "0:32");
    EXPECT_EQ(CLibrary::MinutesToString(CLibrary::GetMinutes("1:00:58.5")), "1:00:58");
    EXPECT_EQ(CLibrary::MinutesToString(CLibrary::GetMinutes("0:30.51")), "0:31");
}

TEST(MinutesToString, NegativeAndNonFinite) {
    EXPECT_EQ(CLibrary::MinutesToString(-7.5), "-7:30");
    EXPECT_EQ(CLibrary::MinutesToString(-65.5), "-1:05:30");
    EXPECT_EQ(CLibrary::MinutesToString(-0.001), "0:00");
    EXPECT_EQ(errorOf([] { CLibrary::MinutesToString(std::numeric_limits<double>::quiet_NaN()); }),
              "Overflow");
    EXPECT_EQ(errorOf([] { CLibrary::MinutesToString(std::numeric_limits<double>::infinity()); }),
              "Overflow");
    EXPECT_EQ(errorOf([] { CLibrary::MinutesToString(1e300); }), "Overflow");
}

// --- GetPace and GetMPH ---------------------------------------------------------------------

TEST(GetPace, TimePerUnitOfDistance) {
    EXPECT_EQ(CLibrary::GetPace("1:05:30", "10"), "6:33");
    EXPECT_EQ(CLibrary::GetPace("45:00", "5"), "9:00");
    EXPECT_EQ(CLibrary::GetPace("45:00", 5.0), "9:00");
    EXPECT_EQ(CLibrary::GetPace("3:30:00", " 26.2 "), "8:01");
    EXPECT_EQ(CLibrary::GetPace("10:00", "0.5"), "20:00");
    EXPECT_EQ(CLibrary::GetPace("", "3"), "0:00");
}

TEST(GetPace, Errors) {
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "0"); }), "Division by zero");
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", 0.0); }), "Division by zero");
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("", "0"); }), "Division by zero");
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", ""); }), "Type mismatch");
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "five"); }), "Type mismatch");
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("4x:00", "5"); }), "Type mismatch");
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "1e-300"); }), "Type mismatch");
    // A pace beyond any whole-second count reports instead of printing nonsense.
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "0." + QString(300, QLatin1Char('0')) + "1"); }),
              "Overflow");
}

TEST(GetMPH, SpeedWithTwoDecimals) {
    EXPECT_EQ(CLibrary::GetMPH("1:30:00", "30"), "20.00");
    EXPECT_EQ(CLibrary::GetMPH("1:30:00", 30.0), "20.00");
    EXPECT_EQ(CLibrary::GetMPH("1:00:00", "12.345"), "12.35"); // half away from zero
    EXPECT_EQ(CLibrary::GetMPH("2:00:00", "0.25"), "0.13");
    EXPECT_EQ(CLibrary::GetMPH("3:00", "1"), "20.00");
    EXPECT_EQ(CLibrary::GetMPH("40:00", "1000"), "1500.00");
}

TEST(GetMPH, Errors) {
    EXPECT_EQ(errorOf([] { CLibrary::GetMPH("0:00", "10"); }), "Division by zero");
    EXPECT_EQ(errorOf([] { CLibrary::GetMPH("", 10.0); }), "Division by zero");
    EXPECT_EQ(errorOf([] { CLibrary::GetMPH("1:00:00", ""); }), "Type mismatch");
    EXPECT_EQ(errorOf([] { CLibrary::GetMPH("1:00:00", "10 miles"); }), "Type mismatch");
}

// --- Distances ------------------------------------------------------------------------------

TEST(Distances, OneDecimalWithTheShortFactor) {
    EXPECT_EQ(CLibrary::ComputeKilometers("3.1"), "5.0");
    EXPECT_EQ(CLibrary::ComputeKilometers("26.2"), "42.2");
    EXPECT_EQ(CLibrary::ComputeKilometers("1"), "1.6"); // 1.609, not 1.609344
    EXPECT_EQ(CLibrary::ComputeKilometers("0"), "0.0");
    EXPECT_EQ(CLibrary::ComputeMiles("10"), "6.2");
    EXPECT_EQ(CLibrary::ComputeMiles("5"), "3.1");
    EXPECT_EQ(CLibrary::ComputeMiles("1.609"), "1.0");
    EXPECT_EQ(CLibrary::ComputeMiles(" 42.195 "), "26.2");
}

TEST(Distances, AnyErrorGivesZero) {
    for (const char* bad : {"", " ", "abc", "3,1", "1e3", "."}) {
        EXPECT_EQ(CLibrary::ComputeKilometers(bad), "0") << bad;
        EXPECT_EQ(CLibrary::ComputeMiles(bad), "0") << bad;
    }
    // 1.609 times the largest double does not fit.
    const QString huge = "17" + QString(307, QLatin1Char('0'));
    EXPECT_EQ(CLibrary::ComputeKilometers(huge), "0");
}

// --- FormatString ---------------------------------------------------------------------------

TEST(FormatString, PadsToTheColumnPlusOneBlank) {
    EXPECT_EQ(CLibrary::FormatString("abc", 5), "abc   ");
    EXPECT_EQ(CLibrary::FormatString("abc", 3), "abc ");
    EXPECT_EQ(CLibrary::FormatString("abc", 2), "abc");
    EXPECT_EQ(CLibrary::FormatString("", 0), " ");
    EXPECT_EQ(CLibrary::FormatString("", 4), "     ");
    EXPECT_EQ(CLibrary::FormatString("DATE", 13).size(), 14);
    EXPECT_EQ(CLibrary::FormatString("abc", -1), "abc");
    EXPECT_EQ(CLibrary::FormatString("", -5), "");
    EXPECT_EQ(CLibrary::FormatString("x", 32767).size(), 32768);
}

// --- ParseDate ------------------------------------------------------------------------------

TEST(ParseDate, SplitsAtTheFirstComma) {
    QString day, date;
    CLibrary::ParseDate("Saturday, 12/5/2026", day, date);
    EXPECT_EQ(day, "Saturday");
    EXPECT_EQ(date, "12/5/2026");

    CLibrary::ParseDate("Monday, March, 2004", day, date);
    EXPECT_EQ(day, "Monday");
    EXPECT_EQ(date, "March, 2004");

    CLibrary::ParseDate(",x1/1/2000", day, date); // the one character after the comma is dropped
    EXPECT_EQ(day, "");
    EXPECT_EQ(date, "1/1/2000");

    CLibrary::ParseDate("Friday, ", day, date);
    EXPECT_EQ(day, "Friday");
    EXPECT_EQ(date, "");
}

TEST(ParseDate, TextWithoutRoomForADateIsAnArgumentError) {
    QString day = "unchanged", date = "unchanged";
    for (const char* bad : {"Saturday 12/5/2026", "", "Friday,"}) {
        EXPECT_EQ(errorOf([&] { CLibrary::ParseDate(bad, day, date); }), "Invalid procedure call or argument")
            << bad;
    }
    EXPECT_EQ(day, "unchanged");
    EXPECT_EQ(date, "unchanged");
}

// --- Values inside statements ---------------------------------------------------------------

TEST(StatementValues, QuoteDoublesEverySingleQuote) {
    EXPECT_EQ(CLibrary::Quote("Bob's 5k"), "'Bob''s 5k'");
    EXPECT_EQ(CLibrary::Quote(""), "''");
    EXPECT_EQ(CLibrary::Quote("'"), "''''");
    EXPECT_EQ(CLibrary::Quote("x'); DROP TABLE Users; --"), "'x''); DROP TABLE Users; --'");
    EXPECT_EQ(CLibrary::Quote("say \"hi\""), "'say \"hi\"'");
}

TEST(StatementValues, NumberPassesOnlyPlainDecimals) {
    EXPECT_EQ(CLibrary::Number(" 26.2 "), "26.2");
    EXPECT_EQ(CLibrary::Number("-3"), "-3");
    EXPECT_EQ(CLibrary::Number("007"), "007");
    for (const char* bad : {"", "abc", "1 OR 1=1", "5; DELETE FROM Users", "1e5", "0x1F", "5--", "'5'"})
        EXPECT_EQ(errorOf([&] { CLibrary::Number(bad); }), "Type mismatch") << bad;
}
