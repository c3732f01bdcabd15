// The race type and video type dialogs, driven with keys and clicks on a real database.
#include "CatalogTestSupport.h"

#include "frmAddRaceType.h"
#include "frmAddVideo.h"
#include "frmAddVideoType.h"

namespace {

using TypesTest = CatalogTest;

TEST_F(TypesTest, KilometresFillMilesOnlyWhileNoMilesAreTyped) {
    AddedItems announced;
    frmAddRaceType dlg(ann);
    announced.watch(&dlg);
    dlg.show();

    chooseWithKeys(dlg.cbExercise, "Running");
    type(dlg.txtRaceType, " 10K ");
    focus(dlg.txtKilometers); // tabbing through empty kilometres leaves the miles empty
    focus(dlg.txtRaceType);
    EXPECT_EQ(dlg.txtMiles->text(), "");
    type(dlg.txtKilometers, "10");
    focus(dlg.txtRaceType);
    // Miles filled in from the kilometres follow a corrected figure.
    retype(dlg.txtKilometers, "21.1");
    focus(dlg.txtRaceType);
    EXPECT_EQ(dlg.txtMiles->text(), "13.1");

    // Miles take digits and "." only; typed, they are not overwritten by kilometres, and
    // leaving them fills the kilometres.
    retype(dlg.txtMiles, "6.25K");
    EXPECT_EQ(dlg.txtMiles->text(), "6.25");
    focus(dlg.txtKilometers);
    EXPECT_EQ(dlg.txtKilometers->text(), "10.1");
    retype(dlg.txtKilometers, "12");
    focus(dlg.txtRaceType);
    EXPECT_EQ(dlg.txtMiles->text(), "6.25");

    click(dlg.btnAdd);
    EXPECT_EQ(messages, QStringList{"Race Type Inserted"});
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(rows("SELECT Exercise, RaceType, RaceDistance, User_Name FROM RaceTypes"),
              QStringList{"RunningRace|10K|6.25|Ann"});
    EXPECT_EQ(announced.names, QStringList{"frmAddRaceType:10K"});
}

TEST_F(TypesTest, RaceTypeInsertsAndRefusals) {
    const QString failed = "Problem inserting race type";
    frmAddRaceType dlg(ann);
    dlg.show();

    // No exercise chosen: the kind would be "Race" alone, which no race log lists. A name
    // that is blank once trimmed is refused as well.
    type(dlg.txtRaceType, "Bob's Half");
    click(dlg.btnAdd);
    chooseWithKeys(dlg.cbExercise, "Cycling");
    retype(dlg.txtRaceType, "   ");
    click(dlg.btnAdd);

    // Empty miles are stored as 0; a kind typed into the list is stored with "Race".
    retype(dlg.txtRaceType, "Bob's Half");
    retype(dlg.cbExercise, "Rowing");
    retype(dlg.txtMiles, "");
    click(dlg.btnAdd);

    frmAddRaceType dup(ann);
    dup.show();
    retype(dup.cbExercise, "Rowing");
    type(dup.txtRaceType, "Bob's Half");
    type(dup.txtMiles, "13.1");
    click(dup.btnAdd);
    EXPECT_EQ(messages, QStringList({failed, failed, "Race Type Inserted", failed}));
    EXPECT_TRUE(dup.isVisible());
    EXPECT_EQ(rows("SELECT Exercise, RaceType, RaceDistance FROM RaceTypes"),
              QStringList{"RowingRace|Bob's Half|0"});
    checkEscapeAsksBeforeDiscarding([this] { return new frmAddRaceType(ann); }, "txtRaceType", "Trail");
}

// The video dialog offers the shared video types, or a built-in pair while there are none.
TEST_F(TypesTest, VideoTypesAreSharedAndUnique) {
    {
        frmAddVideo video(ann);
        video.show();
        EXPECT_EQ(items(video.cbVideoType), QStringList({"Tae-Bo", "Aerobics"}));
    }
    AddedItems announced;
    {
        frmAddVideoType dlg(ann);
        announced.watch(&dlg);
        dlg.show();
        type(dlg.txtVideoType, " Pilates ");
        click(dlg.btnAdd);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    // Refused: the same type for another user, and a blank one.
    FixedState bob(QStringLiteral("Bob"));
    frmAddVideoType dup(bob);
    dup.show();
    type(dup.txtVideoType, "Pilates");
    click(dup.btnAdd);
    retype(dup.txtVideoType, "  ");
    click(dup.btnAdd);
    const QString failed = "Problem inserting video type";
    EXPECT_EQ(messages, QStringList({"Video type inserted", failed, failed}));
    EXPECT_TRUE(dup.isVisible());
    EXPECT_EQ(announced.names, QStringList{"frmAddVideoType:Pilates"});

    frmAddVideo video(bob);
    video.show();
    EXPECT_EQ(items(video.cbVideoType), QStringList{"Pilates"});
    checkEscapeAsksBeforeDiscarding([this] { return new frmAddVideoType(ann); }, "txtVideoType", "Trail");
}

} // namespace
