#pragma once

#include "CatalogHook.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class SharedState;

// Log of a workout of a user-defined exercise. The exercise's definition decides how many
// of the three field rows show and what their labels say (Setup_Form); the window shrinks
// to the rows it shows.
class frmOtherLog : public QDialog, public CatalogHook {
    Q_OBJECT
  public:
    explicit frmOtherLog(SharedState& state, QWidget* parent = nullptr);

    // Reads the user's exercises into the pick list; runs once.
    void Form_Load();
    // Add mode as the exercise chooser opens it: date and day set, Add Record and EXIT,
    // no field rows until an exercise is chosen.
    void openForAdd(const QString& date, const QString& day);
    // Edit mode for a stored workout: fields filled, laid out for its exercise, Update
    // Record and Delete Record. False after showing the read failure message.
    bool openForEdit(const QString& id, bool reportMiles);
    // Lays the window out for the exercise named in cbExercise.
    void Setup_Form();

    // frmAddExercise hands a new exercise over here.
    void catalogItemAdded(const QString& catalog, const QString& name) override;

    // The layout as it stands: the number of field rows shown, and the captions of the
    // buttons shown, left to right.
    int visibleFieldCount() const;
    QStringList visibleButtons() const;

    QLabel* lblDate;
    QLineEdit* txtDate;
    QLabel* lblDay;
    QLineEdit* txtDay;
    QLabel* lblExercise;
    QComboBox* cbExercise;
    QLabel* lblTime;
    QLineEdit* txtTime;
    QLabel* lblField1;
    QLineEdit* txtField1;
    QLabel* lblField2;
    QLineEdit* txtField2;
    QLabel* lblField3;
    QLineEdit* txtField3;
    QLabel* lblComments;
    QLineEdit* txtComments;
    QPushButton* btnUpdate;
    QPushButton* btnAdd;
    QPushButton* btnDelete;
    QPushButton* btnExit;
    QLineEdit* txtID;

    void cbExercise_Click();
    void cbExercise_LostFocus();
    void btnAdd_Click();
    void btnUpdate_Click();
    void btnDelete_Click();
    void btnExit_Click();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ensureLoaded();
    void showFieldRows(int n);
    void placeButtons();
    void fitToContent();

    SharedState& m_state;
    bool m_loaded = false;
    bool m_passingOn = false; // the combo is handling a leave or Return, not a choice
};
