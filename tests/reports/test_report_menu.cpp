// The main window's report commands open the report window of their kind.
#include "GuiFixture.h"
#include "MainForm.h"
#include "frmTextRpt.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

class ReportMenu : public GuiFixture {};

TEST_F(ReportMenu, EachCommandOpensItsReport) {
    exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1)");
    exec("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
         "Exercise_Time, "
         "User_Name) VALUES (1, 'Running', '12/5/2026', 'Saturday', '45:00', 'Ann')");
    exec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course) VALUES (1, 5, 8, 'Loop')");
    auto w = std::make_unique<MainForm>();
    w->show();
    QApplication::processEvents();

    const std::pair<const char*, const char*> commands[] = {
        {"mnuRunTextRpt", "Running Report"},    {"mnuRunRaceRpt", "Running Race Report"},
        {"mnuBikeTextRpt", "Cycling Report"},   {"mnuBikeRaceRpt", "Cycling Race Report"},
        {"mnuSwimTextRpt", "Swimming Report"},  {"mnuSwimRaceRpt", "Swimming Race Report"},
        {"mnuVideoTextRpt", "Video Report"},    {"mnuOtherTextRpt", "Exercise Report"},
        {"mnuTimeRpt", "Combined Time Report"},
    };
    for (const auto& [name, caption] : commands) {
        QString seen;
        bool formatsEnabled = false;
        ReportLines lines;
        drivers["frmTextRpt"] = [&](QDialog* d) {
            seen = find<QLabel>(d, "RptLabel")->text();
            formatsEnabled = find<QGroupBox>(d, "Frame1")->isEnabled();
            click(find<QPushButton>(d, "btnCreateReport"));
            lines = static_cast<frmTextRpt*>(d)->reportLines();
            return int(QDialog::Rejected);
        };
        QAction* command = w->findChild<QAction*>(QLatin1String(name));
        ASSERT_TRUE(command && command->isEnabled()) << name;
        command->trigger();
        EXPECT_EQ(seen, QString::fromUtf8(caption)) << name;
        EXPECT_EQ(formatsEnabled, !QString::fromUtf8(name).contains("RaceRpt")) << name;
        EXPECT_GE(lines.size(), 2) << name;
        if (QLatin1String(name) == QLatin1String("mnuRunTextRpt"))
            EXPECT_TRUE(lines.at(4).startsWith("05-Dec-2026"))
                << lines.toStringList().join('\n').toStdString();
    }
    EXPECT_EQ(opened.size(), 9);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

} // namespace
