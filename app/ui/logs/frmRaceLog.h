#pragma once

#include <functional>

#include "DistanceFields.h"
#include "LogDialog.h"

class DatePicker;
class QComboBox;
class QLabel;
class SharedState;

// "Race Log": one race (running, cycling or swimming) of the current user, stored as one
// row of RaceLog; races have no master row. Both distance fields may be typed (only the
// miles are filtered), and the live pace uses the distance of the user's unit.
class frmRaceLog : public LogDialog, private DistanceFields {
    Q_OBJECT
  public:
    explicit frmRaceLog(SharedState& state, QWidget* parent = nullptr);

    // Add mode: the title line and the race kind ("RunningRace", "CyclingRace", "SwimmingRace").
    void openForAdd(const QString& title, const QString& raceKind);
    // Edit mode for a stored race; false after showing the read failure message.
    bool openForEdit(const QString& raceId, const QString& raceKind, bool reportMiles);

  protected:
    void showEvent(QShowEvent* event) override;
    bool withinLimits() const override;

  private:
    // Reads the distance unit and sets the date picker to today.
    void load() override;
    // Reads the user's race types of the kind into the pick list, asking for one while
    // there is none. Runs each time the window is shown.
    void readRaceTypes();
    void cbRaceType_LostFocus();
    void btnAdd_Click();
    void btnUpdate_Click();
    void btnDelete_Click();
    // The race as the fields and the current user give it. Throws DbError for a date or
    // distance that is not one.
    Tables::Row row() const;
    // Writes a race with `write` and, when it is saved and its time beats the best time of
    // its race type among the user's other races (the race `raceId` itself left out), says so.
    bool writeAndAnnounceBest(qint64 raceId, const std::function<bool()>& write);

    SharedState& m_state;
    QLabel* lblTitle = nullptr;
    DatePicker* dtRaceDate = nullptr;
    QLineEdit* txtRaceName = nullptr;
    QComboBox* cbRaceType = nullptr;
    QLineEdit* txtTime = nullptr;
    QLineEdit* txtCity = nullptr;
    QLineEdit* txtState = nullptr;
    QLineEdit* txtAgeGroup = nullptr;
    QLineEdit* txtOverallPlace = nullptr;
    QLineEdit* txtAgePlace = nullptr;
    QLineEdit* txtComments = nullptr;
    QLineEdit* txtExercise = nullptr;
    QLineEdit* txtRaceID = nullptr;
};
