#include "frmRunLog.h"

#include "CLibrary.h"
#include "CatalogStatements.h"
#include "Connection.h"
#include "FieldHelpers.h"
#include "WorkoutKinds.h"
#include "frmAddShoe.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

frmRunLog::frmRunLog(SharedState& state, QWidget* parent)
    : DistanceLogWindow(state,
                        Kind{QStringLiteral("frmRunLog"), QStringLiteral("Running Log"),
                             WorkoutKinds::Running.nameText(), WorkoutKinds::Running.table},
                        QStringLiteral("Pace:"), parent) {
    cbShoes = makeCombo(QStringLiteral("cbShoes"));
    Fields::keepTextOnFocus(cbShoes); // the preselected pair stays when tabbing through

    addDistanceRows();
    addRow(QStringLiteral("lblShoes"), QStringLiteral("Shoes:"),
           watchGear(cbShoes, GearWear::Gear::Shoes, QStringLiteral("lblShoeDistance")))
        ->setBuddy(cbShoes);
    addCommentsRow();
    finishLayout(
        {txtDate, txtDay, txtExercise, txtMiles, txtKilometers, cbCourse, txtTime, cbShoes, txtComments});
    addTrackButton();
}

void frmRunLog::loadLists(Connection& conn) {
    // The newest active pair comes first.
    offerCatalog<frmAddShoe>(conn, cbShoes, CatalogStatements::Shoes, QStringLiteral("shoe"));
    loadCourses(conn);
}
