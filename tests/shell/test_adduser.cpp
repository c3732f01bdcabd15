// Creating a user: the statement, the refusals, and how the new name reaches the selector.

#include "GuiFixture.h"

#include "MainForm.h"
#include "UserListHook.h"
#include "frmAddUser.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class RecordingHook : public UserListHook {
  public:
    void appendUser(const QString& name) override { calls << "append " + name; }
    void makeCurrentUser(const QString& name, bool miles) override {
        calls << "current " + name + (miles ? " miles" : " km");
    }
    QStringList calls;
};

class AddUserTest : public GuiFixture {
  protected:
    // Types a name, sets the unit box, and presses Add User.
    void add(frmAddUser& dlg, const QString& name, bool miles) {
        dlg.show();
        type(dlg.txtAddUser, name);
        if (dlg.chkMiles->isChecked() != miles)
            click(dlg.chkMiles);
        click(dlg.btnAddUser);
    }

    QStringList users() { return rows("SELECT User_Name, DistanceMiles FROM Users ORDER BY User_Name"); }

    FixedState state;
    RecordingHook hook;
};

TEST_F(AddUserTest, DialogShowsItsFields) {
    frmAddUser dlg(state);
    EXPECT_EQ(dlg.windowTitle(), "Add User");
    EXPECT_EQ(find<QLabel>(&dlg, "Label1")->text(), "User:");
    EXPECT_EQ(find<QLabel>(&dlg, "Label2")->text(),
              "Note: Default Distance can be changed in the Utilities menu.");
    EXPECT_EQ(dlg.chkMiles->text(), "Default Distance is Miles");
    EXPECT_TRUE(dlg.chkMiles->isChecked());
    EXPECT_EQ(dlg.btnAddUser->text(), "Add User");
    EXPECT_EQ(dlg.btnExit->text(), "Exit");
    shot(&dlg, "frmAddUser");
}

TEST_F(AddUserTest, NamesAreStoredExactlyAsTyped) {
    state.setUser("Ann");
    frmAddUser first(state);
    first.setUserListHook(&hook);
    add(first, "O'Brien", true);
    EXPECT_EQ(first.result(), QDialog::Accepted);

    frmAddUser second(state);
    second.setUserListHook(&hook);
    add(second, "x'); DELETE FROM Users; --", false);

    EXPECT_EQ(messages, QStringList({"User Added!", "User Added!"}));
    EXPECT_EQ(users(), QStringList({"O'Brien|1", "x'); DELETE FROM Users; --|0"}));
    // Another user is current: the names join the list and nothing else changes.
    EXPECT_EQ(hook.calls, QStringList({"append O'Brien", "append x'); DELETE FROM Users; --"}));
}

TEST_F(AddUserTest, FirstUserBecomesCurrentWithTheChosenUnit) {
    frmAddUser dlg(state); // no current user
    dlg.setUserListHook(&hook);
    add(dlg, "Zoe", false);
    EXPECT_EQ(hook.calls, QStringList({"append Zoe", "current Zoe km"}));
    EXPECT_EQ(users(), QStringList{"Zoe|0"});
}

TEST_F(AddUserTest, RefusedNamesKeepTheDialogOpenAndWriteNothing) {
    exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1)");
    const struct {
        const char* name;
        const char* why;
    } cases[] = {
        {"Ann", "same name"},
        {"ANN", "names differ only in case"},
        {"", "no name"},
        {"   ", "only blanks"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        messages.clear();
        hook.calls.clear();
        frmAddUser dlg(state);
        dlg.setUserListHook(&hook);
        add(dlg, c.name, false);
        EXPECT_EQ(messages, QStringList{"Problem inserting user"});
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.txtAddUser->text(), c.name);
        EXPECT_TRUE(hook.calls.isEmpty());
        EXPECT_EQ(users(), QStringList{"Ann|1"});
    }
}

TEST_F(AddUserTest, ExitWritesNothing) {
    frmAddUser dlg(state);
    dlg.setUserListHook(&hook);
    dlg.show();
    type(dlg.txtAddUser, "Ann");
    click(dlg.btnExit);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(users().isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(hook.calls.isEmpty());
}

// Through the main window's menu: the new name joins the selector but the current user
// and the unit stay, whether the current user is listed or only typed.
TEST_F(AddUserTest, MenuCommandAddsToTheSelectorWithoutTakingOver) {
    exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 0)");
    auto addFromMenu = [this](MainForm& w, const QString& name) {
        drivers["frmAddUser"] = [&, name](QDialog* d) {
            type(find<QLineEdit>(d, "txtAddUser"), name);
            click(find<QPushButton>(d, "btnAddUser"));
            return d->result();
        };
        w.mnuAddUser->trigger();
    };

    {
        MainForm w;
        w.show();
        addFromMenu(w, "Bob");
        EXPECT_EQ(w.cbUsers->count(), 2);
        EXPECT_EQ(w.cbUsers->itemText(1), "Bob");
        EXPECT_EQ(w.currentUser(), "Ann");
        EXPECT_FALSE(w.miles());
        EXPECT_FALSE(w.distanceChanged());
    }

    exec("DELETE FROM Users");
    {
        MainForm w; // empty list; the person answers No and types a name
        w.show();
        type(w.cbUsers, "Zed");
        addFromMenu(w, "Cy");
        EXPECT_EQ(w.cbUsers->count(), 1);
        EXPECT_EQ(w.currentUser(), "Zed");
        EXPECT_TRUE(w.miles());
    }
    EXPECT_EQ(messages, QStringList({"User Added!", "User Added!"}));
}

} // namespace
