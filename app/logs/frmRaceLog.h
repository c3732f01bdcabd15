#pragma once

#include "CatalogHook.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class DatePicker;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class SharedState;

// Log of one race (running, cycling or swimming) of the current user, stored as one row
// of RaceLog; races have no master row.
class frmRaceLog : public QDialog, public CatalogHook {
    Q_OBJECT
  public:
    explicit frmRaceLog(SharedState& state, QWidget* parent = nullptr);

    // Reads the distance unit and sets the date picker to today; runs once.
    void Form_Load();
    // Add mode: the title line and the race kind ("RunningRace", "CyclingRace", "SwimmingRace").
    void openForAdd(const QString& title, const QString& raceKind);
    // Edit mode for a stored race; false after showing the read failure message.
    bool openForEdit(const QString& raceId, const QString& raceKind, bool reportMiles);

    // frmAddRaceType hands a new race type over here.
    void catalogItemAdded(const QString& catalog, const QString& name) override;

    // The captions of the buttons shown, left to right.
    QStringList visibleButtons() const;
    // The title line of a race kind ("Running Race Log" for "RunningRace"); empty if unknown.
    static QString titleFor(const QString& raceKind);

    QLabel* lblTitle;
    QLabel* lblRaceDate;
    DatePicker* dtRaceDate;
    QLabel* lblRaceName;
    QLineEdit* txtRaceName;
    QLabel* lblRaceType;
    QComboBox* cbRaceType;
    QLabel* lblMiles;
    QLineEdit* txtMiles;
    QLabel* lblKilometers;
    QLineEdit* txtKilometers;
    QLabel* lblTime;
    QLineEdit* txtTime;
    QLabel* lblPace;
    QLineEdit* txtPace;
    QLabel* lblCity;
    QLineEdit* txtCity;
    QLabel* lblState;
    QLineEdit* txtState;
    QLabel* lblAgeGroup;
    QLineEdit* txtAgeGroup;
    QLabel* lblOverallPlace;
    QLineEdit* txtOverallPlace;
    QLabel* lblAgePlace;
    QLineEdit* txtAgePlace;
    QLabel* lblComments;
    QLineEdit* txtComments;
    QPushButton* btnAdd;
    QPushButton* btnExit;
    QPushButton* btnUpdate;
    QPushButton* btnDelete;
    QLineEdit* txtExercise;
    QLineEdit* txtRaceID;

    // Reads the user's race types of the kind into the pick list, asking for one while
    // there is none. Runs each time the window is shown.
    void readRaceTypes();
    void cbRaceType_LostFocus();
    void txtMiles_LostFocus();
    void txtKilometers_LostFocus();
    void txtTime_Change();
    void btnAdd_Click();
    void btnUpdate_Click();
    void btnDelete_Click();
    void btnExit_Click();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The values a race is written with, as the fields hold them.
    struct Race {
        QString kind, date, raceType, name, miles, kilometers, time, city, state, comments, user, ageGroup,
            agePlace, overallPlace;
    };
    Race fields() const;
    // The statements of Add Race and Update Race. Throw DbError when a distance or the
    // identifier is not a number.
    static QString insertSql(const Race& race);
    static QString updateSql(const Race& race, const QString& raceId);

    void ensureLoaded();

    SharedState& m_state;
    bool m_loaded = false;
    bool m_miles = true;
};
