#pragma once

#include "LogWindow.h"

// A workout log with a distance: miles and kilometres side by side, only the user's own
// unit editable (bMiles, copied from the shared state when the window loads), the other
// converted when a distance field is left, and a live pace or speed in txtPace that
// follows every change of the time.
//
// The live value and the conversions are computed only from a plain positive number (and a
// duration text for the rate); for anything else the derived field is left empty, never
// computed from the text and never failing.
class DistanceLogWindow : public LogWindow {
    Q_OBJECT
protected:
    DistanceLogWindow(SharedState& state, const Kind& kind, QWidget* parent);

    // Creates txtMiles, txtKilometers, txtPace and their labels (lblMiles, lblKilometers,
    // lblPace with `paceCaption`) without placing them.
    void createDistanceFields(const QString& paceCaption);

    // Pace or speed of `minutesText` over `distance` (a positive number), as shown in
    // txtPace. May throw DbError.
    virtual QString rate(const QString& time, double distance) const = 0;
    // The shown rate, or empty while the time or the distance cannot give one.
    QString safeRate(const QString& time, const QString& distance) const;

    void applyUnit() override;
    // Fills txtMiles, txtKilometers and txtPace from an edit-mode row with Miles and Kilometers.
    void fillDistance(const ResultSet& row, bool reportMiles);

    void txtTime_Change();
    void txtMiles_LostFocus();
    void txtKilometers_LostFocus();

    bool bMiles = true;
    QLabel* lblMiles = nullptr;
    QLabel* lblKilometers = nullptr;
    QLabel* lblPace = nullptr;
    QLineEdit* txtMiles = nullptr;
    QLineEdit* txtKilometers = nullptr;
    QLineEdit* txtPace = nullptr;
};
