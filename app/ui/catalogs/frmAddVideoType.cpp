#include "frmAddVideoType.h"

#include "CLibrary.h"
#include "CatalogLayout.h"
#include "CatalogStatements.h"
#include "Dialogs.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// Video types belong to no user, so the shared state is not needed here.
frmAddVideoType::frmAddVideoType(SharedState&, QWidget* parent)
    : CatalogDialog(QStringLiteral("frmAddVideoType"), QStringLiteral("Add Video Type"), parent) {
    auto* form = CatalogLayout::form();
    txtVideoType = addRow<QLineEdit>(form, Label1, "Label1", "Video Type:", "txtVideoType");
    txtVideoType->setMinimumWidth(220);

    btnAdd = CatalogLayout::button(QStringLiteral("btnAdd"), QStringLiteral("Add Video Type"), this);
    btnExit = CatalogLayout::button(QStringLiteral("btnExit"), QStringLiteral("EXIT"), this);
    layOut(form, CatalogLayout::buttonRow({btnAdd, btnExit}));

    connect(btnAdd, &QPushButton::clicked, this, &frmAddVideoType::btnAdd_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmAddVideoType::btnExit_Click);
}

void frmAddVideoType::btnAdd_Click() {
    // The type carries no user: every user sees it.
    // Kept without surrounding blanks; a blank type would be preselected in the video dialog.
    const QString videoType = txtVideoType->text().trimmed();
    CLibrary lib;
    if (videoType.isEmpty() || !lib.Insert_UpdateRec(CatalogStatements::insertVideoType(videoType))) {
        Dialogs::message(this, QStringLiteral("Problem inserting video type"));
        return;
    }
    Dialogs::message(this, QStringLiteral("Video type inserted"));
    announceAdded(videoType);
}

void frmAddVideoType::btnExit_Click() {
    reject();
}
