// The main window's report commands open the report window of their kind.
#include "GuiFixture.h"
#include "MainForm.h"
#include "frmTextRpt.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

class ReportMenu : public GuiFixture {};

TEST_F(ReportMenu, EachCommandOpensItsReport) {
    exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1)");
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
        ReportLines lines;
        drivers["frmTextRpt"] = [&](QDialog* d) {
            seen = find<QLabel>(d, "RptLabel")->text();
            click(find<QPushButton>(d, "btnCreateReport"));
            lines = static_cast<frmTextRpt*>(d)->reportLines();
            return int(QDialog::Rejected);
        };
        QAction* command = w->action(name);
        ASSERT_TRUE(command && command->isEnabled()) << name;
        command->trigger();
        EXPECT_EQ(seen, QString::fromUtf8(caption)) << name;
        EXPECT_GE(lines.size(), 2) << name; // at least the header: the report ran
    }
    EXPECT_EQ(opened.size(), 9);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

} // namespace
