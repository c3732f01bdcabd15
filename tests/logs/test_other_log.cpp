#include "LogFixture.h"

#include "frmOtherLog.h"

namespace {

const QString NotDefined = QStringLiteral("This exercise has not been defined.");
const QString BenchPress = QStringLiteral("('Bench Press', 2, 'Weight', 'Reps', NULL, 'Bob')");

class OtherLogTest : public LogFixture {
  protected:
    // Defines exercises: "('Name', fields, 'Field1', 'Field2', 'Field3', 'User'), ...".
    void define(const QString& rows) {
        exec(
            "INSERT INTO Other_Setup (Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name) VALUES " +
            rows);
    }
    // Captions of the field rows shown.
    QStringList fieldRows(QWidget* w) {
        QStringList out;
        for (const char* name : {"lblField1", "lblField2", "lblField3"})
            if (!find<QLabel>(w, name)->isHidden())
                out << find<QLabel>(w, name)->text();
        return out;
    }
    QComboBox* exercise(QWidget* w) { return find<QComboBox>(w, "cbExercise"); }
};

TEST_F(OtherLogTest, ChosenExerciseLaysTheWindowOutAndWhatIsShownIsStored) {
    define(BenchPress + ", ('Stretch', 0, NULL, NULL, NULL, 'Bob'), ('Rowing', 3, 'Meters', 'Strokes', "
                        "'Watts', 'Bob'), ('Jump Rope', 1, 'Skips', NULL, NULL, 'Ann'), "
                        "('Carry', 2, 'Meters', '', 'Kilos', 'Bob')");
    frmOtherLog w(state);
    w.openForAdd("5/17/2026", "Sunday");
    w.show();
    EXPECT_EQ(items(exercise(&w)), QStringList({"Bench Press", "Carry", "Rowing", "Stretch"}));
    EXPECT_EQ(w.visibleFieldCount(), 0);
    const int compact = w.height();

    chooseFromList(exercise(&w), "Rowing");
    EXPECT_EQ(fieldRows(&w), QStringList({"Meters:", "Strokes:", "Watts:"}));
    EXPECT_GT(w.height(), compact);
    type(edit(&w, "txtField3"), "180");
    chooseFromList(exercise(&w), "Stretch");
    EXPECT_EQ(w.visibleFieldCount(), 0);
    EXPECT_EQ(w.height(), compact) << "the window shrinks to the rows it shows";

    // Captions in the first and third field only: those two rows, the second one hidden.
    chooseFromList(exercise(&w), "Carry");
    EXPECT_EQ(fieldRows(&w), QStringList({"Meters:", "Kilos:"}));
    EXPECT_TRUE(edit(&w, "txtField2")->isHidden());
    EXPECT_FALSE(edit(&w, "txtField3")->isHidden());

    // A two-field exercise hides the third row: the text it still holds is not stored.
    chooseFromList(exercise(&w), "Bench Press");
    EXPECT_EQ(fieldRows(&w), QStringList({"Weight:", "Reps:"}));
    type(edit(&w, "txtTime"), "1:0a5:30");
    type(edit(&w, "txtField1"), "100 lb's");
    type(edit(&w, "txtField2"), "10");
    type(edit(&w, "txtComments"), "felt 'good'");
    click(button(&w, "btnAdd"));
    EXPECT_EQ(messages, QStringList({"data entered"}));
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, Comments, "
                   "Exercise_Name, Field1, Field2, Field3 FROM Exercise_Master, OtherLog WHERE Other_ID = "
                   "Exercise_ID"),
              QStringList({"Other|2026-05-17|Sunday|1:05:30|Bob|felt 'good'|Bench Press|100 lb's|10|"}));

    // A layout that cannot be read is reported.
    exec("DROP TABLE Other_Setup");
    exercise(&w)->setEditText("Rowing");
    w.Setup_Form();
    EXPECT_TRUE(
        messagesAre({"data entered", "Problem in retrieving exercise - * - In frmOtherLog Setup_Form"}));
}

TEST_F(OtherLogTest, LeavingTheExerciseChecksTheNameExactlyAndNothingElse) {
    define(BenchPress);
    frmOtherLog w(state);
    w.openForAdd("5/17/2026", "Sunday");
    w.show();
    QComboBox* box = exercise(&w);

    focus(box); // tabbing through the empty box
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), edit(&w, "txtTime"));
    // Case and a trailing blank count; the text stays as typed, Return included.
    for (const QString typed : {"bench press", "Bench Press "}) {
        retype(box, typed);
        press(Qt::Key_Return);
        press(Qt::Key_Tab);
        EXPECT_EQ(box->currentText(), typed);
    }
    EXPECT_EQ(messages, QStringList(3, NotDefined));

    // An exact name shows nothing and does not lay the fields out; opening the list (here
    // with an empty box) is not leaving.
    retype(box, "Bench Press");
    press(Qt::Key_Tab);
    focus(box);
    box->clearEditText();
    box->showPopup();
    QApplication::processEvents();
    box->hidePopup();
    QApplication::processEvents();
    EXPECT_EQ(messages.size(), 3);
    EXPECT_EQ(w.visibleFieldCount(), 0);

    // An undefined name is only a warning: it is stored as typed.
    retype(box, "Yoga");
    click(button(&w, "btnAdd"));
    EXPECT_EQ(messages.mid(3), QStringList({NotDefined, "data entered"}));
    EXPECT_EQ(scalar("SELECT Exercise_Name FROM OtherLog"), "Yoga");
}

// Edit mode lays out the stored exercise; the day does not follow the date here (it is
// corrected by hand), and a workout of an exercise no longer defined shows every value.
TEST_F(OtherLogTest, EditModeKeepsTheDayAndShowsEveryValueOfAnUndefinedExercise) {
    define(BenchPress);
    const QString id = seed("Other", "45:00", "easy",
                            "OtherLog (Other_ID, Exercise_Name, Field1, Field2, Field3) "
                            "VALUES (%1, 'Bench Press', '100', '10', NULL)");
    const QString unknown =
        seed("Other", "45:00", "", "OtherLog (Other_ID, Exercise_Name, Field3) VALUES (%1, 'Yoga', 'mat')");
    {
        frmOtherLog w(state);
        ASSERT_TRUE(w.openForEdit(" " + id, true));
        EXPECT_EQ(fieldRows(&w), QStringList({"Weight:", "Reps:"}));
        retype(edit(&w, "txtDate"), "12/7/2026");
        EXPECT_EQ(edit(&w, "txtDay")->text(), "Saturday");
    }
    frmOtherLog w(state);
    ASSERT_TRUE(w.openForEdit(unknown, false));
    EXPECT_EQ(w.visibleFieldCount(), 3);
    EXPECT_EQ(w.visibleButtons(), QStringList({"Update Record", "Delete Record", "EXIT"}));
    click(button(&w, "btnDelete"));
    EXPECT_EQ(rows("SELECT Other_ID FROM OtherLog UNION ALL SELECT Exercise_ID FROM Exercise_Master"),
              QStringList({id, id}));
}

TEST_F(OtherLogTest, WithoutExercisesTheSetupOpensAndItsNewExerciseIsOffered) {
    answers = {true};
    drivers["frmAddExercise"] = [this](QDialog* d) {
        type(find<QLineEdit>(d, "txtName"), " Plank ");
        type(find<QLineEdit>(d, "txtField1"), "Seconds");
        click(find<QAbstractButton>(d, "btnAdd"));
        return d->result();
    };
    frmOtherLog w(state);
    w.openForAdd("5/17/2026", "Sunday");
    EXPECT_EQ(questions, QStringList({"This application will not function as it should unless an "
                                      "exercise is entered. Enter one now?"}));
    EXPECT_EQ(items(exercise(&w)), QStringList({"Plank"}));
    // The new exercise is laid out at once, without choosing it again.
    EXPECT_EQ(fieldRows(&w), QStringList({"Seconds:"}));
    type(edit(&w, "txtField1"), "90");
    click(button(&w, "btnAdd"));
    EXPECT_EQ(rows("SELECT Exercise_Name, Field1 FROM OtherLog"), QStringList({"Plank|90"}));
}

} // namespace
