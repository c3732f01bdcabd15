#include "frmAddExercise.h"

#include "CLibrary.h"
#include "CatalogHook.h"
#include "CatalogLayout.h"
#include "CatalogStatements.h"
#include "DiscardGuard.h"
#include "FieldHelpers.h"
#include "SharedState.h"
#include "Dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using CatalogLayout::named;

frmAddExercise::frmAddExercise(SharedState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("frmAddExercise"));
    setWindowTitle(QStringLiteral("Add / Modify Exercise"));

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
    m_modifySection = named(new QWidget(this), QStringLiteral("modifySection"));
    auto* modifyLayout = new QVBoxLayout(m_modifySection);
    modifyLayout->setContentsMargins(0, 0, 0, 0);
    auto* line = named(new QFrame(m_modifySection), QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    modifyLayout->addWidget(line);

    auto* modifyForm = CatalogLayout::form();
    Label5 = named(new QLabel(QStringLiteral("Exercise Name:"), m_modifySection), QStringLiteral("Label5"));
    cbModExercise = named(new QComboBox(m_modifySection), QStringLiteral("cbModExercise"));
    modifyForm->addRow(Label5, cbModExercise);
    Label6 = named(new QLabel(QStringLiteral("Field 1:"), m_modifySection), QStringLiteral("Label6"));
    txtModField1 = named(new QLineEdit(m_modifySection), QStringLiteral("txtModField1"));
    modifyForm->addRow(Label6, txtModField1);
    Label7 = named(new QLabel(QStringLiteral("Field 2:"), m_modifySection), QStringLiteral("Label7"));
    txtModField2 = named(new QLineEdit(m_modifySection), QStringLiteral("txtModField2"));
    modifyForm->addRow(Label7, txtModField2);
    Label8 = named(new QLabel(QStringLiteral("Field 3:"), m_modifySection), QStringLiteral("Label8"));
    txtModField3 = named(new QLineEdit(m_modifySection), QStringLiteral("txtModField3"));
    modifyForm->addRow(Label8, txtModField3);
    modifyLayout->addLayout(modifyForm);

    btnUpdate = CatalogLayout::button(QStringLiteral("btnUpdate"), QStringLiteral("Update Exercise"),
                                      m_modifySection);
    // Nothing to update until an exercise is listed.
    btnUpdate->setEnabled(false);
    modifyLayout->addLayout(CatalogLayout::buttonRow({btnUpdate}));

    // Both label columns as wide as the widest label, so the two sections line up.
    CatalogLayout::alignLabels({Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8});

    auto* top = new QVBoxLayout(this);
    top->addLayout(addForm);
    top->addSpacing(4);
    top->addLayout(buttons);
    top->addWidget(m_modifySection);
    top->setSizeConstraint(QLayout::SetFixedSize);

    // Entering a caption of the modify section selects it, so typing replaces it.
    for (QLineEdit* field : {txtModField1, txtModField2, txtModField3})
        Fields::selectAllOnFocus(field);

    // Esc after typing into the add section asks before the input is thrown away.
    new DiscardGuard(this, {txtName, txtField1, txtField2, txtField3});

    connect(btnAdd, &QPushButton::clicked, this, &frmAddExercise::btnAdd_Click);
    connect(btnModify, &QPushButton::clicked, this, &frmAddExercise::btnModify_Click);
    connect(cbModExercise, &QComboBox::activated, this, &frmAddExercise::cbModExercise_Click);
    connect(btnUpdate, &QPushButton::clicked, this, &frmAddExercise::btnUpdate_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmAddExercise::btnExit_Click);
}

void frmAddExercise::setCatalogHook(CatalogHook* hook) {
    m_hook = hook;
}

void frmAddExercise::showAddSectionOnly() {
    m_modifySection->hide();
    adjustSize();
}

bool frmAddExercise::modifySectionVisible() const {
    return !m_modifySection->isHidden();
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
    if (m_hook)
        m_hook->catalogItemAdded(QStringLiteral("frmAddExercise"), name);
    accept();
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

    // Pressing the button again lists the items afresh instead of appending them twice.
    const bool any = Fields::replaceItems(cbModExercise, names);
    btnUpdate->setEnabled(any);
    if (any)
        cbModExercise_Click();
    m_modifySection->show();
    adjustSize();
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
