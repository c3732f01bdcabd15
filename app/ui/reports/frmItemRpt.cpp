#include "frmItemRpt.h"

#include "Clock.h"
#include "ReportExport.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "Dialogs.h"
#include "EquipmentUsage.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "SeriesColors.h"
#include "SharedState.h"
#include "frmAddBike.h"
#include "frmAddShoe.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int WidestLine = 100; // characters
} // namespace

frmItemRpt::frmItemRpt(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmItemRpt"));
    setWindowTitle(QStringLiteral("Item Report"));

    txtRptType = new QLineEdit(this);
    txtRptType->setObjectName(QStringLiteral("txtRptType"));
    txtRptType->hide();

    ItemChart = new ChartControl(this);
    ItemChart->setObjectName(QStringLiteral("ItemChart"));

    lstItemRpt = new QListWidget(this);
    lstItemRpt->setObjectName(QStringLiteral("lstItemRpt"));
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    lstItemRpt->setFont(fixed);
    lstItemRpt->setToolTip(QStringLiteral("Double-click to open the catalog"));
    connect(lstItemRpt, &QListWidget::itemDoubleClicked, this, [this] { lstItemRpt_DblClick(); });

    btnExportCsv = new QPushButton(QStringLiteral("Export CSV..."), this);
    btnExportCsv->setObjectName(QStringLiteral("btnExportCsv"));
    btnExportCsv->setToolTip(QStringLiteral("Save the list for a spreadsheet"));
    btnExportPdf = new QPushButton(QStringLiteral("Export PDF..."), this);
    btnExportPdf->setObjectName(QStringLiteral("btnExportPdf"));
    btnExportPdf->setToolTip(QStringLiteral("Save the chart and the list as pages to print"));
    connect(btnExportCsv, &QPushButton::clicked, this, [this] { btnExportCsv_Click(); });
    connect(btnExportPdf, &QPushButton::clicked, this, [this] { btnExportPdf_Click(); });
    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch();
    exportRow->addWidget(btnExportCsv);
    exportRow->addWidget(btnExportPdf);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ItemChart, 3);
    layout->addWidget(lstItemRpt, 2);
    layout->addLayout(exportRow);
    resize(Fields::twips(9600), Fields::twips(7800));
    // Wide enough for the bike list's 98 columns up to the share of the limit.
    Fields::widenForColumns(this, lstItemRpt, WidestLine);

    m_formLoad = new FormLoad(this, [this] { bMiles = m_state.miles(); });
}

void frmItemRpt::openReport(const QString& kind) {
    Form_Load();
    txtRptType->setText(kind);
}

void frmItemRpt::Form_Load() {
    m_formLoad->run();
}

void frmItemRpt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Activate();
}

void frmItemRpt::Form_Activate() {
    Form_Load();
    lstItemRpt->clear();
    m_chart = ChartTable{};
    const QString kind = txtRptType->text();
    if (kind == QLatin1String("Shoe")) {
        setWindowTitle(QStringLiteral("Shoe Report"));
        ShoeUsageRpt();
    } else if (kind == QLatin1String("Bike")) {
        setWindowTitle(QStringLiteral("Bike Report"));
        BikeUsageRpt();
    } else {
        Dialogs::message(this, QStringLiteral("Program Error"));
        // Closing from inside show would leave a modal loop running; close once it runs.
        QTimer::singleShot(0, this, &QDialog::reject);
    }
}

void frmItemRpt::ShoeUsageRpt() {
    usageReport(QStringLiteral("Shoe"), QStringLiteral("ShoeUsageRpt"));
}

void frmItemRpt::BikeUsageRpt() {
    usageReport(QStringLiteral("Bike"), QStringLiteral("BikeUsageRpt"));
}

void frmItemRpt::usageReport(const QString& kind, const QString& routine) {
    try {
        auto conn = CLibrary().GetConnection();
        const EquipmentUsage::Report report =
            EquipmentUsage::build(*conn, m_state.currentUser(), kind, bMiles);
        ItemChart->setTitle(report.chart.title);
        ItemChart->setChartType(ChartControl::Bar);
        // The legend tells the second series (items past their retirement distance) apart.
        ItemChart->setShowLegend(report.chart.seriesLabels.size() > 1);
        ItemChart->setChartData(report.chart.grid());
        for (int s = 0; s < report.chart.seriesLabels.size(); ++s)
            ItemChart->setSeriesLabel(s + 1, report.chart.seriesLabels.at(s));
        // Items past their limit stand out in a warning colour; the axis is the distance.
        ItemChart->setSeriesColor(2, SeriesColors::pastLimit());
        ItemChart->setValueAxisTitle(report.chart.title);
        lstItemRpt->addItems(report.lines);
        m_chart = report.chart;
    } catch (const std::exception& e) {
        // The report would otherwise stay silently empty.
        Dialogs::message(this, QStringLiteral("Could not retrieve equipment data - ") + describe(e) +
                                   QStringLiteral(" - In frmItemRpt ") + routine);
    }
}

void frmItemRpt::lstItemRpt_DblClick() {
    const QString kind = txtRptType->text();
    if (kind == QLatin1String("Shoe")) {
        frmAddShoe dlg(m_state, this);
        Dialogs::execModal(&dlg);
    } else if (kind == QLatin1String("Bike")) {
        frmAddBike dlg(m_state, this);
        Dialogs::execModal(&dlg);
    } else {
        return;
    }
    // Back from the catalog: show what changed there.
    Form_Activate();
}

void frmItemRpt::btnExportCsv_Click() {
    QStringList lines;
    for (int i = 0; i < lstItemRpt->count(); ++i)
        lines << lstItemRpt->item(i)->text();
    ReportExport::toCsv(this, lines, windowTitle());
}

void frmItemRpt::btnExportPdf_Click() {
    QStringList lines;
    for (int i = 0; i < lstItemRpt->count(); ++i)
        lines << lstItemRpt->item(i)->text();
    ReportExport::toPdf(this, lines,
                        {windowTitle(), m_state.currentUser(), txtRptType->text(), Clock::today()}, &m_chart);
}
