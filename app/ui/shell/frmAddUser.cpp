#include "frmAddUser.h"

#include "CLibrary.h"
#include "Dialogs.h"
#include "SharedState.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// Takes the shared state as every dialog of the main window does; the new user goes out through
// userAdded rather than into the state.
frmAddUser::frmAddUser(SharedState& state, QWidget* parent) : QDialog(parent) {
    Q_UNUSED(state);
    setObjectName(QStringLiteral("frmAddUser"));
    setWindowTitle(QStringLiteral("Add User"));

    Label1 = new QLabel(QStringLiteral("User:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtAddUser = new QLineEdit(this);
    txtAddUser->setObjectName(QStringLiteral("txtAddUser"));
    Label1->setBuddy(txtAddUser);

    chkMiles = new QCheckBox(QStringLiteral("Default Distance is Miles"), this);
    chkMiles->setObjectName(QStringLiteral("chkMiles"));
    chkMiles->setChecked(true);

    Label2 = new QLabel(QStringLiteral("Note: Default Distance can be changed in the Utilities menu."), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);

    btnAddUser = new QPushButton(QStringLiteral("Add User"), this);
    btnAddUser->setObjectName(QStringLiteral("btnAddUser"));
    btnAddUser->setDefault(true);
    btnExit = new QPushButton(QStringLiteral("Exit"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(Label1, txtAddUser);
    form->addRow(QString(), chkMiles);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAddUser);
    buttons->addWidget(btnExit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    txtAddUser->setMinimumWidth(220);

    connect(btnAddUser, &QPushButton::clicked, this, &frmAddUser::btnAddUser_Click);
    connect(btnExit, &QPushButton::clicked, this, &frmAddUser::btnExit_Click);
}

QString frmAddUser::insertStatement(const QString& name, bool miles) {
    return QStringLiteral("INSERT INTO Users (User_Name, DistanceMiles) ") + QStringLiteral("VALUES (") +
           CLibrary::Quote(name) + QStringLiteral(", ") +
           (miles ? QStringLiteral("1") : QStringLiteral("0")) + QStringLiteral(")");
}

void frmAddUser::btnAddUser_Click() {
    // Blanks around a name would make a second user that looks like the first.
    const QString name = txtAddUser->text().trimmed();
    const bool miles = chkMiles->isChecked();

    // A blank name would be a user that the selector cannot tell apart from "no user",
    // so it is refused like any other insert the database rejects.
    bool ok = false;
    if (!name.isEmpty()) {
        CLibrary lib;
        ok = lib.Insert_UpdateRec(insertStatement(name, miles));
    }
    if (!ok) {
        Dialogs::message(this, QStringLiteral("Problem inserting user"));
        return;
    }

    Dialogs::message(this, QStringLiteral("User Added!"));
    emit userAdded(name, miles);
    accept();
}

void frmAddUser::btnExit_Click() {
    reject();
}
