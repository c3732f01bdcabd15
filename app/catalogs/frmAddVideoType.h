#pragma once

#include <QDialog>

class CatalogHook;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// Adds a video type to the one catalog that all users share.
class frmAddVideoType : public QDialog {
    Q_OBJECT
  public:
    explicit frmAddVideoType(SharedState& state, QWidget* parent = nullptr);
    void setCatalogHook(CatalogHook* hook);

    QLabel* Label1 = nullptr;
    QLineEdit* txtVideoType = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnExit = nullptr;

    void btnAdd_Click();
    void btnExit_Click();

  private:
    CatalogHook* m_hook = nullptr;
};
