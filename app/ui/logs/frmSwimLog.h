#pragma once

#include "LogWindow.h"

class QComboBox;

// "Swimming Log": one swim of the current user, stored as an Exercise_Master row of type
// "Swimming" and a Swimming_Log row with the laps and the place. No catalog: the location
// list offers the user's earlier places, nothing preselected.
class frmSwimLog : public LogWindow {
    Q_OBJECT
  public:
    explicit frmSwimLog(SharedState& state, QWidget* parent = nullptr);

  protected:
    void loadLists(Connection& conn) override;
    QString loadFailureContext() const override { return QStringLiteral("Could not retrieve locations"); }

  private:
    QLineEdit* txtLaps = nullptr;
    QComboBox* cbLocation = nullptr;
};
