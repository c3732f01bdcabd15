#include "GuiFixture.h"

#include "frmOtherLog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString NotDefined = QStringLiteral("This exercise has not been defined.");

// Opens the combo's list and clicks the item, as a person chooses from it.
void chooseFromList(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << text.toStdString();
    // The combo has the focus while its list is open, as after a click on its arrow.
    combo->setFocus(Qt::MouseFocusReason);
    combo->showPopup();
    QApplication::processEvents();
    QAbstractItemView* view = combo->view();
    const QRect rect = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
}

void pressTab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();
}

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

} // namespace

class OtherLogTest : public GuiFixture {
  protected:
    void define(const QString& name, const QString& f1, const QString& f2, const QString& f3, int n,
                const QString& user = QStringLiteral("Ann")) {
        exec(QStringLiteral(
                 "INSERT INTO Other_Setup (Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name) "
                 "VALUES ('%1', %2, '%3', '%4', '%5', '%6')")
                 .arg(name)
                 .arg(n)
                 .arg(f1, f2, f3, user));
    }

    // A stored workout as the log writes it; returns its identifier.
    QString store(const QString& exercise, const QString& f1, const QString& f2, const QString& f3) {
        exec(QStringLiteral(
            "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
            "User_Name, Comments) VALUES ('Other', '5/17/2026', 'Sunday', '45:00', 'Ann', 'easy')"));
        const QString id = scalar(QStringLiteral("SELECT MAX(Exercise_ID) FROM Exercise_Master"));
        exec(QStringLiteral("INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1, Field2, Field3) "
                            "VALUES (%1, '%2', '%3', '%4', '%5')")
                 .arg(id, exercise, f1, f2, f3));
        return id;
    }

    QStringList fieldCaptions(frmOtherLog& w) {
        QStringList out;
        for (QLabel* l : {w.lblField1, w.lblField2, w.lblField3})
            if (!l->isHidden())
                out << l->text();
        return out;
    }

    FixedState state{QStringLiteral("Ann"), true};
};

TEST_F(OtherLogTest, AddModeLaysOutChosenExerciseAndStoresWhatWasTyped) {
    define(QStringLiteral("Bench Press"), QStringLiteral("Weight"), QStringLiteral("Reps"), QString(), 2);
    define(QStringLiteral("Rowing"), QStringLiteral("Meters"), QStringLiteral("Strokes"),
           QStringLiteral("Watts"), 3);
    define(QStringLiteral("Jump Rope"), QStringLiteral("Skips"), QString(), QString(), 1,
           QStringLiteral("Bob"));

    frmOtherLog w(state);
    w.openForAdd(QStringLiteral("5/17/2026"), QStringLiteral("Sunday"));
    w.show();
    QApplication::processEvents();

    // Only the user's own exercises, in stored order, none chosen, no field rows yet.
    EXPECT_EQ(items(w.cbExercise), (QStringList{QStringLiteral("Bench Press"), QStringLiteral("Rowing")}));
    EXPECT_EQ(w.cbExercise->currentText(), QString());
    EXPECT_EQ(w.visibleFieldCount(), 0);
    EXPECT_EQ(w.visibleButtons(), (QStringList{QStringLiteral("Add Record"), QStringLiteral("EXIT")}));
    EXPECT_FALSE(w.txtDate->isEnabled());
    EXPECT_EQ(w.txtDate->text(), QStringLiteral("5/17/2026"));
    const int compact = w.height();
    shot(&w, QStringLiteral("frmOtherLog_add_empty"));

    chooseFromList(w.cbExercise, QStringLiteral("Rowing"));
    EXPECT_EQ(w.visibleFieldCount(), 3);
    EXPECT_EQ(fieldCaptions(w),
              (QStringList{QStringLiteral("Meters:"), QStringLiteral("Strokes:"), QStringLiteral("Watts:")}));
    EXPECT_GT(w.height(), compact);
    type(w.txtField3, QStringLiteral("180"));

    // A two-field exercise hides the third row; its text stays and is stored with the rest.
    chooseFromList(w.cbExercise, QStringLiteral("Bench Press"));
    EXPECT_EQ(w.cbExercise->currentText(), QStringLiteral("Bench Press"));
    EXPECT_EQ(fieldCaptions(w), (QStringList{QStringLiteral("Weight:"), QStringLiteral("Reps:")}));
    EXPECT_EQ(w.visibleButtons(), (QStringList{QStringLiteral("Add Record"), QStringLiteral("EXIT")}));
    type(w.txtTime, QStringLiteral("1:0a5:30"));
    type(w.txtField1, QStringLiteral("100 lb's"));
    type(w.txtField2, QStringLiteral("10"));
    type(w.txtComments, QStringLiteral("felt 'good'"));
    EXPECT_EQ(w.txtTime->text(), QStringLiteral("1:05:30"));
    shot(&w, QStringLiteral("frmOtherLog_add"));

    click(w.btnAdd);
    EXPECT_EQ(messages, QStringList{QStringLiteral("data entered")});
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, "
                            "Comments FROM Exercise_Master")),
        QStringList{QStringLiteral("Other|2026-05-17|Sunday|1:05:30|Ann|felt 'good'")});
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Exercise_Name, Field1, Field2, Field3 FROM OtherLog, Exercise_Master "
                            "WHERE Other_ID = Exercise_ID")),
        QStringList{QStringLiteral("Bench Press|100 lb's|10|180")});
}

TEST_F(OtherLogTest, WindowShrinksToTheFieldRowsOfTheExercise) {
    define(QStringLiteral("Stretch"), QString(), QString(), QString(), 0);
    define(QStringLiteral("Walk"), QStringLiteral("Miles"), QString(), QString(), 1);
    define(QStringLiteral("Curl"), QStringLiteral("Weight"), QStringLiteral("Reps"), QString(), 2);
    define(QStringLiteral("Row"), QStringLiteral("Meters"), QStringLiteral("Strokes"),
           QStringLiteral("Watts"), 3);
    // Caption in the second field only: one row shows, under the empty first caption.
    define(QStringLiteral("Odd"), QString(), QStringLiteral("Laps"), QString(), 1);

    frmOtherLog w(state);
    w.openForAdd(QStringLiteral("5/17/2026"), QStringLiteral("Sunday"));
    w.show();
    QApplication::processEvents();
    const int compact = w.height();

    chooseFromList(w.cbExercise, QStringLiteral("Stretch"));
    EXPECT_EQ(w.visibleFieldCount(), 0);
    EXPECT_EQ(w.height(), compact);

    chooseFromList(w.cbExercise, QStringLiteral("Walk"));
    EXPECT_EQ(fieldCaptions(w), QStringList{QStringLiteral("Miles:")});
    const int one = w.height();
    chooseFromList(w.cbExercise, QStringLiteral("Curl"));
    const int two = w.height();
    chooseFromList(w.cbExercise, QStringLiteral("Row"));
    const int three = w.height();
    EXPECT_LT(compact, one);
    EXPECT_LT(one, two);
    EXPECT_LT(two, three);
    // Back to one row: the window shrinks again.
    chooseFromList(w.cbExercise, QStringLiteral("Walk"));
    EXPECT_EQ(w.height(), one);

    chooseFromList(w.cbExercise, QStringLiteral("Odd"));
    EXPECT_EQ(fieldCaptions(w), QStringList{QStringLiteral(":")});
    EXPECT_EQ(w.visibleButtons(), (QStringList{QStringLiteral("Add Record"), QStringLiteral("EXIT")}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OtherLogTest, LeavingTheExerciseChecksTheNameExactlyAndNothingElse) {
    define(QStringLiteral("Bench Press"), QStringLiteral("Weight"), QStringLiteral("Reps"), QString(), 2);
    frmOtherLog w(state);
    w.openForAdd(QStringLiteral("5/17/2026"), QStringLiteral("Sunday"));
    w.show();

    // Tabbing through the empty box.
    focus(w.cbExercise);
    pressTab();
    EXPECT_EQ(messages, QStringList{NotDefined});
    EXPECT_EQ(QApplication::focusWidget(), w.txtTime);

    // Case, a missing part and a trailing blank all count; the text stays as typed.
    for (const QString& typed :
         {QStringLiteral("bench press"), QStringLiteral("Bench"), QStringLiteral("Bench Press ")}) {
        messages.clear();
        w.cbExercise->clearEditText();
        type(w.cbExercise, typed);
        pressTab();
        EXPECT_EQ(messages, QStringList{NotDefined}) << typed.toStdString();
        EXPECT_EQ(w.cbExercise->currentText(), typed);
    }

    // An exact name shows nothing and does not lay the fields out.
    messages.clear();
    w.cbExercise->clearEditText();
    type(w.cbExercise, QStringLiteral("Bench Press"));
    pressTab();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(w.visibleFieldCount(), 0);

    // Opening the list is not leaving the box.
    focus(w.cbExercise);
    w.cbExercise->clearEditText();
    w.cbExercise->showPopup();
    QApplication::processEvents();
    w.cbExercise->hidePopup();
    QApplication::processEvents();
    EXPECT_TRUE(messages.isEmpty());

    // An undefined name is only a warning: it is stored as typed.
    type(w.cbExercise, QStringLiteral("Yoga"));
    click(w.btnAdd);
    EXPECT_EQ(messages, (QStringList{NotDefined, QStringLiteral("data entered")}));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Exercise_Name FROM OtherLog")), QStringLiteral("Yoga"));
}

TEST_F(OtherLogTest, EditModeShowsTheStoredWorkoutAndUpdatesIt) {
    define(QStringLiteral("Bench Press"), QStringLiteral("Weight"), QStringLiteral("Reps"), QString(), 2);
    const QString id =
        store(QStringLiteral("Bench Press"), QStringLiteral("100"), QStringLiteral("10"), QString());

    frmOtherLog w(state);
    ASSERT_TRUE(w.openForEdit(QStringLiteral(" ") + id, true));
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.txtDate->text(), QStringLiteral("17-May-2026"));
    EXPECT_EQ(w.txtDay->text(), QStringLiteral("Sunday"));
    EXPECT_EQ(w.txtTime->text(), QStringLiteral("45:00"));
    EXPECT_EQ(w.txtComments->text(), QStringLiteral("easy"));
    EXPECT_EQ(w.cbExercise->currentText(), QStringLiteral("Bench Press"));
    EXPECT_EQ(w.txtField1->text(), QStringLiteral("100"));
    EXPECT_EQ(w.txtField2->text(), QStringLiteral("10"));
    EXPECT_EQ(w.txtID->text(), id);
    EXPECT_TRUE(w.txtDate->isEnabled());
    EXPECT_TRUE(w.txtDay->isEnabled());
    EXPECT_EQ(fieldCaptions(w), (QStringList{QStringLiteral("Weight:"), QStringLiteral("Reps:")}));
    EXPECT_EQ(w.visibleButtons(), (QStringList{QStringLiteral("Update Record"),
                                               QStringLiteral("Delete Record"), QStringLiteral("EXIT")}));
    shot(&w, QStringLiteral("frmOtherLog_edit"));

    w.txtDate->clear();
    type(w.txtDate, QStringLiteral("5/18/2026"));
    w.txtDay->clear();
    type(w.txtDay, QStringLiteral("Monday"));
    w.txtField1->clear();
    type(w.txtField1, QStringLiteral("110"));
    w.txtComments->clear();
    type(w.txtComments, QStringLiteral("PR'd"));
    click(w.btnUpdate);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Record Updated")});
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(rows(QStringLiteral("SELECT Exercise_Type, Exercise_Date, Exercise_Day, User_Name, Comments, "
                                  "Exercise_Name, Field1, Field2, Field3 FROM Exercise_Master, OtherLog "
                                  "WHERE Exercise_ID = Other_ID")),
              QStringList{QStringLiteral("Other|2026-05-18|Monday|Ann|PR'd|Bench Press|110|10|")});
}

TEST_F(OtherLogTest, EditModeDeletesBothRowsAndReportsFailures) {
    define(QStringLiteral("Bench Press"), QStringLiteral("Weight"), QStringLiteral("Reps"), QString(), 2);
    const QString keep =
        store(QStringLiteral("Bench Press"), QStringLiteral("90"), QStringLiteral("8"), QString());
    const QString id =
        store(QStringLiteral("Bench Press"), QStringLiteral("100"), QStringLiteral("10"), QString());

    {
        // A date that is not a date is refused and nothing changes; the window stays open.
        frmOtherLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        w.show();
        w.txtDate->clear();
        type(w.txtDate, QStringLiteral("5/45/2026"));
        click(w.btnUpdate);
        EXPECT_EQ(messages, QStringList{QStringLiteral("Problem updating record")});
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(
            scalar(QStringLiteral("SELECT Exercise_Date FROM Exercise_Master WHERE Exercise_ID = ") + id),
            QStringLiteral("2026-05-17"));

        messages.clear();
        click(w.btnDelete);
        EXPECT_EQ(messages, QStringList{QStringLiteral("Record Deleted")});
        EXPECT_EQ(w.result(), QDialog::Accepted);
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT Exercise_ID FROM Exercise_Master")), QStringList{keep});
    EXPECT_EQ(rows(QStringLiteral("SELECT Other_ID FROM OtherLog")), QStringList{keep});

    // A record number that is not a number: the read failure, and no window to show.
    messages.clear();
    frmOtherLog bad(state);
    EXPECT_FALSE(bad.openForEdit(QStringLiteral("12; DROP TABLE OtherLog"), true));
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Could not retrieve data - Type mismatch - In frmTextRpt lstReport_DblClick")});
}

TEST_F(OtherLogTest, StoredWorkoutOfAnUndefinedExerciseStaysInEditMode) {
    define(QStringLiteral("Bench Press"), QStringLiteral("Weight"), QStringLiteral("Reps"), QString(), 2);
    const QString id = store(QStringLiteral("Yoga"), QStringLiteral("60"), QString(), QStringLiteral("mat"));

    frmOtherLog w(state);
    ASSERT_TRUE(w.openForEdit(id, false));
    // Every stored value stays visible, and Add Record is never offered beside Update Record.
    EXPECT_EQ(w.visibleFieldCount(), 3);
    EXPECT_EQ(w.txtField3->text(), QStringLiteral("mat"));
    EXPECT_EQ(w.visibleButtons(), (QStringList{QStringLiteral("Update Record"),
                                               QStringLiteral("Delete Record"), QStringLiteral("EXIT")}));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OtherLogTest, WithoutExercisesTheSetupOpensAndItsNewExerciseIsOffered) {
    answers = {true};
    drivers[QStringLiteral("frmAddExercise")] = [this](QDialog* d) {
        // Only the add section shows when the log opens the setup.
        EXPECT_TRUE(find<QWidget>(d, QStringLiteral("modifySection"))->isHidden());
        type(find<QLineEdit>(d, QStringLiteral("txtName")), QStringLiteral("Plank"));
        type(find<QLineEdit>(d, QStringLiteral("txtField1")), QStringLiteral("Seconds"));
        click(find<QPushButton>(d, QStringLiteral("btnAdd")));
        return d->result();
    };

    frmOtherLog w(state);
    w.openForAdd(QStringLiteral("5/17/2026"), QStringLiteral("Sunday"));
    EXPECT_EQ(questions,
              QStringList{QStringLiteral("This application will not function as it should unless an "
                                         "exercise is entered. Enter one now?")});
    EXPECT_EQ(opened, QStringList{QStringLiteral("frmAddExercise")});
    EXPECT_EQ(items(w.cbExercise), QStringList{QStringLiteral("Plank")});
    EXPECT_EQ(w.cbExercise->currentText(), QStringLiteral("Plank"));
    // Handing the name over does not lay the window out.
    EXPECT_EQ(w.visibleFieldCount(), 0);

    // A second exercise arriving later leaves a typed text alone.
    w.cbExercise->setEditText(QStringLiteral("Pla"));
    w.catalogItemAdded(QStringLiteral("frmAddExercise"), QStringLiteral("Squat"));
    EXPECT_EQ(items(w.cbExercise), (QStringList{QStringLiteral("Plank"), QStringLiteral("Squat")}));
    EXPECT_EQ(w.cbExercise->currentText(), QStringLiteral("Pla"));

    // Answering No opens nothing; the window is still usable.
    questions.clear();
    opened.clear();
    FixedState zed(QStringLiteral("Zed"));
    frmOtherLog none(zed);
    none.openForAdd(QStringLiteral("5/17/2026"), QStringLiteral("Sunday"));
    EXPECT_EQ(questions.size(), 1);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(none.cbExercise->count(), 0);
}

TEST_F(OtherLogTest, RefusedAddWritesNeitherRowAndKeepsTheWindowOpen) {
    define(QStringLiteral("Walk"), QStringLiteral("Miles"), QString(), QString(), 1);
    frmOtherLog w(state);
    w.openForAdd(QStringLiteral("5/45/2026"), QStringLiteral("Sunday"));
    w.show();
    chooseFromList(w.cbExercise, QStringLiteral("Walk"));
    type(w.txtField1, QStringLiteral("3"));
    click(w.btnAdd);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Problem entering data")});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Exercise_Master")), QStringLiteral("0"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM OtherLog")), QStringLiteral("0"));
    EXPECT_EQ(w.txtField1->text(), QStringLiteral("3"));
}

TEST_F(OtherLogTest, ReadFailuresNameTheRoutine) {
    define(QStringLiteral("Bench Press"), QStringLiteral("Weight"), QStringLiteral("Reps"), QString(), 2);
    frmOtherLog w(state);
    w.openForAdd(QStringLiteral("5/17/2026"), QStringLiteral("Sunday"));
    ASSERT_TRUE(messages.isEmpty());

    exec(QStringLiteral("DROP TABLE Other_Setup"));
    w.cbExercise->setEditText(QStringLiteral("Bench Press"));
    w.Setup_Form();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Problem in retrieving exercise - ")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(" - In frmOtherLog Setup_Form")));
    EXPECT_EQ(w.visibleFieldCount(), 0);

    messages.clear();
    frmOtherLog again(state);
    again.Form_Load();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Could not retrieve exercises - ")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(" - In frmOtherLog Form_Load")));
    EXPECT_TRUE(questions.isEmpty());
}
