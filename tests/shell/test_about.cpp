// The About window and its system information.

#include "GuiFixture.h"

#include "MainForm.h"
#include "Triangulator.h"
#include "frmAbout.h"
#include "frmSysInfo.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

namespace {

class AboutWindow : public GuiFixture {};

TEST_F(AboutWindow, ShowsTitleAndBuildVersionAndOpensTheSystemInformation) {
    exec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('Ann')"));
    frmAbout about;
    about.show();
    QApplication::processEvents();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Trainbook"));
    EXPECT_EQ(about.lblTitle->text(), QStringLiteral("Trainbook"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                    .match(about.lblVersion->text())
                    .hasMatch())
        << about.lblVersion->text().toStdString();
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version ") + frmAbout::version());
    EXPECT_NE(frmAbout::version(), QStringLiteral("0.0.0"));
    EXPECT_EQ(about.cmdSysInfo->text(), QStringLiteral("&System Info..."));
    shot(&about, QStringLiteral("frmAbout"));

    QString info;
    drivers["frmSysInfo"] = [&](QDialog* d) {
        shot(d, QStringLiteral("frmSysInfo"));
        click(find<QPushButton>(d, "cmdCopy"));
        info = QApplication::clipboard()->text();
        click(find<QPushButton>(d, "cmdOK"));
        return d->result();
    };
    click(about.cmdSysInfo);
    EXPECT_EQ(opened, QStringList{QStringLiteral("frmSysInfo")});
    // The database in use, found through the working directory as the program finds it.
    EXPECT_TRUE(info.contains(QStringLiteral("Database: ") + dir() + QStringLiteral("/Trainbook.db\n")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("\nRows in Users: 1\n"))) << info.toStdString();
    EXPECT_TRUE(messages.isEmpty());

    click(about.cmdOK);
    EXPECT_FALSE(about.isVisible());
}

// The four commands of the main window that open the tool windows.
TEST_F(AboutWindow, TheMainWindowOpensTheCalculatorBackupHelpAndAbout) {
    exec(QStringLiteral("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 0)"));
    MainForm w;
    w.show();
    QApplication::processEvents();
    ASSERT_FALSE(w.miles());
    QStringList seen;
    drivers["frmTriang"] = [&](QDialog* d) {
        seen << (d->findChild<Triangulator*>(QStringLiteral("Triangulator1"))->Distance() ? "miles"
                                                                                          : "kilometres");
        return int(QDialog::Rejected);
    };
    drivers["frmCopyFile"] = [&](QDialog* d) {
        seen << d->windowTitle();
        return int(QDialog::Rejected);
    };
    drivers["frmHelp"] = drivers["frmCopyFile"];
    drivers["frmAbout"] = drivers["frmCopyFile"];
    for (const char* command : {"mnuTriang", "mnuBackup", "mnuHowDoI", "mnuAbout"}) {
        QAction* action = w.action(command);
        EXPECT_TRUE(action->isEnabled()) << command;
        action->trigger();
    }
    EXPECT_EQ(opened, QStringList({"frmTriang", "frmCopyFile", "frmHelp", "frmAbout"}));
    EXPECT_EQ(seen, QStringList({"kilometres", "Backup Database", "Help", "About Trainbook"}));
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
