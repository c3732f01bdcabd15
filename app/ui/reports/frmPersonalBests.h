#pragma once

#include <QDialog>

class FormLoad;
class QLabel;
class QPushButton;
class QTreeWidget;
class SharedState;

// "Personal Bests": the fastest race of each race type of the current user, under the heading
// of the race kind, with its pace (speed for rides) in the main window's unit, date, race name
// and the number of races of the type. Opened from a race menu, it lists that menu's race kind.
class frmPersonalBests : public QDialog {
    Q_OBJECT
  public:
    frmPersonalBests(SharedState& state, const QString& raceKind, QWidget* parent = nullptr);

    // Reads the bests and fills the list. Runs once, on first show (or when called earlier).
    void Form_Load();

    void btnExit_Click();

    QTreeWidget* tvBests = nullptr;
    QPushButton* btnExit = nullptr;
    // Opened for running races: the times the user's running races of the last year predict
    // for the standard distances and the user's running race types.
    QLabel* lblPredictions = nullptr;
    QTreeWidget* tvPredictions = nullptr;

  private:
    void load();
    void loadPredictions();

    SharedState& m_state;
    QString m_raceKind;
    FormLoad* m_formLoad = nullptr;
};
