#pragma once

#include "Tables.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class FormLoad;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class ResultSet;

// What every log window shares, the workout logs and the race log alike: a grid of
// labelled fields (a label and a field, optionally a second pair on the same row), the row
// of buttons below it (btnUpdate, btnAdd, btnDelete, btnExit from left to right; each mode
// hides those it does not offer), a load step that runs once, and the messages that follow
// a write.
class LogDialog : public QDialog {
    Q_OBJECT
  public:
    // The load step: runs once, before the first opening operation or showing.
    void Form_Load();

    // Captions of the buttons shown, left to right.
    QStringList visibleButtons() const;

    // Message shown when reading a stored workout or race fails (the report drill-down's text).
    static QString readFailureMessage(const QString& description);

  protected:
    LogDialog(const QString& name, const QString& caption, QWidget* parent);

    // The window's own load step. Runs once; must trap its own failures.
    virtual void load() = 0;

    // --- Building ---------------------------------------------------------------------------
    QLineEdit* makeLineEdit(const QString& name);
    QComboBox* makeCombo(const QString& name); // an editable pick list (Fields::plainCombo)
    QLabel* makeLabel(const QString& name, const QString& caption);
    // One field across the whole row; returns its label.
    QLabel* addRow(const QString& labelName, const QString& caption, QWidget* field);
    void addRow(QLabel* label, QWidget* field);
    // A field in the left column, and optionally a second one beside it.
    void addPair(QLabel* label1, QWidget* field1, QLabel* label2 = nullptr, QWidget* field2 = nullptr);
    // A line above the fields (the race log's title).
    void addHeading(QWidget* heading);
    // Puts the buttons below the fields and sets the tab order: `tabOrder` names the
    // fields, and the buttons in their own order when it differs from the row's.
    void finishLayout(QList<QWidget*> tabOrder);
    // Shows the buttons of a mode: Add and Exit, or Update, Delete and Exit.
    void showModeButtons(bool editing);
    // Shrinks or grows the window to the fields and buttons it shows.
    void fitToContent();
    // Return in `field` moves on to the next field instead of pressing the mode's button: for
    // a field whose value decides what the rest of the window asks for.
    void returnMovesOn(QWidget* field);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // --- Writing ----------------------------------------------------------------------------
    enum class Write { Add, Update, Delete };
    // Shows "No ID found" when the identifier field is empty.
    bool hasId(const QLineEdit* id);
    // Runs `write` (any exception counts as a failure) and shows its outcome: success
    // closes the window, a failure leaves it open with every field as it was. An add or an
    // update whose values are out of bounds (withinLimits) fails without writing.
    void finishWrite(Write what, const std::function<bool()>& write);
    // False when a field holds a distance or time larger than any workout (WorkoutLimits.h)
    // or one that is not finite; the window then refuses to save it.
    virtual bool withinLimits() const { return true; }
    // A duration text within the largest storable time; a text that is not a duration is
    // left to the write, which stores the time as typed.
    static bool timeWithinLimit(const QString& time);
    void btnExit_Click();

    // --- Fields and columns -----------------------------------------------------------------
    // The values of a table's columns as this window's fields hold them; a column without a
    // field is empty (the window sets it on the row by what it holds).
    Tables::Values fieldValues() const;
    // The value written for a column with a field: by default the field's text.
    virtual QString columnText(const Tables::Column& column) const;
    // Writes the edited columns of `table` read in `row` into the fields they map to.
    void fillFields(const Tables::Table& table, const ResultSet& row);

    QPushButton* btnUpdate = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnExit = nullptr;

  private:
    FormLoad* m_formLoad = nullptr;
    QGridLayout* m_grid = nullptr;
    QList<QObject*> m_returnMovesOn;
    int m_row = 0;
};
