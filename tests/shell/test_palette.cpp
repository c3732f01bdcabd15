// The main window under the desktop's dark palette: every text stays readable against the
// background it is drawn on.

#include "Contrast.h"
#include "GuiFixture.h"

#include "MainForm.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QStyleFactory>
#include <QTextCharFormat>
#include <algorithm>

namespace {

QPalette darkPalette() {
    QPalette p;
    for (const auto& [role, rgb] : {std::pair{QPalette::Window, 0x2b2b2b},
                                    {QPalette::WindowText, 0xe8e8e8},
                                    {QPalette::Base, 0x1e1e1e},
                                    {QPalette::AlternateBase, 0x333333},
                                    {QPalette::Text, 0xe8e8e8},
                                    {QPalette::Button, 0x353535},
                                    {QPalette::ButtonText, 0xe8e8e8},
                                    {QPalette::Highlight, 0x2f6fb0},
                                    {QPalette::HighlightedText, 0xffffff}})
        p.setColor(role, QColor::fromRgb(rgb));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    return p;
}

class DarkPaletteTest : public GuiFixture {
  protected:
    QPalette saved;
    QString savedStyle;
    void SetUp() override {
        GuiFixture::SetUp();
        saved = QApplication::palette();
        savedStyle = QApplication::style()->name();
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }
    void TearDown() override {
        QApplication::setPalette(saved);
        QApplication::setStyle(QStyleFactory::create(savedStyle));
        GuiFixture::TearDown();
    }
};

TEST_F(DarkPaletteTest, TitleAndCalendarDaysAreReadable) {
    MainForm window;
    window.show();
    shot(&window, QStringLiteral("mainform-dark"));

    const QPalette& p = window.palette();
    auto* title = find<QLabel>(&window, "Label2");
    const QColor ink = title->palette().color(title->foregroundRole());
    EXPECT_GE(contrast(ink, p.color(QPalette::Window)), 4.5);
    // The title is the window's own font drawn larger, not a font of a size of its own.
    EXPECT_EQ(title->font().pointSizeF(), window.font().pointSizeF());
    const QImage drawn = title->grab().toImage();
    int top = drawn.height(), bottom = -1;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (contrast(drawn.pixelColor(x, y), p.color(QPalette::Window)) > 3.0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_GT(bottom - top + 1, 1.8 * QFontMetrics(title->font()).capHeight() * title->devicePixelRatioF());

    auto* calendar = find<QCalendarWidget>(&window, "Calendar");
    const QColor base = calendar->palette().color(QPalette::Base);
    for (Qt::DayOfWeek day : {Qt::Monday, Qt::Wednesday, Qt::Saturday, Qt::Sunday}) {
        QColor text = calendar->weekdayTextFormat(day).foreground().color();
        if (!calendar->weekdayTextFormat(day).hasProperty(QTextFormat::ForegroundBrush))
            text = calendar->palette().color(QPalette::Text);
        EXPECT_GE(contrast(text, base), 4.5) << "day " << day << " drawn in " << text.name().toStdString();
    }
}

} // namespace
