// Date texts: the forms the windows write and the patterns the reports print.
#include "DateText.h"

#include <gtest/gtest.h>

namespace {

TEST(DateText, ReadsEveryFormTheProgramWritesAndNothingElse)
{
    const struct {
        const char* text;
        QDate date;
    } cases[] = {
        {"12/5/2026", QDate(2026, 12, 5)},           {"01/05/2026", QDate(2026, 1, 5)},
        {"2/29/2024", QDate(2024, 2, 29)},           {"5-dec-2026", QDate(2026, 12, 5)},
        {"2026-12-05 23:59:59", QDate(2026, 12, 5)}, {"2026-12-05T08:30", QDate(2026, 12, 5)},
        {"march, 2004", QDate(2004, 3, 1)},          {"  September 2004    ", QDate(2004, 9, 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateText::parse(QString::fromLatin1(c.text)), c.date) << c.text;
    for (const char* t : {"", "abc", "2/30/2026", "13/1/2026", "12/5/26", "12/5/2026x", "12-5-2026", "2026-13-01",
                          "2026-12-05 25:00", "05-Dcm-2026", "March", "March2004", "Mar 2004", "12/5/2026; DROP",
                          "2026-12-5-1", "0/5/2026", "1/1/20266"})
        EXPECT_FALSE(DateText::parse(QString::fromLatin1(t)).has_value()) << t;
}

TEST(DateText, FormatsEveryReportPatternAndShortForm)
{
    const QDate d(2026, 3, 5); // a Thursday
    const std::pair<const char*, const char*> cases[] = {
        {"dd-mmm-yyyy", "05-Mar-2026"}, {"MMMM YYYY", "March 2026"},   {"mmm yy", "Mar 26"},
        {"mmmm, yyyy", "March, 2026"},  {"ddd dddd", "Thu Thursday"}, {"y: yyy, Week #d é", "y: 26y, Week #5 é"},
    };
    for (const auto& [pattern, text] : cases)
        EXPECT_EQ(DateText::format(d, QString::fromUtf8(pattern)), QString::fromUtf8(text)) << pattern;
    EXPECT_EQ(DateText::format(QDate(2009, 11, 12), QStringLiteral("d m yy")), QStringLiteral("12 11 09"));
    EXPECT_EQ(DateText::format(QDate(), QStringLiteral("yyyy")), QString());
    EXPECT_EQ(DateText::weekdayName(QDate(2026, 12, 5)), QStringLiteral("Saturday"));
    EXPECT_EQ(DateText::shortDate(QDate(2026, 12, 5)), QStringLiteral("12/5/2026"));
    EXPECT_EQ(DateText::iso(QDate(987, 1, 2)), QStringLiteral("0987-01-02"));
    // What one form writes, the parser reads back.
    for (QDate day(2025, 12, 25); day < QDate(2026, 1, 10); day = day.addDays(1)) {
        EXPECT_EQ(DateText::parse(DateText::shortDate(day)), day);
        EXPECT_EQ(DateText::parse(DateText::format(day, QStringLiteral("dd-mmm-yyyy"))), day);
    }
}

} // namespace
