// The help window and its pages: navigation, the address box, and pages whose links all lead
// somewhere and whose menu table names every command of the main window.

#include "GuiFixture.h"

#include "MainForm.h"
#include "frmHelp.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>

namespace {

QString page(const QString& name) {
    QFile f(QStringLiteral(":/help/") + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class HelpWindow : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        form = std::make_unique<frmHelp>();
        form->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        form.reset();
        GuiFixture::TearDown();
    }
    void go(const QString& address) {
        form->txtURL->selectAll();
        type(form->txtURL, address);
        QTest::keyClick(form->txtURL, Qt::Key_Return);
        QApplication::processEvents();
    }
    QString shown() const { return form->HelpBrowser->source().toString(); }

    std::unique_ptr<frmHelp> form;
};

TEST_F(HelpWindow, OpensAtTheContentsAndGoesBackAndForward) {
    EXPECT_EQ(form->txtURL->text(), QStringLiteral("qrc:/help/index.html"));
    EXPECT_FALSE(form->btnBack->isEnabled());
    go(QStringLiteral("calculator.html")); // beside the page shown
    go(QStringLiteral("qrc:/help/backup.html"));
    click(form->btnBack);
    EXPECT_EQ(form->txtURL->text(), QStringLiteral("qrc:/help/calculator.html"));
    click(form->btnBack);
    EXPECT_FALSE(form->btnBack->isEnabled());
    click(form->btnBack); // nothing further back: stays
    EXPECT_EQ(shown(), QStringLiteral("qrc:/help/index.html"));
    EXPECT_EQ(form->txtURL->text(), shown());
    click(form->btnForward);
    EXPECT_EQ(form->txtURL->text(), QStringLiteral("qrc:/help/calculator.html"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HelpWindow, AnAddressThatLeadsNowhereIsReportedAndThePageStays) {
    go(QStringLiteral("nosuchpage.html"));
    go(QStringLiteral("/no/such/file.html"));
    go(QStringLiteral("   "));
    EXPECT_EQ(messages, QStringList({QStringLiteral("The page qrc:/help/nosuchpage.html could not be found."),
                                     QStringLiteral("The page file:///no/such/file.html could not be found."),
                                     QStringLiteral("Type the address of a page to show.")}));
    EXPECT_EQ(shown(), QStringLiteral("qrc:/help/index.html"));
    EXPECT_EQ(form->txtURL->text(), shown());

    // A local file outside the help opens as well.
    const QString file = dir() + QStringLiteral("/notes.html");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><body><p>My notes</p></body></html>");
    f.close();
    go(file);
    EXPECT_EQ(form->HelpBrowser->toPlainText().trimmed(), QStringLiteral("My notes"));
    EXPECT_EQ(messages.size(), 3);
}

TEST(HelpPages, EveryLinkAndPictureLeadsToAFileAndEveryAnchorExists) {
    frmHelp form; // registers the pages
    static const QRegularExpression href(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    int pages = 0;
    for (QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}); it.hasNext();) {
        const QString name = QFileInfo(it.next()).fileName();
        ++pages;
        const QString html = page(name);
        for (auto m = href.globalMatch(html); m.hasNext();) {
            const QString link = m.next().captured(1);
            const QString target = link.section(QLatin1Char('#'), 0, 0);
            const QString anchor = link.section(QLatin1Char('#'), 1);
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target))
                << name.toStdString() << " links to " << link.toStdString();
            if (!anchor.isEmpty()) {
                EXPECT_TRUE(page(target).contains(QStringLiteral("name=\"%1\"").arg(anchor)))
                    << name.toStdString() << " links to " << link.toStdString();
            }
        }
    }
    EXPECT_EQ(pages, 12);
}

class HelpAndProgram : public GuiFixture {};

TEST_F(HelpAndProgram, TheMenuTableNamesEveryCommandOfTheMainWindow) {
    frmHelp help;
    MainForm window;
    const QString start = page(QStringLiteral("start.html"));
    int commands = 0;
    for (QAction* action : window.commands()) {
        QString caption = action->text().remove(QLatin1Char('&'));
        if (caption.endsWith(QLatin1String("...")))
            caption.chop(3);
        ++commands;
        EXPECT_TRUE(start.contains(caption)) << caption.toStdString() << " is missing from the menu table";
    }
    EXPECT_GE(commands, 30);
}

} // namespace
