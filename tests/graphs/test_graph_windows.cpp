// The two graph windows and their menu commands, driven through their controls.
#include "GraphData.h"

#include "ChartControl.h"
#include "MainForm.h"
#include "frmGraphRpt.h"
#include "frmGraphTime.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using GraphWindowTest = GraphData;

TEST_F(GraphWindowTest, RunningGraphOpensWithThisYearsTotalsAsABarChart) {
    FixedState state("ann", true);
    frmGraphRpt dlg(state);
    dlg.openGraph("Running");
    dlg.show();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(dlg.windowTitle(), "Running Graph");
    EXPECT_EQ(dlg.lblTitle->text(), "Running Graphs");
    EXPECT_EQ(dlg.optMiles->text(), "Miles by Month");
    EXPECT_EQ(dlg.optPace->text(), "Avg Run/Pace");
    EXPECT_TRUE(dlg.optMiles->isChecked());
    EXPECT_TRUE(dlg.optCurrentYear->isChecked());
    EXPECT_TRUE(dlg.optBar->isChecked());

    ChartControl* chart = dlg.RunChart;
    EXPECT_EQ(chart->chartType(), ChartControl::Bar);
    EXPECT_EQ(chart->title(), "Miles By Month (Current Year)");
    EXPECT_EQ(chart->rowLabels(), (QStringList{"Jan 26", "Mar 26"}));
    EXPECT_EQ(chart->seriesValues(1), (QList<double>{5, 7}));
    EXPECT_EQ(chart->seriesLabel(1), "Mile");
    EXPECT_TRUE(chart->showLegend());

    const QStringList months{"March 2025", "May 2025", "January 2026", "March 2026"};
    EXPECT_EQ(items(dlg.cbBeginMonth), months);
    EXPECT_EQ(dlg.cbBeginMonth->currentText(), "March 2025");
    EXPECT_EQ(dlg.cbEndMonth->currentText(), "March 2026");
    EXPECT_EQ(dlg.cbSingleMonth->currentText(), "March 2026");
    EXPECT_EQ(dlg.cbCompareMonths->count(), 12);
    EXPECT_EQ(dlg.cbCompareMonths->currentText(), "January");
    EXPECT_FALSE(dlg.cbBeginMonth->isEnabled());
    EXPECT_FALSE(dlg.cbSingleMonth->isEnabled());
    dlg.resize(1000, 640);
    shot(&dlg, "graph_running_bar");

    // Activated again: the lists are not appended to.
    dlg.hide();
    dlg.show();
    EXPECT_EQ(items(dlg.cbEndMonth), months);
    EXPECT_EQ(items(dlg.cbSingleMonth), months);
    EXPECT_EQ(dlg.cbCompareMonths->count(), 12);
}

TEST_F(GraphWindowTest, FiltersEnableTheirListsAndChartTypesRedrawAtOnce) {
    FixedState state("ann", true);
    frmGraphRpt dlg(state);
    dlg.openGraph("Running");
    dlg.show();

    click(dlg.optSingleMonth);
    EXPECT_TRUE(dlg.cbSingleMonth->isEnabled());
    EXPECT_FALSE(dlg.cbBeginMonth->isEnabled());
    EXPECT_EQ(dlg.RunChart->title(), "Miles By Month (Current Year)"); // not redrawn yet
    click(dlg.optLine);
    EXPECT_EQ(dlg.RunChart->chartType(), ChartControl::Line);
    EXPECT_EQ(dlg.RunChart->title(), "March 2026");
    EXPECT_EQ(dlg.RunChart->rowLabels(), (QStringList{"Mar 01", "Mar 31"}));
    EXPECT_EQ(dlg.RunChart->seriesLabel(1), "Miles");

    click(dlg.optDateRange);
    EXPECT_TRUE(dlg.cbBeginMonth->isEnabled() && dlg.cbEndMonth->isEnabled());
    EXPECT_FALSE(dlg.cbSingleMonth->isEnabled());
    dlg.cbBeginMonth->setCurrentText("May 2025");
    dlg.cbEndMonth->setCurrentText("January 2026");
    click(dlg.optPace);
    click(dlg.btnCreateChart);
    EXPECT_EQ(dlg.RunChart->title(), "Avg Run And Pace Date Range");
    EXPECT_EQ(dlg.RunChart->rowLabels(), (QStringList{"May 25", "Jan 26"}));
    EXPECT_EQ(dlg.RunChart->seriesValues(1), (QList<double>{0, 5}));
    EXPECT_EQ(dlg.RunChart->seriesValues(2), (QList<double>{0, 9}));
    EXPECT_EQ(dlg.RunChart->seriesLabel(2), "Avg Pace");
    EXPECT_TRUE(dlg.RunChart->showLegend()); // left as the totals chart set it

    click(dlg.optCompareMonths);
    EXPECT_TRUE(dlg.cbCompareMonths->isEnabled());
    dlg.cbCompareMonths->setCurrentText("March");
    for (QRadioButton* type : {dlg.optArea, dlg.optStep, dlg.optBar}) {
        click(type);
        EXPECT_EQ(dlg.RunChart->title(), "Compare Avg Run and Pace (Months)");
        EXPECT_EQ(dlg.RunChart->rowLabels(), (QStringList{"Mar 25", "Mar 26"}));
        dlg.resize(1000, 640);
        shot(&dlg, QStringLiteral("graph_pace_type_%1").arg(dlg.RunChart->chartType()));
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(GraphWindowTest, CyclingInKilometresHasItsCaptionsAndSpeed) {
    FixedState state("ann", false);
    frmGraphRpt dlg(state);
    dlg.openGraph("Cycling");
    dlg.show();
    EXPECT_EQ(dlg.lblTitle->text(), "Cycling Graphs");
    EXPECT_EQ(dlg.optMiles->text(), "KM by Month");
    EXPECT_EQ(dlg.optPace->text(), "Avg Bike/Pace");
    EXPECT_EQ(dlg.sLogTable, "Cycling_Log");
    EXPECT_EQ(items(dlg.cbSingleMonth), QStringList{"March 2026"});
    EXPECT_EQ(dlg.RunChart->title(), "Kilometers By Month (Current Year)");
    EXPECT_EQ(dlg.RunChart->seriesLabel(1), "KM");

    click(dlg.optPace);
    click(dlg.optSingleMonth);
    click(dlg.btnCreateChart);
    EXPECT_EQ(dlg.RunChart->title(), "Ride And KPH March 2026");
    EXPECT_EQ(dlg.RunChart->rowLabels(), (QStringList{"15 Mar", "16 Mar"}));
    EXPECT_EQ(dlg.RunChart->seriesValues(2).value(1), 0); // a ride without time: speed 0, no error
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(GraphWindowTest, AUserWithoutWorkoutsGetsAnEmptyChartWithItsTitle) {
    FixedState state("nobody", true);
    frmGraphRpt dlg(state);
    dlg.openGraph("Running");
    dlg.show();
    click(dlg.optPace);
    click(dlg.btnCreateChart);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dlg.cbEndMonth->count(), 0);
    EXPECT_EQ(dlg.RunChart->title(), "Avg Run And Pace Current Year");
    EXPECT_TRUE(dlg.RunChart->rowLabels().isEmpty());
    dlg.resize(1000, 640);
    shot(&dlg, "graph_empty");
}

TEST_F(GraphWindowTest, AFailingReadShowsTheProceduresMessages) {
    exec("DROP TABLE Running_Log");
    FixedState state("ann", true);
    frmGraphRpt dlg(state);
    dlg.openGraph("Running");
    dlg.show();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].startsWith("Could not retrieve date data - "));
    EXPECT_TRUE(messages[0].endsWith(" - In frmGraphRpt FillDateCombo"));
    EXPECT_TRUE(messages[1].startsWith("Could not retrieve data - "));
    EXPECT_TRUE(messages[1].endsWith(" - In frmGraphRpt CreateChart"));
    click(dlg.optPace);
    click(dlg.btnCreateChart);
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[2].endsWith(" - In frmGraphRpt CreatePaceChart"));
}

TEST_F(GraphWindowTest, TimeGraphShowsAllKindsTogetherThenTheTickedKinds) {
    FixedState state("ann", true);
    frmGraphTime dlg(state);
    dlg.show();
    EXPECT_TRUE(dlg.optTogether->isChecked());
    EXPECT_FALSE(dlg.chkRunning->isEnabled());
    EXPECT_EQ(dlg.RunChart->chartType(), ChartControl::Bar);
    EXPECT_EQ(dlg.RunChart->title(), "Exercise Hours Current Year");
    EXPECT_EQ(dlg.RunChart->rowLabels(), (QStringList{"Jan 26", "Mar 26"}));
    EXPECT_EQ(dlg.RunChart->seriesLabel(1), "Hours");
    EXPECT_EQ(items(dlg.cbBeginMonth), (QStringList{"March 2025", "May 2025", "January 2026", "March 2026"}));

    click(dlg.optIndividual);
    EXPECT_TRUE(dlg.chkRunning->isEnabled());
    click(dlg.chkRunning);
    click(dlg.chkCycling);
    click(dlg.chkVideo);
    click(dlg.optAllMonths);
    click(dlg.btnCreateChart);
    EXPECT_EQ(dlg.RunChart->title(), "Exercise Hours All Months");
    EXPECT_EQ(dlg.RunChart->seriesCount(), 2);
    EXPECT_EQ(dlg.RunChart->seriesLabel(1), "Swim");
    EXPECT_EQ(dlg.RunChart->seriesLabel(2), "Other");
    EXPECT_EQ(dlg.RunChart->rowLabels(), (QStringList{"Jan 26", "Mar 26"}));
    EXPECT_TRUE(dlg.RunChart->showLegend());

    // Back to all exercises: the boxes are disabled but keep their ticks.
    click(dlg.optTogether);
    EXPECT_FALSE(dlg.chkSwimming->isEnabled());
    EXPECT_FALSE(dlg.chkRunning->isChecked());
    click(dlg.optStep);
    EXPECT_EQ(dlg.RunChart->seriesCount(), 1);
    EXPECT_EQ(dlg.RunChart->chartType(), ChartControl::Step);
    EXPECT_TRUE(messages.isEmpty());
    dlg.resize(1000, 700);
    shot(&dlg, "graph_time_step");
}

TEST_F(GraphWindowTest, TheGraphCommandsOfTheMainMenuOpenTheirWindows) {
    MainForm main;
    for (const char* name :
         {"mnuRunGraphRpt", "mnuBikeGraphRpt", "mnuTimeGraph", "mnuShoeReport", "mnuBikeReport"}) {
        QAction* a = main.action(name);
        ASSERT_TRUE(a) << name;
        EXPECT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }
    EXPECT_EQ(opened,
              (QStringList{"frmGraphRpt", "frmGraphRpt", "frmGraphTime", "frmItemRpt", "frmItemRpt"}));
}

} // namespace
