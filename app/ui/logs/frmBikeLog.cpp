#include "frmBikeLog.h"

#include "CLibrary.h"
#include "CatalogStatements.h"
#include "Connection.h"
#include "FieldHelpers.h"
#include "WorkoutKinds.h"
#include "frmAddBike.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmBikeLog::frmBikeLog(SharedState& state, QWidget* parent)
    : DistanceLogWindow(state,
                        Kind{QStringLiteral("frmBikeLog"), QStringLiteral("Bike Log"),
                             WorkoutKinds::Cycling.nameText(), WorkoutKinds::Cycling.table},
                        QStringLiteral("MPH:"), parent) {
    btnAddRecord = btnAdd;
    btnAddRecord->setObjectName(QStringLiteral("btnAddRecord"));
    cbBike = makeCombo(QStringLiteral("cbBike"));
    txtCalories = makeLineEdit(QStringLiteral("txtCalories"));
    Fields::keepTextOnFocus(cbBike); // the preselected bike stays when tabbing through
    Fields::selectAllOnFocus(txtCalories);

    addDistanceRows();
    addRow(QStringLiteral("lblBike"), QStringLiteral("Bike:"),
           watchGear(cbBike, GearWear::Gear::Bike, QStringLiteral("lblBikeDistance")))
        ->setBuddy(cbBike);
    addRow(QStringLiteral("lblCalories"), QStringLiteral("Calories Burned:"), txtCalories);
    addCommentsRow();
    finishLayout({txtDate, txtDay, txtExercise, txtMiles, txtKilometers, cbCourse, txtTime, cbBike,
                  txtCalories, txtComments, btnAddRecord, btnUpdate, btnDelete, btnExit});
    addTrackButton();
}

void frmBikeLog::applyUnit() {
    DistanceLogWindow::applyUnit();
    lblPace->setText(bMiles ? QStringLiteral("MPH:") : QStringLiteral("KPH:"));
}

void frmBikeLog::loadLists(Connection& conn) {
    offerCatalog<frmAddBike>(conn, cbBike, CatalogStatements::Bikes, QStringLiteral("bike"));
    loadCourses(conn);
}

QString frmBikeLog::rate(const QString& time, double distance) const {
    return CLibrary::GetMPH(time, distance);
}
