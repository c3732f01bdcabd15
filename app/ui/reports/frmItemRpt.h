#pragma once

#include "ChartTable.h"

#include <QDialog>

class ChartControl;
class FormLoad;
class QLineEdit;
class QPushButton;
class QListWidget;
class QShowEvent;
class SharedState;

// The equipment usage report: the distance on each active pair of shoes or each active bike,
// as a bar chart and a fixed-width list. The opener puts "Shoe" or "Bike" into txtRptType
// (or calls openReport). A double-click on the list opens the matching catalog; the report is
// read again when that closes, so a change made there shows at once.
class frmItemRpt : public QDialog {
    Q_OBJECT
  public:
    explicit frmItemRpt(SharedState& state, QWidget* parent = nullptr);

    // Sets the report kind ("Shoe" or "Bike") before the window is shown.
    void openReport(const QString& kind);

    void Form_Load();
    // Clears the list and runs the report of the kind in txtRptType; any other kind shows
    // "Program Error" and closes the window.
    void Form_Activate();
    void lstItemRpt_DblClick();
    void btnExportCsv_Click();
    void btnExportPdf_Click();

    QLineEdit* txtRptType = nullptr;
    QListWidget* lstItemRpt = nullptr;
    ChartControl* ItemChart = nullptr;
    QPushButton* btnExportCsv = nullptr;
    QPushButton* btnExportPdf = nullptr;

    bool bMiles = true;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShoeUsageRpt();
    void BikeUsageRpt();
    void usageReport(const QString& kind, const QString& routine);

    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
    ChartTable m_chart; // what ItemChart shows, for the PDF
};
