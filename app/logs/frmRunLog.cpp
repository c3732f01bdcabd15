#include "frmRunLog.h"

#include "CLibrary.h"
#include "FieldHelpers.h"
#include "frmAddShoe.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

frmRunLog::frmRunLog(SharedState& state, QWidget* parent)
    : DistanceLogWindow(state,
                        Kind{QStringLiteral("frmRunLog"), QStringLiteral("Running Log"),
                             QStringLiteral("Running"), QStringLiteral("Running_Log"),
                             QStringLiteral("Running_ID")},
                        QStringLiteral("Pace:"), parent) {
    cbCourse = makeCombo(QStringLiteral("cbCourse"));
    cbShoes = makeCombo(QStringLiteral("cbShoes"));
    Fields::selectAllOnFocus(cbCourse);
    Fields::keepTextOnFocus(cbShoes); // the preselected pair stays when tabbing through

    addDateRows();
    addPair(lblMiles, txtMiles, lblKilometers, txtKilometers);
    addRow(QStringLiteral("lblCourse"), QStringLiteral("Course:"), cbCourse);
    addTimeRow(lblPace, txtPace);
    addRow(QStringLiteral("lblShoes"), QStringLiteral("Shoes:"), cbShoes);
    addCommentsRow();
    finishLayout(
        {txtDate, txtDay, txtExercise, txtMiles, txtKilometers, cbCourse, txtTime, cbShoes, txtComments});
}

void frmRunLog::loadLists() {
    const QString user = CLibrary::Quote(userName());
    const QStringList shoes =
        readColumn(QStringLiteral("SELECT Shoe FROM Running_Shoes WHERE Active = True ") +
                       QStringLiteral("AND User_Name = ") + user + QStringLiteral(" ") +
                       QStringLiteral("ORDER BY Shoes_ID DESC"),
                   QStringLiteral("Shoe"));
    offerCatalog<frmAddShoe>(cbShoes, shoes, QStringLiteral("shoe")); // the newest active pair

    Fields::appendItems(
        cbCourse, readColumn(QStringLiteral("SELECT Distinct(Course) FROM Running_Log, Exercise_Master ") +
                                 QStringLiteral("WHERE Running_ID = Exercise_ID ") +
                                 QStringLiteral("AND User_Name = ") + user,
                             QStringLiteral("Course")));
}

QString frmRunLog::detailInsertSql(const QString& id) const {
    return QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) ") +
           QStringLiteral("VALUES (") + id + QStringLiteral(", ") + CLibrary::Number(txtMiles->text()) +
           QStringLiteral(", ") + CLibrary::Quote(cbCourse->currentText()) + QStringLiteral(", ") +
           CLibrary::Quote(cbShoes->currentText()) + QStringLiteral(", ") +
           CLibrary::Number(txtKilometers->text()) + QStringLiteral(")");
}

QString frmRunLog::detailSetList() const {
    return QStringLiteral("Miles = ") + CLibrary::Number(txtMiles->text()) + QStringLiteral(", ") +
           QStringLiteral("Kilometers = ") + CLibrary::Number(txtKilometers->text()) + QStringLiteral(", ") +
           QStringLiteral("Course = ") + CLibrary::Quote(cbCourse->currentText()) + QStringLiteral(", ") +
           QStringLiteral("Shoes = ") + CLibrary::Quote(cbShoes->currentText());
}

void frmRunLog::fillDetail(const ResultSet& row, bool reportMiles) {
    cbCourse->setEditText(row.field(QStringLiteral("Course")));
    cbShoes->setEditText(row.field(QStringLiteral("Shoes")));
    fillDistance(row, reportMiles);
}
