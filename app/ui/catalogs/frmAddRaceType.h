#pragma once

#include "CatalogDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// Adds a race type of a race kind for the current user, with its standard distance in
// miles. The distance may be typed in kilometres instead; only miles are stored.
class frmAddRaceType : public CatalogDialog {
    Q_OBJECT
  public:
    explicit frmAddRaceType(SharedState& state, QWidget* parent = nullptr);

    QLabel* Label2 = nullptr;
    QComboBox* cbExercise = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtRaceType = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtMiles = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtKilometers = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnExit = nullptr;

    void txtMiles_LostFocus();
    void txtKilometers_LostFocus();
    void btnAdd_Click();
    void btnExit_Click();

  private:
    // The load step: lists the three exercises. A caller that sets the exercise first runs
    // it before, through Form_Load().
    void load() override;

    SharedState& m_state;
    QString m_milesFromKilometers; // the miles last filled in from the kilometres
};
