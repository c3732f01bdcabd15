#pragma once

#include "GraphTables.h"

#include <QDialog>

class ChartControl;
class FormLoad;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class SharedState;

// What the two graph windows share: the period filter with its month lists, the chart-type
// options, Create Chart and EXIT, the heading and the chart. A filter option only enables its
// month lists; a chart-type option redraws at once; the subclass draws the chart.
class GraphWindow : public QDialog {
    Q_OBJECT
  public:
    // Filter (frame "Filter")
    QRadioButton* optAllMonths = nullptr;
    QRadioButton* optCurrentYear = nullptr;
    QRadioButton* optDateRange = nullptr;
    QComboBox* cbBeginMonth = nullptr;
    QComboBox* cbEndMonth = nullptr;
    QRadioButton* optSingleMonth = nullptr;
    QComboBox* cbSingleMonth = nullptr;
    QRadioButton* optCompareYears = nullptr;
    QRadioButton* optCompareMonths = nullptr;
    QComboBox* cbCompareMonths = nullptr;
    // Chart types (frame "Chart Types")
    QRadioButton* optBar = nullptr;
    QRadioButton* optLine = nullptr;
    QRadioButton* optArea = nullptr;
    QRadioButton* optStep = nullptr;
    QPushButton* btnCreateChart = nullptr;
    QPushButton* btnExit = nullptr;
    QLabel* lblTitle = nullptr;
    ChartControl* RunChart = nullptr;

    // Enables each month list exactly when its filter option is on.
    void SetDateCombos();
    void btnExit_Click();
    virtual void btnCreateChart_Click() = 0;

    // The chart-type code of the option that is on: 1 bar, 3 line, 5 area, otherwise 7 step.
    int chartTypeCode() const;
    // The filter and months as the options and lists stand now; with no filter option on,
    // a single month.
    GraphTables::Selection selection() const;

  protected:
    GraphWindow(SharedState& state, QWidget* parent);

    // Lists the months (oldest first) in the three month lists, the beginning list showing
    // the first, the ending and single lists the last; the month names in the compare list.
    // Lists are refilled, never appended to.
    void fillMonthLists(const QStringList& months);
    // Turns the bar chart option on and draws the chart once.
    void drawFirstChart();
    // The title a chart is shown with: the table's own, saying so when there are no workouts
    // to draw ("Avg Run And Pace Current Year - No Workouts").
    static QString chartTitle(const ChartTable& table);

    // Where the subclass puts its "Chart Output" frame, between the filter and the chart types.
    QVBoxLayout* outputSlot() const { return m_outputSlot; }

    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;

  private:
    QVBoxLayout* m_outputSlot = nullptr;
};
