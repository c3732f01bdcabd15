#pragma once

#include <QDialog>

class FormLoad;
class QLabel;
class QLineEdit;
class QPushButton;

// "Backup Database": a verified copy of the database in use to a file the person chooses.
class frmCopyFile : public QDialog {
    Q_OBJECT
  public:
    explicit frmCopyFile(QWidget* parent = nullptr);

    // Proposes Trainbook.db in the person's documents folder. Runs once, on first show.
    void Form_Load();
    // The backup proposed when the window opens: Trainbook.db in the documents folder, or in
    // the home folder when there is no documents folder.
    static QString defaultTarget();

    void btnSelectFile_Click();
    void btnCopyFile_Click();

    QLabel* Label1 = nullptr;
    QLineEdit* txtSelectedFile = nullptr;
    QPushButton* btnSelectFile = nullptr;
    QPushButton* btnCopyFile = nullptr;

  private:
    FormLoad* m_formLoad = nullptr;
};
