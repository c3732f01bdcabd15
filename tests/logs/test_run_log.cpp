#include "LogFixture.h"

#include "frmBikeLog.h"
#include "frmRaceLog.h"
#include "frmRunLog.h"

#include <QClipboard>

namespace {

class RunLogTest : public LogFixture {
  protected:
    void SetUp() override {
        LogFixture::SetUp();
        exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Old Trainer', 1, 'Bob'), "
             "('Retired', 0, 'Bob'), ('Ann''s Racer', 1, 'Ann'), ('New Trainer', 1, 'Bob')");
    }
    QString seedRun() {
        return seed("Running", "1:05:30", "Easy",
                    "Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) "
                    "VALUES (%1, 10, 'River', 'Old Trainer', 16.1)");
    }
};

// A run typed in: the lists offered, the pace while typing, a click selecting, Return adding.
TEST_F(RunLogTest, AddModeStoresTheRunAsTyped) {
    seedRun(); // two runs on the course "River", which is offered once
    seedRun();
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();
    // Active shoes of this user, newest first, the newest preselected; earlier courses offered.
    EXPECT_EQ(items(combo(&w, "cbShoes")), QStringList({"New Trainer", "Old Trainer"}));
    EXPECT_EQ(items(combo(&w, "cbCourse")), QStringList({"River"}));

    type(edit(&w, "txtMiles"), "6.2-");
    QLineEdit* time = edit(&w, "txtTime");
    type(time, "45:a");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "7:15") << "pace shown while the time is typed";
    QTest::keyClicks(time, "10");
    type(combo(&w, "cbCourse"), "Bob's loop');--");
    type(edit(&w, "txtComments"), "It's \"hot\"");
    // A click into a field selects its whole text, as Tab does, so typing replaces it.
    for (QLineEdit* field : {edit(&w, "txtMiles"), combo(&w, "cbCourse")->lineEdit()}) {
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
        QApplication::processEvents();
        EXPECT_EQ(field->selectedText(), field->text());
    }
    QTest::keyClick(edit(&w, "txtComments"), Qt::Key_Return); // Return presses Add Record

    EXPECT_EQ(messages, QStringList({"data entered"}));
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(scalar("SELECT Shoes FROM Running_Log WHERE Course = 'Bob''s loop'');--'"), "New Trainer");
}

TEST_F(RunLogTest, EditModeRefusesANonDateAndShowsThePaceInTheReportsUnit) {
    const QString id = seedRun();
    {
        frmRunLog w(state);
        ASSERT_TRUE(w.openForEdit(" " + id, true));
        w.show();
        EXPECT_EQ(edit(&w, "txtPace")->text(), "6:33");

        // A corrected date brings its weekday; while it is no date the weekday is empty
        // and the update is refused.
        QLineEdit* date = edit(&w, "txtDate");
        type(date, "31-Feb-2026");
        EXPECT_EQ(edit(&w, "txtDay")->text(), "");
        click(button(&w, "btnUpdate"));
        EXPECT_EQ(messages, QStringList({"Problem updating record"}));
        EXPECT_TRUE(w.isVisible());

        type(date, "12/8/2026");
        EXPECT_EQ(edit(&w, "txtDay")->text(), "Tuesday");
        edit(&w, "txtID")->clear(); // without an identifier nothing is updated or deleted
        click(button(&w, "btnUpdate"));
        click(button(&w, "btnDelete"));
        EXPECT_EQ(messages.mid(1), QStringList({"No ID found", "No ID found"}));
    }
    EXPECT_EQ(scalar("SELECT Exercise_Date FROM Exercise_Master"), "2026-12-05") << "nothing updated";
    frmRunLog w(state);
    ASSERT_TRUE(w.openForEdit(id, false));
    EXPECT_EQ(edit(&w, "txtPace")->text(), "4:04") << "per kilometre when the report is in kilometres";
}

// A kilometre user cannot type the miles: they follow every corrected kilometre figure, so
// the stored pair agrees. Tabbing through the shoes keeps the preselected pair unselected.
TEST_F(RunLogTest, AKilometreUsersCorrectedDistanceIsStoredInBothUnits) {
    state.setMiles(false);
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    w.show();
    QLineEdit* km = edit(&w, "txtKilometers");
    type(km, "10");
    press(Qt::Key_Tab);
    retype(km, "21.1");
    press(Qt::Key_Tab);

    type(edit(&w, "txtTime"), "1:45:00");
    press(Qt::Key_Tab);
    QComboBox* shoes = combo(&w, "cbShoes");
    ASSERT_EQ(QApplication::focusWidget(), shoes);
    EXPECT_EQ(shoes->lineEdit()->selectedText(), "");
    QTest::keyClicks(shoes, " 2");
    click(button(&w, "btnAdd"));
    EXPECT_EQ(rows("SELECT Miles, Kilometers, Shoes FROM Running_Log"),
              QStringList({"13.1|21.1|New Trainer 2"}));
}

// Nothing is stored from a distance that is not a number, and never half a workout.
TEST_F(RunLogTest, BadInputStoresNothing) {
    frmRunLog w(state);
    w.openForAdd("12/6/2026", "Sunday");
    QLineEdit* miles = edit(&w, "txtMiles");
    type(miles, "10");
    QApplication::clipboard()->setText("5; DELETE FROM Exercise_Master ");
    miles->setCursorPosition(0);
    QTest::keyClick(miles, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(miles->text(), "5; DELETE FROM Exercise_Master 10") << "only the last character is filtered";
    click(button(&w, "btnAdd"));
    retype(miles, "0");
    retype(edit(&w, "txtTime"), "45:00");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "") << "no pace over no distance";
    // A distance that is no number gives no pace, is never converted, and is not stored.
    for (const QString bad : {"1.2.3", "."}) {
        retype(miles, bad);
        retype(edit(&w, "txtTime"), "45:00");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "") << bad.toStdString();
        EXPECT_EQ(edit(&w, "txtKilometers")->text(), "") << bad.toStdString();
        click(button(&w, "btnAdd"));
    }
    EXPECT_EQ(messages, QStringList(3, "Problem entering data"));
    EXPECT_EQ(count("Exercise_Master"), 0);

    // A detail row that the engine itself refuses takes the master row with it.
    refuseInserts("Running_Log");
    retype(miles, "3");
    click(button(&w, "btnAdd"));
    EXPECT_EQ(messages.last(), "Problem entering data");
    EXPECT_EQ(count("Exercise_Master"), 0);
}

// A distance over 1,000 miles (1,609 km) or a time over 1,000 hours is refused by the run, bike
// and race logs with their own failure message; the limits themselves are stored.
struct LimitCase {
    const char* name;
    const char* field;
    const char* text;
    bool stored;
};

class WorkoutLimits : public LogFixture, public testing::WithParamInterface<LimitCase> {};

TEST_P(WorkoutLimits, OnlyStorableValuesAreSavedByEveryLog) {
    exec(
        "INSERT INTO RaceTypes (Exercise, RaceType, RaceDistance, User_Name) VALUES ('RunningRace', 'Ultra', "
        "100, 'Bob')");
    state.setMiles(QString(GetParam().field) != "txtKilometers"); // the unit typed
    frmRunLog run(state);
    frmBikeLog bike(state);
    frmRaceLog race(state);
    run.openForAdd("12/6/2026", "Sunday");
    bike.openForAdd("12/6/2026", "Sunday");
    race.openForAdd("Running Race Log", "RunningRace");
    for (QDialog* w : std::initializer_list<QDialog*>{&run, &bike, &race}) {
        messages.clear();
        w->show();
        for (const auto& [field, text] : {std::pair{"txtMiles", "5"},
                                          {"txtTime", "1:00:00"},
                                          {"txtKilometers", "8"},
                                          {GetParam().field, GetParam().text}})
            retype(edit(w, field), text);
        click(button(w, w == &bike ? "btnAddRecord" : "btnAdd"));
        EXPECT_EQ(messages.value(0), GetParam().stored ? "data entered" : "Problem entering data")
            << w->objectName().toStdString();
    }
}

const LimitCase limitCases[] = {
    {"AtTheLimits", "txtTime", "1000:00:00", true},
    {"TimeOverTheLimit", "txtTime", "1000:00:01", false},
    {"MilesAtTheLimit", "txtMiles", "1000", true},
    {"MilesOverTheLimit", "txtMiles", "1000.1", false},
    {"AbsurdMiles", "txtMiles", "100000000000000000000", false},
    {"KilometresOverTheLimit", "txtKilometers", "1609.1", false},
};
INSTANTIATE_TEST_SUITE_P(Values, WorkoutLimits, testing::ValuesIn(limitCases), CaseName());

} // namespace
