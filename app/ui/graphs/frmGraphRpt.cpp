#include "frmGraphRpt.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "Dialogs.h"
#include "FormLoad.h"
#include "SeriesColors.h"
#include "SharedState.h"
#include "WorkoutKinds.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

frmGraphRpt::frmGraphRpt(SharedState& state, QWidget* parent) : GraphWindow(state, parent) {
    setObjectName(QStringLiteral("frmGraphRpt"));
    setWindowTitle(QStringLiteral("Running Graph"));
    lblTitle->setText(QStringLiteral("Running Graphs"));

    txtRptType = new QLineEdit(this);
    txtRptType->setObjectName(QStringLiteral("txtRptType"));
    txtRptType->hide();

    auto* output = new QGroupBox(QStringLiteral("Chart Output"), this);
    output->setObjectName(QStringLiteral("fraChartOutput"));
    optMiles = new QRadioButton(QStringLiteral("Miles by Month"), output);
    optMiles->setObjectName(QStringLiteral("optMiles"));
    optMiles->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    optMiles->setToolTip(QStringLiteral("Report total miles"));
    optPace = new QRadioButton(QStringLiteral("Avg Run/Pace"), output);
    optPace->setObjectName(QStringLiteral("optPace"));
    optPace->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    optPace->setToolTip(QStringLiteral("Report average miles and average pace"));
    auto* o = new QVBoxLayout(output);
    o->addWidget(optMiles);
    o->addWidget(optPace);
    outputSlot()->addWidget(output);

    m_formLoad = new FormLoad(this, [this] {
        optMiles->setChecked(true);
        optCurrentYear->setChecked(true);
    });
}

void frmGraphRpt::openGraph(const QString& kind) {
    Form_Load();
    txtRptType->setText(kind);
}

void frmGraphRpt::Form_Load() {
    m_formLoad->run();
}

void frmGraphRpt::showEvent(QShowEvent* event) {
    GraphWindow::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

GraphTables::Sport frmGraphRpt::sport() const {
    return GraphTables::sportOf(txtRptType->text()).value_or(GraphTables::Sport::Running);
}

QColor frmGraphRpt::sportColor() const {
    return SeriesColors::ofKind(GraphTables::kindOf(sport()));
}

void frmGraphRpt::Form_Activate() {
    Form_Load();
    bMiles = m_state.miles();
    optMiles->setText(bMiles ? QStringLiteral("Miles by Month") : QStringLiteral("KM by Month"));
    if (sport() == GraphTables::Sport::Cycling) {
        sLogTable = QStringLiteral("Cycling_Log");
        sLogID = QStringLiteral("Cycling_ID");
        setWindowTitle(QStringLiteral("Cycling Graph"));
        lblTitle->setText(QStringLiteral("Cycling Graphs"));
        optPace->setText(QStringLiteral("Avg Bike/Pace"));
    } else {
        sLogTable = QStringLiteral("Running_Log");
        sLogID = QStringLiteral("Running_ID");
        setWindowTitle(QStringLiteral("Running Graph"));
    }
    // The month lists belong to the opening: filled once, never appended to again.
    if (!m_monthsFilled) {
        m_monthsFilled = true;
        FillDateCombo();
    }
    SetDateCombos();
    drawFirstChart();
}

void frmGraphRpt::FillDateCombo() {
    try {
        auto conn = CLibrary().GetConnection();
        fillMonthLists(GraphTables::workoutMonths(*conn, m_state.currentUser(), sport()));
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve date data - ") + describe(e) +
                                   QStringLiteral(" - In frmGraphRpt FillDateCombo"));
    }
}

void frmGraphRpt::btnCreateChart_Click() {
    if (optMiles->isChecked())
        CreateChart();
    else
        CreatePaceChart();
}

void frmGraphRpt::CreateChart() {
    try {
        auto conn = CLibrary().GetConnection();
        const ChartTable table =
            GraphTables::distanceTotals(*conn, m_state.currentUser(), sport(), bMiles, selection());
        RunChart->setTitle(chartTitle(table));
        RunChart->setChartType(chartTypeCode());
        RunChart->setShowLegend(true);
        RunChart->setTitleFontName(QStringLiteral("Comic Sans MS"));
        RunChart->setLegendFontName(QStringLiteral("Comic Sans MS"));
        RunChart->setChartData(table.grid());
        RunChart->setSeriesLabel(1, table.seriesLabels.value(0));
        RunChart->setSeriesColor(1, sportColor());
        RunChart->setXAxisLabelFormat(12, QStringLiteral("Comic Sans MS"), QColor(10, 20, 30));
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve data - ") + describe(e) +
                                   QStringLiteral(" - In frmGraphRpt CreateChart"));
    }
}

void frmGraphRpt::CreatePaceChart() {
    try {
        auto conn = CLibrary().GetConnection();
        const ChartTable table =
            GraphTables::averagePace(*conn, m_state.currentUser(), sport(), bMiles, selection());
        RunChart->setTitle(chartTitle(table));
        RunChart->setChartType(chartTypeCode());
        RunChart->setChartData(table.grid());
        for (int s = 0; s < table.seriesLabels.size(); ++s)
            RunChart->setSeriesLabel(s + 1, table.seriesLabels.at(s));
        // The distance in the kind's colour, the pace or speed beside it in another.
        RunChart->setSeriesColor(1, sportColor());
        RunChart->setSeriesColor(2, SeriesColors::secondMeasure());
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve data - ") + describe(e) +
                                   QStringLiteral(" - In frmGraphRpt CreatePaceChart"));
    }
}
