// The calendar's day lines on a dark desktop palette: colours chosen for a light background
// that would not read on a dark one are lightened; the others stay as given.

#include "mossCalendar.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <cmath>
#include <gtest/gtest.h>

namespace {

double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(MonthpaneDarkPalette, DayLinesReadOnADarkBackground) {
    const QPalette saved = QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    QApplication::setPalette(dark);
    {
        mossCalendar cal(QDate(2004, 3, 10)); // March 2004 begins on a Monday: day d in cell d + 1
        ASSERT_TRUE(cal.AddData({"5", "12", "31"}, {"Swimming", "Yoga", "Cycling"}, {"a", "b", "c"},
                                {"d", "e", "f"}, {65535, 0, 16711680}));
        const auto color = [&](int cell) {
            return cal.findChild<QLabel*>(QStringLiteral("lbl%1_1").arg(cell))
                ->palette()
                .color(QPalette::WindowText);
        };
        EXPECT_EQ(color(6), QColor(255, 255, 0)) << "yellow reads on dark as it is";
        for (int cell : {13, 32})
            EXPECT_GE(contrast(color(cell), QColor(0x2b, 0x2b, 0x2b)), 4.5) << "cell " << cell;
        // Cycling stays recognisably blue.
        EXPECT_GT(color(32).blue(), color(32).red());
        EXPECT_EQ(color(32).red(), color(32).green());
    }
    QApplication::setPalette(saved);
}

} // namespace
