#pragma once

#include <QDialog>

class CatalogHook;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// Adds a race type of a race kind for the current user, with its standard distance in
// miles. The distance may be typed in kilometres instead; only miles are stored.
class frmAddRaceType : public QDialog {
    Q_OBJECT
  public:
    explicit frmAddRaceType(SharedState& state, QWidget* parent = nullptr);
    void setCatalogHook(CatalogHook* hook);

    // The load step: lists the three exercises. Runs once; showing the dialog runs it when
    // no one has, so a caller that sets the exercise first calls it before.
    void Form_Load();

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

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    SharedState& m_state;
    CatalogHook* m_hook = nullptr;
    bool m_loaded = false;
    QString m_milesFromKilometers; // the miles last filled in from the kilometres
};
