#pragma once

#include "LogWindow.h"

#include <array>

class QComboBox;

// "User-Defined Trainbook": a workout of an exercise the user has defined, stored as an
// Exercise_Master row of type "Other" and an OtherLog row. The exercise's definition decides
// how many of the three field rows show and what their labels say (Setup_Form); the window
// shrinks to the rows it shows. The exercise is chosen in cbExercise instead of the usual
// txtExercise, and the day is not derived from the date: callers write it, and edit mode
// lets it be corrected.
class frmOtherLog : public LogWindow {
    Q_OBJECT
  public:
    explicit frmOtherLog(SharedState& state, QWidget* parent = nullptr);

    // Lays the window out for the exercise named in cbExercise: the number of field rows,
    // their captions, and the buttons of the mode that txtID tells.
    void Setup_Form();

    // The number of field rows shown.
    int visibleFieldCount() const;

  protected:
    void loadLists(Connection& conn) override;
    QString loadFailureContext() const override { return QStringLiteral("Could not retrieve exercises"); }
    void modeSet(bool editing) override;
    // Field1..Field3 are written as fieldValue() gives them.
    QString columnText(const Tables::Column& column) const override;

  private:
    void cbExercise_Click();
    void cbExercise_LostFocus();
    void showFieldRows(const std::array<bool, 3>& shown);

    QComboBox* cbExercise = nullptr;
    QLabel* lblField1 = nullptr;
    QLabel* lblField2 = nullptr;
    QLabel* lblField3 = nullptr;
    QLineEdit* txtField1 = nullptr;
    QLineEdit* txtField2 = nullptr;
    QLineEdit* txtField3 = nullptr;
    std::array<bool, 3> m_fieldShown{true, true, true};
};
