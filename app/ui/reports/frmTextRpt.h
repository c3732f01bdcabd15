#pragma once

#include "TextReport.h"

#include <QDialog>

class FormLoad;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;
class ReportListModel;
class SharedState;

// The text report window: every text report of the program (running, cycling, swimming,
// video, user-defined, combined time and race reports) in full, summary or weekly format,
// narrowed by criteria, shown line by line in a fixed-width font. A double-click on a line
// opens the workout or race behind it, or narrows a summary or weekly report to its month
// or week. The lines come from TextReport::create, the same function trainbook-cli uses.
class frmTextRpt : public QDialog {
    Q_OBJECT
  public:
    explicit frmTextRpt(SharedState& state, QWidget* parent = nullptr);

    // What the main window's report commands do before showing the window: the kind, the
    // stored default to be loaded on activation, and for the race kinds the format frame
    // disabled with no format selected.
    void openReport(const QString& kind);

    void Form_Load();
    // The unit, the stored default criteria (when txtGetCriteria is "True"), the format
    // options and the captions of the kind; an unknown kind shows "Program Error" and closes
    // the window. Runs when the window is shown and again whenever a window it opened closes.
    void Form_Activate();

    void optFullRpt_Click();
    void optSummaryRpt_Click();
    void optWeeklyRpt_Click();
    void btnCreateReport_Click();
    void btnSetCriteria_Click();
    void btnClearCriteria_Click();
    void btnDfltCriteria_Click();
    void btnClearRpt_Click();
    void btnExit_Click();
    void lstReport_DblClick();
    void btnExportCsv_Click();
    void btnExportPdf_Click();

    // The selected format option; None when no option is selected (race reports).
    TextReport::Format selectedFormat() const;
    // The lines shown in lstReport.
    const ReportLines& reportLines() const;

    QLabel* RptLabel = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtCriteria = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* optFullRpt = nullptr;
    QRadioButton* optSummaryRpt = nullptr;
    QRadioButton* optWeeklyRpt = nullptr;
    QCheckBox* chkIncludeComments = nullptr;
    QCheckBox* chkAlwaysClear = nullptr;
    QPushButton* btnCreateReport = nullptr;
    QPushButton* btnSetCriteria = nullptr;
    QPushButton* btnClearCriteria = nullptr;
    QPushButton* btnDfltCriteria = nullptr;
    QPushButton* btnClearRpt = nullptr;
    QPushButton* btnExit = nullptr;
    QPushButton* btnExportCsv = nullptr;
    QPushButton* btnExportPdf = nullptr;
    QListView* lstReport = nullptr;
    QLineEdit* txtRptType = nullptr;
    QLineEdit* txtGetCriteria = nullptr;
    QLineEdit* txtBeginDate = nullptr;
    QLineEdit* txtEndDate = nullptr;

    bool bMiles = true;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // Runs the report of the kind in the given format and shows its lines and message.
    void createReport(TextReport::Format format);
    void openWorkout(const QString& kind, const QString& id);
    void openRace(const QString& kind, const QString& id);

    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
    ReportListModel* m_model = nullptr;
    QString m_appliedCriteria; // the criteria of the last report created, for the PDF
};
