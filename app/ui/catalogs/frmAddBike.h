#pragma once

#include "EquipmentDialog.h"

// The bikes of the current user: add a bike, and make a bike active or inactive.
class frmAddBike : public EquipmentDialog {
    Q_OBJECT
  public:
    explicit frmAddBike(SharedState& state, QWidget* parent = nullptr);

    QLineEdit* txtAddBike = nullptr;
    QComboBox* cbBikeType = nullptr;
    QPushButton* btnAddBike = nullptr;
    QPushButton* btnModifyBike = nullptr;
    QComboBox* cbModifyBike = nullptr;

    void btnAddBike_Click();
    void btnModifyBike_Click();
    void cbModifyBike_Click();
};
