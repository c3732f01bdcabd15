#pragma once

#include "CatalogDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// The user's own exercises: a name and up to three field captions. The add section sits
// above a separating line; the modify section below it changes the captions of an
// existing exercise. As designed both sections show; the openers show only the add section.
class frmAddExercise : public CatalogDialog {
    Q_OBJECT
  public:
    explicit frmAddExercise(SharedState& state, QWidget* parent = nullptr);

    // Hides the modify section, so the window shows the add section only.
    void showAddSectionOnly();

    QLabel* Label1 = nullptr;
    QLineEdit* txtName = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtField1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtField2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtField3 = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnModify = nullptr;
    QPushButton* btnExit = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cbModExercise = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtModField1 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtModField2 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* txtModField3 = nullptr;
    QPushButton* btnUpdate = nullptr;

    void btnAdd_Click();
    void btnModify_Click();
    void cbModExercise_Click();
    void btnUpdate_Click();
    void btnExit_Click();

  private:
    void showReadError(const QString& description, const QString& routine);

    SharedState& m_state;
};
