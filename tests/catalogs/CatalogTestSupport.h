#pragma once

#include "CatalogDialog.h"
#include "Clock.h"
#include "GuiFixture.h"
#include "frmAddBike.h"
#include "frmAddShoe.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

// Records the items that catalog dialogs announce, as "dialog:name".
class AddedItems {
  public:
    void watch(CatalogDialog* dialog) {
        QObject::connect(dialog, &CatalogDialog::itemAdded,
                         [this, dialog](const QString& name) { names << dialog->objectName() + ":" + name; });
    }
    QStringList names;
};

// Makes a dialog of the current user, for tables of dialogs.
template <class Base, class Dialog> Base* make(SharedState& user) {
    return new Dialog(user);
}

const QString kInserted = QStringLiteral("Record Inserted");
const QString kInsertFailed = QStringLiteral("Problem occurred in inserting the record into the database");

class CatalogTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 5, 17), QTime(9, 30)));
    }

    FixedState ann{QStringLiteral("Ann")};

    // A shoe or bike dialog of `user`, shown, with the name "Item" typed into its add section.
    std::unique_ptr<EquipmentDialog> itemDialog(bool bike, SharedState& user) {
        std::unique_ptr<EquipmentDialog> dlg(bike ? make<EquipmentDialog, frmAddBike>(user)
                                                  : make<EquipmentDialog, frmAddShoe>(user));
        dlg->show();
        type(find<QLineEdit>(dlg.get(), bike ? "txtAddBike" : "txtAddShoe"), "Item");
        return dlg;
    }
    static void clickAdd(EquipmentDialog* dlg, bool bike) {
        click(find<QPushButton>(dlg, bike ? "btnAddBike" : "btnAddShoe"));
    }

    // Chooses an entry of a closed drop-down list with the arrow keys, as a person does.
    static void chooseWithKeys(QComboBox* combo, const QString& text) {
        focus(combo);
        const int target = combo->findText(text);
        ASSERT_GE(target, 0) << "no entry " << text.toStdString();
        while (combo->currentIndex() != target)
            QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        QApplication::processEvents();
    }
};
