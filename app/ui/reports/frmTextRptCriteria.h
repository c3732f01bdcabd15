#pragma once

#include <QDialog>

class DatePicker;
class FormLoad;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class SharedState;

// "Report Criteria": builds the criteria fragment that narrows a text report, from a date
// limit, three numeric comparisons, the bike or race type, and a multi-select list of
// courses, locations, videos, exercises or race names. The report window sets the kind with
// setKind() and reads fragment() after OK; Cancel leaves its criteria as they were.
class frmTextRptCriteria : public QDialog {
    Q_OBJECT
  public:
    explicit frmTextRptCriteria(SharedState& state, QWidget* parent = nullptr);

    // Lays the dialog out for a report kind; false (nothing changed) for an unknown kind.
    bool setKind(const QString& kind);
    // The fragment built by OK.
    QString fragment() const { return m_fragment; }

    void Form_Load();
    // Fills the list and the combo box and sets the date controls to the last month.
    void Form_Activate();

    void chkLimitByDate_Click();
    void optCurrentMonth_Click();
    void optCurrentYear_Click();
    void optDateRange_Click();
    void txtEqualMiles_Change();
    void txtGtrMiles_Change();
    void txtLessMiles_Change();
    void btnOK_Click();
    void btnCancel_Click();

    QCheckBox* chkLimitByDate = nullptr;
    QGroupBox* fraDateRange = nullptr;
    QRadioButton* optCurrentMonth = nullptr;
    QRadioButton* optCurrentYear = nullptr;
    QRadioButton* optDateRange = nullptr;
    DatePicker* DTBeginDate = nullptr;
    DatePicker* DTEndDate = nullptr;
    QLabel* lblEqual = nullptr;
    QLabel* lblGtr = nullptr;
    QLabel* lblLess = nullptr;
    QLabel* lblOR = nullptr;
    QLineEdit* txtEqualMiles = nullptr;
    QLineEdit* txtGtrMiles = nullptr;
    QLineEdit* txtLessMiles = nullptr;
    QLabel* lstLabel = nullptr;
    QListWidget* lstCourses = nullptr;
    QLabel* lblBike = nullptr;
    QComboBox* cbBike = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QLineEdit* txtID = nullptr;

    bool bMiles = true;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void EnableDatePickers(bool enabled);
    void numericChanged(QLineEdit* changed, QLineEdit* other);

    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
    QString m_fragment;
};
