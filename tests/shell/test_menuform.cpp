// The exercise chooser: each kind opens its log window in add mode for the chosen date,
// and the chooser closes behind it.

#include "GuiFixture.h"

#include "MenuForm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class MenuFormTest : public GuiFixture {
  protected:
    FixedState state{QStringLiteral("Ann"), true};
};

TEST_F(MenuFormTest, ShowsTheDateReadOnlyWithOneButtonPerKind) {
    MenuForm menu(state);
    menu.txtDate->setText("Saturday, 12/5/2026");
    EXPECT_EQ(menu.windowTitle(), "Menu");
    EXPECT_EQ(find<QLabel>(&menu, "Label1")->text(), "Date:");
    EXPECT_FALSE(menu.txtDate->isEnabled());

    QStringList buttons;
    for (const char* name : {"btnRun", "btnBike", "btnSwim", "btnVideo", "btnOther", "btnExit"}) {
        auto* b = find<QPushButton>(&menu, name);
        buttons << b->text() + "|" + b->toolTip();
    }
    EXPECT_EQ(buttons,
              QStringList({"Run|Select to enter Running data", "Bike|Select to enter Cycling data",
                           "Swim|Select to enter Swimming data", "Video|Select to enter exercise video data",
                           "Other Exercise|", "EXIT|"}));
    shot(&menu, "MenuForm");
}

TEST_F(MenuFormTest, EachKindOpensItsLogForTheDateAndClosesTheChooser) {
    const std::pair<const char*, const char*> kinds[] = {
        {"btnRun", "frmRunLog"},     {"btnBike", "frmBikeLog"},   {"btnSwim", "frmSwimLog"},
        {"btnVideo", "frmVideoLog"}, {"btnOther", "frmOtherLog"},
    };
    for (const auto& [button, log] : kinds) {
        SCOPED_TRACE(button);
        opened.clear();
        QString date, day;
        // The person closes the log window without adding anything.
        drivers[log] = [&](QDialog* d) {
            date = find<QLineEdit>(d, "txtDate")->text();
            day = find<QLineEdit>(d, "txtDay")->text();
            return int(QDialog::Rejected);
        };

        MenuForm menu(state);
        menu.txtDate->setText("Saturday, 12/5/2026");
        menu.show();
        click(find<QPushButton>(&menu, button));

        EXPECT_EQ(opened, QStringList{log});
        EXPECT_EQ(date, "12/5/2026");
        EXPECT_EQ(day, "Saturday");
        EXPECT_EQ(menu.result(), QDialog::Accepted);
        EXPECT_FALSE(menu.isVisible());
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(MenuFormTest, ExitClosesWithoutOpeningAnything) {
    MenuForm menu(state);
    menu.txtDate->setText("Saturday, 12/5/2026");
    menu.show();
    click(menu.btnExit);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(menu.result(), QDialog::Rejected);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(MenuFormTest, ADateWithoutWeekdayIsReportedAndTheChooserStays) {
    MenuForm menu(state);
    menu.txtDate->setText("12/5/2026");
    menu.show();
    click(menu.btnSwim);
    EXPECT_EQ(messages,
              QStringList{"Could not read the date - Invalid procedure call or argument - In MenuForm "
                          "btnSwim_Click"});
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(menu.isVisible());
}

} // namespace
