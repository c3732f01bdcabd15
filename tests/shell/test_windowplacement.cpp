#include "WindowPlacement.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(WindowPlacement, ASavedPlaceIsTheNextRunsPlace) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Trainbook.conf"));
    {
        QWidget first;
        first.setGeometry(120, 90, 640, 430);
        first.show();
        QSettings settings(file, QSettings::IniFormat);
        WindowPlacement::save(&first, settings, QStringLiteral("MainForm"));
    }
    QWidget next;
    next.resize(200, 100);
    QSettings settings(file, QSettings::IniFormat);
    ASSERT_TRUE(WindowPlacement::restore(&next, settings, QStringLiteral("MainForm")));
    EXPECT_EQ(next.geometry(), QRect(120, 90, 640, 430));
}

TEST(WindowPlacement, NothingSavedOrAnUnreadableValueLeavesTheWindowAsItIs) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("Trainbook.conf")), QSettings::IniFormat);
    QWidget window;
    window.resize(300, 200);
    EXPECT_FALSE(WindowPlacement::restore(&window, settings, QStringLiteral("MainForm")));
    settings.setValue(QStringLiteral("MainForm/geometry"), QByteArray("not a geometry"));
    EXPECT_FALSE(WindowPlacement::restore(&window, settings, QStringLiteral("MainForm")));
    EXPECT_EQ(window.size(), QSize(300, 200));
}

} // namespace
