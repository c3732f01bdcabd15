#pragma once

#include <QDialog>

class FormLoad;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// "Heart Rate": the current user's maximum and resting heart rate in bpm and the lower bounds of
// zones 1 to 5 in percent of the maximum, with the bpm each zone starts at. Values a person cannot
// have are refused with a message and nothing is saved.
class frmHeartRate : public QDialog {
    Q_OBJECT
  public:
    explicit frmHeartRate(SharedState& state, QWidget* parent = nullptr);

    // Shows the stored settings. Runs once, on first show (or when called earlier).
    void Form_Load();

    void btnSave_Click();
    void btnExit_Click();

    QLineEdit* txtMax = nullptr;
    QLineEdit* txtRest = nullptr;
    QLineEdit* txtZone[5] = {};
    QLabel* lblBounds = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnExit = nullptr;

  private:
    void showBounds();

    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
};
