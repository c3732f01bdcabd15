// Saving a race that is faster than every other race of its type says so.

#include "LogFixture.h"

#include "Clock.h"
#include "frmRaceLog.h"

namespace {

class RaceBestTest : public LogFixture {
  protected:
    void SetUp() override {
        LogFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 5, 17), QTime(9, 0)));
        exec("INSERT INTO RaceTypes (Exercise, RaceType, RaceDistance, User_Name) VALUES "
             "('RunningRace', '5K', 3.1, 'Bob'), ('RunningRace', '10K', 6.2, 'Bob')");
        // Bob's 5K best is 24:30; Ann's faster 5K is not his.
        exec("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, "
             "RaceTime, User_Name) VALUES "
             "('RunningRace', '4/12/2026', '5K', 'Spring 5K', 3.1, 5, '24:30', 'Bob'), "
             "('RunningRace', '5/1/2026', '5K', 'May 5K', 3.1, 5, '25:10', 'Bob'), "
             "('RunningRace', '5/2/2026', '5K', 'Ann 5K', 3.1, 5, '19:00', 'Ann')");
    }
    // Adds a race of `raceType` with `time` through the window.
    void addRace(const QString& raceType, const QString& time) {
        frmRaceLog w(state);
        w.openForAdd("Running Race Log", "RunningRace");
        w.show();
        QApplication::processEvents();
        QApplication::processEvents();
        combo(&w, "cbRaceType")->setEditText(raceType);
        type(edit(&w, "txtMiles"), "3.1");
        type(edit(&w, "txtKilometers"), "5");
        type(edit(&w, "txtTime"), time);
        click(button(&w, "btnAdd"));
    }
};

struct AddCase {
    const char* name;
    const char* raceType;
    const char* time;
    QStringList expected;
};

class RaceBestAdd : public RaceBestTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(RaceBestAdd, MessagesAfterAdding) {
    addRace(GetParam().raceType, GetParam().time);
    EXPECT_EQ(messages, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Races, RaceBestAdd,
    ::testing::Values(AddCase{"Faster",
                              "5K",
                              "24:10",
                              {"New personal best for 5K: 24:10, 0:20 faster than 24:30", "data entered"}},
                      AddCase{"TypeInOtherCase",
                              "5k",
                              "0:23:59",
                              {"New personal best for 5k: 23:59, 0:31 faster than 24:30", "data entered"}},
                      AddCase{"EqualIsNoBest", "5K", "24:30", {"data entered"}},
                      AddCase{"Slower", "5K", "26:00", {"data entered"}},
                      AddCase{"FirstOfItsType", "10K", "50:00", {"data entered"}},
                      AddCase{"NoTime", "5K", "", {"data entered"}},
                      AddCase{"UnreadableTime", "5K", "fast", {"data entered"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RaceBestTest, AnUpdatedBestIsComparedWithTheOtherRacesOnly) {
    const QString id = scalar("SELECT RaceID FROM RaceLog WHERE RaceName = 'Spring 5K'");
    {
        frmRaceLog w(state);
        ASSERT_TRUE(w.openForEdit(id, "RunningRace", true));
        w.show();
        QApplication::processEvents();
        retype(edit(&w, "txtTime"), "24:20");
        click(button(&w, "btnUpdate"));
    }
    // Against itself it would be 0:10 faster than 24:30; the other 5K is 25:10.
    EXPECT_EQ(messages,
              QStringList({"New personal best for 5K: 24:20, 0:50 faster than 25:10", "Record Updated"}));
}

TEST_F(RaceBestTest, AFailedSaveAnnouncesNothing) {
    refuseInserts("RaceLog");
    addRace("5K", "20:00");
    EXPECT_EQ(messages, QStringList({"Problem entering data"}));
}

} // namespace
