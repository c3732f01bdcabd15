// Start-up, user selection, the distance unit and its saving at exit, and the calendar
// click that opens the exercise chooser.

#include "GuiFixture.h"

#include "Clock.h"
#include "MainForm.h"

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
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <sqlite3.h>

namespace {

const QString kPrompt = QStringLiteral(
    "This application will not function as it should unless a user is entered. Enter one now?");

class MainFormTest : public GuiFixture {
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

    void addUser(const QString& name, bool miles) {
        exec(QStringLiteral("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('%1', %2)")
                 .arg(name, miles ? QStringLiteral("1") : QStringLiteral("0")));
    }

    QString storedUnit(const QString& name) {
        return scalar(QStringLiteral("SELECT DistanceMiles FROM Users WHERE User_Name = '%1'").arg(name));
    }

    // Chooses a user the way a person does: opens the list and clicks the name.
    void chooseUser(const QString& name) {
        QComboBox* cb = window->cbUsers;
        const int row = cb->findText(name);
        ASSERT_GE(row, 0) << name.toStdString();
        cb->showPopup();
        QApplication::processEvents();
        QAbstractItemView* view = cb->view();
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    }

    std::unique_ptr<MainForm> window;
};

TEST_F(MainFormTest, WindowCarriesCaptionsAndTheWholeMenu) {
    MainForm* w = start();
    EXPECT_EQ(w->windowTitle(), "Trainbook");
    EXPECT_EQ(find<QLabel>(w, "Label2")->text(), "TRAINBOOK");
    EXPECT_EQ(find<QLabel>(w, "Label1")->text(), "User:");
    EXPECT_EQ(w->cbUsers->toolTip(), "Select User");
    EXPECT_TRUE(w->cbUsers->isEditable());
    EXPECT_EQ(w->Calendar->toolTip(), "Click once on a date to enter exercise data");

    // Every top-level menu with its commands, in order; "!" marks a disabled command.
    QStringList tree;
    std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& indent) {
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                tree << indent + a->text();
                walk(a->menu(), indent + "  ");
            } else {
                tree << indent + a->text() + " " + a->objectName() + (a->isEnabled() ? "" : "!") +
                            (a->isCheckable() ? (a->isChecked() ? " [x]" : " [ ]") : "");
            }
        }
    };
    for (QAction* top : w->menuBar()->actions()) {
        tree << top->text();
        walk(top->menu(), "  ");
    }
    const QStringList expected = {
        "&Utilities",
        "  &Distance is Miles mnuMiles [x]",
        "  Add &User mnuAddUser",
        "  Add &Race Type mnuAddRaceType",
        "  &Pace Calculator mnuTriang!",
        "  &Backup Database mnuBackup!",
        "&Running",
        "  &Reports",
        "    &Text Report mnuRunTextRpt!",
        "    &Graphic Report mnuRunGraphRpt!",
        "    &Shoe Report mnuShoeReport!",
        "    &Race Report mnuRunRaceRpt!",
        "  &Add Running Race mnuRunAddRace",
        "  Add/Modify &Shoe mnuAddShoe",
        "&Biking",
        "  &Reports",
        "    &Text Report mnuBikeTextRpt!",
        "    &Graphic Report mnuBikeGraphRpt!",
        "    &Bike Report mnuBikeReport!",
        "    &Race Report mnuBikeRaceRpt!",
        "  &Add Cycling Race mnuBikeAddRace",
        "  Add/Modify &Bike mnuAddBike",
        "&Swimming",
        "  &Reports",
        "    &Text Report mnuSwimTextRpt!",
        "    &Race Report mnuSwimRaceRpt!",
        "  &Add Swimming Race mnuSwimAddRace",
        "&Video",
        "  &Reports",
        "    &Text Report mnuVideoTextRpt!",
        "  Add/Modify &Video mnuAddVideo",
        "  Add Video &Type mnuAddVideoType",
        "&Other",
        "  &Reports",
        "    &Text Report mnuOtherTextRpt!",
        "  Add/Modify &Exercise mnuAddExercise",
        "&Combined Reports",
        "  &Calendar mnuCalendar!",
        "  Time &Report mnuTimeRpt!",
        "  &Time Graph mnuTimeGraph!",
        "&Help",
        "  &How Do I... mnuHowDoI!",
        "  &About mnuAbout!",
    };
    EXPECT_EQ(tree, expected);
}

TEST_F(MainFormTest, EnabledCommandsOpenTheirWindows) {
    addUser("Ann", true);
    MainForm* w = start();
    const std::pair<QAction*, QString> commands[] = {
        {w->mnuAddUser, "frmAddUser"},           {w->mnuAddRaceType, "frmAddRaceType"},
        {w->mnuRunAddRace, "frmRaceLog"},        {w->mnuAddShoe, "frmAddShoe"},
        {w->mnuBikeAddRace, "frmRaceLog"},       {w->mnuAddBike, "frmAddBike"},
        {w->mnuSwimAddRace, "frmRaceLog"},       {w->mnuAddVideo, "frmAddVideo"},
        {w->mnuAddVideoType, "frmAddVideoType"}, {w->mnuAddExercise, "frmAddExercise"},
    };
    QStringList expected;
    for (const auto& [action, window] : commands) {
        action->trigger();
        expected << window;
    }
    EXPECT_EQ(opened, expected);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(MainFormTest, RaceCommandsOpenTheRaceLogForTheirKind) {
    addUser("Ann", true);
    MainForm* w = start();
    QStringList titles;
    drivers["frmRaceLog"] = [&](QDialog* d) {
        titles << find<QLabel>(d, "lblTitle")->text() + "/" + find<QLineEdit>(d, "txtExercise")->text() +
                      (find<QPushButton>(d, "btnUpdate")->isVisible() ? " update" : "") +
                      (find<QPushButton>(d, "btnDelete")->isVisible() ? " delete" : "");
        return int(QDialog::Rejected);
    };
    w->mnuRunAddRace->trigger();
    w->mnuBikeAddRace->trigger();
    w->mnuSwimAddRace->trigger();
    EXPECT_EQ(titles, QStringList({"Running Race Log/RunningRace", "Cycling Race Log/CyclingRace",
                                   "Swimming Race Log/SwimmingRace"}));
}

TEST_F(MainFormTest, FirstRunPromptCreatesTheFirstUserWithItsUnit) {
    answers = {true};
    drivers["frmAddUser"] = [&](QDialog* d) {
        type(find<QLineEdit>(d, "txtAddUser"), "Ann");
        click(find<QCheckBox>(d, "chkMiles")); // kilometres
        click(find<QPushButton>(d, "btnAddUser"));
        return d->result();
    };
    MainForm* w = start();

    EXPECT_EQ(questions, QStringList{kPrompt});
    EXPECT_EQ(opened, QStringList{"frmAddUser"});
    EXPECT_EQ(messages, QStringList{"User Added!"});
    EXPECT_EQ(w->cbUsers->count(), 1);
    EXPECT_EQ(w->currentUser(), "Ann");
    EXPECT_FALSE(w->miles());
    EXPECT_EQ(rows("SELECT User_Name, DistanceMiles FROM Users"), QStringList{"Ann|0"});

    // Setting the unit from the new user is not a toggle: nothing is written at exit.
    exec("UPDATE Users SET DistanceMiles = 1");
    w->close();
    EXPECT_EQ(storedUnit("Ann"), "1");
}

TEST_F(MainFormTest, NoAtThePromptOpensWithAnEmptySelector) {
    MainForm* w = start();
    EXPECT_EQ(questions, QStringList{kPrompt});
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->cbUsers->count(), 0);
    EXPECT_EQ(w->currentUser(), "");
    EXPECT_TRUE(w->miles());

    // A name typed into the selector is the current user; with no row its unit stays.
    type(w->cbUsers, "Nobody");
    QTest::keyClick(w->cbUsers->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->currentUser(), "Nobody");
    EXPECT_EQ(w->cbUsers->count(), 0);
    EXPECT_TRUE(w->miles());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFormTest, StartUpListsUsersAndSwitchingUsersSwitchesTheUnit) {
    addUser("Ann", false);
    addUser("Bob", true);
    addUser("Cy", false);
    MainForm* w = start();
    EXPECT_TRUE(questions.isEmpty());
    ASSERT_EQ(w->cbUsers->count(), 3);
    EXPECT_EQ(w->currentUser(), "Ann");
    EXPECT_FALSE(w->miles());

    chooseUser("Bob");
    EXPECT_EQ(w->currentUser(), "Bob");
    EXPECT_TRUE(w->miles());

    // The arrow key chooses the next name just as the list does.
    w->cbUsers->setFocus();
    QTest::keyClick(w->cbUsers, Qt::Key_Down);
    EXPECT_EQ(w->currentUser(), "Cy");
    EXPECT_FALSE(w->miles());

    EXPECT_FALSE(w->distanceChanged());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFormTest, UnitIsSavedAtExitOnlyWhenToggled) {
    // Not toggled: a value changed meanwhile by someone else is not overwritten.
    addUser("Ann", true);
    start();
    exec("UPDATE Users SET DistanceMiles = 0");
    window->close();
    EXPECT_EQ(storedUnit("Ann"), "0");

    // Toggled once: the new unit is written.
    exec("UPDATE Users SET DistanceMiles = 1");
    start();
    window->mnuMiles->trigger();
    EXPECT_FALSE(window->miles());
    window->close();
    EXPECT_EQ(storedUnit("Ann"), "0");

    // Toggled twice: the (unchanged) unit is still written.
    exec("UPDATE Users SET DistanceMiles = 1");
    start();
    window->mnuMiles->trigger();
    window->mnuMiles->trigger();
    exec("UPDATE Users SET DistanceMiles = 0");
    window->close();
    EXPECT_EQ(storedUnit("Ann"), "1");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(MainFormTest, ToggleThenSwitchSavesForTheUserSelectedAtExit) {
    addUser("Ann", true);
    addUser("Bob", true);
    MainForm* w = start();
    w->mnuMiles->trigger(); // Ann to kilometres
    chooseUser("Bob");      // reloads Bob's miles; Ann's change is dropped
    EXPECT_TRUE(w->miles());
    exec("UPDATE Users SET DistanceMiles = 0 WHERE User_Name = 'Bob'");
    w->close();
    EXPECT_EQ(storedUnit("Ann"), "1");
    EXPECT_EQ(storedUnit("Bob"), "1");
}

TEST_F(MainFormTest, CalendarClickOpensTheChooserWithWeekdayAndDate) {
    addUser("Ann", true);
    Clock::setFixed(QDateTime(QDate(2026, 12, 1), QTime(9, 0)));
    MainForm* w = start();
    EXPECT_EQ(w->Calendar->selectedDate(), QDate(2026, 12, 1));

    // Find the cell of 5 December, then move the selection away so the click selects it.
    auto* view = w->Calendar->findChild<QTableView*>("qt_calendar_calendarview");
    ASSERT_NE(view, nullptr);
    w->Calendar->setSelectedDate(QDate(2026, 12, 5));
    const QModelIndex cell = view->currentIndex();
    w->Calendar->setSelectedDate(QDate(2026, 12, 1));

    QString shown;
    bool editable = true;
    drivers["MenuForm"] = [&](QDialog* d) {
        auto* txtDate = find<QLineEdit>(d, "txtDate");
        shown = txtDate->text();
        editable = txtDate->isEnabled();
        click(find<QPushButton>(d, "btnExit"));
        return d->result();
    };
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QApplication::processEvents();

    EXPECT_EQ(opened, QStringList{"MenuForm"});
    EXPECT_EQ(shown, "Saturday, 12/5/2026");
    EXPECT_FALSE(editable);
    EXPECT_EQ(w->Calendar->selectedDate(), QDate(2026, 12, 5));
    shot(w, "MainForm");
}

TEST_F(MainFormTest, MissingDatabaseAtStartUpIsReportedAndTheWindowOpens) {
    ASSERT_TRUE(QFile::remove("Trainbook.db"));
    MainForm* w = start();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("No Users Selected - ")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(" - MainForm Form_Load")) << messages[0].toStdString();
    EXPECT_GT(messages[0].size(), QString("No Users Selected -  - MainForm Form_Load").size());
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->cbUsers->count(), 0);
    EXPECT_FALSE(QFile::exists("Trainbook.db")); // never created behind the person's back
}

TEST_F(MainFormTest, ForeignFilesAtStartUpAreReportedAndLeftAlone) {
    ASSERT_TRUE(QFile::remove("Trainbook.db"));
    {
        QFile f("Trainbook.db");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("this is a letter, not a database\n");
    }
    start();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("No Users Selected - ")) << messages[0].toStdString();
    EXPECT_TRUE(window->isVisible());
    window->close();
    {
        QFile f("Trainbook.db");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray("this is a letter, not a database\n"));
    }

    // A database of some other program, with a Users table of its own.
    ASSERT_TRUE(QFile::remove("Trainbook.db"));
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open("Trainbook.db", &other), SQLITE_OK);
    sqlite3_exec(other,
                 "CREATE TABLE Users (User_Name TEXT, DistanceMiles INTEGER);"
                 "INSERT INTO Users VALUES ('Eve', 1);",
                 nullptr, nullptr, nullptr);
    sqlite3_close(other);
    messages.clear();
    start();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("No Users Selected - ")) << messages[0].toStdString();
    EXPECT_EQ(window->cbUsers->count(), 0);
}

TEST_F(MainFormTest, FailureWhileChoosingAUserIsReported) {
    addUser("Ann", true);
    addUser("Bob", false);
    MainForm* w = start();
    ASSERT_TRUE(QFile::remove("Trainbook.db"));
    chooseUser("Bob");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("No Default Distance Selected - ")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(" - MainForm cbUsers_Click")) << messages[0].toStdString();
    EXPECT_EQ(w->currentUser(), "Bob");
    EXPECT_TRUE(w->miles()); // left as it was
}

} // namespace
