#include "DistanceLogWindow.h"

#include "Connection.h"
#include "FieldHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

DistanceLogWindow::DistanceLogWindow(SharedState& state, const Kind& kind, const QString& rateCaption,
                                     QWidget* parent)
    : LogWindow(state, kind, parent) {
    createDistanceFields(this, txtTime, true);
    lblMiles = makeLabel(QStringLiteral("lblMiles"), QStringLiteral("Miles:"));
    lblKilometers = makeLabel(QStringLiteral("lblKilometers"), QStringLiteral("Kilometers:"));
    lblPace = makeLabel(QStringLiteral("lblPace"), rateCaption);
    cbCourse = makeCombo(QStringLiteral("cbCourse"));
    Fields::selectAllOnFocus(cbCourse);
}

void DistanceLogWindow::addDistanceRows() {
    addDateRows();
    addPair(lblMiles, txtMiles, lblKilometers, txtKilometers);
    addRow(QStringLiteral("lblCourse"), QStringLiteral("Course:"), cbCourse);
    addTimeRow(lblPace, txtPace);
}

void DistanceLogWindow::loadCourses(Connection& conn) {
    Fields::appendItems(cbCourse, conn.column(Tables::pickListSql(*m_kind.detail, "Course"),
                                              QStringLiteral("Course"), {userName()}));
}

void DistanceLogWindow::applyUnit() {
    bMiles = m_state.miles();
    txtMiles->setEnabled(bMiles);
    txtKilometers->setEnabled(!bMiles);
}

void DistanceLogWindow::detailFilled(const ResultSet& row, bool reportMiles) {
    txtPace->setText(
        safeRate(row.field(QStringLiteral("Exercise_Time")),
                 row.field(reportMiles ? QStringLiteral("Miles") : QStringLiteral("Kilometers"))));
}
