#pragma once

#include "FieldHelpers.h"
#include "LogDialog.h"
#include "SharedState.h"
#include "Dialogs.h"

class ResultSet;

// A workout log window: one workout stored as an Exercise_Master row plus one detail row
// keyed by the same identifier.
//
// It owns the fields every kind has (txtDate, txtDay, txtExercise, txtTime, txtComments,
// the hidden txtID), the two modes, the weekday that follows txtDate, and the add / update
// / delete steps. A subclass creates its own fields, places them with addRow/addPair,
// calls finishLayout() with the whole tab order, and supplies the kind-specific SQL pieces
// through the virtual functions below.
//
// Writes: the master and detail rows are added in one transaction and deleted in one, so a
// failure never leaves half a workout. Every number is written through CLibrary::Number and
// every text through CLibrary::Quote; a value that is not a number fails the statement before
// it is run, and the window shows its write-failure message.
class LogWindow : public LogDialog {
    Q_OBJECT
  public:
    // What distinguishes one kind of workout log from another.
    struct Kind {
        QString windowName;   // class name, also objectName: "frmRunLog"
        QString caption;      // "Running Log"
        QString exerciseType; // Exercise_Type of the master row: "Running"
        QString detailTable;  // "Running_Log"
        QString keyColumn;    // "Running_ID"
        // False for a window without the weekday handler: its callers write txtDay, and
        // edit mode lets it be corrected by hand along with the date.
        bool dayFollowsDate = true;
    };

    // Add mode as the exercise chooser sets it: date and weekday, Add Record and EXIT.
    void openForAdd(const QString& date, const QString& day);

    // Edit mode for one stored workout of the current user: reads it, fills the fields,
    // shows Update Record, Delete Record and EXIT and enables txtDate. The pace or speed is
    // computed in the unit of the caller (reportMiles). Returns false after showing the
    // read-failure message. An identifier without a row leaves only txtID filled.
    bool openForEdit(const QString& id, bool reportMiles);

  protected:
    LogWindow(SharedState& state, const Kind& kind, QWidget* parent);

    // --- Button and field handlers ------------------------------------------------------
    void btnAdd_Click();
    void btnUpdate_Click();
    void btnDelete_Click();
    void txtDate_Change();

    // --- Standard rows for the common fields ----------------------------------------------
    // Date / Day on one row and the exercise below: txtExercise (disabled, holding the
    // kind's type), or the window's own `exerciseField` in its place.
    void addDateRows(QWidget* exerciseField = nullptr);
    void addTimeRow(QLabel* rightLabel = nullptr, QWidget* rightField = nullptr);
    void addCommentsRow();

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
    // Runs at the end of each opening operation, once the mode's buttons are set; a window
    // whose field area depends on the mode lays it out here.
    virtual void modeSet(bool editing) { Q_UNUSED(editing); }

    // --- Helpers -------------------------------------------------------------------------
    QString userName() const { return m_state.currentUser(); }
    // Offers the user's active catalog items in `combo`, the first one preselected. With
    // none, asks whether to enter a `thing` ("shoe", "bike", "video") and on Yes opens the
    // catalog dialog; an item stored there joins the list (and becomes its text when that
    // is empty).
    template <class Catalog> void offerCatalog(QComboBox* combo, const QStringList& items, const QString& thing) {
        if (missingCatalogAccepted(combo, items, thing)) {
            Catalog dlg(m_state, this);
            connect(&dlg, &Catalog::itemAdded, combo, [combo](const QString& name) {
                Fields::appendPickItem(combo, name);
            });
            Dialogs::execModal(&dlg);
        }
    }

    SharedState& m_state;
    const Kind m_kind;

    QLabel* lblDate = nullptr;
    QLabel* lblDay = nullptr;
    QLabel* lblExercise = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblComments = nullptr;
    QLineEdit* txtDate = nullptr;
    QLineEdit* txtDay = nullptr;
    QLineEdit* txtExercise = nullptr; // none in a window with its own exercise field
    QLineEdit* txtTime = nullptr;
    QLineEdit* txtComments = nullptr;
    QLineEdit* txtID = nullptr;

  private:
    void load() override;
    // The non-template part of offerCatalog(): true when the dialog is to be opened.
    bool missingCatalogAccepted(QComboBox* combo, const QStringList& items, const QString& thing);
};
