#pragma once

#include "CatalogStatements.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "LogDialog.h"
#include "SharedState.h"

#include <utility>

class Connection;
class ResultSet;

// A workout log window: one workout stored as an Exercise_Master row plus one detail row
// keyed by the same identifier.
//
// It owns the fields every kind has (txtDate, txtDay, txtExercise, txtTime, txtComments,
// the hidden txtID), the two modes, the weekday that follows txtDate, and the add / update
// / delete steps. A subclass creates its own fields, places them with addRow/addPair,
// calls finishLayout() with the whole tab order, and names its detail table; the statements
// are built from the table's description (Tables.h), whose columns name the fields.
//
// Writes: the master and detail rows are added in one transaction, updated in one and deleted
// in one, so a failure never leaves half a workout. The rows are built from the tables'
// descriptions with every value bound (Tables::Row); a date or number that is not one refuses
// the row before anything is written, and the window shows its write-failure message.
class LogWindow : public LogDialog {
    Q_OBJECT
  public:
    // What distinguishes one kind of workout log from another.
    struct Kind {
        QString windowName;          // class name, also objectName: "frmRunLog"
        QString caption;             // "Running Log"
        QString exerciseType;        // Exercise_Type of the master row: "Running"
        const Tables::Table* detail; // the detail table: Tables::RunningLog
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
    // Load step, the lists, all read on `conn`. Throws DbError (or std::exception) on any
    // failure; the base shows "<loadFailureContext()> - <description> - In <window> Form_Load".
    virtual void loadLists(Connection& conn) = 0;
    virtual QString loadFailureContext() const = 0;
    // Runs after edit mode has filled the fields from the stored row; a window shows here
    // what it derives from them (the pace in the caller's unit, reportMiles).
    virtual void detailFilled(const ResultSet& row, bool reportMiles) {
        Q_UNUSED(row);
        Q_UNUSED(reportMiles);
    }
    // Runs at the end of each opening operation, once the mode's buttons are set; a window
    // whose field area depends on the mode lays it out here.
    virtual void modeSet(bool editing) { Q_UNUSED(editing); }
    // Runs an add's or an update's write and returns its result; a window that reports on what
    // a save did (the distance on the chosen shoes or bike) reads before and after it here.
    virtual bool saveWith(const std::function<bool()>& write) { return write(); }
    // The time within the largest storable one; a window with distances adds its own.
    bool withinLimits() const override;

    // --- Helpers -------------------------------------------------------------------------
    QString userName() const { return m_state.currentUser(); }
    // Offers the user's active items of `equipment` in `combo`, the first one preselected.
    // With none, asks whether to enter a `thing` ("shoe", "bike", "video") and on Yes opens
    // the catalog dialog; an item stored there joins the list (and becomes its text when
    // that is empty). Throws DbError when the items cannot be read.
    template <class Catalog>
    void offerCatalog(Connection& conn, QComboBox* combo, const CatalogStatements::Equipment& equipment,
                      const QString& thing) {
        if (missingCatalogAccepted(combo, activeItems(conn, equipment), thing)) {
            Catalog dlg(m_state, this);
            connect(&dlg, &Catalog::itemAdded, combo,
                    [combo](const QString& name) { Fields::appendPickItem(combo, name); });
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
    // The master and detail rows as the fields hold them. Throws DbError for a date, distance
    // or other number that is not one.
    std::pair<Tables::Row, Tables::Row> rows() const;
    // The non-template parts of offerCatalog(): the items offered, and true when the dialog
    // is to be opened.
    QStringList activeItems(Connection& conn, const CatalogStatements::Equipment& equipment) const;
    bool missingCatalogAccepted(QComboBox* combo, const QStringList& items, const QString& thing);
};
