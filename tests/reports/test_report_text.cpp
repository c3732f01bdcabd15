// What the report texts do beyond their lines, which the reference cases of trainbook-cli
// report hold (reports/cases): the span of a weekly report and the store of the lines.
#include "ReportData.h"

namespace {

using TextReport::Format;

QString range(const char* first, const char* last) {
    return QStringLiteral(
               "(Exercise_Date BETWEEN Format('%1', 'mm/dd/yyyy') AND Format('%2', 'mm/dd/yyyy')) ")
        .arg(QLatin1String(first), QLatin1String(last));
}

// Without a range the weeks run from the first run, the first of this month or of this year,
// to today (Wednesday 9 December 2026): the same weeks as the range written out.
TEST_F(ReportData, WeeklySpanWithoutARangeEndsToday) {
    const std::pair<QString, QString> spans[] = {
        {QString(), range("11/28/2026", "12/9/2026")},
        {QStringLiteral("Format(Exercise_Date, 'MMMM YYYY') = Format(Now, 'MMMM YYYY') "),
         range("12/1/2026", "12/9/2026")},
        {QStringLiteral("Format(Exercise_Date, 'YYYY') = Format(Now, 'YYYY') "),
         range("1/1/2026", "12/9/2026")}};
    for (const auto& [criteria, written] : spans) {
        const auto result = report(QStringLiteral("Running"), Format::Weekly, true, false, criteria);
        EXPECT_TRUE(result.error.isEmpty()) << result.error.toStdString();
        EXPECT_EQ(
            result.lines.toStringList(),
            report(QStringLiteral("Running"), Format::Weekly, true, false, written).lines.toStringList())
            << criteria.toStdString();
    }
}

// A twenty-year span comes out week by week.
TEST_F(ReportData, WeeklyCoversEveryWeekOfTheSpan) {
    const auto result =
        report(QStringLiteral("Running"), Format::Weekly, true, false, range("1/1/2007", "12/31/2026"));
    ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    // 31-Dec-2006 (a Sunday) to the week of 27-Dec-2026: 1044 weeks, then blank and 3 totals.
    EXPECT_EQ(result.lines.size(), 2 + 1044 + 4);
    EXPECT_TRUE(result.lines.at(2).startsWith(QStringLiteral("31-Dec-2006 ")));
    EXPECT_TRUE(result.lines.at(2 + 1043).startsWith(QStringLiteral("27-Dec-2026 ")));
    EXPECT_EQ(result.lines.last(),
              QString(17, QLatin1Char(' ')) + QStringLiteral("Average Miles per Week=0.01"));
}

} // namespace

// The compact store of a report's lines gives back every line exactly, whatever its
// characters: names and comments may hold any text.
TEST(ReportLinesStore, GivesBackEveryLineAsWritten) {
    const QStringList written{QString(),
                              QStringLiteral(" "),
                              QStringLiteral("05-Dec-2026   6.2    50:00"),
                              QStringLiteral("Zürich – Lauf am Fluss \U0001F3C3 "),
                              QString(82, QLatin1Char('-')),
                              QStringLiteral("\u00e9")};
    ReportLines lines;
    for (const QString& line : written)
        lines << line;
    EXPECT_EQ(lines.toStringList(), written);
    EXPECT_EQ(lines.widest(), 82);
    EXPECT_EQ(lines.last(), QStringLiteral("\u00e9"));

    ReportLines twice = lines;
    twice.append(lines);
    EXPECT_EQ(twice.toStringList(), written + written);
    EXPECT_FALSE(twice == lines); // the window tests compare lines with ==
    twice.clear();
    EXPECT_TRUE(twice.isEmpty());
    EXPECT_EQ(twice.widest(), 0);
}
