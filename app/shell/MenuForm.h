#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// The exercise chooser: shows the date clicked on the main window's calendar and opens
// the log window of the chosen kind in add mode for that date.
class MenuForm : public QDialog {
    Q_OBJECT
  public:
    explicit MenuForm(SharedState& state, QWidget* parent = nullptr);

    void btnRun_Click();
    void btnBike_Click();
    void btnSwim_Click();
    void btnVideo_Click();
    void btnOther_Click();
    void btnExit_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* txtDate = nullptr; // "Saturday, 12/5/2026", set by the main window
    QPushButton* btnRun = nullptr;
    QPushButton* btnBike = nullptr;
    QPushButton* btnSwim = nullptr;
    QPushButton* btnVideo = nullptr;
    QPushButton* btnOther = nullptr;
    QPushButton* btnExit = nullptr;

  private:
    template <class LogWindow> void openLog(const char* routine);

    SharedState& m_state;
};
