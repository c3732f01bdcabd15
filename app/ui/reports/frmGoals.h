#pragma once

#include <QDialog>

class FormLoad;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class SharedState;

// "Goals": the current user's goals with this period's progress, and the fields to add a goal,
// give one a new target or remove it. A goal is a kind (Running, Cycling, Swimming or All), a
// period (week, month, year) and a target: a distance in the main window's unit (laps for
// swimming) or a time as h:mm. A value that is not a target is refused with a message.
class frmGoals : public QDialog {
    Q_OBJECT
  public:
    explicit frmGoals(SharedState& state, QWidget* parent = nullptr);

    // Lists the goals. Runs once, on first show (or when called earlier).
    void Form_Load();

    void lstGoals_Click();
    void cbKind_Click();
    void btnSave_Click();
    void btnRemove_Click();
    void btnExit_Click();

    QTreeWidget* lstGoals = nullptr;
    QComboBox* cbKind = nullptr;
    QComboBox* cbPeriod = nullptr;
    QRadioButton* optDistance = nullptr;
    QRadioButton* optTime = nullptr;
    QLineEdit* txtTarget = nullptr;
    QLabel* lblUnit = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnRemove = nullptr;
    QPushButton* btnExit = nullptr;

  private:
    void fillList();
    void showUnit();

    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
};
