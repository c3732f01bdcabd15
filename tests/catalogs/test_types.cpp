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
    shot(&dlg, "frmAddRaceType");

    chooseWithKeys(dlg.cbExercise, "Running");
    type(dlg.txtRaceType, "10K");
    type(dlg.txtKilometers, "10");
    focus(dlg.txtRaceType);
    EXPECT_EQ(dlg.txtMiles->text(), "6.2");

    // Miles now typed are not overwritten by kilometres; leaving miles fills kilometres.
    retype(dlg.txtMiles, "6.25");
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

    // No exercise chosen: the kind would be "Race" alone, which no race log lists.
    type(dlg.txtRaceType, "Bob's Half");
    click(dlg.btnAdd);
    chooseWithKeys(dlg.cbExercise, "Cycling");
    type(dlg.txtMiles, "abc");
    click(dlg.btnAdd);

    // Empty miles are stored as 0; a kind typed into the list is stored with "Race".
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
        shot(&dlg, "frmAddVideoType");
        type(dlg.txtVideoType, "Pilates");
        click(dlg.btnAdd);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    FixedState bob(QStringLiteral("Bob"));
    frmAddVideoType dup(bob);
    dup.show();
    type(dup.txtVideoType, "Pilates");
    click(dup.btnAdd);
    EXPECT_EQ(messages, QStringList({"Video type inserted", "Problem inserting video type"}));
    EXPECT_TRUE(dup.isVisible());
    EXPECT_EQ(announced.names, QStringList{"frmAddVideoType:Pilates"});

    frmAddVideo video(bob);
    video.show();
    EXPECT_EQ(items(video.cbVideoType), QStringList{"Pilates"});
}

} // namespace
