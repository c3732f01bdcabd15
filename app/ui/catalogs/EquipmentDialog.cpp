#include "EquipmentDialog.h"

#include "CLibrary.h"
#include "CatalogLayout.h"
#include "Clock.h"
#include "DatePicker.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "SharedState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

namespace {

const QString kInserted = QStringLiteral("Record Inserted");
const QString kInsertFailed = QStringLiteral("Problem occurred in inserting the record into the database");
const QString kRetireTip =
    QStringLiteral("Distance after which it is due for retirement; leave empty for no limit");

} // namespace

EquipmentDialog::EquipmentDialog(SharedState& state, EquipmentForm form, QWidget* parent)
    : CatalogDialog(form.formName, form.caption, parent), m_state(state), m_form(std::move(form)),
      m_miles(state.miles()) {
    const QString& noun = m_form.noun;

    // --- Add section ---------------------------------------------------------------------
    auto* addForm = CatalogLayout::form();
    m_name = addRow<QLineEdit>(addForm, Label1, "Label1", noun + QStringLiteral(":"), "txtAdd" + noun);
    m_name->setMinimumWidth(220);
    m_type = addRow<QComboBox>(addForm, Label2, "Label2", noun + QStringLiteral(" Type:"),
                               "cb" + noun + QStringLiteral("Type"));
    Fields::plainCombo(m_type);

    if (m_form.purchased) {
        txtPrice = addRow<QLineEdit>(addForm, Label3, "Label3", "Price:", "txtPrice");
        Fields::onLeave(txtPrice, [this] { txtPrice_LostFocus(); });
        dtBuyDate = addRow<DatePicker>(addForm, Label5, "Label5", "Purchase Date:", "dtBuyDate");
        txtRetireDistance =
            addRow<QLineEdit>(addForm, Label6, "Label6", retireCaption(), "txtRetireDistance");
        txtRetireDistance->setToolTip(kRetireTip);
    } else {
        txtLength = addRow<QLineEdit>(addForm, Label3, "Label3", "Length (hr:mm:ss):", "txtLength");
    }

    chkActive = new QCheckBox(QStringLiteral("Active?"), this);
    chkActive->setObjectName(QStringLiteral("chkActive"));
    chkActive->setChecked(true);
    // Only the box and its text react to a click; the field is not stretched past them.
    chkActive->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    addForm->addRow(QString(), chkActive);

    m_add = CatalogLayout::button(QStringLiteral("btnAdd") + noun, QStringLiteral("Add ") + noun, this);
    m_modify =
        CatalogLayout::button(QStringLiteral("btnModify") + noun, QStringLiteral("Modify a ") + noun, this);
    btnExit = CatalogLayout::button(QStringLiteral("btnExit"), QStringLiteral("EXIT"), this);
    auto* buttons = CatalogLayout::buttonRow({m_add, m_modify, btnExit});

    // --- Modify section (below a separating line) ----------------------------------------
    auto* modifyForm = CatalogLayout::form();
    m_modifyList =
        addRow<QComboBox>(modifyForm, Label4, "Label4", noun + QStringLiteral(":"), "cbModify" + noun);
    chkMdActive = new QCheckBox(QStringLiteral("Active?"), this);
    chkMdActive->setObjectName(QStringLiteral("chkMdActive"));
    chkMdActive->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    modifyForm->addRow(QString(), chkMdActive);
    if (m_form.purchased) {
        txtMdRetireDistance =
            addRow<QLineEdit>(modifyForm, Label7, "Label7", retireCaption(), "txtMdRetireDistance");
        txtMdRetireDistance->setToolTip(kRetireTip);
    }
    btnUpdate = CatalogLayout::button(QStringLiteral("btnUpdate"), QStringLiteral("Update ") + noun, this);
    makeModifySection(modifyForm, btnUpdate)->hide();

    // Both label columns as wide as the widest label, so the two sections line up.
    CatalogLayout::alignLabels({Label1, Label2, Label3, Label4, Label5, Label6, Label7});
    layOut(addForm, buttons);

    for (const auto& [name, tip] : m_form.tooltips)
        if (auto* w = findChild<QWidget*>(name))
            w->setToolTip(tip);

    connect(btnUpdate, &QPushButton::clicked, this, &EquipmentDialog::btnUpdate_Click);
    connect(btnExit, &QPushButton::clicked, this, &EquipmentDialog::btnExit_Click);
}

QString EquipmentDialog::retireCaption() const {
    return m_miles ? QStringLiteral("Retire at (miles):") : QStringLiteral("Retire at (km):");
}

void EquipmentDialog::load() {
    loadTypes();
    if (dtBuyDate)
        dtBuyDate->setValue(Clock::today());
}

void EquipmentDialog::loadTypes() {
    setTypes(m_form.types);
}

void EquipmentDialog::setTypes(const QStringList& types) {
    m_type->clear();
    m_type->addItems(types);
    m_type->setCurrentText(types.value(0));
}

void EquipmentDialog::showReadError(const QString& context, const QString& description,
                                    const QString& routine) {
    Dialogs::message(this, context + description + QStringLiteral(" - In ") + m_form.formName +
                               QLatin1Char(' ') + routine);
}

void EquipmentDialog::txtPrice_LostFocus() {
    // A typed "$" is dropped; a price shows in the dialog's number format.
    txtPrice->setText(CatalogStatements::displayPrice(txtPrice->text(), m_form.currencyPrice));
}

void EquipmentDialog::addItem() {
    // Blanks around a name would make a second item that looks like the first, and a blank
    // name would be preselected in the log windows; it is refused like a failed insert.
    const QString name = m_name->text().trimmed();
    const QString user = m_state.currentUser();
    QString sql;
    try {
        if (name.isEmpty())
            throw std::invalid_argument("blank name");
        if (m_form.purchased) {
            sql = CatalogStatements::insertPurchased(
                m_form.equipment, name, m_type->currentText(), txtPrice->text(), chkActive->isChecked(), user,
                dtBuyDate->statementText(),
                CatalogStatements::retireMiles(txtRetireDistance->text(), m_miles));
        } else {
            // The length is copied into a video workout's time, so it must read as a duration.
            if (!txtLength->text().trimmed().isEmpty())
                CLibrary::GetMinutes(txtLength->text());
            sql = CatalogStatements::insertVideo(name, m_type->currentText(), txtLength->text(),
                                                 chkActive->isChecked(), user);
        }
    } catch (const std::exception&) {
        Dialogs::message(this, kInsertFailed);
        return;
    }

    CLibrary lib;
    if (!lib.Insert_UpdateRec(sql)) {
        Dialogs::message(this, kInsertFailed);
        return;
    }
    Dialogs::message(this, kInserted);
    announceAdded(name);
}

void EquipmentDialog::showModifySection() {
    const QString context = QStringLiteral("Problem in retrieving ") + m_form.plural + QStringLiteral(" - ");
    QStringList names;
    try {
        names = CLibrary().GetConnection()->column(CatalogStatements::listItems(m_form.equipment),
                                                   m_form.equipment.nameColumn, {m_state.currentUser()});
    } catch (const std::exception& e) {
        showReadError(context, describe(e),
                      QStringLiteral("btnModify") + m_form.noun + QStringLiteral("_Click"));
        return;
    }

    refillModifyList(m_modifyList, names, [this] { chooseItem(); });
}

void EquipmentDialog::chooseItem() {
    const QString routine = QStringLiteral("cbModify") + m_form.noun + QStringLiteral("_Click");
    const QString context = QStringLiteral("Problem in retrieving ") + m_form.plural + QStringLiteral(" - ");
    try {
        CLibrary lib;
        auto conn = lib.GetConnection();
        const QString sql = m_form.purchased ? CatalogStatements::selectActiveAndRetire(m_form.equipment)
                                             : CatalogStatements::selectActive(m_form.equipment);
        ResultSet rs = conn->query(sql, {m_state.currentUser(), m_modifyList->currentText()});
        if (!rs.eof()) {
            chkMdActive->setChecked(rs.field(QStringLiteral("Active")).toDouble() != 0);
            if (txtMdRetireDistance)
                txtMdRetireDistance->setText(
                    CatalogStatements::retireText(rs.value(QStringLiteral("Retire_Distance")), m_miles));
        }
    } catch (const std::exception& e) {
        showReadError(context, describe(e), routine);
    }
}

void EquipmentDialog::btnUpdate_Click() {
    CLibrary lib;
    bool ok = false;
    if (!txtMdRetireDistance) {
        ok = lib.Insert_UpdateRec(
            CatalogStatements::updateActive(m_form.equipment),
            {chkMdActive->isChecked() ? 1 : 0, m_modifyList->currentText(), m_state.currentUser()});
    } else {
        try {
            const QVariant retire = CatalogStatements::retireParameter(
                CatalogStatements::retireMiles(txtMdRetireDistance->text(), m_miles));
            ok = lib.Insert_UpdateRec(CatalogStatements::updateActiveAndRetire(m_form.equipment),
                                      {chkMdActive->isChecked() ? 1 : 0, retire, m_modifyList->currentText(),
                                       m_state.currentUser()});
        } catch (const std::exception&) {
            ok = false; // a retirement distance that is not a distance: nothing is written
        }
    }
    if (ok)
        Dialogs::message(this, m_form.noun + QStringLiteral(" Updated!"));
    else
        Dialogs::message(this, QStringLiteral("Problem occurred while updating ") + m_form.noun.toLower());
}

void EquipmentDialog::btnExit_Click() {
    reject();
}
