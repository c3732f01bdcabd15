// Goals: one per kind and period, and the window, the main window's status line and the
// calendar report.

#include "GuiFixture.h"

#include "CLibrary.h"
#include "Clock.h"
#include "DbError.h"
#include "Goals.h"
#include "MainForm.h"
#include "frmCalendarRpt.h"
#include "frmGoals.h"
#include "mossCalendar.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

namespace {

// Ann's runs around Saturday 12 December 2026; Bob has none. (Progress over the edges of weeks,
// months and years and the values refused are reference cases of trainbook-cli goals and goal.)
class GoalsTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1), ('Bob', 0)");
        exec("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Time, "
             "User_Name) VALUES (2, 'Running', '12/12/2026', '40:00', 'Ann'), (3, 'Running', '12/13/2026', "
             "'25:00', 'Ann'), (4, 'Running', '12/31/2026', '32:00', 'Ann')");
        exec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (2, 5, 8), (3, 3, 4.8), (4, 4, "
             "6.4)");
    }
    void setGoal(const QString& kind, const QString& period, const QString& distance, const QString& time,
                 bool miles = true) {
        Goals::save(*db(), "Ann", Goals::make(kind, period, distance, time, miles));
    }
};

TEST_F(GoalsTest, OneGoalPerKindAndPeriodWhoseTargetIsReplaced) {
    setGoal("Running", "week", "25", "");
    setGoal("running", "week", "", "4:30");
    setGoal("All", "Year", "", "500:00");
    EXPECT_EQ(rows("SELECT Kind, Period, ifnull(Distance, '-'), Minutes FROM Goals ORDER BY Kind"),
              QStringList({"All|year|-|30000", "Running|week|-|270"}));
    EXPECT_THROW(Goals::save(*db(), "Nobody", Goals::make("Running", "week", "5", "", true)), DbError);
    EXPECT_THROW(Goals::make("Walking", "week", "5", "", true), DbError);
    EXPECT_THROW(Goals::make("Running", "day", "5", "", true), DbError);
    EXPECT_THROW(Goals::make("Running", "week", "5", "1:00", true), DbError);
    EXPECT_TRUE(Goals::remove(*db(), "Ann", "Running", "week"));
    EXPECT_FALSE(Goals::remove(*db(), "Ann", "Running", "week"));
}

// The window refuses a bad value and saves a good one; the main window's status line
// follows the save, the unit and the user; the calendar shows the week and the month.
TEST_F(GoalsTest, SetInTheWindowAndShownInTheMainWindowAndCalendar) {
    Clock::setFixed(QDateTime(QDate(2026, 12, 12), QTime(12, 0)));
    MainForm main;
    main.Form_Load();
    QLabel* status = find<QLabel>(&main, "lblGoals");
    drivers["frmGoals"] = [this](QDialog* dlg) {
        auto* goals = static_cast<frmGoals*>(dlg);
        goals->cbKind->setCurrentText("Running");
        goals->cbPeriod->setCurrentText("week");
        goals->txtTarget->setText("-3");
        click(goals->btnSave);
        goals->txtTarget->setText("25");
        click(goals->btnSave);
        goals->cbPeriod->setCurrentText("month");
        goals->optTime->setChecked(true);
        goals->txtTarget->setText("20:00");
        click(goals->btnSave);
        EXPECT_EQ(goals->lstGoals->topLevelItem(0)->text(3), "5 of 25 miles (20%)");
        shot(goals, "goals");
        return int(QDialog::Accepted);
    };
    main.action("mnuGoals")->trigger();
    EXPECT_EQ(messages, QStringList({"The distance must be a number from 0.1 to 7000 miles for a "
                                     "week."}));
    QTest::qWait(20);
    shot(&main, "main-goals");
    EXPECT_EQ(status->toolTip(), "Running this week: 5 of 25 miles (20%)\nRunning this month: 1:37:00 of "
                                 "20:00:00 (8%)");
    main.action("mnuMiles")->trigger();
    QTest::qWait(20);
    EXPECT_TRUE(status->toolTip().startsWith("Running this week: 8 of 40.2 km (20%)"));

    frmCalendarRpt calendar(main.state());
    calendar.Form_Load();
    EXPECT_EQ(find<mossCalendar>(&calendar, "mossCalendar1")->CalendarNote(),
              "Running this week: 8 of 40.2 km (20%)\nRunning this month: 1:37:00 of 20:00:00 (8%)");
    shot(&calendar, "calendar-goals");

    main.cbUsers->setCurrentText("Bob");
    QTest::qWait(20);
    EXPECT_EQ(status->text(), "");
    Clock::reset();
}

} // namespace
