#include "LogFixture.h"

#include "frmRunLog.h"

#include <QClipboard>
#include <QFile>

namespace {

class RunLogTest : public LogFixture {
protected:
    void seedShoes()
    {
        exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Old Trainer', 1, 'Bob')");
        exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Retired', 0, 'Bob')");
        exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Ann''s Racer', 1, 'Ann')");
        exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('New Trainer', 1, 'Bob')");
    }
    QString seedRun(const QString& user = "Bob")
    {
        return seed("Running", "12/5/2026", "Saturday", "1:05:30", "Easy", user,
                    "Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (%1, 10, 'River', 'Old Trainer', "
                    "16.1)");
    }
    QLineEdit* edit(QWidget* w, const char* name) { return find<QLineEdit>(w, name); }
    QComboBox* combo(QWidget* w, const char* name) { return find<QComboBox>(w, name); }
};

// The road of one run: opened for a date by the chooser, typed in, stored as two rows.
TEST_F(RunLogTest, AddModeStoresTheRunAsTyped)
{
    seedShoes();
    seedRun(); // gives the course "River"
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();

    EXPECT_EQ(w.windowTitle(), "Running Log");
    EXPECT_EQ(visibleButtons(&w), QStringList({"btnAdd", "btnExit"}));
    EXPECT_FALSE(edit(&w, "txtDate")->isEnabled());
    EXPECT_FALSE(edit(&w, "txtKilometers")->isEnabled()) << "a miles user types miles only";
    EXPECT_TRUE(edit(&w, "txtMiles")->isEnabled());
    EXPECT_EQ(edit(&w, "txtExercise")->text(), "Running");
    // Active shoes of this user, newest first, the newest preselected; earlier courses offered.
    EXPECT_EQ(items(combo(&w, "cbShoes")), QStringList({"New Trainer", "Old Trainer"}));
    EXPECT_EQ(combo(&w, "cbShoes")->currentText(), "New Trainer");
    EXPECT_EQ(items(combo(&w, "cbCourse")), QStringList({"River"}));
    EXPECT_EQ(combo(&w, "cbCourse")->currentText(), "") << "courses are offered, not chosen";
    EXPECT_TRUE(questions.isEmpty());
    shot(&w, "frmRunLog");

    type(edit(&w, "txtMiles"), "6.2");
    QLineEdit* time = edit(&w, "txtTime");
    type(time, "45:");
    EXPECT_EQ(edit(&w, "txtKilometers")->text(), "10.0") << "leaving the miles fills the kilometres";
    EXPECT_EQ(edit(&w, "txtPace")->text(), "7:15") << "pace shown while the time is typed";
    QTest::keyClicks(time, "10");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "7:17");
    type(combo(&w, "cbCourse"), "Bob's loop');--");
    type(edit(&w, "txtComments"), "It's \"hot\"");
    click(find<QAbstractButton>(&w, "btnAdd"));

    EXPECT_EQ(messages, QStringList({"data entered"}));
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const QString id = scalar("SELECT MAX(Exercise_ID) FROM Exercise_Master");
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, Comments "
                   "FROM Exercise_Master WHERE Exercise_ID = " + id),
              QStringList({"Running|2026-12-06|Sunday|45:10|Bob|It's \"hot\""}));
    EXPECT_EQ(rows("SELECT Miles, Course, Shoes, Kilometers FROM Running_Log WHERE Running_ID = " + id),
              QStringList({"6.2|Bob's loop');--|New Trainer|10"}));
}

// Live pace, filters, select-all and the conversions of a miles user.
TEST_F(RunLogTest, FieldBehaviourOfAMilesUser)
{
    seedShoes();
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    QLineEdit* miles = edit(&w, "txtMiles");
    QLineEdit* km = edit(&w, "txtKilometers");
    QLineEdit* time = edit(&w, "txtTime");
    QLineEdit* pace = edit(&w, "txtPace");

    type(time, "1:0a");
    EXPECT_EQ(time->text(), "1:0") << "time takes digits and colons only";
    EXPECT_EQ(pace->text(), "") << "no distance, no pace";
    type(miles, "5-");
    EXPECT_EQ(miles->text(), "5");
    focus(time);
    EXPECT_EQ(km->text(), "8.0");
    EXPECT_EQ(pace->text(), "") << "only a change of the time recomputes the pace";
    QTest::keyClicks(time, "45:00");
    EXPECT_EQ(pace->text(), "9:00");

    // A distance that gives no pace shows none, and is never converted.
    for (const QString& bad : {QString("."), QString("0")}) {
        focus(miles);
        QTest::keyClicks(miles, bad); // replaces the selected text
        type(time, "45:00");
        EXPECT_EQ(pace->text(), "") << bad.toStdString();
    }
    focus(miles);
    QTest::keyClicks(miles, ".");
    focus(time);
    EXPECT_EQ(km->text(), "") << "no kilometres computed from '.'";
    EXPECT_TRUE(messages.isEmpty());

    // A click into a field selects its whole text, except in the shoe list.
    combo(&w, "cbCourse")->setEditText("Hill");
    for (QLineEdit* field : {miles, time, combo(&w, "cbCourse")->lineEdit(), combo(&w, "cbShoes")->lineEdit()}) {
        focus(edit(&w, "txtComments"));
        click(field);
        const bool shoes = field == combo(&w, "cbShoes")->lineEdit();
        EXPECT_EQ(field->selectedText(), shoes ? QString() : field->text()) << (field->objectName().isEmpty() ? field->parentWidget() : field)->objectName().toStdString();
    }
}

TEST_F(RunLogTest, KilometreUserTypesKilometresAndGetsMilesOnce)
{
    seedShoes();
    state.setMiles(false);
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    QLineEdit* miles = edit(&w, "txtMiles");
    QLineEdit* km = edit(&w, "txtKilometers");
    EXPECT_FALSE(miles->isEnabled());
    EXPECT_TRUE(km->isEnabled());

    type(km, "10");
    type(edit(&w, "txtTime"), "50:00");
    EXPECT_EQ(miles->text(), "6.2");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "5:00") << "pace per kilometre";
    focus(km);
    QTest::keyClicks(km, "12");
    focus(edit(&w, "txtComments"));
    EXPECT_EQ(miles->text(), "6.2") << "existing miles stay";
}

TEST_F(RunLogTest, EditModeShowsUpdatesAndDeletesAStoredRun)
{
    seedShoes();
    const QString id = seedRun();
    {
        frmRunLog w(state);
        ASSERT_TRUE(w.openForEdit(" " + id, true));
        w.show();
        EXPECT_EQ(visibleButtons(&w), QStringList({"btnUpdate", "btnDelete", "btnExit"}));
        EXPECT_TRUE(edit(&w, "txtDate")->isEnabled());
        EXPECT_EQ(edit(&w, "txtDate")->text(), "05-Dec-2026");
        EXPECT_EQ(edit(&w, "txtDay")->text(), "Saturday");
        EXPECT_EQ(edit(&w, "txtTime")->text(), "1:05:30");
        EXPECT_EQ(edit(&w, "txtComments")->text(), "Easy");
        EXPECT_EQ(edit(&w, "txtMiles")->text(), "10");
        EXPECT_EQ(edit(&w, "txtKilometers")->text(), "16.1");
        EXPECT_EQ(combo(&w, "cbCourse")->currentText(), "River");
        EXPECT_EQ(combo(&w, "cbShoes")->currentText(), "Old Trainer") << "the stored pair, not the default";
        EXPECT_EQ(edit(&w, "txtPace")->text(), "6:33");
        EXPECT_EQ(edit(&w, "txtID")->text(), id);

        // A corrected date brings its weekday; while it is no date the weekday is empty
        // and the update is refused.
        QLineEdit* date = edit(&w, "txtDate");
        type(date, "31-Feb-2026");
        EXPECT_EQ(edit(&w, "txtDay")->text(), "");
        click(find<QAbstractButton>(&w, "btnUpdate"));
        EXPECT_EQ(messages, QStringList({"Problem updating record"}));
        EXPECT_TRUE(w.isVisible());

        type(date, "12/8/2026");
        EXPECT_EQ(edit(&w, "txtDay")->text(), "Tuesday");
        QLineEdit* miles = edit(&w, "txtMiles");
        focus(miles);
        QTest::keyClicks(miles, "12");
        type(combo(&w, "cbShoes"), "Pegasus");
        click(find<QAbstractButton>(&w, "btnUpdate"));
        EXPECT_EQ(messages.last(), "Record Updated");
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Date, Exercise_Day, User_Name, Miles, Kilometers, Shoes "
                   "FROM Exercise_Master, Running_Log WHERE Exercise_ID = Running_ID"),
              QStringList({"Running|2026-12-08|Tuesday|Bob|12|19.3|Pegasus"}));

    frmRunLog w(state);
    ASSERT_TRUE(w.openForEdit(id, false));
    EXPECT_EQ(edit(&w, "txtPace")->text(), "3:24") << "pace per kilometre when the report is in kilometres";
    click(find<QAbstractButton>(&w, "btnDelete"));
    EXPECT_EQ(messages.last(), "Record Deleted");
    EXPECT_EQ(count("Exercise_Master"), 0);
    EXPECT_EQ(count("Running_Log"), 0);
}

// Nothing is stored from a distance that is not a number, and never half a workout.
TEST_F(RunLogTest, BadInputStoresNothing)
{
    seedShoes();
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    QLineEdit* miles = edit(&w, "txtMiles");
    QAbstractButton* add = find<QAbstractButton>(&w, "btnAdd");

    type(miles, "10");
    QApplication::clipboard()->setText("5; DELETE FROM Exercise_Master ");
    focus(miles);
    miles->setCursorPosition(0);
    QTest::keyClick(miles, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(miles->text(), "5; DELETE FROM Exercise_Master 10") << "only the last character is filtered";
    type(edit(&w, "txtTime"), "40:00");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "");
    click(add);
    EXPECT_EQ(messages, QStringList({"Problem entering data"}));
    EXPECT_EQ(count("Exercise_Master"), 0) << "the master row went with the refused detail";

    for (const QString& bad : {QString("1.2.3"), QString("")}) {
        focus(miles);
        QTest::keyClick(miles, Qt::Key_Delete);
        typeAt(miles, 0, bad);
        edit(&w, "txtKilometers")->setText("16.1");
        click(add);
        EXPECT_EQ(messages.last(), "Problem entering data") << bad.toStdString();
    }
    EXPECT_EQ(count("Exercise_Master"), 0);
    EXPECT_TRUE(w.isVisible()) << "the window stays open after a failure";

    // A detail row that the engine itself refuses takes the master row with it.
    refuseInserts("Running_Log");
    focus(miles);
    QTest::keyClicks(miles, "3");
    focus(edit(&w, "txtTime"));
    click(add);
    EXPECT_EQ(messages.last(), "Problem entering data");
    EXPECT_EQ(count("Exercise_Master"), 0);
}

TEST_F(RunLogTest, UpdateAndDeleteNeedAnIdentifier)
{
    seedShoes();
    seedRun();
    frmRunLog w(state); // as designed: every button visible, txtID holds its design text
    w.show();
    click(find<QAbstractButton>(&w, "btnUpdate"));
    click(find<QAbstractButton>(&w, "btnDelete"));
    EXPECT_EQ(messages, QStringList({"Problem updating record", "Problem deleting record"}));

    edit(&w, "txtID")->clear();
    click(find<QAbstractButton>(&w, "btnUpdate"));
    click(find<QAbstractButton>(&w, "btnDelete"));
    EXPECT_EQ(messages.mid(2), QStringList({"No ID found", "No ID found"}));
    EXPECT_EQ(count("Running_Log"), 1);
}

TEST_F(RunLogTest, MissingShoesAreOfferedAndArriveThroughTheHook)
{
    answers = {true};
    drivers["frmAddShoe"] = catalogAdds("Shoe", "Pegasus", {{"txtPrice", "80"}});
    {
        frmRunLog w(state);
        w.openForAdd("12/6/2026", "Sunday");
        EXPECT_EQ(questions, QStringList({"This application will not function as it should unless a shoe "
                                          "is entered and active. Enter one now?"}));
        EXPECT_EQ(opened, QStringList({"frmAddShoe"}));
        EXPECT_EQ(items(combo(&w, "cbShoes")), QStringList({"Pegasus"}));
        EXPECT_EQ(combo(&w, "cbShoes")->currentText(), "Pegasus");
    }

    // Asked again on the next opening while no pair is active; No leaves the text free.
    exec("UPDATE Running_Shoes SET Active = 0");
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(opened.size(), 1);
    EXPECT_EQ(combo(&w, "cbShoes")->currentText(), "");
    type(edit(&w, "txtMiles"), "3");
    type(combo(&w, "cbShoes"), "Barefoot");
    focus(edit(&w, "txtComments"));
    click(find<QAbstractButton>(&w, "btnAdd"));
    EXPECT_EQ(scalar("SELECT Shoes FROM Running_Log"), "Barefoot");
}

TEST_F(RunLogTest, ReadFailuresAreReportedAndTheWindowStaysUsable)
{
    ASSERT_TRUE(QFile::remove(dir() + "/Trainbook.db"));
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Could not retrieve shoes - ")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(" - In frmRunLog Form_Load")) << messages[0].toStdString();

    EXPECT_FALSE(w.openForEdit("7", true));
    EXPECT_TRUE(messages[1].startsWith("Could not retrieve data - "));
    EXPECT_TRUE(messages[1].endsWith(" - In frmTextRpt lstReport_DblClick"));

    EXPECT_FALSE(w.openForEdit("7 OR 1=1", true)) << "the identifier must be a number";
    EXPECT_EQ(messages.size(), 3);
}

} // namespace
