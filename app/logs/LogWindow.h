#pragma once

#include "CatalogHook.h"
#include "SharedState.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class CLibrary;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class ResultSet;

// The common frame of a workout log window: one workout stored as an Exercise_Master row
// plus one detail row keyed by the same identifier.
//
// It owns the fields every kind has (txtDate, txtDay, txtExercise, txtTime, txtComments,
// the hidden txtID), the button row (btnUpdate, the add button, btnDelete, btnExit), the
// two modes, the weekday that follows txtDate, and the add / update / delete / exit steps
// with their messages. A subclass creates its own fields, places them with addRow/addPair,
// calls finishLayout() with the whole tab order, and supplies the kind-specific SQL pieces
// through the virtual functions below.
//
// Writes: the master and detail rows are added in one transaction and deleted in one, so a
// failure never leaves half a workout. Every number is written through CLibrary::Number and
// every text through CLibrary::Quote; a value that is not a number fails the statement before
// it is run, and the window shows its write-failure message.
class LogWindow : public QDialog, public CatalogHook {
    Q_OBJECT
public:
    // What distinguishes one kind of workout log from another.
    struct Kind {
        QString windowName;     // class name, also objectName: "frmRunLog"
        QString caption;        // "Running Log"
        QString exerciseType;   // design text of txtExercise: "Running"
        QString detailTable;    // "Running_Log"
        QString keyColumn;      // "Running_ID"
        QString addButtonName = QStringLiteral("btnAdd");
    };

    // The load step: runs once, before the first opening operation or showing.
    void Form_Load();

    // Add mode as the exercise chooser sets it: date and weekday, Add Record and EXIT.
    void openForAdd(const QString& date, const QString& day);

    // Edit mode for one stored workout of the current user: reads it, fills the fields,
    // shows Update Record, Delete Record and EXIT and enables txtDate. The pace or speed is
    // computed in the unit of the caller (reportMiles). Returns false after showing the
    // read-failure message. An identifier without a row leaves only txtID filled.
    bool openForEdit(const QString& id, bool reportMiles);

    // Catalog dialogs call this after a successful add; the default ignores it.
    void catalogItemAdded(const QString& catalog, const QString& name) override;

    // Message shown when reading a stored workout fails (the report drill-down's text).
    static QString readFailureMessage(const QString& description);

protected:
    LogWindow(SharedState& state, const Kind& kind, QWidget* parent);

    // --- Button and field handlers ------------------------------------------------------
    void btnAdd_Click();
    void btnUpdate_Click();
    void btnDelete_Click();
    void btnExit_Click();
    void txtDate_Change();

    // --- Building the window (for subclasses) -------------------------------------------
    QLineEdit* makeLineEdit(const QString& name);
    QComboBox* makeCombo(const QString& name); // editable
    QLabel* makeLabel(const QString& name, const QString& caption);
    // One field on a row of its own; returns its label.
    QLabel* addRow(const QString& labelName, const QString& caption, QWidget* field);
    // Two fields side by side on one row.
    void addPair(QLabel* label1, QWidget* field1, QLabel* label2, QWidget* field2);
    // Standard rows for the common fields, for subclasses that place them in their order.
    void addDateRows();   // Date / Day on one row, Exercise below
    void addTimeRow(QLabel* rightLabel = nullptr, QWidget* rightField = nullptr);
    void addCommentsRow();
    // Puts the buttons below the fields and sets the tab order of the fields.
    void finishLayout(const QList<QWidget*>& tabOrder);

    // --- Kind-specific parts ----------------------------------------------------------
    // Load step, before the lists: unit flag and what hangs on it. Cannot fail.
    virtual void applyUnit() {}
    // Load step, the lists. Throws DbError (or std::exception) on any failure; the
    // base shows "<loadFailureContext()> - <description> - In <window> Form_Load".
    virtual void loadLists() = 0;
    virtual QString loadFailureContext() const = 0;
    // The detail INSERT for the new identifier. Throws DbError for a value that is not a number.
    virtual QString detailInsertSql(const QString& id) const = 0;
    // The detail part of the SET list of the update, e.g. "Miles = 5, ..., Shoes = 'x'".
    // Throws DbError for a value that is not a number.
    virtual QString detailSetList() const = 0;
    // The detail columns read for edit mode, e.g. "Miles, Course, Shoes, Kilometers".
    virtual QString detailColumns() const = 0;
    // Fills the detail fields from the row read for edit mode.
    virtual void fillDetail(const ResultSet& row, bool reportMiles) = 0;

    // --- Helpers -------------------------------------------------------------------------
    QString userName() const { return m_state.currentUser(); }
    // Asks the missing-catalog question for `thing` ("shoe", "bike", "video").
    bool askEnterOne(const QString& thing);
    // Appends items to a pick list without changing the text shown in it.
    static void appendItems(QComboBox* combo, const QStringList& items);
    // Chooses the first item of the list when the text is empty (the default of a catalog).
    static void preselectFirst(QComboBox* combo);
    // Reads the first column of every row of `sql` (a fresh connection each time).
    static QStringList readColumn(const QString& sql, const QString& column);
    // The full error text of a caught exception.
    static QString describe(const std::exception& e);

    void showEvent(QShowEvent* event) override;
    void ensureLoaded();

    SharedState& m_state;
    const Kind m_kind;

    QLabel* lblDate = nullptr;
    QLabel* lblDay = nullptr;
    QLabel* lblExercise = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblComments = nullptr;
    QLineEdit* txtDate = nullptr;
    QLineEdit* txtDay = nullptr;
    QLineEdit* txtExercise = nullptr;
    QLineEdit* txtTime = nullptr;
    QLineEdit* txtComments = nullptr;
    QLineEdit* txtID = nullptr;
    QPushButton* btnUpdate = nullptr;
    QPushButton* btnAdd = nullptr; // objectName from Kind::addButtonName
    QPushButton* btnDelete = nullptr;
    QPushButton* btnExit = nullptr;

private:
    bool m_loaded = false;
    QGridLayout* m_grid = nullptr;
    int m_row = 0;
};
