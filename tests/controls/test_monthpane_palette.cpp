// The calendar's day lines on a dark and on a light desktop palette: a colour that reads on the
// background stays as given; any other is lightened or darkened until it reads (no further), its
// hue kept.

#include "Contrast.h"
#include "mossCalendar.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

TEST(MonthpanePalette, DayLinesReadOnTheBackgroundInTheirOwnHue) {
    const QPalette saved = QApplication::palette();
    for (const QColor& background : {QColor(0x2b, 0x2b, 0x2b), QColor(0xef, 0xef, 0xef)}) {
        SCOPED_TRACE(background.name().toStdString());
        QPalette palette;
        palette.setColor(QPalette::Window, background);
        if (background.lightness() < 128)
            palette.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
        QApplication::setPalette(palette);
        mossCalendar cal(QDate(2004, 3, 10)); // March 2004 begins on a Monday: day d in cell d + 1
        const QList<quint32> colors = {255, 16711680, 65280, 65535, 16776960, 0};
        ASSERT_TRUE(cal.AddData({"1", "2", "3", "4", "5", "6"}, QStringList(6, "a"), QStringList(6, "x"),
                                QStringList(6, "y"), colors));
        for (int i = 0; i < colors.size(); ++i) {
            const QColor given(int(colors[i] & 0xFF), int((colors[i] >> 8) & 0xFF), int(colors[i] >> 16));
            const QColor shown = cal.findChild<QLabel*>(QStringLiteral("lbl%1_1").arg(i + 2))
                                     ->palette()
                                     .color(QPalette::WindowText);
            if (contrast(given, background) >= 4.5) {
                EXPECT_EQ(shown, given) << i;
            }
            EXPECT_GE(contrast(shown, background), 4.5) << i;
            EXPECT_LE(contrast(shown, background), std::max(5.0, contrast(given, background))) << i;
            EXPECT_NEAR(shown.hsvHue(), given.hsvHue(), 2) << i;
        }
    }
    QApplication::setPalette(saved);
}

} // namespace
