#include "LogFixture.h"

#include "frmBikeLog.h"
#include "frmRunLog.h"
#include "frmVideoLog.h"

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

// With no active shoe, bike or video the window asks for one; the item added in the
// catalog dialog is offered and preselected, a video with its length.
struct MissingCatalogCase {
    const char* name;
    LogWindow* (*make)(SharedState&);
    const char* thing;
    const char* field;
    const char* otherField;
    const char* otherText;
    const char* time;
};

class MissingCatalogTest : public LogFixture, public testing::WithParamInterface<MissingCatalogCase> {};

TEST_P(MissingCatalogTest, IsAskedForAndTheNewItemIsOffered) {
    const MissingCatalogCase& c = GetParam();
    exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Retired', 0, 'Bob')");
    const QString thing = QString::fromLatin1(c.thing);
    const QString noun = thing.at(0).toUpper() + thing.mid(1);
    answers = {true};
    drivers["frmAdd" + noun] = catalogAdds(noun, "New " + noun, {{c.otherField, c.otherText}});
    std::unique_ptr<LogWindow> w(c.make(state));
    w->openForAdd("12/6/2026", "Sunday");
    EXPECT_EQ(questions, QStringList{"This application will not function as it should unless a " + thing +
                                     " is entered and active. Enter one now?"});
    EXPECT_EQ(items(combo(w.get(), c.field)), QStringList{"New " + noun});
    EXPECT_EQ(combo(w.get(), c.field)->currentText(), "New " + noun);
    EXPECT_EQ(edit(w.get(), "txtTime")->text(), c.time);
}

template <class Log> LogWindow* make(SharedState& s) {
    return new Log(s);
}
const MissingCatalogCase missingCatalogCases[] = {
    {"Shoe", make<frmRunLog>, "shoe", "cbShoes", "txtPrice", "80", ""},
    {"Bike", make<frmBikeLog>, "bike", "cbBike", "txtPrice", "900", ""},
    {"Video", make<frmVideoLog>, "video", "cbVideo", "txtLength", "40:00", "40:00"},
};
INSTANTIATE_TEST_SUITE_P(Kinds, MissingCatalogTest, testing::ValuesIn(missingCatalogCases), CaseName());

} // namespace
