#include "LogFixture.h"

#include "frmBikeLog.h"

namespace {

using BikeLogTest = LogFixture;

TEST_F(BikeLogTest, RideIsAddedWithItsSpeedAndUpdatedWithoutTheCalories) {
    exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Gravel', 1, 'Bob')");
    exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Rusty', 0, 'Bob')");
    {
        frmBikeLog w(state);
        w.openForAdd("12/6/2026", "Sunday");
        w.show();
        EXPECT_EQ(w.visibleButtons(), QStringList({"Add Record", "EXIT"}));
        EXPECT_EQ(find<QLabel>(&w, "lblPace")->text(), "MPH:");
        EXPECT_EQ(combo(&w, "cbBike")->currentText(), "Gravel");
        shot(&w, "frmBikeLog");

        type(edit(&w, "txtMiles"), "20");
        type(edit(&w, "txtTime"), "1:00:00");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "20.00");
        EXPECT_EQ(edit(&w, "txtKilometers")->text(), "32.2");
        retype(edit(&w, "txtTime"), "0:00");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "") << "no speed over no time";
        retype(edit(&w, "txtTime"), "1:30:00");
        // Calories have no character filter; what is not a number stores nothing.
        type(edit(&w, "txtCalories"), "5; DELETE FROM Bikes");
        click(button(&w, "btnAddRecord"));
        EXPECT_EQ(messages, QStringList({"Problem entering data"}));
        edit(&w, "txtCalories")->clear(); // empty counts as 0
        type(combo(&w, "cbCourse"), "O'Brien Rd");
        click(button(&w, "btnAddRecord"));
        EXPECT_EQ(messages.last(), "data entered");
    }
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Time, Miles, Course, Bike, Calories_Burned, Kilometers "
                   "FROM Exercise_Master, Cycling_Log WHERE Exercise_ID = Cycling_ID"),
              QStringList({"Cycling|1:30:00|20|O'Brien Rd|Gravel|0|32.2"}));
    const QString id = scalar("SELECT Exercise_ID FROM Exercise_Master");
    exec("UPDATE Cycling_Log SET Calories_Burned = 500");

    state.setMiles(false);
    {
        frmBikeLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_EQ(edit(&w, "txtPace")->text(), "13.33") << "speed in the report's unit";
        EXPECT_EQ(find<QLabel>(&w, "lblPace")->text(), "KPH:");
        EXPECT_EQ(edit(&w, "txtCalories")->text(), "") << "the calories are not read back";
        EXPECT_EQ(tabChain(edit(&w, "txtDate")),
                  QStringList({"txtDate", "txtKilometers", "cbCourse", "txtTime", "cbBike", "txtCalories",
                               "txtComments", "btnUpdate", "btnDelete", "btnExit"}));
        shot(&w, "frmBikeLog_edit");
        retype(edit(&w, "txtKilometers"), "48.3");
        retype(edit(&w, "txtTime"), "1:00:00");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "48.30") << "speed from the user's unit while typing";
        click(button(&w, "btnUpdate"));
        EXPECT_EQ(messages.last(), "Record Updated");
    }
    EXPECT_EQ(
        rows("SELECT Exercise_Time, Miles, Kilometers, Calories_Burned FROM Cycling_Log, Exercise_Master "
             "WHERE Exercise_ID = Cycling_ID"),
        QStringList({"1:00:00|20|48.3|500"}));
}

TEST_F(BikeLogTest, MissingBikeIsOfferedAndArrivesThroughTheHook) {
    answers = {true};
    drivers["frmAddBike"] = catalogAdds("Bike", "Tandem", {{"txtPrice", "900"}});
    frmBikeLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(questions, QStringList({"This application will not function as it should unless a bike "
                                      "is entered and active. Enter one now?"}));
    EXPECT_EQ(items(combo(&w, "cbBike")), QStringList({"Tandem"}));
    EXPECT_EQ(combo(&w, "cbBike")->currentText(), "Tandem");
}

} // namespace
