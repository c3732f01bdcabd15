#include "frmAddVideo.h"

#include "CLibrary.h"

#include <QComboBox>
#include <QPushButton>

namespace {

EquipmentForm form() {
    EquipmentForm f;
    f.formName = QStringLiteral("frmAddVideo");
    f.caption = QStringLiteral("Add/Modify Video");
    f.noun = QStringLiteral("Video");
    f.plural = QStringLiteral("videos");
    f.equipment = CatalogStatements::Videos;
    f.types = QStringList{QStringLiteral("Tae-Bo"), QStringLiteral("Aerobics")};
    f.purchased = false;
    f.currencyPrice = false;
    f.tooltips = {{QStringLiteral("chkActive"),
                   QStringLiteral("If active is true, this video will be listed on reports and will be able "
                                  "to be selected while entering data")}};
    return f;
}

} // namespace

frmAddVideo::frmAddVideo(SharedState& state, QWidget* parent) : EquipmentDialog(state, form(), parent) {
    txtAddVideo = m_name;
    cbVideoType = m_type;
    btnAddVideo = m_add;
    btnModifyVideo = m_modify;
    cbModifyVideo = m_modifyList;

    connect(btnAddVideo, &QPushButton::clicked, this, &frmAddVideo::btnAddVideo_Click);
    connect(btnModifyVideo, &QPushButton::clicked, this, &frmAddVideo::btnModifyVideo_Click);
    connect(cbModifyVideo, &QComboBox::activated, this, &frmAddVideo::cbModifyVideo_Click);
}

void frmAddVideo::btnAddVideo_Click() {
    addItem();
}

void frmAddVideo::btnModifyVideo_Click() {
    showModifySection();
}

void frmAddVideo::cbModifyVideo_Click() {
    chooseItem();
}

void frmAddVideo::loadTypes() {
    QStringList types;
    try {
        types = CLibrary().GetConnection()->column(CatalogStatements::listVideoTypes(),
                                                   QStringLiteral("Video_Type"));
    } catch (const std::exception& e) {
        showReadError(QStringLiteral("Problem in retrieving video types - "), describe(e),
                      QStringLiteral("Form_Load"));
    }
    setTypes(types.isEmpty() ? m_form.types : types);
}
