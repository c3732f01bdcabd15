#pragma once

#include "DistanceFields.h"
#include "GearWear.h"
#include "LogWindow.h"

// A workout log with a distance (runs and rides): the distance fields, of which only the
// user's own unit is editable (bMiles, copied from the shared state when the window loads),
// the rate shown beside the time under `rateCaption`, and the course, picked from the
// courses of the user's earlier workouts of the kind.
class DistanceLogWindow : public LogWindow, protected DistanceFields {
    Q_OBJECT
  protected:
    DistanceLogWindow(SharedState& state, const Kind& kind, const QString& rateCaption, QWidget* parent);

    void applyUnit() override;
    // The rows every distance log starts with: date and day, exercise, miles and kilometres,
    // course, and the time with the rate beside it.
    void addDistanceRows();
    // Lists the courses of the user's earlier workouts of this kind.
    void loadCourses(Connection& conn);
    // The rate of an edit-mode row with Miles and Kilometers, in the unit of the caller
    // (reportMiles).
    void detailFilled(const ResultSet& row, bool reportMiles) override;

    // Makes `combo` the window's shoe or bike choice: returns the field for its row, the
    // combo with a label beside it (named `distanceName`) that shows the distance the chosen
    // item has done (GearWear::label), updated whenever the choice changes. A save warns once
    // when it takes the item past 90% or 100% of its retirement distance.
    QWidget* watchGear(QComboBox* combo, GearWear::Gear gear, const QString& distanceName);
    // Shows the chosen item's distance; empty while no item is chosen or it cannot be read.
    void showGearDistance();
    bool saveWith(const std::function<bool()>& write) override;
    bool withinLimits() const override;

    // Puts "Track..." beside the mode's buttons, before EXIT (after finishLayout). Shown in
    // edit mode, and enabled only when the workout has a recorded track.
    void addTrackButton();
    void modeSet(bool editing) override;
    // Opens the workout's detail window; several may be open, and they stay open when this
    // window closes.
    void btnTrack_Click();

    QLabel* lblMiles = nullptr;
    QLabel* lblKilometers = nullptr;
    QLabel* lblPace = nullptr;
    QComboBox* cbCourse = nullptr;
    QLabel* lblGearDistance = nullptr;
    QPushButton* btnTrack = nullptr;

  private:
    std::optional<GearWear::Wear> readWear() const;

    QComboBox* m_gearCombo = nullptr;
    GearWear::Gear m_gear = GearWear::Gear::Shoes;
};
