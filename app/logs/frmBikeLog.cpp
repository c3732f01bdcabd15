#include "frmBikeLog.h"

#include "CLibrary.h"
#include "FieldHelpers.h"
#include "frmAddBike.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmBikeLog::frmBikeLog(SharedState& state, QWidget* parent)
    : DistanceLogWindow(state,
                        Kind{QStringLiteral("frmBikeLog"), QStringLiteral("Bike Log"),
                             QStringLiteral("Cycling"), QStringLiteral("Cycling_Log"),
                             QStringLiteral("Cycling_ID")},
                        QStringLiteral("MPH:"), parent) {
    btnAddRecord = btnAdd;
    btnAddRecord->setObjectName(QStringLiteral("btnAddRecord"));
    cbCourse = makeCombo(QStringLiteral("cbCourse"));
    cbBike = makeCombo(QStringLiteral("cbBike"));
    txtCalories = makeLineEdit(QStringLiteral("txtCalories"));
    Fields::selectAllOnFocus(cbCourse);
    Fields::keepTextOnFocus(cbBike); // the preselected bike stays when tabbing through
    Fields::selectAllOnFocus(txtCalories);

    addDateRows();
    addPair(lblMiles, txtMiles, lblKilometers, txtKilometers);
    addRow(QStringLiteral("lblCourse"), QStringLiteral("Course:"), cbCourse);
    addTimeRow(lblPace, txtPace);
    addRow(QStringLiteral("lblBike"), QStringLiteral("Bike:"), cbBike);
    addRow(QStringLiteral("lblCalories"), QStringLiteral("Calories Burned:"), txtCalories);
    addCommentsRow();
    finishLayout({txtDate, txtDay, txtExercise, txtMiles, txtKilometers, cbCourse, txtTime, cbBike,
                  txtCalories, txtComments, btnAddRecord, btnUpdate, btnDelete, btnExit});
}

void frmBikeLog::applyUnit() {
    DistanceLogWindow::applyUnit();
    lblPace->setText(bMiles ? QStringLiteral("MPH:") : QStringLiteral("KPH:"));
}

void frmBikeLog::loadLists() {
    const QString user = CLibrary::Quote(userName());
    const QStringList bikes = readColumn(QStringLiteral("SELECT Bike FROM Bikes WHERE Active = True ") +
                                             QStringLiteral("AND User_Name = ") + user,
                                         QStringLiteral("Bike"));
    offerCatalog<frmAddBike>(cbBike, bikes, QStringLiteral("bike"));

    Fields::appendItems(
        cbCourse, readColumn(QStringLiteral("SELECT Distinct(Course) FROM Cycling_Log, Exercise_Master ") +
                                 QStringLiteral("WHERE Cycling_ID = Exercise_ID ") +
                                 QStringLiteral("AND User_Name = ") + user,
                             QStringLiteral("Course")));
}

QString frmBikeLog::detailInsertSql(const QString& id) const {
    const QString calories =
        txtCalories->text().isEmpty() ? QStringLiteral("0") : CLibrary::Number(txtCalories->text());
    return QStringLiteral(
               "INSERT INTO Cycling_Log (Cycling_ID, Miles, Course, Bike, Calories_Burned, Kilometers) ") +
           QStringLiteral("VALUES (") + id + QStringLiteral(", ") + CLibrary::Number(txtMiles->text()) +
           QStringLiteral(", ") + CLibrary::Quote(cbCourse->currentText()) + QStringLiteral(", ") +
           CLibrary::Quote(cbBike->currentText()) + QStringLiteral(", ") + calories + QStringLiteral(", ") +
           CLibrary::Number(txtKilometers->text()) + QStringLiteral(")");
}

QString frmBikeLog::detailSetList() const {
    return QStringLiteral("Miles = ") + CLibrary::Number(txtMiles->text()) + QStringLiteral(", ") +
           QStringLiteral("Kilometers = ") + CLibrary::Number(txtKilometers->text()) + QStringLiteral(", ") +
           QStringLiteral("Course = ") + CLibrary::Quote(cbCourse->currentText()) + QStringLiteral(", ") +
           QStringLiteral("Bike = ") + CLibrary::Quote(cbBike->currentText());
}

void frmBikeLog::fillDetail(const ResultSet& row, bool reportMiles) {
    cbCourse->setEditText(row.field(QStringLiteral("Course")));
    cbBike->setEditText(row.field(QStringLiteral("Bike")));
    fillDistance(row, reportMiles);
}

QString frmBikeLog::rate(const QString& time, double distance) const {
    return CLibrary::GetMPH(time, distance);
}
