// Personal bests beyond the lines of trainbook-cli bests (reports/cases): the race log's best
// other than the race saved, and the window.

#include "GuiFixture.h"

#include "CLibrary.h"
#include "Connection.h"
#include "PersonalBests.h"
#include "SharedState.h"
#include "frmPersonalBests.h"

#include <QTreeWidget>

namespace {

class PersonalBestsTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1)");
        exec("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, "
             "RaceTime, User_Name) VALUES "
             "('RunningRace', '4/12/2026', '5K', 'Spring 5K', 3.1, 5, '24:30', 'Ann'), "
             "('RunningRace', '10/4/2026', 'Marathon', 'City Marathon', 26.2, 42.2, '3:30:00', 'Ann'), "
             "('RunningRace', '3/1/2026', '10K', 'Fun Run', 6.2, 10, '', 'Ann'), "
             "('CyclingRace', '8/9/2026', '40K TT', 'Club TT', 24.9, 40, '1:05:30', 'Ann')");
    }
};

TEST_F(PersonalBestsTest, ANameWithAQuoteIsReadSafely) {
    exec("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, "
         "RaceTime, "
         "User_Name) VALUES ('SwimmingRace', '7/4/2026', 'Mile Swim', 'Lake', 1, 1.6, '30:00', 'O''Neil')");
    const std::vector<PersonalBest> b = PersonalBests::compute(*db(), "O'Neil", true);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].time, "30:00");
    EXPECT_EQ(PersonalBests::bestOtherThan(*db(), "O'Neil", "SwimmingRace", "mile swim", 0), 30.0);
    EXPECT_EQ(PersonalBests::bestOtherThan(
                  *db(), "O'Neil", "SwimmingRace", "Mile Swim",
                  scalar("SELECT RaceID FROM RaceLog WHERE RaceName = 'Lake'").toLongLong()),
              std::nullopt);
}

// Each race menu's window lists its own kind only; rides with their speed (40 km in 1:05:30).
TEST_F(PersonalBestsTest, WindowListsTheMenusKindInTheUsersUnit) {
    FixedState state("Ann", false);
    frmPersonalBests w(state, "CyclingRace");
    w.show();
    auto* tree = find<QTreeWidget>(&w, "tvBests");
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->headerItem()->text(2), "KPH");
    QStringList row;
    for (int c = 0; c < 6; ++c)
        row << tree->topLevelItem(0)->child(0)->text(c);
    EXPECT_EQ(row, QStringList({"40K TT", "1:05:30", "36.64", "8/9/2026", "1", "Club TT"}));
    frmPersonalBests running(state, "RunningRace");
    running.show();
    EXPECT_EQ(running.tvBests->topLevelItem(0)->childCount(), 3);
    EXPECT_EQ(running.tvBests->topLevelItemCount(), 1);
    shot(&w, "frmPersonalBests");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PersonalBestsTest, WindowSaysWhenTheBestsCannotBeRead) {
    exec("DROP TABLE RaceLog");
    FixedState state("Ann", true);
    frmPersonalBests w(state, "RunningRace");
    w.Form_Load();
    EXPECT_TRUE(messagesAre({"Could not retrieve personal bests - * - In frmPersonalBests Form_Load"}));
}

} // namespace
