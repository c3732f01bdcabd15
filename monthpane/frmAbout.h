#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace Monthpane {

// The control's About window: the library's title, version and what the control does.
class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace Monthpane
