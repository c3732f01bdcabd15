#include "frmItemRpt.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "Dialogs.h"
#include "EquipmentUsage.h"
#include "FieldHelpers.h"
#include "FormLoad.h"
#include "SharedState.h"
#include "frmAddBike.h"
#include "frmAddShoe.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ItemChart, 3);
    layout->addWidget(lstItemRpt, 2);
    resize(Fields::twips(9600), Fields::twips(7800));

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
        ItemChart->setShowLegend(false);
        ItemChart->setChartData(report.chart.grid());
        ItemChart->setSeriesLabel(1, report.chart.seriesLabels.value(0));
        lstItemRpt->addItems(report.lines);
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
