#pragma once

#include "DistanceLogWindow.h"

class QComboBox;

// "Running Log": one run of the current user, stored as an Exercise_Master row of type
// "Running" and a Running_Log row. Offers the user's active shoes (newest first, the newest
// preselected) and every course of the user's earlier runs.
class frmRunLog : public DistanceLogWindow {
    Q_OBJECT
  public:
    explicit frmRunLog(SharedState& state, QWidget* parent = nullptr);

  protected:
    void loadLists(Connection& conn) override;
    QString loadFailureContext() const override { return QStringLiteral("Could not retrieve shoes"); }

  private:
    QComboBox* cbShoes = nullptr;
};
