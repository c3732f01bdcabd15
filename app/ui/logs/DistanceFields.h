#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// The distance fields of a log window, mixed into the window: txtMiles and txtKilometers
// and the live pace (or speed) in txtPace. Leaving the miles converts them into
// kilometres; leaving the kilometres fills the miles unless the person typed them; every change
// of the time recomputes the rate from the distance of the user's unit (bMiles).
//
// The rate and the conversions are computed only from a plain positive number (and a
// duration text for the rate); for anything else the derived field is left empty, never
// computed from the text and never failing.
class DistanceFields {
  public:
    virtual ~DistanceFields() = default;

  protected:
    // Creates the three fields as children of `window`, with select-all on focus for the
    // two distances and the distance filter for the miles (and for the kilometres when
    // `filterKilometers`), and follows `time`. Call it after the time filter is installed
    // on `time`, so that the rate sees the filtered text.
    void createDistanceFields(QWidget* window, QLineEdit* time, bool filterKilometers);

    // Pace of `time` over `distance` (a positive number), as shown in txtPace; a window
    // that shows a speed overrides it. May throw DbError.
    virtual QString rate(const QString& time, double distance) const;
    // The shown rate, or empty while the time or the distance cannot give one.
    QString safeRate(const QString& time, const QString& distance) const;

    // True when neither distance field holds a number over 1,000 miles (1,609 km), a
    // negative one or one that is not finite. Text that is no number at all is left to the
    // write, which refuses it.
    bool distancesWithinLimits() const;

    void txtTime_Change();
    void txtMiles_LostFocus();
    void txtKilometers_LostFocus();

    bool bMiles = true;
    QLineEdit* txtMiles = nullptr;
    QLineEdit* txtKilometers = nullptr;
    QLineEdit* txtPace = nullptr;

  private:
    QLineEdit* m_time = nullptr;
    QString m_milesFromKilometers; // the miles last filled in from the kilometres
};
