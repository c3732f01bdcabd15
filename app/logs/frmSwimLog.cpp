#include "frmSwimLog.h"

#include "CLibrary.h"
#include "FieldHelpers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

frmSwimLog::frmSwimLog(SharedState& state, QWidget* parent)
    : LogWindow(state,
                Kind{QStringLiteral("frmSwimLog"), QStringLiteral("Swimming Log"), QStringLiteral("Swimming"),
                     QStringLiteral("Swimming_Log"), QStringLiteral("Swimming_ID")},
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

void frmSwimLog::loadLists() {
    Fields::appendItems(
        cbLocation,
        readColumn(QStringLiteral("SELECT Distinct(Location) FROM Swimming_Log, Exercise_Master ") +
                       QStringLiteral("WHERE Swimming_ID = Exercise_ID ") +
                       QStringLiteral("AND User_Name = ") + CLibrary::Quote(userName()),
                   QStringLiteral("Location")));
}

QString frmSwimLog::detailInsertSql(const QString& id) const {
    return QStringLiteral("INSERT INTO Swimming_Log (Swimming_ID, Laps, Location) ") +
           QStringLiteral("VALUES (") + id + QStringLiteral(", ") + CLibrary::Number(txtLaps->text()) +
           QStringLiteral(", ") + CLibrary::Quote(cbLocation->currentText()) + QStringLiteral(")");
}

QString frmSwimLog::detailSetList() const {
    return QStringLiteral("Location = ") + CLibrary::Quote(cbLocation->currentText()) + QStringLiteral(", ") +
           QStringLiteral("Laps = ") + CLibrary::Number(txtLaps->text());
}

void frmSwimLog::fillDetail(const ResultSet& row, bool) {
    txtLaps->setText(row.field(QStringLiteral("Laps")));
    cbLocation->setEditText(row.field(QStringLiteral("Location")));
}
