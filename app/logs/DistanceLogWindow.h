#pragma once

#include "DistanceFields.h"
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

    QLabel* lblMiles = nullptr;
    QLabel* lblKilometers = nullptr;
    QLabel* lblPace = nullptr;
    QComboBox* cbCourse = nullptr;
};
