#pragma once

#include "CatalogDialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// Adds a video type to the one catalog that all users share.
class frmAddVideoType : public CatalogDialog {
    Q_OBJECT
  public:
    explicit frmAddVideoType(SharedState& state, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* txtVideoType = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnExit = nullptr;

    void btnAdd_Click();
    void btnExit_Click();
};
