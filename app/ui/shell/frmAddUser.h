#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SharedState;

// Creates a row in Users. Opened from the main window's menu and at start-up when the
// database has no user yet.
class frmAddUser : public QDialog {
    Q_OBJECT
  public:
    explicit frmAddUser(SharedState& state, QWidget* parent = nullptr);

    // The insert statement for a new user; the name is quoted, the unit written as 1 or 0.
    static QString insertStatement(const QString& name, bool miles);

    void btnAddUser_Click();
    void btnExit_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* txtAddUser = nullptr;
    QCheckBox* chkMiles = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* btnAddUser = nullptr;
    QPushButton* btnExit = nullptr;

  signals:
    // A user was stored, with the unit chosen for it; emitted before the dialog closes.
    void userAdded(const QString& name, bool miles);
};
