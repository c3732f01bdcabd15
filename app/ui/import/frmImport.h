#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class SharedState;

// "Import Workouts": GPS files (GPX, TCX, FIT) or a folder of them into the current user's
// diary, with the kind to use for files that name no sport, a progress window with Cancel
// for many files, and a summary at the end.
class frmImport : public QDialog {
    Q_OBJECT
  public:
    explicit frmImport(SharedState& state, QWidget* parent = nullptr);

    // Adds files and folders to the list (a folder stands for its GPS files).
    void addPaths(const QStringList& paths);
    QStringList files() const;

    void btnAddFiles_Click();
    void btnAddFolder_Click();
    void btnClear_Click();
    void btnImport_Click();

    QLabel* lblUser = nullptr;
    QListWidget* lstFiles = nullptr;
    QPushButton* btnAddFiles = nullptr;
    QPushButton* btnAddFolder = nullptr;
    QPushButton* btnClear = nullptr;
    QComboBox* cbKind = nullptr;
    QPushButton* btnImport = nullptr;
    QPushButton* btnExit = nullptr;

    // Files at or above this count get the progress window.
    static constexpr int ProgressFrom = 5;

  private:
    SharedState& m_state;
};
