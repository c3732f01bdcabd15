#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// "System Information": the program's, Qt's and SQLite's versions, the operating system, and
// the database in use with its size and the rows of each table.
class frmSysInfo : public QDialog {
    Q_OBJECT
  public:
    explicit frmSysInfo(const QString& databasePath, QWidget* parent = nullptr);

    // Copies the information as text, for a message about a problem.
    void cmdCopy_Click();

    QLabel* lblInfo = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdOK = nullptr;

  private:
    QString m_text;
};
