// Durations, pace, speed, distances, the chooser's date text, number texts
// and the helpers that write values into statements.

#include "CLibrary.h"
#include "DataSupport.h"
#include "NumberText.h"

#include <cmath>
#include <limits>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

// --- A double as text: the default conversion and fixed decimals -----------------------------

struct NumberCase {
    const char* name;
    double value;
    int decimals; // -1: the default conversion
    const char* text;
};

class NumberToText : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberToText, Converts) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(c.decimals < 0 ? NumberText::general(c.value) : NumberText::fixed(c.value, c.decimals), c.text);
}

const NumberCase numberCases[] = {
    {"Decimal", 26.2, -1, "26.2"},
    {"Whole", 10, -1, "10"},
    {"BinaryNoiseBeyond15Digits", 0.1 + 0.2, -1, "0.3"},
    {"NegativeZero", -0.0, -1, "0"},
    {"Third", 1.0 / 3, -1, "0.333333333333333"},
    {"Huge", 1e25, -1, "1E+25"},
    {"EighteenDigits", 123456789012345678.0, -1, "123456789012346000"},
    // Halves round away from zero on the typed value, though each is stored a hair below it.
    {"HalfUp", 0.125, 2, "0.13"},
    {"HalfStoredBelow", 2.675, 2, "2.68"},
    {"NegativeHalf", -2.675, 2, "-2.68"},
    {"BelowHalf", 2.674999, 2, "2.67"},
    {"PaddedZeros", 20, 2, "20.00"},
    {"CarryIntoNewDigit", 99.96, 1, "100.0"},
    {"TinyNegative", -0.001, 2, "0.00"},
    {"NotANumber", NaN, 2, "NaN"},
};
INSTANTIATE_TEST_SUITE_P(Cases, NumberToText, testing::ValuesIn(numberCases), CaseName());

// --- Text as a number: only plain decimals ---------------------------------------------------

struct ParseCase {
    const char* name;
    QString text;
    std::optional<double> value;
};

class NumberFromText : public testing::TestWithParam<ParseCase> {};

TEST_P(NumberFromText, ReadsOnlyPlainDecimals) {
    EXPECT_EQ(NumberText::parse(GetParam().text), GetParam().value);
}

const ParseCase parseCases[] = {
    {"Blanks", "  5  ", 5},
    {"Minus", "-3", -3},
    {"Plus", "+3", 3},
    {"LeadingPoint", ".5", 0.5},
    {"TrailingPoint", "5.", 5},
    {"Empty", "", std::nullopt},
    {"OnlyBlanks", "   ", std::nullopt},
    {"OnlyPoint", ".", std::nullopt},
    {"Word", "abc", std::nullopt},
    {"Exponent", "1e5", std::nullopt},
    {"Comma", "1,5", std::nullopt},
    {"TwoPoints", "1.2.3", std::nullopt},
    {"Hex", "0x10", std::nullopt},
    {"BlankAfterSign", "- 5", std::nullopt},
    {"Infinity", "inf", std::nullopt},
    {"NonAsciiDigit", QString::fromUtf8("\u0665"), std::nullopt},
    {"FourHundredDigits", QString(400, QLatin1Char('9')), std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Cases, NumberFromText, testing::ValuesIn(parseCases), CaseName());

// --- Durations -----------------------------------------------------------------------------

struct MinutesCase {
    const char* name;
    QString text;
    double minutes; // NaN: refused with "Type mismatch"
};

class DurationToMinutes : public testing::TestWithParam<MinutesCase> {};

TEST_P(DurationToMinutes, ReadsFieldsFromTheRight) {
    const MinutesCase& c = GetParam();
    if (std::isnan(c.minutes))
        EXPECT_EQ(errorOf([&] { CLibrary::GetMinutes(c.text); }), "Type mismatch");
    else
        EXPECT_DOUBLE_EQ(CLibrary::GetMinutes(c.text), c.minutes);
}

const MinutesCase minutesCases[] = {
    {"HoursMinutesSeconds", "1:05:30", 65.5},
    {"MinutesSeconds", "45:10", 45 + 10.0 / 60},
    {"SecondsOnly", "45", 0.75},
    {"FractionalMinutes", "5.5:00", 5.5},
    {"Empty", "", 0},
    {"NoMinutes", ":30", 0.5},
    // Only the last three fields count.
    {"FourFields", "1:00:00:00", 0},
    {"JunkBeforeThreeFields", "junk:1:00:00", 60},
    {"Word", "abc", NaN},
    {"LetterField", "1:x:00", NaN},
};
INSTANTIATE_TEST_SUITE_P(Cases, DurationToMinutes, testing::ValuesIn(minutesCases), CaseName());

struct DurationTextCase {
    const char* name;
    double minutes;
    const char* text; // "Overflow": refused with that error
};

class MinutesToDuration : public testing::TestWithParam<DurationTextCase> {};

TEST_P(MinutesToDuration, Writes) {
    const DurationTextCase& c = GetParam();
    if (QLatin1String(c.text) == QLatin1String("Overflow"))
        EXPECT_EQ(errorOf([&] { CLibrary::MinutesToString(c.minutes); }), "Overflow");
    else
        EXPECT_EQ(CLibrary::MinutesToString(c.minutes), c.text);
}

const DurationTextCase durationTextCases[] = {
    {"MinutesSeconds", 7.5, "7:30"},
    {"Zero", 0, "0:00"},
    {"Hours", 65.5, "1:05:30"},
    {"Beyond16BitHours", 60 * 40000, "40000:00:00"},
    // Seconds that round to 60 carry into the minutes and hours.
    {"CarryIntoHours", 119.999, "2:00:00"},
    {"CarryIntoMinutes", 4 + 59.6 / 60, "5:00"},
    // Whole minutes reached through sums of fractions do not show as 59.99... seconds.
    {"SumOfFractions", CLibrary::GetMinutes("45:10") * 3, "2:15:30"},
    // Half seconds go to the even second.
    {"HalfSecondDown", CLibrary::GetMinutes("0:30.5"), "0:30"},
    {"HalfSecondUp", CLibrary::GetMinutes("0:31.5"), "0:32"},
    // A negative duration keeps its sign in front.
    {"Negative", -65.5, "-1:05:30"},
    {"TinyNegative", -0.001, "0:00"},
    {"NotANumber", NaN, "Overflow"},
    {"Infinite", Inf, "Overflow"},
    {"Huge", 1e300, "Overflow"},
};
INSTANTIATE_TEST_SUITE_P(Cases, MinutesToDuration, testing::ValuesIn(durationTextCases), CaseName());

// --- Pace, speed, distances -----------------------------------------------------------------

TEST(PaceAndSpeed, ValuesAndErrors) {
    EXPECT_EQ(CLibrary::GetPace("1:05:30", "10"), "6:33");
    EXPECT_EQ(CLibrary::GetPace("3:30:00", " 26.2 "), "8:01");
    EXPECT_EQ(CLibrary::GetMPH("1:00:00", "12.345"), "12.35"); // half away from zero
    EXPECT_EQ(CLibrary::GetMPH("2:00:00", 0.25), "0.13");
    // Seconds count: 20:30 is not 20 or 21 minutes.
    EXPECT_EQ(CLibrary::GetMPH("20:30", "5"), "14.63");
    EXPECT_EQ(CLibrary::GetPace("20:30", "5"), "4:06");

    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "0"); }), "Division by zero");
    EXPECT_EQ(errorOf([] { CLibrary::GetMPH("", 10.0); }), "Division by zero");
    for (const char* distance : {"", "five", "1e-300"}) {
        EXPECT_EQ(errorOf([&] { CLibrary::GetPace("45:00", distance); }), "Type mismatch") << distance;
        EXPECT_EQ(errorOf([&] { CLibrary::GetMPH("45:00", distance); }), "Type mismatch") << distance;
    }
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("4x:00", "5"); }), "Type mismatch");
    // A pace beyond any whole-second count reports instead of printing nonsense.
    EXPECT_EQ(errorOf([] { CLibrary::GetPace("45:00", "0." + QString(300, QLatin1Char('0')) + "1"); }),
              "Overflow");
}

TEST(Distances, OneDecimalWithTheShortFactorAndZeroOnAnyError) {
    EXPECT_EQ(CLibrary::ComputeKilometers("26.2"), "42.2");
    // 1.609, not 1.609344: these round differently with the longer factor.
    EXPECT_EQ(CLibrary::ComputeKilometers("1000"), "1609.0");
    EXPECT_EQ(CLibrary::ComputeMiles("100"), "62.2");
    EXPECT_EQ(CLibrary::ComputeMiles("5000"), "3107.5");
    EXPECT_EQ(CLibrary::ComputeMiles(" 42.195 "), "26.2");
    for (const char* bad : {"", "abc", "3,1", "1e3"}) {
        EXPECT_EQ(CLibrary::ComputeKilometers(bad), "0") << bad;
        EXPECT_EQ(CLibrary::ComputeMiles(bad), "0") << bad;
    }
    EXPECT_EQ(CLibrary::ComputeKilometers("17" + QString(307, QLatin1Char('0'))),
              "0"); // 1.609 x that overflows
}

// --- The chooser's date text ----------------------------------------------------------------

struct ParseDateCase {
    const char* name;
    const char* text;
    const char* parts; // "day|date"; nullptr: refused and both left as they were
};

class ParseDate : public testing::TestWithParam<ParseDateCase> {};

TEST_P(ParseDate, SplitsAtTheFirstComma) {
    const ParseDateCase& c = GetParam();
    QString day = QStringLiteral("unchanged"), date = QStringLiteral("unchanged");
    if (c.parts) {
        CLibrary::ParseDate(c.text, day, date);
        EXPECT_EQ(day + '|' + date, c.parts);
    } else {
        EXPECT_EQ(errorOf([&] { CLibrary::ParseDate(c.text, day, date); }),
                  "Invalid procedure call or argument");
        EXPECT_EQ(day + date, "unchangedunchanged");
    }
}

const ParseDateCase parseDateCases[] = {
    {"WeekdayAndDate", "Saturday, 12/5/2026", "Saturday|12/5/2026"},
    {"DateWithComma", "Monday, March, 2004", "Monday|March, 2004"},
    {"CharacterAfterCommaDropped", ",x1/1/2000", "|1/1/2000"},
    {"NoComma", "Saturday 12/5/2026", nullptr},
    {"Empty", "", nullptr},
    {"NothingAfterComma", "Friday,", nullptr},
};
INSTANTIATE_TEST_SUITE_P(Cases, ParseDate, testing::ValuesIn(parseDateCases), CaseName());

TEST(StatementValues, NumberPassesOnlyPlainDecimals) {
    // The typed digits pass unchanged, never in exponent form or rounded.
    for (const char* plain : {"26.2", "1234567", "0.000001", "123456789012.5"})
        EXPECT_EQ(CLibrary::Number(QStringLiteral(" %1 ").arg(QLatin1String(plain))), QLatin1String(plain));
    for (const char* bad : {"", "1 OR 1=1", "5; DELETE FROM Users", "0x1F", "5--", "'5'"})
        EXPECT_EQ(errorOf([&] { CLibrary::Number(bad); }), "Type mismatch") << bad;
}

} // namespace
