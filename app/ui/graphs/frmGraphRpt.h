#pragma once

#include "GraphWindow.h"

#include <QColor>

class QLineEdit;
class QShowEvent;

// Distance and pace graphs of one sport, running or cycling (txtRptType, set by the opener;
// anything but "Cycling" is running): distance totals, or average distance with pace or
// speed, per month, year, range or workout. Opens with this year's totals as a bar chart.
class frmGraphRpt : public GraphWindow {
    Q_OBJECT
  public:
    explicit frmGraphRpt(SharedState& state, QWidget* parent = nullptr);

    // Sets the sport ("Running" or "Cycling") before the window is shown.
    void openGraph(const QString& kind);

    void Form_Load();
    // The unit, the captions of the sport, the month lists (once per opening) and the first chart.
    void Form_Activate();
    void btnCreateChart_Click() override;
    void CreateChart();
    void CreatePaceChart();
    void FillDateCombo();

    QLineEdit* txtRptType = nullptr;
    QRadioButton* optMiles = nullptr;
    QRadioButton* optPace = nullptr;

    bool bMiles = true;
    QString sLogTable = QStringLiteral("Running_Log");
    QString sLogID = QStringLiteral("Running_ID");

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    GraphTables::Sport sport() const;
    // The colour of the sport's series.
    QColor sportColor() const;
    bool m_monthsFilled = false;
};
