#include "frmAddShoe.h"

#include <QComboBox>
#include <QPushButton>

namespace {

EquipmentForm form() {
    EquipmentForm f;
    f.formName = QStringLiteral("frmAddShoe");
    f.caption = QStringLiteral("Add/Modify Shoes");
    f.noun = QStringLiteral("Shoe");
    f.plural = QStringLiteral("shoes");
    f.equipment = CatalogStatements::Shoes;
    f.types = QStringList{QStringLiteral("Road"), QStringLiteral("Racing"), QStringLiteral("Trail")};
    f.purchased = true;
    f.currencyPrice = false;
    f.tooltips = {
        {QStringLiteral("chkActive"), QStringLiteral("If active is true, this shoe will be listed on reports "
                                                     "and will be able to be selected while entering data")}};
    return f;
}

} // namespace

frmAddShoe::frmAddShoe(SharedState& state, QWidget* parent) : EquipmentDialog(state, form(), parent) {
    txtAddShoe = m_name;
    cbShoeType = m_type;
    btnAddShoe = m_add;
    btnModifyShoe = m_modify;
    cbModifyShoe = m_modifyList;

    connect(btnAddShoe, &QPushButton::clicked, this, &frmAddShoe::btnAddShoe_Click);
    connect(btnModifyShoe, &QPushButton::clicked, this, &frmAddShoe::btnModifyShoe_Click);
    connect(cbModifyShoe, &QComboBox::activated, this, &frmAddShoe::cbModifyShoe_Click);
}

void frmAddShoe::btnAddShoe_Click() {
    addItem();
}

void frmAddShoe::btnModifyShoe_Click() {
    showModifySection();
}

void frmAddShoe::cbModifyShoe_Click() {
    chooseItem();
}
