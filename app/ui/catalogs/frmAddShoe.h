#pragma once

#include "EquipmentDialog.h"

// The running shoes of the current user: add a pair, and make a pair active or inactive.
class frmAddShoe : public EquipmentDialog {
    Q_OBJECT
  public:
    explicit frmAddShoe(SharedState& state, QWidget* parent = nullptr);

    QLineEdit* txtAddShoe = nullptr;
    QComboBox* cbShoeType = nullptr;
    QPushButton* btnAddShoe = nullptr;
    QPushButton* btnModifyShoe = nullptr;
    QComboBox* cbModifyShoe = nullptr;

    void btnAddShoe_Click();
    void btnModifyShoe_Click();
    void cbModifyShoe_Click();
};
