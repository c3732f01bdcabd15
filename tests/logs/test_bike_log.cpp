#include "LogFixture.h"

#include "frmBikeLog.h"

namespace {

class BikeLogTest : public LogFixture {
protected:
    void seedBikes()
    {
        exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Roadie', 1, 'Bob')");
        exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Rusty', 0, 'Bob')");
        exec("INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Gravel', 1, 'Bob')");
    }
    QString seedRide()
    {
        return seed("Cycling", "12/5/2026", "Saturday", "1:30:00", QString(), "Bob",
                    "Cycling_Log (Cycling_ID, Miles, Course, Bike, Calories_Burned, Kilometers) "
                    "VALUES (%1, 30, 'Lakes', 'Gravel', 500, 48.3)");
    }
    QLineEdit* edit(QWidget* w, const char* name) { return find<QLineEdit>(w, name); }
    QComboBox* combo(QWidget* w, const char* name) { return find<QComboBox>(w, name); }
};

TEST_F(BikeLogTest, AddModeShowsTheSpeedAndStoresEmptyCaloriesAsZero)
{
    seedBikes();
    seedRide();
    frmBikeLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();
    EXPECT_EQ(w.windowTitle(), "Bike Log");
    EXPECT_EQ(visibleButtons(&w), QStringList({"btnAddRecord", "btnExit"}));
    EXPECT_EQ(find<QLabel>(&w, "lblPace")->text(), "MPH:");
    // Active bikes in the order the database gives them; the first one preselected.
    QStringList bikes = items(combo(&w, "cbBike"));
    ASSERT_EQ(bikes.size(), 2);
    EXPECT_EQ(combo(&w, "cbBike")->currentText(), bikes[0]);
    bikes.sort();
    EXPECT_EQ(bikes, QStringList({"Gravel", "Roadie"}));
    EXPECT_EQ(items(combo(&w, "cbCourse")), QStringList({"Lakes"}));
    shot(&w, "frmBikeLog");

    type(edit(&w, "txtMiles"), "20");
    type(edit(&w, "txtTime"), "1:00:00");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "20.00");
    EXPECT_EQ(edit(&w, "txtKilometers")->text(), "32.2");
    retype(edit(&w, "txtTime"), "0:00");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "") << "no speed over no time";
    retype(edit(&w, "txtTime"), "45:00");
    type(combo(&w, "cbCourse"), "O'Brien Rd");
    click(find<QAbstractButton>(&w, "btnAddRecord"));
    EXPECT_EQ(messages, QStringList({"data entered"}));
    EXPECT_EQ(rows("SELECT Exercise_Type, Exercise_Time, Miles, Course, Bike, Calories_Burned, Kilometers "
                   "FROM Exercise_Master, Cycling_Log WHERE Exercise_ID = Cycling_ID AND Course <> 'Lakes'"),
              QStringList({"Cycling|45:00|20|O'Brien Rd|" + combo(&w, "cbBike")->currentText() + "|0|32.2"}));
}

TEST_F(BikeLogTest, KilometreUserSeesKph)
{
    seedBikes();
    state.setMiles(false);
    frmBikeLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(find<QLabel>(&w, "lblPace")->text(), "KPH:");
    type(edit(&w, "txtKilometers"), "32.2");
    type(edit(&w, "txtTime"), "1:00:00");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "32.20");
    EXPECT_EQ(edit(&w, "txtMiles")->text(), "20.0");
}

TEST_F(BikeLogTest, CaloriesThatAreNoNumberStoreNothing)
{
    seedBikes();
    frmBikeLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    type(edit(&w, "txtMiles"), "20");
    QLineEdit* calories = edit(&w, "txtCalories");
    for (const QString& bad : {QString("abc"), QString("5; DELETE FROM Bikes"), QString("1.2.3")}) {
        focus(calories);
        QTest::keyClick(calories, Qt::Key_Delete);
        type(calories, bad);
        EXPECT_EQ(calories->text(), bad) << "calories have no character filter";
        click(find<QAbstractButton>(&w, "btnAddRecord"));
        EXPECT_EQ(messages.last(), "Problem entering data") << bad.toStdString();
    }
    EXPECT_EQ(count("Exercise_Master"), 0);
    EXPECT_EQ(count("Bikes"), 3);

    focus(calories);
    QTest::keyClicks(calories, "612.5");
    click(find<QAbstractButton>(&w, "btnAddRecord"));
    EXPECT_EQ(messages.last(), "data entered");
    EXPECT_EQ(scalar("SELECT Calories_Burned FROM Cycling_Log"), "612.5");
}

TEST_F(BikeLogTest, EditModeLeavesTheCaloriesAlone)
{
    seedBikes();
    const QString id = seedRide();
    {
        frmBikeLog w(state);
        ASSERT_TRUE(w.openForEdit(id, true));
        EXPECT_EQ(visibleButtons(&w), QStringList({"btnUpdate", "btnDelete", "btnExit"}));
        EXPECT_EQ(edit(&w, "txtCalories")->text(), "");
        EXPECT_EQ(edit(&w, "txtComments")->text(), "") << "a NULL comment leaves the field empty";
        EXPECT_EQ(combo(&w, "cbBike")->currentText(), "Gravel");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "20.00");
        type(combo(&w, "cbCourse"), "Hills");
        click(find<QAbstractButton>(&w, "btnUpdate"));
        EXPECT_EQ(messages, QStringList({"Record Updated"}));
    }
    EXPECT_EQ(rows("SELECT Course, Calories_Burned, Comments FROM Cycling_Log, Exercise_Master "
                   "WHERE Exercise_ID = Cycling_ID"),
              QStringList({"Hills|500|"}));

    frmBikeLog w(state);
    ASSERT_TRUE(w.openForEdit(id, false));
    EXPECT_EQ(edit(&w, "txtPace")->text(), "32.20") << "speed in the report's unit";
    click(find<QAbstractButton>(&w, "btnDelete"));
    EXPECT_EQ(messages.last(), "Record Deleted");
    EXPECT_EQ(count("Exercise_Master") + count("Cycling_Log"), 0);
}

TEST_F(BikeLogTest, MissingBikeIsOfferedAndArrivesThroughTheHook)
{
    answers = {true};
    drivers["frmAddBike"] = catalogAdds("Bike", "Tandem", {{"txtPrice", "900"}});
    frmBikeLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(questions, QStringList({"This application will not function as it should unless a bike "
                                      "is entered and active. Enter one now?"}));
    EXPECT_EQ(opened, QStringList({"frmAddBike"}));
    EXPECT_EQ(items(combo(&w, "cbBike")), QStringList({"Tandem"}));
    EXPECT_EQ(combo(&w, "cbBike")->currentText(), "Tandem");
}

} // namespace
