#include "CatalogDialog.h"

#include "CatalogLayout.h"
#include "DiscardGuard.h"
#include "FieldHelpers.h"
#include "FormLoad.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CatalogDialog::CatalogDialog(const QString& name, const QString& caption, QWidget* parent) : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(caption);
    m_formLoad = new FormLoad(this, [this] { load(); });
}

void CatalogDialog::Form_Load() {
    m_formLoad->run();
}

bool CatalogDialog::modifySectionVisible() const {
    return m_modifySection && !m_modifySection->isHidden();
}

QWidget* CatalogDialog::makeModifySection(QFormLayout* form, QPushButton* update) {
    m_modifySection = CatalogLayout::named(new QWidget(this), QStringLiteral("modifySection"));
    auto* layout = new QVBoxLayout(m_modifySection);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* line = CatalogLayout::named(new QFrame(m_modifySection), QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    layout->addLayout(form);
    m_update = update;
    // Nothing to update until an item is listed.
    m_update->setEnabled(false);
    layout->addLayout(CatalogLayout::buttonRow({m_update}));
    return m_modifySection;
}

void CatalogDialog::layOut(QFormLayout* addForm, QHBoxLayout* buttons) {
    auto* top = new QVBoxLayout(this);
    top->addLayout(addForm);
    top->addSpacing(4);
    top->addLayout(buttons);
    if (m_modifySection)
        top->addWidget(m_modifySection);
    // The window always fits the sections it shows.
    top->setSizeConstraint(QLayout::SetFixedSize);

    // Esc after typing into the add section asks before the input is thrown away.
    QList<QWidget*> addFields;
    for (int row = 0; row < addForm->rowCount(); ++row)
        for (const auto role : {QFormLayout::FieldRole, QFormLayout::SpanningRole})
            if (QLayoutItem* item = addForm->itemAt(row, role); item && item->widget())
                addFields << item->widget();
    new DiscardGuard(this, addFields);
}

void CatalogDialog::refillModifyList(QComboBox* list, const QStringList& names,
                                     const std::function<void()>& chooseFirst) {
    const bool any = Fields::replaceItems(list, names);
    if (m_update)
        m_update->setEnabled(any);
    if (any)
        chooseFirst();
    if (m_modifySection)
        m_modifySection->show();
    adjustSize();
}

void CatalogDialog::announceAdded(const QString& name) {
    emit itemAdded(name);
    accept();
}
