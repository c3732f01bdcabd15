#include "frmAddBike.h"

#include <QComboBox>
#include <QPushButton>

namespace {

EquipmentForm form() {
    EquipmentForm f;
    f.formName = QStringLiteral("frmAddBike");
    f.caption = QStringLiteral("Add/Modify Bike");
    f.noun = QStringLiteral("Bike");
    f.plural = QStringLiteral("bikes");
    f.equipment = CatalogStatements::Bikes;
    f.types = QStringList{QStringLiteral("Road"), QStringLiteral("Mountain"), QStringLiteral("Stationary")};
    f.purchased = true;
    f.currencyPrice = true;
    f.tooltips = {
        {QStringLiteral("txtAddBike"), QStringLiteral("Enter bike name")},
        {QStringLiteral("cbBikeType"), QStringLiteral("Enter type of bike")},
        {QStringLiteral("txtPrice"), QStringLiteral("Enter purchase price of the bike")},
        {QStringLiteral("dtBuyDate"), QStringLiteral("Enter the date the bike was purchased")},
        {QStringLiteral("btnModifyBike"),
         QStringLiteral("Select this to modify any bike that is currently in the database")},
        {QStringLiteral("btnAddBike"), QStringLiteral("Select this to add a bike to the database")},
        {QStringLiteral("cbModifyBike"), QStringLiteral("Select bike to modify")},
        {QStringLiteral("btnUpdate"),
         QStringLiteral("Select this to update the selected bike's active property")},
        {QStringLiteral("chkMdActive"), QStringLiteral("Select to make active or not active")},
        {QStringLiteral("chkActive"), QStringLiteral("If active is true, this bike will be listed on reports "
                                                     "and will be able to be selected while entering data")}};
    return f;
}

} // namespace

frmAddBike::frmAddBike(SharedState& state, QWidget* parent) : EquipmentDialog(state, form(), parent) {
    txtAddBike = m_name;
    cbBikeType = m_type;
    btnAddBike = m_add;
    btnModifyBike = m_modify;
    cbModifyBike = m_modifyList;

    connect(btnAddBike, &QPushButton::clicked, this, &frmAddBike::btnAddBike_Click);
    connect(btnModifyBike, &QPushButton::clicked, this, &frmAddBike::btnModifyBike_Click);
    connect(cbModifyBike, &QComboBox::activated, this, &frmAddBike::cbModifyBike_Click);
}

void frmAddBike::btnAddBike_Click() {
    addItem();
}

void frmAddBike::btnModifyBike_Click() {
    showModifySection();
}

void frmAddBike::cbModifyBike_Click() {
    chooseItem();
}
