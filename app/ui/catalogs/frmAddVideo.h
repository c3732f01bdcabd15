#pragma once

#include "EquipmentDialog.h"

// The exercise videos of the current user: add a video, and make a video active or inactive.
// The type list offers the shared video types, or two built-in types while there are none.
class frmAddVideo : public EquipmentDialog {
    Q_OBJECT
  public:
    explicit frmAddVideo(SharedState& state, QWidget* parent = nullptr);

    QLineEdit* txtAddVideo = nullptr;
    QComboBox* cbVideoType = nullptr;
    QPushButton* btnAddVideo = nullptr;
    QPushButton* btnModifyVideo = nullptr;
    QComboBox* cbModifyVideo = nullptr;

    void btnAddVideo_Click();
    void btnModifyVideo_Click();
    void cbModifyVideo_Click();

  protected:
    void loadTypes() override;
};
