// The user-defined exercise dialog, driven with keys and clicks on a real database.
#include "CatalogTestSupport.h"

#include "frmAddExercise.h"

#include <QPushButton>

namespace {

class ExerciseTest : public CatalogTest {
  protected:
    FixedState ann{QStringLiteral("Ann")};

    // Adds an exercise through a fresh dialog; returns the messages it showed.
    QStringList addExercise(const QString& name, const QString& f1, const QString& f2, const QString& f3,
                            CatalogHook* hook = nullptr) {
        const qsizetype before = messages.size();
        frmAddExercise dlg(ann);
        dlg.setCatalogHook(hook);
        dlg.showAddSectionOnly();
        dlg.show();
        type(dlg.txtName, name);
        if (!f1.isEmpty())
            type(dlg.txtField1, f1);
        if (!f2.isEmpty())
            type(dlg.txtField2, f2);
        if (!f3.isEmpty())
            type(dlg.txtField3, f3);
        click(dlg.btnAdd);
        return messages.mid(before);
    }
};

TEST_F(ExerciseTest, OpenedFromTheMenuOnlyTheAddSectionShows) {
    frmAddExercise dlg(ann);
    dlg.show();
    const int bothHeight = dlg.height();
    dlg.showAddSectionOnly();
    EXPECT_EQ(dlg.windowTitle(), "Add / Modify Exercise");
    EXPECT_FALSE(dlg.modifySectionVisible());
    EXPECT_FALSE(dlg.cbModExercise->isVisible());
    EXPECT_LT(dlg.height(), bothHeight) << "the window shrinks to the add section";
    shot(&dlg, "frmAddExercise");
}

TEST_F(ExerciseTest, NumFieldsCountsTheCaptionsInUseWhateverTheirPositions) {
    RecordingHook hook;
    EXPECT_EQ(addExercise("Rowing", "Meters", "", "Strokes", &hook), QStringList{"Record Inserted"});
    EXPECT_EQ(addExercise("Stretching", "", "", ""), QStringList{"Record Inserted"});
    EXPECT_EQ(addExercise("Push-ups", "", "Reps", ""), QStringList{"Record Inserted"});
    EXPECT_EQ(addExercise("O'Neill's Circuit", "Laps", "Weight", "Reps"), QStringList{"Record Inserted"});
    EXPECT_EQ(rows("SELECT Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name FROM Other_Setup"),
              QStringList({"Rowing|2|Meters||Strokes|Ann", "Stretching|0||||Ann", "Push-ups|1||Reps||Ann",
                           "O'Neill's Circuit|3|Laps|Weight|Reps|Ann"}));
    ASSERT_EQ(hook.added.size(), 1);
    EXPECT_EQ(hook.added[0], qMakePair(QString("frmAddExercise"), QString("Rowing")));
}

TEST_F(ExerciseTest, ADuplicateExerciseIsRefusedAndTheDialogStaysOpen) {
    addExercise("Rowing", "Meters", "", "");
    RecordingHook hook;
    frmAddExercise dlg(ann);
    dlg.setCatalogHook(&hook);
    dlg.show();
    type(dlg.txtName, "Rowing");
    type(dlg.txtField1, "Minutes");
    click(dlg.btnAdd);
    EXPECT_EQ(messages.last(), "Problem occurred in inserting the record into the database");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(hook.added.isEmpty());
    EXPECT_EQ(rows("SELECT Field1 FROM Other_Setup"), QStringList{"Meters"});
}

TEST_F(ExerciseTest, ModifyingCaptionsRecountsNumFields) {
    addExercise("Rowing", "Meters", "Minutes", "Strokes");
    addExercise("O'Neill's Circuit", "Laps", "", "");
    exec("INSERT INTO Other_Setup (Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name) "
         "VALUES ('Bob''s Lifts', 1, 'Kilos', '', '', 'Bob')");
    messages.clear();

    frmAddExercise dlg(ann);
    dlg.showAddSectionOnly();
    dlg.show();
    const int addOnlyHeight = dlg.height();
    click(dlg.btnModify);
    EXPECT_TRUE(dlg.modifySectionVisible());
    EXPECT_GT(dlg.height(), addOnlyHeight);
    // Exercises are listed in the order the database returns them; the first one's
    // captions show.
    QStringList listed = items(dlg.cbModExercise);
    EXPECT_EQ(dlg.txtModField1->text(), listed.value(0) == "Rowing" ? "Meters" : "Laps");
    listed.sort();
    EXPECT_EQ(listed, QStringList({"O'Neill's Circuit", "Rowing"}));
    chooseWithKeys(dlg.cbModExercise, "Rowing");
    EXPECT_EQ(dlg.txtModField1->text(), "Meters");
    EXPECT_EQ(dlg.txtModField2->text(), "Minutes");
    EXPECT_EQ(dlg.txtModField3->text(), "Strokes");

    // Entering a caption selects it, so typing replaces it; an emptied caption is unused.
    type(dlg.txtModField2, "Watts");
    EXPECT_EQ(dlg.txtModField2->text(), "Watts");
    focus(dlg.txtModField3);
    QTest::keyClick(dlg.txtModField3, Qt::Key_Delete);
    click(dlg.btnUpdate);
    EXPECT_EQ(messages, QStringList{"Exercise Updated!"});

    chooseWithKeys(dlg.cbModExercise, "O'Neill's Circuit");
    EXPECT_EQ(dlg.txtModField1->text(), "Laps");
    EXPECT_EQ(dlg.txtModField2->text(), "");
    type(dlg.txtModField3, "Rounds");
    click(dlg.btnUpdate);

    EXPECT_EQ(rows("SELECT Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name FROM Other_Setup"),
              QStringList({"Rowing|2|Meters|Watts||Ann", "O'Neill's Circuit|2|Laps||Rounds|Ann",
                           "Bob's Lifts|1|Kilos|||Bob"}));

    // Pressing the button again lists the exercises afresh, once each.
    click(dlg.btnModify);
    EXPECT_EQ(dlg.cbModExercise->count(), 2);
    shot(&dlg, "frmAddExercise-modify");
}

TEST_F(ExerciseTest, AFailedReadShowsTheRetrievalMessage) {
    frmAddExercise dlg(ann);
    dlg.showAddSectionOnly();
    dlg.show();
    QFile::remove("Trainbook.db");
    click(dlg.btnModify);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Problem in retrieving exercise data - "))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(" - In frmAddExercise btnModify_Click")) << messages[0].toStdString();
    EXPECT_FALSE(dlg.modifySectionVisible());
}

} // namespace
