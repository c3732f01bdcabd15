#include "frmGraphTime.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "Dialogs.h"
#include "FormLoad.h"
#include "SeriesColors.h"
#include "SharedState.h"
#include "WorkoutKinds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QCheckBox* kindBox(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setToolTip(tip);
    c->setChecked(true);
    c->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    return c;
}

} // namespace

frmGraphTime::frmGraphTime(SharedState& state, QWidget* parent) : GraphWindow(state, parent) {
    setObjectName(QStringLiteral("frmGraphTime"));
    setWindowTitle(QStringLiteral("Graph Times"));
    lblTitle->setText(QStringLiteral("Time Graphs"));

    auto* output = new QGroupBox(QStringLiteral("Chart Output"), this);
    output->setObjectName(QStringLiteral("fraChartOutput"));
    optTogether = new QRadioButton(QStringLiteral("All Exercises"), output);
    optTogether->setObjectName(QStringLiteral("optTogether"));
    optTogether->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    optTogether->setToolTip(QStringLiteral("Report total time for all exercises."));
    optIndividual = new QRadioButton(QStringLiteral("Individual Exercises"), output);
    optIndividual->setObjectName(QStringLiteral("optIndividual"));
    optIndividual->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    optIndividual->setToolTip(QStringLiteral("Report time for individual exercises."));
    chkRunning = kindBox(output, "chkRunning", WorkoutKinds::Running.nameText(),
                         QStringLiteral("Include time spent running."));
    chkCycling = kindBox(output, "chkCycling", WorkoutKinds::Cycling.nameText(),
                         QStringLiteral("Include time spent cycling."));
    chkSwimming = kindBox(output, "chkSwimming", WorkoutKinds::Swimming.nameText(),
                          QStringLiteral("Include time spent swimming."));
    chkVideo = kindBox(output, "chkVideo", WorkoutKinds::Video.nameText(),
                       QStringLiteral("Include time spent doing exercise videos."));
    chkOther = kindBox(output, "chkOther", WorkoutKinds::Other.nameText(),
                       QStringLiteral("Include time spent doing other exercises."));
    auto* o = new QVBoxLayout(output);
    o->addWidget(optTogether);
    o->addWidget(optIndividual);
    auto* boxes = new QVBoxLayout();
    boxes->setContentsMargins(16, 0, 0, 0);
    for (QCheckBox* c : {chkRunning, chkCycling, chkSwimming, chkVideo, chkOther})
        boxes->addWidget(c);
    o->addLayout(boxes);
    outputSlot()->addWidget(output);
    connect(optTogether, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optTogether_Click();
    });
    connect(optIndividual, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optIndividual_Click();
    });

    m_formLoad = new FormLoad(this, [this] {
        optCurrentYear->setChecked(true);
        FillDateCombo();
        SetDateCombos();
        optTogether->setChecked(true);
        optTogether_Click();
        drawFirstChart();
    });
}

void frmGraphTime::Form_Load() {
    m_formLoad->run();
}

void frmGraphTime::optTogether_Click() {
    for (QCheckBox* c : {chkRunning, chkCycling, chkSwimming, chkVideo, chkOther})
        c->setEnabled(false);
}

void frmGraphTime::optIndividual_Click() {
    for (QCheckBox* c : {chkRunning, chkCycling, chkSwimming, chkVideo, chkOther})
        c->setEnabled(true);
}

GraphTables::Kinds frmGraphTime::kinds() const {
    return {chkRunning->isChecked(), chkCycling->isChecked(), chkSwimming->isChecked(), chkVideo->isChecked(),
            chkOther->isChecked()};
}

void frmGraphTime::FillDateCombo() {
    try {
        auto conn = CLibrary().GetConnection();
        fillMonthLists(GraphTables::workoutMonths(*conn, m_state.currentUser()));
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve date data - ") + describe(e) +
                                   QStringLiteral(" - In frmGraphTime FillDateCombo"));
    }
}

void frmGraphTime::btnCreateChart_Click() {
    if (optTogether->isChecked())
        CreateChart();
    else
        CreateOtherChart();
}

void frmGraphTime::CreateChart() {
    try {
        auto conn = CLibrary().GetConnection();
        const ChartTable table = GraphTables::hoursTogether(*conn, m_state.currentUser(), selection());
        RunChart->setTitle(chartTitle(table));
        RunChart->setChartType(chartTypeCode());
        RunChart->setChartData(table.grid());
        RunChart->setSeriesLabel(1, table.seriesLabels.value(0));
        RunChart->setSeriesColor(1, SeriesColors::allKinds());
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve data - ") + describe(e) +
                                   QStringLiteral(" - In frmGraphTime CreateChart"));
    }
}

void frmGraphTime::CreateOtherChart() {
    try {
        auto conn = CLibrary().GetConnection();
        const ChartTable table =
            GraphTables::hoursIndividual(*conn, m_state.currentUser(), selection(), kinds());
        RunChart->setTitle(chartTitle(table));
        RunChart->setChartType(chartTypeCode());
        RunChart->setChartData(table.grid());
        // Each kind in its own colour, whichever kinds are ticked.
        for (int s = 0; s < table.seriesLabels.size(); ++s) {
            RunChart->setSeriesLabel(s + 1, table.seriesLabels.at(s));
            RunChart->setSeriesColor(s + 1, SeriesColors::ofKind(table.seriesLabels.at(s)));
        }
        RunChart->setShowLegend(true);
    } catch (const std::exception& e) {
        Dialogs::message(this, QStringLiteral("Could not retrieve data - ") + describe(e) +
                                   QStringLiteral(" - In frmGraphTime CreateOtherChart"));
    }
}
