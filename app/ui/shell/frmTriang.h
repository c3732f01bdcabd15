#pragma once

#include <QDialog>

class FormLoad;
class SharedState;

// "Pace Calculator": hosts the calculator control, which starts in the main window's unit.
class frmTriang : public QDialog {
    Q_OBJECT
  public:
    explicit frmTriang(SharedState& state, QWidget* parent = nullptr);

    // Sets the control's unit from the main window's. Runs once, on first show.
    void Form_Load();

    // The calculator (the triang library's Triangulator), or a label saying why there is none
    // when its library cannot be loaded.
    QWidget* Triangulator1 = nullptr;

  private:
    SharedState& m_state;
    FormLoad* m_formLoad = nullptr;
};
