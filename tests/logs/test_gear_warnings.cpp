// The distance on the chosen shoes or bike beside the choice, and the one warning a save gives
// when it takes the item past 90% or 100% of its retirement distance.
#include "LogFixture.h"

#include "EquipmentUsage.h"
#include "GearWear.h"
#include "frmBikeLog.h"
#include "frmRunLog.h"

namespace {

using GearWear::Gear;
using GearWear::Wear;

// --- The warning text, worked out by hand -----------------------------------------------------

struct CrossingCase {
    const char* name;
    Gear gear;
    bool miles;
    double before, after;
    std::optional<double> limit;
    const char* expected; // "" = no warning
};

class Crossing : public testing::TestWithParam<CrossingCase> {};

TEST_P(Crossing, WarnsOnlyOnTheSaveThatPassesAMark) {
    const CrossingCase& c = GetParam();
    EXPECT_EQ(GearWear::crossingMessage(c.gear, Wear{c.before, c.limit}, Wear{c.after, c.limit}, c.miles),
              QString::fromUtf8(c.expected));
}

const CrossingCase crossings[] = {
    {"Below", Gear::Shoes, true, 400, 449.9, 500.0, ""},
    {"ExactlyNinety", Gear::Shoes, true, 440, 450, 500.0,
     "These shoes have now done 450.0 of their 500 miles (90%)."},
    {"AlreadyPastNinety", Gear::Shoes, true, 452, 462, 500.0, ""},
    {"BothMarksAtOnceGiveOneWarning", Gear::Bike, true, 10, 120, 100.0,
     "This bike has now done 120.0 of its 100 miles (120%): time to retire it."},
    {"AlreadyPastTheLimit", Gear::Bike, true, 120, 130, 100.0, ""},
    {"ACorrectionDownwards", Gear::Bike, true, 95, 85, 100.0, ""},
    {"NoLimit", Gear::Shoes, true, 0, 5000, std::nullopt, ""},
};
INSTANTIATE_TEST_SUITE_P(Saves, Crossing, testing::ValuesIn(crossings), CaseName());

// --- The windows on a real database ---------------------------------------------------------------

class GearWindows : public LogFixture {
  protected:
    void SetUp() override {
        LogFixture::SetUp();
        // Red (newest, preselected) retires at 500 miles; Blue has no limit.
        exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name, Retire_Distance) VALUES "
             "('Blue', 1, 'Bob', NULL), ('Red', 1, 'Bob', 500), ('Red', 1, 'Ann', 10)");
        for (const char* miles : {"200", "240"})
            seed("Running", "3:00:00", "",
                 QStringLiteral("Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (%1, ") +
                     miles + QStringLiteral(", 'Road', 'Red', 1)"));
        // Ann's runs in her own Red shoes do not count for Bob's.
        exec("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, User_Name) VALUES ('Running', "
             "'12/1/2026', 'Ann')");
        exec("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) SELECT "
             "MAX(Exercise_ID), 300, "
             "'', 'Red', 482.7 FROM Exercise_Master");
    }

    // Adds a run of `miles` in the preselected shoes; returns the messages it gave.
    QStringList addRun(const QString& miles) {
        messages.clear();
        frmRunLog w(state);
        w.openForAdd("12/6/2026", "Sunday");
        w.show();
        type(edit(&w, "txtMiles"), miles);
        type(edit(&w, "txtTime"), "1:00:00");
        click(button(&w, "btnAdd"));
        return messages;
    }
};

TEST_F(GearWindows, TheRunLogShowsTheChosenShoesDistanceAndFollowsTheChoice) {
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();
    QLabel* done = find<QLabel>(&w, "lblShoeDistance");
    EXPECT_EQ(combo(&w, "cbShoes")->currentText(), "Red");
    EXPECT_EQ(done->text(), "Done: 440.0 of 500 miles (88%)");
    chooseFromList(combo(&w, "cbShoes"), "Blue");
    EXPECT_EQ(done->text(), "Done: 0.0 miles");
    retype(combo(&w, "cbShoes"), "");
    EXPECT_EQ(done->text(), "");
    retype(combo(&w, "cbShoes"), "red");
    EXPECT_EQ(done->text(), "Done: 440.0 of 500 miles (88%)") << "names match as the report matches them";
}

TEST_F(GearWindows, SavesWarnOnceAtNinetyAndOnceAtTheLimit) {
    EXPECT_EQ(addRun("12"),
              QStringList({"These shoes have now done 452.0 of their 500 miles (90%).", "data entered"}));
    EXPECT_EQ(addRun("x"), QStringList({"Problem entering data"})) << "a failed save warns of nothing";
    EXPECT_EQ(addRun("50"),
              QStringList({"These shoes have now done 502.0 of their 500 miles (100%): time to retire "
                           "them.",
                           "data entered"}));
    EXPECT_EQ(scalar("SELECT Sum(Miles) FROM Running_Log, Exercise_Master WHERE Running_ID = Exercise_ID AND "
                     "User_Name = 'Bob'"),
              "502");
}

// A kilometre user correcting a stored ride: the distance and the limit are shown in kilometres,
// and the correction that passes the limit warns.
TEST_F(GearWindows, AnUpdateOfARideThatPassesTheLimitWarnsInKilometres) {
    exec("INSERT INTO Bikes (Bike, Active, User_Name, Retire_Distance) VALUES ('Steel', 1, 'Bob', 100)");
    const QString id = seed("Cycling", "5:00:00", "",
                            "Cycling_Log (Cycling_ID, Miles, Course, Bike, Calories_Burned, Kilometers) "
                            "VALUES (%1, 93.2, 'Hills', 'Steel', 0, 150)");
    state.setMiles(false);
    frmBikeLog w(state);
    ASSERT_TRUE(w.openForEdit(id, false));
    w.show();
    EXPECT_EQ(find<QLabel>(&w, "lblBikeDistance")->text(), "Done: 150.0 of 160.9 km (93%)");
    retype(edit(&w, "txtKilometers"), "165");
    click(button(&w, "btnUpdate"));
    EXPECT_EQ(messages,
              QStringList({"This bike has now done 164.9 of its 160.9 km (102%): time to retire it.",
                           "Record Updated"}));
}

// Four rides of 25 miles stored as 40.2 km each: the bike has done its 100 miles, in the log
// and in the report, in kilometres too (160.8 km summed).
TEST_F(GearWindows, AnItemAtItsLimitIsAtItInEitherUnit) {
    exec("INSERT INTO Bikes (Bike, Active, User_Name, Retire_Distance) VALUES ('Steel', 1, 'Bob', 100)");
    for (int i = 0; i < 4; ++i)
        seed("Cycling", "1:00:00", "",
             "Cycling_Log (Cycling_ID, Miles, Bike, Kilometers) VALUES (%1, 25, 'Steel', 40.2)");
    state.setMiles(false);
    frmBikeLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(find<QLabel>(&w, "lblBikeDistance")->text(), "Done: 160.9 of 160.9 km (100%)");
    EXPECT_TRUE(EquipmentUsage::lines(*db(), "Bob", "Bike", false).last().endsWith(" 100%"));
}

} // namespace
