#include "LogFixture.h"

#include "Clock.h"
#include "DatePicker.h"
#include "frmRaceLog.h"

namespace {

const QString RaceTypeQuestion = QStringLiteral("This application will not function as it should unless a "
                                                "race type is added for this exercise.  Add one now?");

class RaceLogTest : public LogFixture {
  protected:
    void SetUp() override {
        LogFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 5, 17), QTime(9, 0)));
    }
    // Stores race types: "('Kind', 'Type', miles, 'User'), ...".
    void raceTypes(const QString& rows) {
        exec("INSERT INTO RaceTypes (Exercise, RaceType, RaceDistance, User_Name) VALUES " + rows);
    }
    // Opens the window for adding a race of `kind` and lets its race-type reading run.
    void open(frmRaceLog& w, const QString& kind = "RunningRace") {
        w.openForAdd(kind.chopped(4) + " Race Log", kind);
        show(w);
    }
    static void show(frmRaceLog& w) {
        w.show();
        QApplication::processEvents();
        QApplication::processEvents();
    }
    static QString raceRows() {
        return QStringLiteral(
            "SELECT Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, RaceTime, "
            "RaceCity, RaceState, RaceComments, User_Name, AgeGroup, AgeGroupPlace, OverallPlace "
            "FROM RaceLog");
    }
};

TEST_F(RaceLogTest, AddRaceWithTheStandardDistanceOfItsType) {
    raceTypes("('RunningRace', '10K', 6.2, 'Bob'), ('RunningRace', 'Marathon', 26.2, 'Bob'), "
              "('CyclingRace', 'Crit', 25, 'Bob'), ('RunningRace', 'Mile', 1, 'Ann')");
    frmRaceLog w(state);
    open(w);
    EXPECT_EQ(items(combo(&w, "cbRaceType")), QStringList({"10K", "Marathon"}));
    auto* date = find<DatePicker>(&w, "dtRaceDate");
    EXPECT_EQ(date->value(), QDate(2026, 5, 17));

    type(date, "6/18/2026"); // typed whole, as it is shown
    type(edit(&w, "txtRaceName"), "Bob's Run");
    chooseFromList(combo(&w, "cbRaceType"), "10K");
    // Choosing alone writes nothing; leaving the type fills the miles, and leaving those the kilometres.
    EXPECT_EQ(edit(&w, "txtMiles")->text(), "");
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    type(edit(&w, "txtTime"), "40:00");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "6:27");
    const char* const typed[][2] = {{"txtCity", "Coeur d'Alene"}, {"txtState", "ID"},
                                    {"txtAgeGroup", "40-44"},     {"txtOverallPlace", "12"},
                                    {"txtAgePlace", "3rd"},       {"txtComments", "windy"}};
    for (const auto& [field, text] : typed)
        type(edit(&w, field), text);

    click(button(&w, "btnAdd"));
    EXPECT_EQ(messages, QStringList({"data entered"}));
    EXPECT_EQ(rows(raceRows()), QStringList({"RunningRace|2026-06-18|10K|Bob's Run|6.2|10|40:00|"
                                             "Coeur d'Alene|ID|windy|Bob|40-44|3rd|12"}));
    EXPECT_EQ(count("Exercise_Master"), 0) << "races have no master row";
}

TEST_F(RaceLogTest, TypedRaceTypeAndBothDistancesFollowTheirOwnRules) {
    raceTypes("('SwimmingRace', 'Mile Swim', 1, 'Bob')");
    state.setMiles(false);
    frmRaceLog w(state);
    open(w, "SwimmingRace");
    QLineEdit* miles = edit(&w, "txtMiles");
    QLineEdit* km = edit(&w, "txtKilometers");

    // A typed type stays as typed; its distance comes as the database finds the name
    // (regardless of case), and a type that is not stored leaves the miles alone.
    type(miles, "2");
    retype(combo(&w, "cbRaceType"), "mile swim");
    press(Qt::Key_Return);
    press(Qt::Key_Tab);
    EXPECT_EQ(combo(&w, "cbRaceType")->currentText(), "mile swim");
    EXPECT_EQ(miles->text(), "1");
    retype(combo(&w, "cbRaceType"), "Open Water");
    press(Qt::Key_Tab);
    EXPECT_EQ(miles->text(), "1");

    // Both distances may be typed. Miles filled in from the kilometres follow them; miles
    // typed by the person stay. A kilometre user's pace is per kilometre.
    miles->clear();
    retype(km, "5");
    press(Qt::Key_Tab);
    EXPECT_EQ(miles->text(), "3.1");
    retype(km, "10");
    type(edit(&w, "txtTime"), "50:00");
    EXPECT_EQ(miles->text(), "6.2");
    EXPECT_EQ(edit(&w, "txtPace")->text(), "5:00");
    retype(miles, "6");
    retype(km, "9.9");
    press(Qt::Key_Tab);
    EXPECT_EQ(miles->text(), "6");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(RaceLogTest, EditModeShowsUpdatesAndDeletesTheRace) {
    raceTypes("('CyclingRace', 'Century', 100, 'Bob'), ('CyclingRace', 'Crit', 25, 'Bob')");
    exec("INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceTime, RaceCity, "
         "RaceState, RaceComments, User_Name, AgeGroup, AgeGroupPlace, OverallPlace, RaceDistanceKM) VALUES "
         "('CyclingRace', '7/4/2025', 'Crit', 'Tour de Lac', 25, '1:02:30', 'Lyon', 'France', NULL, 'Bob', "
         "'40-44', NULL, '17', 40.2)");
    const QString id = scalar("SELECT RaceID FROM RaceLog");
    {
        frmRaceLog w(state);
        ASSERT_TRUE(w.openForEdit("  " + id, "CyclingRace", true));
        show(w);
        EXPECT_EQ(combo(&w, "cbRaceType")->currentText(), "Crit");
        EXPECT_EQ(edit(&w, "txtPace")->text(), "2:30");

        retype(edit(&w, "txtKilometers"), "forty");
        click(button(&w, "btnUpdate"));
        retype(edit(&w, "txtKilometers"), "160.9");
        chooseFromList(combo(&w, "cbRaceType"), "Century");
        press(Qt::Key_Tab);
        retype(edit(&w, "txtRaceName"), "Gran Fondo d'Or");
        type(edit(&w, "txtAgePlace"), "2");
        click(button(&w, "btnUpdate"));
        EXPECT_EQ(messages, QStringList({"Problem updating record", "Record Updated"}));
    }
    EXPECT_EQ(rows(raceRows()),
              QStringList({"CyclingRace|2025-07-04|Century|Gran Fondo d'Or|100|160.9|1:02:30|"
                           "Lyon|France||Bob|40-44|2|17"}));

    frmRaceLog w(state);
    ASSERT_TRUE(w.openForEdit(id, "CyclingRace", true));
    click(button(&w, "btnDelete"));
    EXPECT_EQ(count("RaceLog"), 0);
    EXPECT_FALSE(w.openForEdit("1 OR 1=1", "CyclingRace", true));
    EXPECT_EQ(messages.last(), "Could not retrieve data - Type mismatch - In frmTextRpt lstReport_DblClick");
}

TEST_F(RaceLogTest, MissingRaceTypeOpensTheRaceTypeWindowUntilOneExists) {
    answers = {true, true};
    int openings = 0;
    drivers["frmAddRaceType"] = [&](QDialog* d) {
        if (++openings == 1)
            return int(QDialog::Rejected); // closed without adding: the question comes back
        type(find<QComboBox>(d, "cbExercise"), "Running");
        type(find<QLineEdit>(d, "txtRaceType"), "5K");
        type(find<QLineEdit>(d, "txtMiles"), "3.1");
        click(find<QAbstractButton>(d, "btnAdd"));
        return d->result();
    };
    frmRaceLog w(state);
    open(w);
    EXPECT_EQ(questions, QStringList({RaceTypeQuestion, RaceTypeQuestion}));
    EXPECT_EQ(items(combo(&w, "cbRaceType")), QStringList({"5K"}));
    EXPECT_EQ(combo(&w, "cbRaceType")->currentText(), "");
}

TEST_F(RaceLogTest, ReadFailuresAreReported) {
    frmRaceLog w(state);
    w.openForAdd("Running Race Log", "RunningRace");
    exec("DROP TABLE RaceTypes");
    show(w);
    type(combo(&w, "cbRaceType"), "10K");
    type(edit(&w, "txtMiles"), "6.2");
    EXPECT_TRUE(messagesAre({"Could not retrieve race types - * - In frmRaceLog Form_Load",
                             "Could not retrieve distance - * - In frmRaceLog Form_Load"}));
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(RaceLogTest, EscapeAsksBeforeDiscardingTypedInput) {
    checkEscapeAsksBeforeDiscarding(
        [this]() -> QDialog* {
            auto* w = new frmRaceLog(state);
            w->openForAdd("Running Race Log", "RunningRace");
            return w;
        },
        "txtRaceName", "12");
}

// Saving a race that is faster than every other race of its type says so.
class RaceBestTest : public RaceLogTest {
  protected:
    void SetUp() override {
        RaceLogTest::SetUp();
        raceTypes("('RunningRace', '5K', 3.1, 'Bob'), ('RunningRace', '10K', 6.2, 'Bob')");
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
        open(w);
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
    const char* best; // the announcement before "data entered"; "" = none
};

class RaceBestAdd : public RaceBestTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(RaceBestAdd, MessagesAfterAdding) {
    addRace(GetParam().raceType, GetParam().time);
    EXPECT_EQ(messages, *GetParam().best ? QStringList({GetParam().best, "data entered"})
                                         : QStringList{"data entered"});
}

const AddCase addCases[] = {
    {"Faster", "5K", "24:10", "New personal best for 5K: 24:10, 0:20 faster than 24:30"},
    {"TypeInOtherCase", "5k", "0:23:59", "New personal best for 5k: 23:59, 0:31 faster than 24:30"},
    {"EqualIsNoBest", "5K", "24:30", ""},
    {"FirstOfItsType", "10K", "50:00", ""},
    {"UnreadableTime", "5K", "fast", ""},
};
INSTANTIATE_TEST_SUITE_P(Races, RaceBestAdd, ::testing::ValuesIn(addCases), CaseName());

TEST_F(RaceBestTest, AnUpdatedBestIsComparedWithTheOtherRacesOnly) {
    const QString id = scalar("SELECT RaceID FROM RaceLog WHERE RaceName = 'Spring 5K'");
    {
        frmRaceLog w(state);
        ASSERT_TRUE(w.openForEdit(id, "RunningRace", true));
        show(w);
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
