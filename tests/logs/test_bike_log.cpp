#include "LogFixture.h"

#include "frmBikeLog.h"

namespace {

using BikeLogTest = LogFixture;

TEST_F(BikeLogTest, RideIsAddedWithItsSpeedAndUpdatedWithTheCalories) {
    exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Gravel', 1, 'Bob'), ('Rusty', 0, 'Bob')");
    {
        frmBikeLog w(state);
        w.openForAdd("12/6/2026", "Sunday");
        w.show();

        type(edit(&w, "txtMiles"), "20");
        type(edit(&w, "txtTime"), "1:00:00");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "20.00");
        retype(edit(&w, "txtTime"), "0:00");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "") << "no speed over no time";
        retype(edit(&w, "txtTime"), "1:30:00");
        // Calories have no character filter; what is not a number stores nothing.
        type(edit(&w, "txtCalories"), "5; DELETE FROM Bikes");
        click(button(&w, "btnAddRecord"));
        edit(&w, "txtCalories")->clear(); // empty counts as 0
        type(combo(&w, "cbCourse"), "O'Brien Rd");
        click(button(&w, "btnAddRecord"));
    }
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Time, Miles, Course, Bike, Calories_Burned, Kilometers "
                   "FROM Exercise_Master, Cycling_Log WHERE Exercise_ID = Cycling_ID"),
              QStringList({"Cycling|1:30:00|20|O'Brien Rd|Gravel|0|32.2"}));
    EXPECT_EQ(messages, QStringList({"Problem entering data", "data entered"}));
    const QString id = scalar("SELECT Exercise_ID FROM Exercise_Master");
    exec("UPDATE Cycling_Log SET Calories_Burned = 500");

    state.setMiles(false);
    {
        frmBikeLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_EQ(edit(&w, "txtPace")->text(), "13.33") << "speed in the report's unit";
        EXPECT_EQ(edit(&w, "txtCalories")->text(), "500");
        retype(edit(&w, "txtCalories"), "450");
        retype(edit(&w, "txtKilometers"), "48.3");
        retype(edit(&w, "txtTime"), "1:00:00");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "48.30") << "speed from the user's unit while typing";
        click(button(&w, "btnUpdate"));
    }
    EXPECT_EQ(
        rows("SELECT Exercise_Time, Miles, Kilometers, Calories_Burned FROM Cycling_Log, Exercise_Master "
             "WHERE Exercise_ID = Cycling_ID"),
        QStringList({"1:00:00|30|48.3|450"}))
        << "a kilometre user's miles follow the kilometres";
}

} // namespace
