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

// On a light grey every kind's colour is darkened until it reads (no further), hue kept.
TEST(MonthpaneLightPalette, DayLinesReadOnALightBackgroundInTheirOwnHue) {
    const QPalette saved = QApplication::palette();
    const QColor grey(0xef, 0xef, 0xef);
    QPalette light;
    light.setColor(QPalette::Window, grey);
    QApplication::setPalette(light);
    {
        mossCalendar cal(QDate(2004, 3, 10)); // day d in cell d + 1
        const QList<quint32> colors = {255, 16711680, 65280, 65535, 16776960, 0};
        ASSERT_TRUE(cal.AddData({"1", "2", "3", "4", "5", "6"}, QStringList(6, "a"), QStringList(6, "x"),
                                QStringList(6, "y"), colors));
        for (int i = 0; i < colors.size(); ++i) {
            const QColor given(int(colors[i] & 0xFF), int((colors[i] >> 8) & 0xFF), int(colors[i] >> 16));
            const QColor shown = cal.findChild<QLabel*>(QStringLiteral("lbl%1_1").arg(i + 2))
                                     ->palette()
                                     .color(QPalette::WindowText);
            EXPECT_GE(contrast(shown, grey), 4.5) << i;
            EXPECT_LE(contrast(shown, grey), std::max(5.0, contrast(given, grey))) << i;
            EXPECT_NEAR(shown.hsvHue(), given.hsvHue(), 2) << i;
        }
    }
    QApplication::setPalette(saved);
}

} // namespace
