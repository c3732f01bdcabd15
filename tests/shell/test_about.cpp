// The About window and its system information. (The main window command that opens it is
// tested with the other menu commands.)

#include "GuiFixture.h"

#include "frmAbout.h"
#include "frmSysInfo.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>

namespace {

class AboutWindow : public GuiFixture {};

TEST_F(AboutWindow, ShowsTheBuildVersionAndOpensTheSystemInformation) {
    exec(QStringLiteral("INSERT INTO Users (User_Name) VALUES ('Ann')"));
    frmAbout about;
    about.show();
    QApplication::processEvents();
    // The build's own version, never the placeholder of a build without one.
    EXPECT_EQ(about.lblVersion->text(), QStringLiteral("Version ") + frmAbout::version());
    EXPECT_NE(frmAbout::version(), QStringLiteral("0.0.0"));
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
    // The database in use, found through the working directory as the program finds it.
    EXPECT_TRUE(info.contains(QStringLiteral("Database: ") + dir() + QStringLiteral("/Trainbook.db\n")))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("\nRows in Users: 1\n"))) << info.toStdString();
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
