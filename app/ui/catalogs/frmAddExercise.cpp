#include "frmAddExercise.h"

#include "CLibrary.h"
#include "CatalogLayout.h"
#include "CatalogStatements.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "SharedState.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

frmAddExercise::frmAddExercise(SharedState& state, QWidget* parent)
    : CatalogDialog(QStringLiteral("frmAddExercise"), QStringLiteral("Add / Modify Exercise"), parent),
      m_state(state) {
    // --- Add section ---------------------------------------------------------------------
    auto* addForm = CatalogLayout::form();
    txtName = addRow<QLineEdit>(addForm, Label1, "Label1", "Exercise Name:", "txtName");
    txtName->setMinimumWidth(220);
    txtField1 = addRow<QLineEdit>(addForm, Label2, "Label2", "Field 1:", "txtField1");
    txtField2 = addRow<QLineEdit>(addForm, Label3, "Label3", "Field 2:", "txtField2");
    txtField3 = addRow<QLineEdit>(addForm, Label4, "Label4", "Field 3:", "txtField3");

    btnAdd = CatalogLayout::button(QStringLiteral("btnAdd"), QStringLiteral("Add Exercise"), this);
    btnModify =
        CatalogLayout::button(QStringLiteral("btnModify"), QStringLiteral("Modify an Exercise"), this);
    btnExit = CatalogLayout::button(QStringLiteral("btnExit"), QStringLiteral("EXIT"), this);
    auto* buttons = CatalogLayout::buttonRow({btnAdd, btnModify, btnExit});

    // --- Modify section (below a separating line) ----------------------------------------
    auto* modifyForm = CatalogLayout::form();
    cbModExercise = addRow<QComboBox>(modifyForm, Label5, "Label5", "Exercise Name:", "cbModExercise");
    txtModField1 = addRow<QLineEdit>(modifyForm, Label6, "Label6", "Field 1:", "txtModField1");
    txtModField2 = addRow<QLineEdit>(modifyForm, Label7, "Label7", "Field 2:", "txtModField2");
    txtModField3 = addRow<QLineEdit>(modifyForm, Label8, "Label8", "Field 3:", "txtModField3");
    btnUpdate = CatalogLayout::button(QStringLiteral("btnUpdate"), QStringLiteral("Update Exercise"), this);
    makeModifySection(modifyForm, btnUpdate);

    // Both label columns as wide as the widest label, so the two sections line up.
    CatalogLayout::alignLabels({Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8});
    layOut(addForm, buttons);

    // Entering a caption of the modify section selects it, so typing replaces it.
    for (QLineEdit* field : {txtModField1, txtModField2, txtModField3})
        Fields::selectAllOnFocus(field);

    connect(btnAdd, &QPushButton::clicked, this, &frmAddExercise::btnAdd_Click);
    connect(btnModify, &QPushButton::clicked, this, &frmAddExercise::btnModify_Click);
    connect(cbModExercise, &QComboBox::activated, this, &frmAddExercise::cbModExercise_Click);
    connect(btnUpdate, &QPushButton::clicked, this, &frmAddExercise::btnUpdate_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmAddExercise::btnExit_Click);
}

void frmAddExercise::showAddSectionOnly() {
    m_modifySection->hide();
    adjustSize();
}

void frmAddExercise::showReadError(const QString& description, const QString& routine) {
    Dialogs::message(this, QStringLiteral("Problem in retrieving exercise data - ") + description +
                               QStringLiteral(" - In frmAddExercise ") + routine);
}

void frmAddExercise::btnAdd_Click() {
    // Names are kept without surrounding blanks; a blank name is refused like a failed insert.
    const QString name = txtName->text().trimmed();
    const QString sql = CatalogStatements::insertExercise(name, txtField1->text(), txtField2->text(),
                                                          txtField3->text(), m_state.currentUser());
    CLibrary lib;
    if (name.isEmpty() || !lib.Insert_UpdateRec(sql)) {
        Dialogs::message(this, QStringLiteral("Problem occurred in inserting the record into the database"));
        return;
    }
    Dialogs::message(this, QStringLiteral("Record Inserted"));
    announceAdded(name);
}

void frmAddExercise::btnModify_Click() {
    QStringList names;
    try {
        names = CLibrary().GetConnection()->column(CatalogStatements::listExercises(),
                                                   QStringLiteral("Exercise_Name"), {m_state.currentUser()});
    } catch (const std::exception& e) {
        showReadError(describe(e), QStringLiteral("btnModify_Click"));
        return;
    }

    refillModifyList(cbModExercise, names, [this] { cbModExercise_Click(); });
}

void frmAddExercise::cbModExercise_Click() {
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        ResultSet rs = conn->query(CatalogStatements::selectCaptions(),
                                   {m_state.currentUser(), cbModExercise->currentText()});
        if (!rs.eof()) {
            txtModField1->setText(rs.field(QStringLiteral("Field1")));
            txtModField2->setText(rs.field(QStringLiteral("Field2")));
            txtModField3->setText(rs.field(QStringLiteral("Field3")));
        }
    } catch (const std::exception& e) {
        showReadError(describe(e), QStringLiteral("cbModExercise_Click"));
    }
}

void frmAddExercise::btnUpdate_Click() {
    const QString sql =
        CatalogStatements::updateExercise(txtModField1->text(), txtModField2->text(), txtModField3->text());
    CLibrary lib;
    if (lib.Insert_UpdateRec(sql, {cbModExercise->currentText(), m_state.currentUser()}))
        Dialogs::message(this, QStringLiteral("Exercise Updated!"));
    else
        Dialogs::message(this, QStringLiteral("Problem occurred while updating exercise"));
}

void frmAddExercise::btnExit_Click() {
    reject();
}
