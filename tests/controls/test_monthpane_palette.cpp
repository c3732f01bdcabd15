// The calendar's day lines on a dark desktop palette: colours chosen for a light background
// that would not read on a dark one are lightened; the others stay as given.

#include "Contrast.h"
#include "mossCalendar.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

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
