#pragma once

#include "GraphWindow.h"

class QCheckBox;

// Hours spent exercising, over the same period filters as the distance graphs: all kinds
// together as one series, or the ticked kinds side by side. Opens with this year's hours of
// all kinds as a bar chart.
class frmGraphTime : public GraphWindow {
    Q_OBJECT
  public:
    explicit frmGraphTime(SharedState& state, QWidget* parent = nullptr);

    // The month lists, the enabled month lists, All Exercises and the first chart; runs once.
    void Form_Load();
    void btnCreateChart_Click() override;
    void CreateChart();
    void CreateOtherChart();
    void FillDateCombo();
    void optTogether_Click();
    void optIndividual_Click();

    QCheckBox* chkRunning = nullptr;
    QCheckBox* chkCycling = nullptr;
    QCheckBox* chkSwimming = nullptr;
    QCheckBox* chkVideo = nullptr;
    QCheckBox* chkOther = nullptr;
    QRadioButton* optTogether = nullptr;
    QRadioButton* optIndividual = nullptr;

  private:
    GraphTables::Kinds kinds() const;
};
