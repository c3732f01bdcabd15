// Distances over 1,000 miles (1,609 km), times over 1,000 hours and numbers that are not finite
// are refused by every log window with a distance or a time, with its own failure message.
#include "LogFixture.h"

#include "frmBikeLog.h"
#include "frmRaceLog.h"
#include "frmRunLog.h"
#include "frmSwimLog.h"

namespace {

struct LimitCase {
    const char* name;
    const char* window; // Run, Bike, Swim, Race
    bool miles;         // the user's unit: which distance field is typed
    const char* distance;
    const char* time;
    bool stored;
};

class WorkoutLimitsTest : public LogFixture, public testing::WithParamInterface<LimitCase> {
  protected:
    std::unique_ptr<QDialog> openForAdd(const QString& window) {
        if (window == "Race") {
            exec("INSERT INTO RaceTypes (Exercise, RaceType, RaceDistance, User_Name) VALUES "
                 "('RunningRace', 'Ultra', 100, 'Bob')");
            auto w = std::make_unique<frmRaceLog>(state);
            w->openForAdd("Running Race Log", "RunningRace");
            return w;
        }
        std::unique_ptr<LogWindow> w;
        if (window == "Run")
            w = std::make_unique<frmRunLog>(state);
        else if (window == "Bike")
            w = std::make_unique<frmBikeLog>(state);
        else
            w = std::make_unique<frmSwimLog>(state);
        w->openForAdd("12/6/2026", "Sunday");
        return w;
    }
};

TEST_P(WorkoutLimitsTest, OnlyStorableValuesAreSaved) {
    const LimitCase& c = GetParam();
    exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Red', 1, 'Bob')");
    exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Steel', 1, 'Bob')");
    state.setMiles(c.miles);
    auto w = openForAdd(c.window);
    w->show();
    const bool race = QString(c.window) == "Race";
    if (*c.distance) {
        QLineEdit* field = edit(w.get(), c.miles ? "txtMiles" : "txtKilometers");
        focus(field);
        type(field, c.distance);
        press(Qt::Key_Tab); // the other unit follows
    }
    if (QString(c.window) == "Swim")
        type(edit(w.get(), "txtLaps"), "20");
    type(edit(w.get(), "txtTime"), c.time);
    click(button(w.get(), QString(c.window) == "Bike" ? "btnAddRecord" : "btnAdd"));
    EXPECT_EQ(messages.value(0), c.stored ? "data entered" : "Problem entering data");
    EXPECT_EQ(count(race ? "RaceLog" : "Exercise_Master"), c.stored ? 1 : 0);
}

const LimitCase limitCases[] = {
    {"RunAtTheLimits", "Run", true, "1000", "1000:00:00", true},
    {"RunAbsurdMiles", "Run", true, "100000000000000000000", "1:00:00", false},
    {"RunOverTheLimitInKilometres", "Run", false, "1609.1", "1:00:00", false},
    {"RunTimeOverTheLimit", "Run", true, "5", "1000:00:01", false},
    {"BikeKilometresAtTheLimit", "Bike", false, "1609", "20:00:00", true},
    {"BikeMilesOverTheLimit", "Bike", true, "1000.1", "20:00:00", false},
    {"SwimAtTheLimit", "Swim", true, "", "60000:00", true},
    {"SwimTimeOverTheLimit", "Swim", true, "", "99999999:00:00", false},
    {"RaceOverTheLimit", "Race", true, "1200", "100:00:00", false},
    {"RaceTimeOverTheLimit", "Race", true, "100", "60001:00", false},
};
INSTANTIATE_TEST_SUITE_P(Windows, WorkoutLimitsTest, testing::ValuesIn(limitCases), CaseName());

// An update is refused in the same way, with the update's own message.
using WorkoutLimitsUpdate = LogFixture;

TEST_F(WorkoutLimitsUpdate, AnUpdatePastTheLimitIsRefused) {
    const QString id = seed("Running", "45:00", "",
                            "Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (%1, 5, "
                            "'Road', 'Red', 8)");
    frmRunLog w(state);
    ASSERT_TRUE(w.openForEdit(id, true));
    w.show();
    retype(edit(&w, "txtMiles"), "5000");
    click(button(&w, "btnUpdate"));
    EXPECT_EQ(messages, QStringList{"Problem updating record"});
    EXPECT_EQ(scalar("SELECT Miles FROM Running_Log"), "5");
}

} // namespace
