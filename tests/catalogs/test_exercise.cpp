// The user-defined exercise dialog, driven with keys and clicks on a real database.
#include "CatalogTestSupport.h"

#include "frmAddExercise.h"

namespace {

class ExerciseTest : public CatalogTest {
  protected:
    AddedItems announced;

    // Adds an exercise through a fresh dialog; returns the messages it showed.
    QStringList addExercise(const QString& name, const QString& f1, const QString& f2, const QString& f3) {
        const qsizetype before = messages.size();
        frmAddExercise dlg(ann);
        announced.watch(&dlg);
        dlg.showAddSectionOnly();
        dlg.show();
        type(dlg.txtName, name);
        const std::pair<QLineEdit*, QString> fields[] = {
            {dlg.txtField1, f1}, {dlg.txtField2, f2}, {dlg.txtField3, f3}};
        for (const auto& [field, text] : fields)
            if (!text.isEmpty())
                type(field, text);
        click(dlg.btnAdd);
        return messages.mid(before);
    }
};

TEST_F(ExerciseTest, NumFieldsCountsTheCaptionsInUseAndDuplicatesAreRefused) {
    EXPECT_EQ(addExercise("Rowing", "Meters", "", "Strokes"), QStringList{kInserted});
    addExercise("Stretching", "", "", "");
    addExercise("Push-ups", "", "Reps", "");
    addExercise("O'Neill's Circuit", "Laps", "Weight", "Reps");
    EXPECT_EQ(addExercise("Rowing", "Minutes", "", ""), QStringList{kInsertFailed});
    EXPECT_EQ(rows("SELECT Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name FROM Other_Setup"),
              QStringList({"Rowing|2|Meters||Strokes|Ann", "Stretching|0||||Ann", "Push-ups|1||Reps||Ann",
                           "O'Neill's Circuit|3|Laps|Weight|Reps|Ann"}));
    EXPECT_EQ(announced.names, QStringList({"frmAddExercise:Rowing", "frmAddExercise:Stretching",
                                            "frmAddExercise:Push-ups", "frmAddExercise:O'Neill's Circuit"}));
    checkEscapeAsksBeforeDiscarding([this] { return new frmAddExercise(ann); }, "txtField2", "Trail");
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
    click(dlg.btnModify);
    QStringList listed = items(dlg.cbModExercise); // in the order the database returns them
    listed.sort();
    EXPECT_EQ(listed, QStringList({"O'Neill's Circuit", "Rowing"}));
    chooseWithKeys(dlg.cbModExercise, "Rowing");
    EXPECT_EQ(dlg.txtModField3->text(), "Strokes");

    // Entering a caption selects it, so typing replaces it; an emptied caption is unused.
    type(dlg.txtModField2, "Watts");
    focus(dlg.txtModField3);
    QTest::keyClick(dlg.txtModField3, Qt::Key_Delete);
    click(dlg.btnUpdate);
    EXPECT_EQ(messages, QStringList{"Exercise Updated!"});

    chooseWithKeys(dlg.cbModExercise, "O'Neill's Circuit");
    type(dlg.txtModField3, "Rounds");
    click(dlg.btnUpdate);

    EXPECT_EQ(rows("SELECT Exercise_Name, Num_Fields, Field1, Field2, Field3, User_Name FROM Other_Setup"),
              QStringList({"Rowing|2|Meters|Watts||Ann", "O'Neill's Circuit|2|Laps||Rounds|Ann",
                           "Bob's Lifts|1|Kilos|||Bob"}));

    // Pressing the button again lists the exercises afresh, once each.
    click(dlg.btnModify);
    EXPECT_EQ(dlg.cbModExercise->count(), 2);
}

TEST_F(ExerciseTest, AFailedReadShowsTheRetrievalMessage) {
    frmAddExercise dlg(ann);
    dlg.showAddSectionOnly();
    dlg.show();
    QFile::remove("Trainbook.db");
    click(dlg.btnModify);
    EXPECT_TRUE(messagesAre({"Problem in retrieving exercise data - * - In frmAddExercise btnModify_Click"}));
    EXPECT_FALSE(dlg.modifySectionVisible());
}

} // namespace
