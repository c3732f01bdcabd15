#include "GraphWindow.h"

#include "ChartControl.h"
#include "FieldHelpers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* option(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    // As wide as its caption: a click beside the caption would not choose it anyway.
    b->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    return b;
}

QComboBox* monthList(QWidget* parent, const char* name, const QString& tip) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setToolTip(tip);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(14); // "September 2026"
    c->setMaxVisibleItems(16);
    return c;
}

} // namespace

GraphWindow::GraphWindow(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    auto* filter = new QGroupBox(QStringLiteral("Filter"), this);
    filter->setObjectName(QStringLiteral("fraFilter"));
    optAllMonths =
        option(filter, "optAllMonths", QStringLiteral("All Months"), QStringLiteral("Rerport all months"));
    optCurrentYear = option(filter, "optCurrentYear", QStringLiteral("Current Year"),
                            QStringLiteral("Report the current year only"));
    optDateRange = option(filter, "optDateRange", QStringLiteral("Date Range"),
                          QStringLiteral("Report for a date range"));
    cbBeginMonth = monthList(filter, "cbBeginMonth", QStringLiteral("Beginning date"));
    cbEndMonth = monthList(filter, "cbEndMonth", QStringLiteral("Ending date"));
    optSingleMonth = option(filter, "optSingleMonth", QStringLiteral("Single Month"),
                            QStringLiteral("Report for a single month"));
    cbSingleMonth = monthList(filter, "cbSingleMonth", QStringLiteral("Month to report"));
    optCompareYears = option(filter, "optCompareYears", QStringLiteral("Compare Years"),
                             QStringLiteral("Report totals for years"));
    optCompareMonths = option(filter, "optCompareMonths", QStringLiteral("Compare Months"),
                              QStringLiteral("Compare months from all years"));
    cbCompareMonths = monthList(filter, "cbCompareMonths", QStringLiteral("Month to compare"));
    cbCompareMonths->addItems(GraphTables::monthNames());
    cbCompareMonths->setCurrentIndex(0);

    auto* f = new QGridLayout(filter);
    f->addWidget(optAllMonths, 0, 0, 1, 2);
    f->addWidget(optCurrentYear, 1, 0, 1, 2);
    f->addWidget(optDateRange, 2, 0, 1, 2);
    f->addWidget(cbBeginMonth, 3, 1);
    f->addWidget(cbEndMonth, 4, 1);
    f->addWidget(optSingleMonth, 5, 0, 1, 2);
    f->addWidget(cbSingleMonth, 6, 1);
    f->addWidget(optCompareYears, 7, 0, 1, 2);
    f->addWidget(optCompareMonths, 8, 0, 1, 2);
    f->addWidget(cbCompareMonths, 9, 1);
    f->setColumnMinimumWidth(0, 16);
    for (QRadioButton* b :
         {optAllMonths, optCurrentYear, optDateRange, optSingleMonth, optCompareYears, optCompareMonths})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                SetDateCombos();
        });

    auto* types = new QGroupBox(QStringLiteral("Chart Types"), this);
    types->setObjectName(QStringLiteral("fraChartTypes"));
    optBar = option(types, "optBar", QStringLiteral("Bar Chart"), QStringLiteral("Create a bar chart"));
    optLine = option(types, "optLine", QStringLiteral("Line Chart"), QStringLiteral("Create a line chart"));
    optArea = option(types, "optArea", QStringLiteral("Area Chart"), QStringLiteral("Create an area chart"));
    optStep = option(types, "optStep", QStringLiteral("Step Chart"), QStringLiteral("Create a step chart"));
    auto* t = new QGridLayout(types);
    t->addWidget(optBar, 0, 0);
    t->addWidget(optLine, 0, 1);
    t->addWidget(optArea, 1, 0);
    t->addWidget(optStep, 1, 1);
    // Choosing a chart type, by mouse or arrow keys, redraws at once.
    for (QRadioButton* b : {optBar, optLine, optArea, optStep})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                btnCreateChart_Click();
        });

    btnCreateChart = new QPushButton(QStringLiteral("Create Chart"), this);
    btnCreateChart->setObjectName(QStringLiteral("btnCreateChart"));
    btnCreateChart->setToolTip(QStringLiteral("Create the chart"));
    btnCreateChart->setDefault(true);
    connect(btnCreateChart, &QPushButton::clicked, this, [this] { btnCreateChart_Click(); });
    btnExit = new QPushButton(QStringLiteral("EXIT"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setToolTip(QStringLiteral("Exit the form"));
    connect(btnExit, &QPushButton::clicked, this, &GraphWindow::btnExit_Click);

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont heading = lblTitle->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.6);
    heading.setBold(true);
    lblTitle->setFont(heading);
    lblTitle->setAlignment(Qt::AlignCenter);

    RunChart = new ChartControl(this);
    RunChart->setObjectName(QStringLiteral("RunChart"));
    RunChart->setMinimumSize(Fields::twips(8400), Fields::twips(5400));

    auto* side = new QVBoxLayout();
    side->addWidget(filter);
    m_outputSlot = new QVBoxLayout();
    side->addLayout(m_outputSlot);
    side->addWidget(types);
    side->addStretch(1);
    side->addWidget(btnCreateChart);
    side->addWidget(btnExit);

    auto* main = new QVBoxLayout();
    main->addWidget(lblTitle);
    main->addWidget(RunChart, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addLayout(main, 1);
}

void GraphWindow::SetDateCombos() {
    cbBeginMonth->setEnabled(optDateRange->isChecked());
    cbEndMonth->setEnabled(optDateRange->isChecked());
    cbSingleMonth->setEnabled(optSingleMonth->isChecked());
    cbCompareMonths->setEnabled(optCompareMonths->isChecked());
}

void GraphWindow::btnExit_Click() {
    reject();
}

int GraphWindow::chartTypeCode() const {
    if (optBar->isChecked())
        return 1;
    if (optLine->isChecked())
        return 3;
    if (optArea->isChecked())
        return 5;
    return 7;
}

GraphTables::Selection GraphWindow::selection() const {
    using GraphTables::Filter;
    GraphTables::Selection sel;
    sel.filter = optAllMonths->isChecked()       ? Filter::AllMonths
                 : optCurrentYear->isChecked()   ? Filter::CurrentYear
                 : optDateRange->isChecked()     ? Filter::DateRange
                 : optCompareYears->isChecked()  ? Filter::CompareYears
                 : optCompareMonths->isChecked() ? Filter::CompareMonths
                                                 : Filter::SingleMonth;
    sel.beginMonth = cbBeginMonth->currentText();
    sel.endMonth = cbEndMonth->currentText();
    sel.singleMonth = cbSingleMonth->currentText();
    sel.compareMonth = cbCompareMonths->currentText();
    return sel;
}

void GraphWindow::fillMonthLists(const QStringList& months) {
    for (QComboBox* c : {cbBeginMonth, cbEndMonth, cbSingleMonth}) {
        c->clear();
        c->addItems(months);
    }
    if (!months.isEmpty()) {
        cbBeginMonth->setCurrentIndex(0);
        cbEndMonth->setCurrentIndex(int(months.size() - 1));
        cbSingleMonth->setCurrentIndex(int(months.size() - 1));
    }
}

QString GraphWindow::chartTitle(const ChartTable& table) {
    return table.rows.isEmpty() ? table.title + QStringLiteral(" - No Workouts") : table.title;
}

void GraphWindow::drawFirstChart() {
    if (optBar->isChecked())
        btnCreateChart_Click();
    else
        optBar->setChecked(true); // draws through its toggle
}
