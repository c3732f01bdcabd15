// The main window, the exercise chooser and user creation, driven with real keys and
// clicks on a real database file.

#include "GuiFixture.h"

#include "Clock.h"
#include "DatePicker.h"
#include "Dialogs.h"
#include "MainForm.h"
#include "MenuForm.h"
#include "Triangulator.h"
#include "frmAddUser.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

class ShellTest : public GuiFixture {
  protected:
    void TearDown() override {
        window.reset();
        GuiFixture::TearDown();
    }

    MainForm* start() {
        window = std::make_unique<MainForm>();
        window->show();
        QApplication::processEvents();
        return window.get();
    }

    void setUnit(const QString& user, int miles) {
        exec(QStringLiteral("INSERT OR REPLACE INTO Users (User_Name, DistanceMiles) VALUES ('%1', %2)")
                 .arg(user)
                 .arg(miles));
    }

    QStringList users() { return rows("SELECT User_Name, DistanceMiles FROM Users ORDER BY User_Name"); }

    // The next frmAddUser that opens gets `name` typed, the unit box set, and Add User clicked.
    void driveAddUser(const QString& name, bool miles) {
        drivers["frmAddUser"] = [this, name, miles](QDialog* d) {
            type(find<QLineEdit>(d, "txtAddUser"), name);
            if (auto* chk = find<QCheckBox>(d, "chkMiles"); chk->isChecked() != miles)
                click(chk);
            click(find<QPushButton>(d, "btnAddUser"));
            return d->result();
        };
    }

    // Chooses a user the way a person does: opens the list and clicks the name.
    void chooseUser(const QString& name) {
        QComboBox* cb = window->cbUsers;
        cb->showPopup();
        QApplication::processEvents();
        QAbstractItemView* view = cb->view();
        const QRect cell = view->visualRect(view->model()->index(cb->findText(name), 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    }

    std::unique_ptr<MainForm> window;
};

// Each command opens its window: the race log in add mode with the command's title and
// kind, the exercise setup with its add section only, the calculator in the user's unit.
TEST_F(ShellTest, MenuCommandsOpenTheirWindows) {
    setUnit("Ann", 0);
    MainForm* w = start();
    QStringList seen;
    drivers["frmRaceLog"] = [&](QDialog* d) {
        seen << find<QLabel>(d, "lblTitle")->text() + "/" + find<QLineEdit>(d, "txtExercise")->text() +
                    (find<QPushButton>(d, "btnUpdate")->isHidden() ? "" : " (not add mode)");
        return int(QDialog::Rejected);
    };
    drivers["frmAddExercise"] = [&](QDialog* d) {
        seen << (find<QWidget>(d, "modifySection")->isVisible() ? "both sections" : "add section");
        return int(QDialog::Rejected);
    };
    drivers["frmTriang"] = [&](QDialog* d) {
        seen << (find<Triangulator>(d, "Triangulator1")->Distance() ? "miles" : "kilometres");
        return int(QDialog::Rejected);
    };
    for (const char* command :
         {"mnuAddUser", "mnuAddRaceType", "mnuAddShoe", "mnuAddBike", "mnuAddVideo", "mnuAddVideoType",
          "mnuAddExercise", "mnuRunAddRace", "mnuBikeAddRace", "mnuSwimAddRace", "mnuTriang", "mnuBackup",
          "mnuHowDoI", "mnuAbout", "mnuRunGraphRpt", "mnuBikeGraphRpt", "mnuTimeGraph", "mnuShoeReport",
          "mnuBikeReport"})
        w->action(command)->trigger();
    EXPECT_EQ(opened,
              QStringList({"frmAddUser", "frmAddRaceType", "frmAddShoe", "frmAddBike", "frmAddVideo",
                           "frmAddVideoType", "frmAddExercise", "frmRaceLog", "frmRaceLog", "frmRaceLog",
                           "frmTriang", "frmCopyFile", "frmHelp", "frmAbout", "frmGraphRpt", "frmGraphRpt",
                           "frmGraphTime", "frmItemRpt", "frmItemRpt"}));
    EXPECT_EQ(seen,
              QStringList({"add section", "Running Race Log/RunningRace", "Cycling Race Log/CyclingRace",
                           "Swimming Race Log/SwimmingRace", "kilometres"}));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(ShellTest, AMenuOpenedByItsAccessKeyHoldsItsCommands) {
    MainForm* w = start();
    w->activateWindow();
    QTest::keyClick(w, Qt::Key_R, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->objectName(), "mnuRunning");
    QStringList captions;
    for (const QAction* a : menu->actions())
        captions << a->text();
    EXPECT_EQ(captions,
              QStringList({"&Reports", "&Add Running Race", "&Personal Bests", "Add/Modify &Shoe"}));
    QTest::keyClick(menu, Qt::Key_Escape);
}

TEST_F(ShellTest, FirstRunAsksForAUserAndTheFirstUserBecomesCurrent) {
    const QString prompt = "This application will not function as it should unless a user is entered. "
                           "Enter one now?";
    // Yes: the new user is current with the unit chosen for him.
    answers = {true};
    driveAddUser("Ann", false);
    MainForm* w = start();
    EXPECT_EQ(questions, QStringList{prompt});
    EXPECT_EQ(messages, QStringList{"User Added!"});
    EXPECT_EQ(w->currentUser(), "Ann");
    EXPECT_FALSE(w->miles());
    EXPECT_EQ(users(), QStringList{"Ann|0"});
    w->close();

    // No: an empty selector and miles. A name typed into it is the current user; with no
    // row of its own the unit stays.
    exec("DELETE FROM Users");
    questions.clear();
    opened.clear();
    w = start();
    EXPECT_EQ(questions, QStringList{prompt});
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(w->currentUser(), "");
    type(w->cbUsers, "Nobody");
    QTest::keyClick(w->cbUsers->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->currentUser(), "Nobody");
    EXPECT_EQ(w->cbUsers->count(), 0);
    EXPECT_TRUE(w->miles());
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(ShellTest, TheUnitFollowsTheUserAndIsSavedAtExitOnlyWhenToggled) {
    setUnit("Ann", 0);
    setUnit("Bob", 1);

    // The first user is current with his unit; choosing another user, from the list or
    // with the arrow keys, loads that user's unit. Not toggled: nothing is written, not
    // even over a value changed meanwhile by someone else.
    MainForm* w = start();
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(w->currentUser(), "Ann");
    EXPECT_FALSE(w->miles());
    chooseUser("Bob");
    EXPECT_TRUE(w->miles());
    QTest::keyClick(w->cbUsers, Qt::Key_Up);
    EXPECT_EQ(w->currentUser(), "Ann");
    EXPECT_FALSE(w->miles());
    setUnit("Ann", 1);
    w->close();
    EXPECT_EQ(users(), QStringList({"Ann|1", "Bob|1"}));

    // Toggled once: the new unit is written.
    start()->action("mnuMiles")->trigger();
    window->close();
    EXPECT_EQ(users(), QStringList({"Ann|0", "Bob|1"}));

    // Toggled twice: the (unchanged) unit is still written.
    start()->action("mnuMiles")->trigger();
    window->action("mnuMiles")->trigger();
    setUnit("Ann", 1);
    window->close();
    EXPECT_EQ(users(), QStringList({"Ann|0", "Bob|1"}));

    // Toggled, then another user chosen: his own unit is loaded and written for him; the
    // change made for the first user is lost.
    setUnit("Bob", 0);
    start()->action("mnuMiles")->trigger();
    chooseUser("Bob");
    EXPECT_FALSE(window->miles());
    setUnit("Bob", 1);
    window->close();
    EXPECT_EQ(users(), QStringList({"Ann|0", "Bob|0"}));
    EXPECT_TRUE(messages.isEmpty());
}

// The road of a workout's start: one click on a date opens the chooser with that date,
// and each kind opens its log window in add mode for it; closing the log window without
// adding anything closes the chooser too.
struct KindCase {
    const char* name;
    const char* button;
    const char* log;
};

class CalendarClickTest : public ShellTest, public testing::WithParamInterface<KindCase> {};

TEST_P(CalendarClickTest, OpensTheChooserAndTheKindsLogInAddMode) {
    // Plain names, not a structured binding: the lambdas below capture them.
    const char* button = GetParam().button;
    const char* log = GetParam().log;
    setUnit("Ann", 1);
    Clock::setFixed(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
    MainForm* w = start();
    auto* view = w->Calendar->findChild<QTableView*>("qt_calendar_calendarview");
    ASSERT_NE(view, nullptr);
    w->Calendar->setSelectedDate(QDate(2026, 12, 5));
    const QPoint cell = view->visualRect(view->currentIndex()).center();
    w->Calendar->setSelectedDate(QDate(2026, 12, 1)); // so that the click selects the 5th

    QString shown, seen;
    bool chooserStays = true;
    drivers["MenuForm"] = [&](QDialog* d) {
        auto* txtDate = find<QLineEdit>(d, "txtDate");
        shown = txtDate->text() + (txtDate->isEnabled() ? " (editable)" : "");
        click(find<QPushButton>(d, button));
        chooserStays = d->isVisible();
        return d->result();
    };
    drivers[log] = [&](QDialog* d) {
        seen = find<QLineEdit>(d, "txtDate")->text() + "|" + find<QLineEdit>(d, "txtDay")->text() +
               (find<QPushButton>(d, "btnUpdate")->isHidden() ? "|add" : "|edit");
        return int(QDialog::Rejected);
    };
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QApplication::processEvents();
    EXPECT_EQ(opened, QStringList({"MenuForm", log}));
    EXPECT_EQ(shown, "Saturday, 12/5/2026");
    EXPECT_EQ(seen, "12/5/2026|Saturday|add");
    EXPECT_FALSE(chooserStays);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

const KindCase kindCases[] = {
    {"Run", "btnRun", "frmRunLog"},       {"Bike", "btnBike", "frmBikeLog"},
    {"Swim", "btnSwim", "frmSwimLog"},    {"Video", "btnVideo", "frmVideoLog"},
    {"Other", "btnOther", "frmOtherLog"},
};
INSTANTIATE_TEST_SUITE_P(Kinds, CalendarClickTest, testing::ValuesIn(kindCases), CaseName());

TEST_F(ShellTest, NewUsersAreStoredAsTypedAndJoinTheListWithoutTakingOver) {
    setUnit("Ann", 0);
    MainForm* w = start();
    // Blanks around a name are dropped: " O'Brien" would be a second user looking the same.
    for (const QString name : {" O'Brien ", "x'); DELETE FROM Users; --"}) {
        driveAddUser(name, true);
        w->action("mnuAddUser")->trigger();
    }
    EXPECT_EQ(users(), QStringList({"Ann|0", "O'Brien|1", "x'); DELETE FROM Users; --|1"}));
    EXPECT_EQ(w->cbUsers->count(), 3);
    EXPECT_EQ(w->currentUser(), "Ann");
    EXPECT_FALSE(w->miles());

    // Refused: the same name (in any case) and a blank one; the dialog stays as it was.
    FixedState ann(QStringLiteral("Ann"));
    for (const char* name : {"ANN", "o'brien", " O'Brien", "", "   "}) {
        SCOPED_TRACE(name);
        messages.clear();
        frmAddUser dlg(ann);
        dlg.show();
        type(dlg.txtAddUser, name);
        click(dlg.btnAddUser);
        EXPECT_EQ(messages, QStringList{"Problem inserting user"});
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.txtAddUser->text(), name);
    }
    EXPECT_EQ(users().size(), 3);
}

// Days with a workout of the current user are bold, on the page shown with the ends of the
// months around it; they follow the user, the month and a run saved from a click (Return adds
// it), after which the calendar has the focus again: typed digits do not move it, arrows do,
// and Home or Today bring back today. Weeks start on Sunday.
TEST_F(ShellTest, TheCalendarMarksWorkoutDaysTakesNoTypedDatesAndReturnsToToday) {
    setUnit("Ann", 1);
    setUnit("Bob", 1);
    for (const char* row : {"Ann', '2026-11-30", "Ann', '2026-12-03", "Ann', '2027-01-02",
                            "Ann', '2027-02-01", "Bob', '2026-12-10"})
        exec(QStringLiteral("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Day, Exercise_Time, "
                            "User_Name, Exercise_Date) VALUES ('Video', 'x', '30:00', '%1')")
                 .arg(row));
    Clock::setFixed(QDateTime(QDate(2026, 12, 15), QTime(9, 0)));
    MainForm* w = start();
    EXPECT_EQ(w->Calendar->firstDayOfWeek(), Qt::Sunday);
    EXPECT_EQ(w->markedDays(), QList<QDate>({{2026, 11, 30}, {2026, 12, 3}, {2027, 1, 2}}));
    chooseUser("Bob");
    EXPECT_EQ(w->Calendar->dateTextFormat(QDate(2026, 12, 10)).fontWeight(), QFont::Bold);
    EXPECT_NE(w->Calendar->dateTextFormat(QDate(2026, 12, 3)).fontWeight(), QFont::Bold);
    chooseUser("Ann");
    w->Calendar->showNextMonth();
    EXPECT_EQ(w->markedDays().last(), QDate(2027, 2, 1));

    drivers["MenuForm"] = [this](QDialog* d) {
        click(find<QPushButton>(d, "btnRun"));
        return d->result();
    };
    drivers["frmRunLog"] = [this](QDialog* d) {
        type(find<QLineEdit>(d, "txtMiles"), "5");
        type(find<QLineEdit>(d, "txtTime"), "40:00");
        QTest::keyClick(find<QLineEdit>(d, "txtTime"), Qt::Key_Return);
        return d->result();
    };
    auto* view = w->Calendar->findChild<QTableView*>("qt_calendar_calendarview");
    w->Calendar->setSelectedDate(QDate(2026, 12, 20)); // back to December
    const QPoint cell = view->visualRect(view->currentIndex()).center();
    w->Calendar->setSelectedDate(QDate(2026, 12, 15));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QApplication::processEvents();
    EXPECT_EQ(messages, QStringList({"data entered"}));
    EXPECT_TRUE(w->markedDays().contains(QDate(2026, 12, 20)));
    EXPECT_EQ(QApplication::activeWindow(), w);
    ASSERT_EQ(QApplication::focusWidget(), view);

    QTest::keyClicks(view, "31122000");
    for (int key : {Qt::Key_Return, Qt::Key_Down, Qt::Key_Down})
        QTest::keyClick(view, Qt::Key(key));
    EXPECT_EQ(w->Calendar->selectedDate(), QDate(2027, 1, 3));
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(w->Calendar->selectedDate(), QDate(2026, 12, 15));
    w->Calendar->showNextYear();
    click(w->btnToday);
    EXPECT_EQ(w->Calendar->yearShown(), 2026);
    // No day past the last date the diary takes can be picked.
    w->Calendar->setSelectedDate(QDate(2099, 12, 31));
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(w->Calendar->selectedDate(), QDate(2099, 12, 31));
    EXPECT_EQ(opened, QStringList({"MenuForm", "frmRunLog"})) << "moving the calendar opens nothing";
}

// A date typed whole into a picker is the date typed, whatever the date shown before: the day
// is not cut to the month of the year that is still shown while the year is being typed.
TEST_F(ShellTest, ADateTypedWholeIsTheDateTyped) {
    const struct {
        QDate shown;
        const char* typed;
        QDate expected;
    } cases[] = {
        {{2026, 12, 7}, "2/29/2028", {2028, 2, 29}},
        {{2026, 2, 10}, "3/31/2026", {2026, 3, 31}},
        {{2028, 2, 29}, "2/29/2024", {2024, 2, 29}},
        {{2026, 12, 7}, "1/1/2000", {2000, 1, 1}},
        // No such day: the 28th of that February, as for any day past the end of its month.
        {{2026, 12, 7}, "2/29/2027", {2027, 2, 28}},
        {{2026, 12, 7}, "4/31/2026", {2026, 4, 30}},
    };
    // Typed after tabbing in (the month selected) or after a click into the month, the day
    // or the year: the date typed is taken wherever the cursor was.
    for (const auto& c : cases)
        for (int click : {-1, 0, 1, 2}) {
            SCOPED_TRACE(std::string(c.typed) + " clicked into section " + std::to_string(click));
            DatePicker picker;
            picker.setValue(c.shown);
            picker.show();
            focus(&picker);
            if (click >= 0) {
                QLineEdit* edit = picker.findChild<QLineEdit*>();
                const QString text = edit->text();
                const int at = click == 0 ? 1 : text.indexOf('/', click == 1 ? 0 : text.indexOf('/') + 1) + 2;
                const int x = edit->fontMetrics().horizontalAdvance(text.left(at)) + 3;
                QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(x, edit->height() / 2));
            }
            QTest::keyClicks(QApplication::focusWidget(), c.typed);
            EXPECT_EQ(picker.value(), c.expected);
            EXPECT_EQ(picker.text(), picker.value().toString(QStringLiteral("M/d/yyyy")));
        }
}

// A date typed section by section: a '/' typed after a section that moved on by itself does
// not skip the next one, and a 29th typed into February of a common year comes back when a
// leap year is typed after it.
TEST_F(ShellTest, ADateTypedSectionBySection) {
    DatePicker picker;
    picker.setValue(QDate(2027, 2, 10));
    picker.show();
    focus(&picker);
    QTest::keyClicks(QApplication::focusWidget(), "2/29");
    EXPECT_EQ(picker.value(), QDate(2027, 2, 28));
    QTest::keyClicks(QApplication::focusWidget(), "2028");
    EXPECT_EQ(picker.value(), QDate(2028, 2, 29));
}

// A message box is wide enough for its title "Trainbook" beside the title bar's buttons,
// however short its text.
TEST_F(ShellTest, MessageBoxesShowTheirTitleWhole) {
    Dialogs::setMessageHandler({});
    int width = 0;
    QTimer::singleShot(0, [&width] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        width = box->width();
        box->close();
    });
    Dialogs::message(nullptr, "OK");
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    const int buttons = 3 * QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    EXPECT_GE(width, title.horizontalAdvance("Trainbook") + buttons);
}

TEST_F(ShellTest, DatabaseFailuresAreReportedAndTheWindowStaysUsable) {
    setUnit("Ann", 1);
    setUnit("Bob", 0);
    MainForm* w = start();
    ASSERT_TRUE(QFile::remove("Trainbook.db"));
    chooseUser("Bob");
    EXPECT_TRUE(w->miles()); // left as it was
    w->close();

    // Missing at start-up: reported; the window opens with an empty selector and no file
    // is created behind the person's back.
    start();
    EXPECT_EQ(window->cbUsers->count(), 0);
    EXPECT_FALSE(QFile::exists("Trainbook.db"));
    window->close();

    // A file that is no database: reported, and left exactly as it was even after a toggle.
    const QByteArray letter = "this is a letter, not a database\n";
    QFile f("Trainbook.db");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(letter);
    f.close();
    start()->action("mnuMiles")->trigger();
    window->close();
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), letter);

    // Each failure names the engine's description between the fixed parts.
    EXPECT_TRUE(messagesAre({"No Default Distance Selected - * - MainForm cbUsers_Click",
                             "No Users Selected - * - MainForm Form_Load",
                             "No Users Selected - * - MainForm Form_Load"}));
    EXPECT_TRUE(questions.isEmpty());
}

} // namespace
