#include "frmAddRaceType.h"

#include "CLibrary.h"
#include "CatalogLayout.h"
#include "CatalogStatements.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "NumberText.h"
#include "SharedState.h"
#include "WorkoutKinds.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmAddRaceType::frmAddRaceType(SharedState& state, QWidget* parent)
    : CatalogDialog(QStringLiteral("frmAddRaceType"), QStringLiteral("Add / Modify Race Type"), parent),
      m_state(state) {
    auto* form = CatalogLayout::form();
    cbExercise = addRow<QComboBox>(form, Label2, "Label2", "Exercise:", "cbExercise");
    Fields::plainCombo(cbExercise);
    txtRaceType = addRow<QLineEdit>(form, Label1, "Label1", "Race Type:", "txtRaceType");
    txtRaceType->setMinimumWidth(220);
    txtMiles = addRow<QLineEdit>(form, Label3, "Label3", "Miles:", "txtMiles");
    Fields::installDistanceFilter(txtMiles); // as in the log windows: digits and "." only
    txtKilometers = addRow<QLineEdit>(form, Label4, "Label4", "Kilometers:", "txtKilometers");

    btnAdd = CatalogLayout::button(QStringLiteral("btnAdd"), QStringLiteral("Add Race Type"), this);
    btnExit = CatalogLayout::button(QStringLiteral("btnExit"), QStringLiteral("EXIT"), this);
    layOut(form, CatalogLayout::buttonRow({btnAdd, btnExit}));

    Fields::onLeave(txtMiles, [this] { txtMiles_LostFocus(); });
    Fields::onLeave(txtKilometers, [this] { txtKilometers_LostFocus(); });
    connect(btnAdd, &QPushButton::clicked, this, &frmAddRaceType::btnAdd_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmAddRaceType::btnExit_Click);
}

void frmAddRaceType::load() {
    for (const WorkoutKinds::Kind* race : WorkoutKinds::Races)
        cbExercise->addItem(race->raceOf->nameText());
    // Nothing is chosen until the person chooses.
    cbExercise->setCurrentIndex(-1);
    cbExercise->clearEditText();
}

void frmAddRaceType::txtMiles_LostFocus() {
    if (NumberText::parse(txtMiles->text()))
        txtKilometers->setText(CLibrary::ComputeKilometers(txtMiles->text()));
}

void frmAddRaceType::txtKilometers_LostFocus() {
    // An empty or unreadable distance leaves the miles as they are. Miles typed by the
    // person are never overwritten from kilometres; miles filled in from an earlier
    // kilometre figure follow its correction.
    const QString km = txtKilometers->text();
    if (!NumberText::parse(km))
        return;
    const QString miles = txtMiles->text();
    if (miles.isEmpty() || miles == QStringLiteral("0") || miles == m_milesFromKilometers) {
        m_milesFromKilometers = CLibrary::ComputeMiles(km);
        txtMiles->setText(m_milesFromKilometers);
    }
}

void frmAddRaceType::btnAdd_Click() {
    const QString failed = QStringLiteral("Problem inserting race type");
    const QString exercise = cbExercise->currentText();
    // Names are kept without surrounding blanks; a blank one is refused.
    const QString raceType = txtRaceType->text().trimmed();
    // Without an exercise the kind would be "Race" alone, which no race log ever lists.
    if (exercise.trimmed().isEmpty() || raceType.isEmpty()) {
        Dialogs::message(this, failed);
        return;
    }
    if (txtMiles->text().isEmpty())
        txtMiles->setText(QStringLiteral("0"));

    QString sql;
    try {
        sql = CatalogStatements::insertRaceType(exercise + QStringLiteral("Race"), raceType, txtMiles->text(),
                                                m_state.currentUser());
    } catch (const std::exception&) {
        Dialogs::message(this, failed);
        return;
    }
    CLibrary lib;
    if (!lib.Insert_UpdateRec(sql)) {
        Dialogs::message(this, failed);
        return;
    }
    Dialogs::message(this, QStringLiteral("Race Type Inserted"));
    announceAdded(raceType);
}

void frmAddRaceType::btnExit_Click() {
    reject();
}
