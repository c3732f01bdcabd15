#pragma once

#include <QDialog>

class QDate;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;
namespace WorkoutKinds {
struct Kind;
}

// The exercise chooser: shows the date clicked on the main window's calendar and opens
// the log window of the chosen kind in add mode for that date.
class MenuForm : public QDialog {
    Q_OBJECT
  public:
    explicit MenuForm(SharedState& state, QWidget* parent = nullptr);

    // Shows `date` as the date the workout is for ("Saturday, 12/5/2026").
    void openFor(const QDate& date);

    void btnRun_Click();
    void btnBike_Click();
    void btnSwim_Click();
    void btnVideo_Click();
    void btnOther_Click();
    void btnExit_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* txtDate = nullptr; // "Saturday, 12/5/2026", set by openFor
    QPushButton* btnRun = nullptr;
    QPushButton* btnBike = nullptr;
    QPushButton* btnSwim = nullptr;
    QPushButton* btnVideo = nullptr;
    QPushButton* btnOther = nullptr;
    QPushButton* btnExit = nullptr;

  private:
    void openLog(const WorkoutKinds::Kind& kind, const char* routine);

    SharedState& m_state;
};
