#pragma once

#include "DistanceLogWindow.h"

class QComboBox;

// "Bike Log": one ride of the current user, stored as an Exercise_Master row of type
// "Cycling" and a Cycling_Log row. Shows the live speed (MPH or KPH by the user's unit);
// calories are read back in edit mode and written by add and update (empty counts as 0).
class frmBikeLog : public DistanceLogWindow {
    Q_OBJECT
  public:
    explicit frmBikeLog(SharedState& state, QWidget* parent = nullptr);

    void btnAddRecord_Click() { btnAdd_Click(); }

  protected:
    void applyUnit() override;
    void loadLists(Connection& conn) override;
    QString loadFailureContext() const override { return QStringLiteral("Could not retrieve bikes"); }
    QString rate(const QString& time, double distance) const override;

  private:
    QComboBox* cbBike = nullptr;
    QLineEdit* txtCalories = nullptr;
    QPushButton* btnAddRecord = nullptr; // the add button of this window
};
