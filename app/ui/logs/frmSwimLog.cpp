#include "frmSwimLog.h"

#include "CLibrary.h"
#include "CatalogStatements.h"
#include "Connection.h"
#include "FieldHelpers.h"
#include "WorkoutKinds.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

frmSwimLog::frmSwimLog(SharedState& state, QWidget* parent)
    : LogWindow(state,
                Kind{QStringLiteral("frmSwimLog"), QStringLiteral("Swimming Log"),
                     WorkoutKinds::Swimming.nameText(), WorkoutKinds::Swimming.table},
                parent) {
    txtLaps = makeLineEdit(QStringLiteral("txtLaps"));
    cbLocation = makeCombo(QStringLiteral("cbLocation"));
    Fields::selectAllOnFocus(txtLaps);
    Fields::selectAllOnFocus(cbLocation);

    addDateRows();
    addPair(makeLabel(QStringLiteral("lblLaps"), QStringLiteral("Laps:")), txtLaps);
    addRow(QStringLiteral("lblLocation"), QStringLiteral("Location:"), cbLocation);
    addTimeRow();
    addCommentsRow();
    finishLayout({txtDate, txtDay, txtExercise, txtLaps, cbLocation, txtTime, txtComments, btnAdd, btnExit,
                  btnUpdate, btnDelete});
}

void frmSwimLog::loadLists(Connection& conn) {
    Fields::appendItems(cbLocation, conn.column(Tables::pickListSql(Tables::SwimmingLog, "Location"),
                                                QStringLiteral("Location"), {userName()}));
}
