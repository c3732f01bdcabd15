#include "frmAddExercise.h"

#include "CLibrary.h"
#include "CatalogLayout.h"
#include "CatalogStatements.h"
#include "FieldHelpers.h"
#include "SharedState.h"
#include "Dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using CatalogLayout::named;

frmAddExercise::frmAddExercise(SharedState& state, QWidget* parent)
    : CatalogDialog(QStringLiteral("frmAddExercise"), QStringLiteral("Add / Modify Exercise"), parent),
      m_state(state) {
    // --- Add section ---------------------------------------------------------------------
    auto* addForm = CatalogLayout::form();
    Label1 = named(new QLabel(QStringLiteral("Exercise Name:"), this), QStringLiteral("Label1"));
    txtName = named(new QLineEdit(this), QStringLiteral("txtName"));
    txtName->setMinimumWidth(220);
    addForm->addRow(Label1, txtName);
    Label2 = named(new QLabel(QStringLiteral("Field 1:"), this), QStringLiteral("Label2"));
    txtField1 = named(new QLineEdit(this), QStringLiteral("txtField1"));
    addForm->addRow(Label2, txtField1);
    Label3 = named(new QLabel(QStringLiteral("Field 2:"), this), QStringLiteral("Label3"));
    txtField2 = named(new QLineEdit(this), QStringLiteral("txtField2"));
    addForm->addRow(Label3, txtField2);
    Label4 = named(new QLabel(QStringLiteral("Field 3:"), this), QStringLiteral("Label4"));
    txtField3 = named(new QLineEdit(this), QStringLiteral("txtField3"));
    addForm->addRow(Label4, txtField3);

    btnAdd = CatalogLayout::button(QStringLiteral("btnAdd"), QStringLiteral("Add Exercise"), this);
    btnModify =
        CatalogLayout::button(QStringLiteral("btnModify"), QStringLiteral("Modify an Exercise"), this);
    btnExit = CatalogLayout::button(QStringLiteral("btnExit"), QStringLiteral("EXIT"), this);
    auto* buttons = CatalogLayout::buttonRow({btnAdd, btnModify, btnExit});

    // --- Modify section (below a separating line) ----------------------------------------
    auto* modifyForm = CatalogLayout::form();
    Label5 = named(new QLabel(QStringLiteral("Exercise Name:"), this), QStringLiteral("Label5"));
    cbModExercise = named(new QComboBox(this), QStringLiteral("cbModExercise"));
    modifyForm->addRow(Label5, cbModExercise);
    Label6 = named(new QLabel(QStringLiteral("Field 1:"), this), QStringLiteral("Label6"));
    txtModField1 = named(new QLineEdit(this), QStringLiteral("txtModField1"));
    modifyForm->addRow(Label6, txtModField1);
    Label7 = named(new QLabel(QStringLiteral("Field 2:"), this), QStringLiteral("Label7"));
    txtModField2 = named(new QLineEdit(this), QStringLiteral("txtModField2"));
    modifyForm->addRow(Label7, txtModField2);
    Label8 = named(new QLabel(QStringLiteral("Field 3:"), this), QStringLiteral("Label8"));
    txtModField3 = named(new QLineEdit(this), QStringLiteral("txtModField3"));
    modifyForm->addRow(Label8, txtModField3);
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
        names = CLibrary().GetConnection()->column(CatalogStatements::listExercises(m_state.currentUser()),
                                                   QStringLiteral("Exercise_Name"));
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
        ResultSet rs = conn->query(
            CatalogStatements::selectCaptions(m_state.currentUser(), cbModExercise->currentText()));
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
        CatalogStatements::updateExercise(cbModExercise->currentText(), txtModField1->text(),
                                          txtModField2->text(), txtModField3->text(), m_state.currentUser());
    CLibrary lib;
    if (lib.Insert_UpdateRec(sql))
        Dialogs::message(this, QStringLiteral("Exercise Updated!"));
    else
        Dialogs::message(this, QStringLiteral("Problem occurred while updating exercise"));
}

void frmAddExercise::btnExit_Click() {
    reject();
}
