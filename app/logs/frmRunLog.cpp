#include "frmRunLog.h"

#include "CLibrary.h"
#include "CatalogStatements.h"
#include "Connection.h"
#include "FieldHelpers.h"
#include "frmAddShoe.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

frmRunLog::frmRunLog(SharedState& state, QWidget* parent)
    : DistanceLogWindow(state,
                        Kind{QStringLiteral("frmRunLog"), QStringLiteral("Running Log"),
                             QStringLiteral("Running"), &Tables::RunningLog},
                        QStringLiteral("Pace:"), parent) {
    cbCourse = makeCombo(QStringLiteral("cbCourse"));
    cbShoes = makeCombo(QStringLiteral("cbShoes"));
    Fields::selectAllOnFocus(cbCourse);

    addDateRows();
    addPair(lblMiles, txtMiles, lblKilometers, txtKilometers);
    addRow(QStringLiteral("lblCourse"), QStringLiteral("Course:"), cbCourse);
    addTimeRow(lblPace, txtPace);
    addRow(QStringLiteral("lblShoes"), QStringLiteral("Shoes:"), cbShoes);
    addCommentsRow();
    finishLayout(
        {txtDate, txtDay, txtExercise, txtMiles, txtKilometers, cbCourse, txtTime, cbShoes, txtComments});
}

void frmRunLog::loadLists(Connection& conn) {
    const QStringList shoes = conn.column(CatalogStatements::activeItems(CatalogStatements::Shoes),
                                          QStringLiteral("Shoe"), {userName()});
    offerCatalog<frmAddShoe>(cbShoes, shoes, QStringLiteral("shoe")); // the newest active pair
    Fields::appendItems(cbCourse, conn.column(Tables::pickListSql(Tables::RunningLog, "Course"),
                                              QStringLiteral("Course"), {userName()}));
}
