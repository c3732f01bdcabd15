#include "GuiFixture.h"

#include "Clock.h"
#include "DatePicker.h"
#include "frmRaceLog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString RaceTypeQuestion = QStringLiteral("This application will not function as it should unless a "
                                                "race type is added for this exercise.  Add one now?");

void chooseFromList(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << text.toStdString();
    // The combo has the focus while its list is open, as after a click on its arrow.
    combo->setFocus(Qt::MouseFocusReason);
    combo->showPopup();
    QApplication::processEvents();
    QAbstractItemView* view = combo->view();
    const QRect rect = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    QApplication::processEvents();
}

void pressTab() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();
}

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

} // namespace

class RaceLogTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 5, 17), QTime(9, 0)));
    }

    void raceType(const QString& kind, const QString& name, const QString& miles,
                  const QString& user = QStringLiteral("Ann")) {
        exec(QStringLiteral("INSERT INTO RaceTypes (Exercise, RaceType, RaceDistance, User_Name) "
                            "VALUES ('%1', '%2', %3, '%4')")
                 .arg(kind, name, miles, user));
    }

    // Shows the window and lets its race-type reading run.
    void showWindow(frmRaceLog& w) {
        w.show();
        QApplication::processEvents();
        QApplication::processEvents();
    }

    QString storeRace() {
        exec(QStringLiteral(
            "INSERT INTO RaceLog (Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceTime, RaceCity, "
            "RaceState, RaceComments, User_Name, AgeGroup, AgeGroupPlace, OverallPlace, RaceDistanceKM) "
            "VALUES ('CyclingRace', '7/4/2025', 'Crit', 'Tour de Lac', 25, '1:02:30', 'Lyon', 'France', "
            "NULL, "
            "'Ann', '40-44', NULL, '17', 40.2)"));
        return scalar(QStringLiteral("SELECT MAX(RaceID) FROM RaceLog"));
    }

    static QString raceRow(const QString& id) {
        return QStringLiteral(
                   "SELECT Exercise, RaceDate, RaceType, RaceName, RaceDistance, RaceDistanceKM, "
                   "RaceTime, RaceCity, RaceState, RaceComments, User_Name, AgeGroup, AgeGroupPlace, "
                   "OverallPlace FROM RaceLog WHERE RaceID = ") +
               id;
    }

    FixedState state{QStringLiteral("Ann"), true};
};

TEST_F(RaceLogTest, AddRaceWithTheStandardDistanceOfItsType) {
    raceType(QStringLiteral("RunningRace"), QStringLiteral("10K"), QStringLiteral("6.2"));
    raceType(QStringLiteral("RunningRace"), QStringLiteral("Marathon"), QStringLiteral("26.2"));
    raceType(QStringLiteral("CyclingRace"), QStringLiteral("Crit"), QStringLiteral("25"));
    raceType(QStringLiteral("RunningRace"), QStringLiteral("Mile"), QStringLiteral("1"),
             QStringLiteral("Bob"));

    frmRaceLog w(state);
    w.openForAdd(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
    showWindow(w);
    EXPECT_EQ(w.lblTitle->text(), QStringLiteral("Running Race Log"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Race Log"));
    EXPECT_EQ(items(w.cbRaceType), (QStringList{QStringLiteral("10K"), QStringLiteral("Marathon")}));
    EXPECT_EQ(w.cbRaceType->currentText(), QString());
    EXPECT_EQ(w.visibleButtons(), (QStringList{QStringLiteral("Add Race"), QStringLiteral("Exit")}));
    EXPECT_EQ(w.dtRaceDate->value(), QDate(2026, 5, 17));
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_TRUE(w.txtMiles->isEnabled());
    EXPECT_TRUE(w.txtKilometers->isEnabled());

    // One month on, with the arrow key on the picker's month.
    focus(w.dtRaceDate);
    w.dtRaceDate->setCurrentSection(QDateTimeEdit::MonthSection);
    QTest::keyClick(w.dtRaceDate, Qt::Key_Up);
    EXPECT_EQ(w.dtRaceDate->value(), QDate(2026, 6, 17));

    type(w.txtRaceName, QStringLiteral("Bob's Run"));
    chooseFromList(w.cbRaceType, QStringLiteral("10K"));
    // Choosing alone writes nothing; leaving the type fills the miles, not the kilometres.
    EXPECT_EQ(w.txtMiles->text(), QString());
    pressTab();
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("6.2"));
    EXPECT_EQ(w.txtKilometers->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), w.txtMiles);
    pressTab();
    EXPECT_EQ(w.txtKilometers->text(), QStringLiteral("10.0"));

    type(w.txtTime, QStringLiteral("40:00"));
    EXPECT_EQ(w.txtPace->text(), QStringLiteral("6:27"));
    type(w.txtCity, QStringLiteral("Coeur d'Alene"));
    type(w.txtState, QStringLiteral("ID"));
    type(w.txtAgeGroup, QStringLiteral("40-44"));
    type(w.txtOverallPlace, QStringLiteral("12"));
    type(w.txtAgePlace, QStringLiteral("3rd"));
    type(w.txtComments, QStringLiteral("windy"));
    shot(&w, QStringLiteral("frmRaceLog_add"));

    click(w.btnAdd);
    EXPECT_EQ(messages, QStringList{QStringLiteral("data entered")});
    EXPECT_EQ(w.result(), QDialog::Accepted);
    const QString id = scalar(QStringLiteral("SELECT MAX(RaceID) FROM RaceLog"));
    EXPECT_EQ(rows(raceRow(id)),
              QStringList{QStringLiteral("RunningRace|2026-06-17|10K|Bob's Run|6.2|10|40:00|"
                                         "Coeur d'Alene|ID|windy|Ann|40-44|3rd|12")});
    // Races have no master row.
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Exercise_Master")), QStringLiteral("0"));
}

TEST_F(RaceLogTest, TypedRaceTypeAndDistancesFollowTheirOwnRules) {
    raceType(QStringLiteral("SwimmingRace"), QStringLiteral("Mile Swim"), QStringLiteral("1"));
    frmRaceLog w(state);
    w.openForAdd(QStringLiteral("Swimming Race Log"), QStringLiteral("SwimmingRace"));
    showWindow(w);

    // A type that is not listed is kept as typed and leaves the miles alone.
    type(w.cbRaceType, QStringLiteral("mile swim"));
    type(w.txtMiles, QStringLiteral("2"));
    EXPECT_EQ(w.cbRaceType->currentText(), QStringLiteral("mile swim"));
    focus(w.cbRaceType);
    w.cbRaceType->clearEditText();
    type(w.cbRaceType, QStringLiteral("Open Water"));
    pressTab();
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("2"));

    // Only the miles are filtered; kilometres fill the miles only while those are empty.
    w.txtMiles->clear();
    type(w.txtMiles, QStringLiteral("5-"));
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("5"));
    w.txtMiles->clear();
    type(w.txtKilometers, QStringLiteral("5"));
    pressTab();
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("3.1"));
    w.txtKilometers->clear();
    type(w.txtKilometers, QStringLiteral("10"));
    pressTab();
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("3.1"));
    w.txtKilometers->clear();
    type(w.txtKilometers, QStringLiteral("1o"));
    EXPECT_EQ(w.txtKilometers->text(), QStringLiteral("1o"));
}

TEST_F(RaceLogTest, LivePaceShowsNothingUntilItCanBeComputed) {
    frmRaceLog w(state);
    raceType(QStringLiteral("RunningRace"), QStringLiteral("5K"), QStringLiteral("3.1"));
    w.openForAdd(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
    showWindow(w);

    type(w.txtTime, QStringLiteral("20:00"));
    EXPECT_EQ(w.txtPace->text(), QString()); // no distance yet
    for (const QString& miles : {QStringLiteral("."), QStringLiteral("0"), QStringLiteral("0.0")}) {
        w.txtMiles->setText(miles);
        w.txtTime->clear();
        type(w.txtTime, QStringLiteral("20:0a0"));
        EXPECT_EQ(w.txtTime->text(), QStringLiteral("20:00"));
        EXPECT_EQ(w.txtPace->text(), QString()) << miles.toStdString();
    }
    w.txtMiles->setText(QStringLiteral("4"));
    w.txtTime->clear();
    type(w.txtTime, QStringLiteral("3:20:00"));
    EXPECT_EQ(w.txtPace->text(), QStringLiteral("50:00"));
    w.txtTime->clear();
    EXPECT_EQ(w.txtPace->text(), QString());

    // A kilometre user's pace is per kilometre, from the kilometres.
    FixedState km(QStringLiteral("Ann"), false);
    frmRaceLog k(km);
    k.openForAdd(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
    showWindow(k);
    type(k.txtKilometers, QStringLiteral("10"));
    type(k.txtTime, QStringLiteral("50:00"));
    EXPECT_EQ(k.txtMiles->text(), QStringLiteral("6.2"));
    EXPECT_EQ(k.txtPace->text(), QStringLiteral("5:00"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(RaceLogTest, DistancesThatAreNotNumbersStoreNothing) {
    raceType(QStringLiteral("RunningRace"), QStringLiteral("5K"), QStringLiteral("3.1"));
    frmRaceLog w(state);
    w.openForAdd(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
    showWindow(w);
    type(w.txtRaceName, QStringLiteral("Parkrun"));

    const std::pair<QString, QString> cases[] = {
        {QString(), QStringLiteral("5")},
        {QStringLiteral("."), QStringLiteral("5")},
        {QStringLiteral("3.1"), QStringLiteral("5 km")},
        {QStringLiteral("3.1"), QStringLiteral("0); DELETE FROM RaceTypes; --")}};
    for (const auto& [miles, km] : cases) {
        messages.clear();
        w.txtMiles->setText(miles);
        w.txtKilometers->setText(km);
        click(w.btnAdd);
        EXPECT_EQ(messages, QStringList{QStringLiteral("Problem entering data")}) << km.toStdString();
        EXPECT_TRUE(w.isVisible());
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM RaceLog")), QStringLiteral("0"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM RaceTypes")), QStringLiteral("1"));
}

TEST_F(RaceLogTest, EditModeShowsTheStoredRaceAndUpdatesIt) {
    raceType(QStringLiteral("CyclingRace"), QStringLiteral("Century"), QStringLiteral("100"));
    raceType(QStringLiteral("CyclingRace"), QStringLiteral("Crit"), QStringLiteral("25"));
    raceType(QStringLiteral("RunningRace"), QStringLiteral("10K"), QStringLiteral("6.2"));
    const QString id = storeRace();

    frmRaceLog w(state);
    ASSERT_TRUE(w.openForEdit(QStringLiteral("  ") + id, QStringLiteral("CyclingRace"), true));
    showWindow(w);
    EXPECT_EQ(w.lblTitle->text(), QStringLiteral("Cycling Race Log"));
    EXPECT_EQ(items(w.cbRaceType), (QStringList{QStringLiteral("Century"), QStringLiteral("Crit")}));
    EXPECT_EQ(w.dtRaceDate->value(), QDate(2025, 7, 4));
    EXPECT_EQ(w.cbRaceType->currentText(), QStringLiteral("Crit"));
    EXPECT_EQ(w.txtRaceName->text(), QStringLiteral("Tour de Lac"));
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("25"));
    EXPECT_EQ(w.txtKilometers->text(), QStringLiteral("40.2"));
    EXPECT_EQ(w.txtTime->text(), QStringLiteral("1:02:30"));
    EXPECT_EQ(w.txtPace->text(), QStringLiteral("2:30"));
    EXPECT_EQ(w.txtCity->text(), QStringLiteral("Lyon"));
    EXPECT_EQ(w.txtState->text(), QStringLiteral("France"));
    EXPECT_EQ(w.txtAgeGroup->text(), QStringLiteral("40-44"));
    EXPECT_EQ(w.txtOverallPlace->text(), QStringLiteral("17"));
    EXPECT_EQ(w.txtAgePlace->text(), QString());
    EXPECT_EQ(w.txtRaceID->text(), id);
    EXPECT_EQ(w.visibleButtons(), (QStringList{QStringLiteral("Update Race"), QStringLiteral("Delete Race"),
                                               QStringLiteral("Exit")}));
    shot(&w, QStringLiteral("frmRaceLog_edit"));

    // A failed update leaves the row and the window as they were.
    w.txtKilometers->clear();
    type(w.txtKilometers, QStringLiteral("forty"));
    click(w.btnUpdate);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Problem updating record")});
    EXPECT_TRUE(w.isVisible());

    messages.clear();
    w.txtKilometers->clear();
    type(w.txtKilometers, QStringLiteral("160.9"));
    chooseFromList(w.cbRaceType, QStringLiteral("Century"));
    pressTab();
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("100"));
    w.txtRaceName->clear();
    type(w.txtRaceName, QStringLiteral("Gran Fondo d'Or"));
    type(w.txtAgePlace, QStringLiteral("2"));
    click(w.btnUpdate);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Record Updated")});
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(rows(raceRow(id)),
              QStringList{QStringLiteral("CyclingRace|2025-07-04|Century|Gran Fondo d'Or|100|"
                                         "160.9|1:02:30|Lyon|France||Ann|40-44|2|17")});
}

TEST_F(RaceLogTest, EditModeDeletesTheRaceAlone) {
    raceType(QStringLiteral("CyclingRace"), QStringLiteral("Crit"), QStringLiteral("25"));
    const QString keep = storeRace();
    const QString id = storeRace();
    frmRaceLog w(state);
    ASSERT_TRUE(w.openForEdit(id, QStringLiteral("CyclingRace"), true));
    showWindow(w);
    click(w.btnDelete);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Record Deleted")});
    EXPECT_EQ(rows(QStringLiteral("SELECT RaceID FROM RaceLog")), QStringList{keep});

    // A record number that is not a number is a read failure; nothing opens.
    messages.clear();
    frmRaceLog bad(state);
    EXPECT_FALSE(bad.openForEdit(QStringLiteral("1 OR 1=1"), QStringLiteral("CyclingRace"), true));
    EXPECT_EQ(messages, QStringList{QStringLiteral(
                            "Could not retrieve data - Type mismatch - In frmTextRpt lstReport_DblClick")});
}

TEST_F(RaceLogTest, MissingRaceTypeOpensTheRaceTypeWindowUntilOneExists) {
    answers = {true, true};
    int shown = 0;
    drivers[QStringLiteral("frmAddRaceType")] = [&](QDialog* d) {
        if (++shown == 1)
            return int(QDialog::Rejected); // closed without adding: the question comes back
        type(find<QComboBox>(d, QStringLiteral("cbExercise")), QStringLiteral("Running"));
        type(find<QLineEdit>(d, QStringLiteral("txtRaceType")), QStringLiteral("5K"));
        type(find<QLineEdit>(d, QStringLiteral("txtMiles")), QStringLiteral("3.1"));
        click(find<QPushButton>(d, QStringLiteral("btnAdd")));
        return d->result();
    };

    frmRaceLog w(state);
    w.openForAdd(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
    showWindow(w);
    EXPECT_EQ(questions, (QStringList{RaceTypeQuestion, RaceTypeQuestion}));
    EXPECT_EQ(opened, (QStringList{QStringLiteral("frmAddRaceType"), QStringLiteral("frmAddRaceType")}));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Race Type Inserted")});
    EXPECT_EQ(items(w.cbRaceType), QStringList{QStringLiteral("5K")});
    EXPECT_EQ(w.cbRaceType->currentText(), QString());

    // A type handed over by the race type window is listed once, and typed text stays.
    w.cbRaceType->setEditText(QStringLiteral("Half"));
    w.catalogItemAdded(QStringLiteral("frmAddRaceType"), QStringLiteral("Half Marathon"));
    w.catalogItemAdded(QStringLiteral("frmAddRaceType"), QStringLiteral("5K"));
    EXPECT_EQ(items(w.cbRaceType), (QStringList{QStringLiteral("5K"), QStringLiteral("Half Marathon")}));
    EXPECT_EQ(w.cbRaceType->currentText(), QStringLiteral("Half"));

    // Answering No leaves the window usable with an empty list.
    questions.clear();
    opened.clear();
    frmRaceLog swim(state);
    swim.openForAdd(QStringLiteral("Swimming Race Log"), QStringLiteral("SwimmingRace"));
    showWindow(swim);
    EXPECT_EQ(questions, QStringList{RaceTypeQuestion});
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(swim.cbRaceType->count(), 0);
}

TEST_F(RaceLogTest, ReadFailuresNameTheRoutine) {
    frmRaceLog w(state);
    w.openForAdd(QStringLiteral("Running Race Log"), QStringLiteral("RunningRace"));
    exec(QStringLiteral("DROP TABLE RaceTypes"));
    showWindow(w);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Could not retrieve race types - ")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(" - In frmRaceLog Form_Load")));
    EXPECT_TRUE(questions.isEmpty());

    messages.clear();
    type(w.cbRaceType, QStringLiteral("10K"));
    type(w.txtMiles, QStringLiteral("6.2"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Could not retrieve distance - ")))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(" - In frmRaceLog Form_Load")));
    EXPECT_EQ(w.txtMiles->text(), QStringLiteral("6.2"));
}
