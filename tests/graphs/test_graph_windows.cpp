// The two graph windows, driven through their controls. (Their menu commands are tested with
// the other commands of the main window.)
#include "GraphData.h"

#include "ChartControl.h"
#include "GraphTables.h"
#include "SeriesColors.h"
#include "frmGraphRpt.h"
#include "frmGraphTime.h"

#include <QAbstractAxis>
#include <QAbstractBarSeries>
#include <QAreaSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

using namespace GraphTables;

class GraphWindowTest : public GraphData {
  protected:
    FixedState state{"ann", true};
    std::unique_ptr<frmGraphRpt> open(const char* kind) {
        auto dlg = std::make_unique<frmGraphRpt>(state);
        dlg->openGraph(kind);
        dlg->show();
        return dlg;
    }
    // The core's tables, which the windows show.
    QString totals(Sport sport, bool miles, const Selection& sel) {
        return distanceTotals(*db(), "ann", sport, miles, sel).text();
    }
    QString pace(Sport sport, bool miles, const Selection& sel) {
        return averagePace(*db(), "ann", sport, miles, sel).text();
    }
};

// The tables shown are the core's for the selection made with the window's controls.
TEST_F(GraphWindowTest, RunningGraphOpensWithThisYearsTotalsAsABarChart) {
    auto dlg = open("Running");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
    EXPECT_EQ(dlg->RunChart->chartType(), ChartControl::Bar);
    EXPECT_EQ(chartText(dlg->RunChart), totals(Sport::Running, true, sel(Filter::CurrentYear)));
    EXPECT_TRUE(dlg->RunChart->showLegend());

    const QStringList months{"March 2025", "May 2025", "January 2026", "March 2026"};
    EXPECT_EQ(items(dlg->cbBeginMonth), months);
    EXPECT_EQ(dlg->cbBeginMonth->currentText(), "March 2025");
    EXPECT_EQ(dlg->cbEndMonth->currentText(), "March 2026");
    EXPECT_EQ(dlg->cbSingleMonth->currentText(), "March 2026");
    EXPECT_EQ(dlg->cbCompareMonths->currentText(), "January");
    dlg->resize(1000, 640);
    shot(dlg.get(), "graph_running_bar");

    // Activated again: the lists are not appended to.
    dlg->hide();
    dlg->show();
    EXPECT_EQ(items(dlg->cbEndMonth), months);
    EXPECT_EQ(dlg->cbCompareMonths->count(), 12);
}

TEST_F(GraphWindowTest, FiltersEnableTheirListsAndChartTypesRedrawAtOnce) {
    auto dlg = open("Running");
    click(dlg->optSingleMonth);
    EXPECT_TRUE(dlg->cbSingleMonth->isEnabled());
    EXPECT_FALSE(dlg->cbBeginMonth->isEnabled());
    EXPECT_EQ(dlg->RunChart->title(), "Miles By Month (Current Year)"); // not redrawn yet
    click(dlg->optLine);
    EXPECT_EQ(dlg->RunChart->chartType(), ChartControl::Line);
    EXPECT_EQ(chartText(dlg->RunChart), totals(Sport::Running, true, sel(Filter::SingleMonth, "March 2026")));

    click(dlg->optDateRange);
    EXPECT_TRUE(dlg->cbBeginMonth->isEnabled() && dlg->cbEndMonth->isEnabled());
    EXPECT_FALSE(dlg->cbSingleMonth->isEnabled());
    dlg->cbBeginMonth->setCurrentText("May 2025");
    dlg->cbEndMonth->setCurrentText("January 2026");
    click(dlg->optPace);
    click(dlg->btnCreateChart);
    const QString range = pace(Sport::Running, true, sel(Filter::DateRange, "May 2025", "January 2026"));
    EXPECT_EQ(chartText(dlg->RunChart), range);
    EXPECT_TRUE(dlg->RunChart->showLegend()); // left as the totals chart set it
    // Months chosen the wrong way round draw the same range.
    dlg->cbBeginMonth->setCurrentText("January 2026");
    dlg->cbEndMonth->setCurrentText("May 2025");
    click(dlg->btnCreateChart);
    EXPECT_EQ(chartText(dlg->RunChart), range);

    click(dlg->optCompareMonths);
    EXPECT_TRUE(dlg->cbCompareMonths->isEnabled());
    dlg->cbCompareMonths->setCurrentText("March");
    for (QRadioButton* type : {dlg->optArea, dlg->optStep, dlg->optBar}) {
        click(type);
        EXPECT_EQ(chartText(dlg->RunChart), pace(Sport::Running, true, sel(Filter::CompareMonths, "March")));
        dlg->resize(1000, 640);
        shot(dlg.get(), QStringLiteral("graph_pace_type_%1").arg(dlg->RunChart->chartType()));
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(GraphWindowTest, CyclingInKilometresHasItsCaptionsAndSpeed) {
    state.setMiles(false);
    auto dlg = open("Cycling");
    EXPECT_EQ(dlg->windowTitle(), "Cycling Graph");
    EXPECT_EQ(dlg->optMiles->text(), "KM by Month");
    EXPECT_EQ(items(dlg->cbSingleMonth), QStringList{"March 2026"});
    EXPECT_EQ(chartText(dlg->RunChart), totals(Sport::Cycling, false, sel(Filter::CurrentYear)));

    click(dlg->optPace);
    click(dlg->optSingleMonth);
    click(dlg->btnCreateChart);
    // A ride without time: speed 0, no error.
    EXPECT_EQ(chartText(dlg->RunChart), pace(Sport::Cycling, false, sel(Filter::SingleMonth, "March 2026")));
    EXPECT_TRUE(messages.isEmpty());
}

// An average chart of a month without workouts after one with workouts: one frame (the axis
// of the earlier rows is not drawn beside it), and a title saying why it is empty.
TEST_F(GraphWindowTest, AnEmptyChartAfterAFullOneHasOneFrame) {
    auto dlg = open("Running");
    click(dlg->optPace);
    click(dlg->optCompareMonths);
    dlg->cbCompareMonths->setCurrentText("February");
    click(dlg->btnCreateChart);
    EXPECT_EQ(dlg->RunChart->title(), "Compare Avg Run and Pace (Months) - No Workouts");
    EXPECT_FALSE(dlg->RunChart->chart()->axes(Qt::Horizontal).value(0)->isVisible());
    shot(dlg.get(), "graph_empty_after_full");
    state.setUser("nobody"); // no months to list either
    EXPECT_EQ(open("Running")->RunChart->title(), "Miles By Month (Current Year) - No Workouts");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(GraphWindowTest, AFailingReadShowsTheProceduresMessages) {
    exec("DROP TABLE Running_Log");
    auto dlg = open("Running");
    click(dlg->optPace);
    click(dlg->btnCreateChart);
    EXPECT_TRUE(messagesAre({"Could not retrieve date data - * - In frmGraphRpt FillDateCombo",
                             "Could not retrieve data - * - In frmGraphRpt CreateChart",
                             "Could not retrieve data - * - In frmGraphRpt CreatePaceChart"}));
}

TEST_F(GraphWindowTest, TimeGraphShowsAllKindsTogetherThenTheTickedKinds) {
    frmGraphTime dlg(state);
    dlg.show();
    EXPECT_EQ(chartText(dlg.RunChart), hoursTogether(*db(), "ann", sel(Filter::CurrentYear)).text());

    click(dlg.optIndividual);
    EXPECT_TRUE(dlg.chkRunning->isEnabled());
    click(dlg.chkRunning);
    click(dlg.chkCycling);
    click(dlg.chkVideo);
    click(dlg.optAllMonths);
    click(dlg.btnCreateChart);
    EXPECT_EQ(
        chartText(dlg.RunChart),
        hoursIndividual(*db(), "ann", sel(Filter::AllMonths), {false, false, true, false, true}).text());
    EXPECT_TRUE(dlg.RunChart->showLegend());

    // Back to all exercises: the boxes are disabled but keep their ticks.
    click(dlg.optTogether);
    EXPECT_FALSE(dlg.chkSwimming->isEnabled());
    EXPECT_FALSE(dlg.chkRunning->isChecked());
    click(dlg.optStep);
    EXPECT_EQ(dlg.RunChart->seriesCount(), 1);
    EXPECT_TRUE(messages.isEmpty());
    dlg.resize(1000, 700);
    shot(&dlg, "graph_time_step");
}

// A kind has one colour in every chart, whichever kinds are ticked; an area lets the ones
// behind it show through.
TEST_F(GraphWindowTest, EachKindKeepsItsColourAcrossChartsAndTicks) {
    auto bars = [](ChartControl* c) {
        return qobject_cast<QAbstractBarSeries*>(c->chart()->series().value(0));
    };
    EXPECT_EQ(bars(open("Cycling")->RunChart)->barSets().at(0)->color(), SeriesColors::ofKind("Cycling"));
    frmGraphTime dlg(state);
    dlg.show();
    click(dlg.optIndividual);
    click(dlg.optAllMonths);
    click(dlg.chkCycling);
    click(dlg.optArea);
    EXPECT_EQ(dlg.RunChart->seriesLabel(2), "Swim");
    for (int s = 1; s <= 4; ++s) {
        auto* area = qobject_cast<QAreaSeries*>(dlg.RunChart->chart()->series().at(s - 1));
        EXPECT_EQ(area->pen().color(), SeriesColors::ofKind(dlg.RunChart->seriesLabel(s))) << s;
        EXPECT_LT(area->brush().color().alpha(), 128);
    }
    EXPECT_EQ(SeriesColors::ofKind("Running"), SeriesColors::ofKind("Run"));
}

} // namespace
