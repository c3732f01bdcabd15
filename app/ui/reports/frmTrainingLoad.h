#pragma once

#include <QDialog>

class ChartControl;
class DatePicker;
class FormLoad;
class QLabel;
class QRadioButton;
class SharedState;

// "Training Load": the current user's daily load from heart rate as bars, with fitness, fatigue
// and form as lines, over the last 90 days, the last year, all time or a date range. The tooltip
// of a day gives all four values; a line under the chart says how many workouts of the range had
// no heart rate and so add no load.
class frmTrainingLoad : public QDialog {
    Q_OBJECT
  public:
    explicit frmTrainingLoad(SharedState& state, QWidget* parent = nullptr);

    // Draws the chart of the last 90 days. Runs once, on first show (or when called earlier).
    void Form_Load();
    // Draws the chart of the range the options and dates give.
    void redraw();

    QRadioButton* opt90Days = nullptr;
    QRadioButton* optYear = nullptr;
    QRadioButton* optAllTime = nullptr;
    QRadioButton* optDateRange = nullptr;
    DatePicker* dtFrom = nullptr;
    DatePicker* dtTo = nullptr;
    QLabel* lblStatus = nullptr;
    ChartControl* LoadChart = nullptr;

  private:
    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
};
