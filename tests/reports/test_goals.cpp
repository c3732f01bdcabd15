// Goals: progress over the edges of weeks, months and years, in both units and for times, the
// values refused, and the window, the main window's status line and the calendar report.

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

// Ann's workouts around the edges (2026-12-12 is a Saturday, 2028-02-29 a Tuesday); Bob's run
// is never Ann's.
class GoalsTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        exec("INSERT INTO Users (User_Name, DistanceMiles) VALUES ('Ann', 1), ('Bob', 0)");
        exec(
            "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Time, "
            "User_Name) "
            "VALUES (1, 'Running', '11/30/2026', '1:20:00', 'Ann'), (2, 'Running', '12/12/2026', '40:00', "
            "'Ann'), "
            "(3, 'Running', '12/13/2026', '25:00', 'Ann'), (4, 'Running', '12/31/2026', '32:00', 'Ann'), "
            "(5, 'Running', '1/1/2027', '50:00', 'Ann'), (6, 'Running', '2/28/2028', '16:00', 'Ann'), "
            "(7, 'Running', '2/29/2028', '1:00:00', 'Ann'), (8, 'Running', '3/1/2028', '8:00', 'Ann'), "
            "(9, 'Cycling', '12/12/2026', '1:00:00', 'Ann'), (10, 'Swimming', '12/13/2026', '45:00', 'Ann'), "
            "(11, 'Other', '12/12/2026', '15:00', 'Ann'), (12, 'Other', '12/11/2026', 'soon', 'Ann'), "
            "(13, 'Running', '12/12/2026', '5:00:00', 'Bob')");
        exec("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (1, 10, 16.1), (2, 5, 8), "
             "(3, 3, 4.8), (4, 4, 6.4), (5, 6, 9.7), (6, 2, 3.2), (7, 7, 11.3), (8, 1, 1.6), (13, 100, "
             "160.9)");
        exec("INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (9, 20, 32.2)");
        exec("INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (10, 40)");
    }
    void setGoal(const QString& kind, const QString& period, const QString& distance, const QString& time,
                 bool miles = true) {
        Goals::save(*db(), "Ann", Goals::make(kind, period, distance, time, miles));
    }
};

struct ProgressCase {
    const char* name;
    const char* kind;
    const char* period;
    const char* distance;
    const char* time;
    QDate date;
    bool miles;
    const char* line;
};

class GoalProgressTest : public GoalsTest, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(GoalProgressTest, CountsTheWorkoutsOfThePeriod) {
    const ProgressCase& c = GetParam();
    setGoal(c.kind, c.period, c.distance, c.time, c.miles);
    const std::vector<GoalProgress> p = Goals::progress(*db(), "Ann", c.date, c.miles);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(Goals::line(p[0]), QString::fromUtf8(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Edges, GoalProgressTest,
    ::testing::Values(ProgressCase{"SaturdayEndsTheWeek", "Running", "week", "25", "", QDate(2026, 12, 12),
                                   true, "Running\tweek\t2026-12-06\t2026-12-12\t25.0\t5.0\t20"},
                      ProgressCase{"SundayStartsTheNext", "Running", "week", "25", "", QDate(2026, 12, 13),
                                   true, "Running\tweek\t2026-12-13\t2026-12-19\t25.0\t3.0\t12"},
                      ProgressCase{"WeekAcrossNewYear", "Running", "week", "25", "", QDate(2027, 1, 1), true,
                                   "Running\tweek\t2026-12-27\t2027-01-02\t25.0\t10.0\t40"},
                      ProgressCase{"NewYearsDay", "Running", "year", "1000", "", QDate(2027, 1, 1), true,
                                   "Running\tyear\t2027-01-01\t2027-12-31\t1000.0\t6.0\t1"},
                      ProgressCase{"MonthEnd", "Running", "month", "100", "", QDate(2026, 11, 30), true,
                                   "Running\tmonth\t2026-11-01\t2026-11-30\t100.0\t10.0\t10"},
                      ProgressCase{"LeapFebruary", "Running", "month", "20", "", QDate(2028, 2, 29), true,
                                   "Running\tmonth\t2028-02-01\t2028-02-29\t20.0\t9.0\t45"},
                      ProgressCase{"LeapDayWeek", "Running", "week", "20", "", QDate(2028, 2, 29), true,
                                   "Running\tweek\t2028-02-27\t2028-03-04\t20.0\t10.0\t50"},
                      ProgressCase{"Kilometres", "Running", "week", "40", "", QDate(2026, 12, 12), false,
                                   "Running\tweek\t2026-12-06\t2026-12-12\t40.0\t8.0\t20"},
                      ProgressCase{"SwimmingLaps", "swimming", "Week", "100", "", QDate(2026, 12, 13), false,
                                   "Swimming\tweek\t2026-12-13\t2026-12-19\t100.0\t40.0\t40"},
                      // 40:00 + 1:00:00 + 15:00 of 5 hours; an unreadable time adds nothing.
                      ProgressCase{"AllKindsByTime", "All", "week", "", "5:00", QDate(2026, 12, 12), true,
                                   "All\tweek\t2026-12-06\t2026-12-12\t5:00:00\t1:55:00\t38"},
                      ProgressCase{"RunningTime", "Running", "month", "", "10:00", QDate(2026, 12, 31), true,
                                   "Running\tmonth\t2026-12-01\t2026-12-31\t10:00:00\t1:37:00\t16"},
                      ProgressCase{"NoWorkouts", "Cycling", "month", "100", "", QDate(2027, 6, 15), true,
                                   "Cycling\tmonth\t2027-06-01\t2027-06-30\t100.0\t0.0\t0"}),
    CaseName());

struct Refusal {
    const char* name;
    const char* kind;
    const char* period;
    const char* distance;
    const char* time;
    bool miles;
    const char* message;
};

class GoalRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(GoalRefusalTest, SaysWhatIsWrong) {
    const Refusal& r = GetParam();
    try {
        Goals::make(r.kind, r.period, r.distance, r.time, r.miles);
        ADD_FAILURE() << "accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), QString::fromUtf8(r.message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, GoalRefusalTest,
    ::testing::Values(
        Refusal{"Kind", "Walking", "week", "5", "", true,
                "The kind must be Running, Cycling, Swimming or All."},
        Refusal{"Period", "Running", "day", "5", "", true, "The period must be week, month or year."},
        Refusal{"BothTargets", "Running", "week", "5", "1:00", true, "Enter either a distance or a time."},
        Refusal{"NotANumber", "Running", "week", "5 mi", "", true,
                "The distance must be a number from 0.1 to 7000 miles for a week."},
        Refusal{"UnderOneDecimal", "Cycling", "year", "0.04", "", false,
                "The distance must be a number from 0.1 to 588894 km for a year."},
        Refusal{"PastTheLimit", "Swimming", "month", "31001", "", true,
                "The distance must be a number from 0.1 to 31000 laps for a month."},
        Refusal{"AllByDistance", "All", "week", "5", "", true, "A goal for all workouts takes a time only."},
        Refusal{"SecondsOnly", "Running", "week", "", "45", true,
                "The time must be hours and minutes (h:mm), more than 0:00 and at most 168:00 for a week."},
        Refusal{"LongerThanTheWeek", "All", "week", "", "168:01", true,
                "The time must be hours and minutes (h:mm), more than 0:00 and at most 168:00 for a week."}),
    CaseName());

TEST_F(GoalsTest, OneGoalPerKindAndPeriodWhoseTargetIsReplaced) {
    setGoal("Running", "week", "25", "");
    setGoal("running", "week", "", "4:30");
    setGoal("All", "year", "", "500:00");
    EXPECT_EQ(rows("SELECT Kind, Period, ifnull(Distance, '-'), Minutes FROM Goals ORDER BY Kind"),
              QStringList({"All|year|-|30000", "Running|week|-|270"}));
    EXPECT_THROW(Goals::save(*db(), "Nobody", Goals::make("Running", "week", "5", "", true)), DbError);
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
    EXPECT_EQ(calendar.mossCalendar1->CalendarNote(),
              "Running this week: 8 of 40.2 km (20%)\nRunning this month: 1:37:00 of 20:00:00 (8%)");
    shot(&calendar, "calendar-goals");

    main.cbUsers->setCurrentText("Bob");
    QTest::qWait(20);
    EXPECT_EQ(status->text(), "");
    Clock::reset();
}

} // namespace
