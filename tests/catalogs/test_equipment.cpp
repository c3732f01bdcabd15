// The shoe, bike and video dialogs, driven with keys and clicks on a real database.
#include "CatalogTestSupport.h"

#include "DatePicker.h"
#include "frmAddBike.h"
#include "frmAddExercise.h"
#include "frmAddRaceType.h"
#include "frmAddShoe.h"
#include "frmAddVideo.h"
#include "frmAddVideoType.h"

#include <QCheckBox>

namespace {

using EquipmentTest = CatalogTest;

// --- Shoes -------------------------------------------------------------------------------

// (Name, type, price and the Active box are stored as in the round trip below.)
TEST_F(EquipmentTest, AShoeOpensWithItsDefaultsAndStoresItsDateAndOwner) {
    FixedState user(QStringLiteral("O'Brien"));
    frmAddShoe dlg(user);
    dlg.show();
    EXPECT_EQ(dlg.dtBuyDate->value(), QDate(2026, 5, 17));
    type(dlg.txtAddShoe, "Runner's Joy");
    type(dlg.txtPrice, "45");
    dlg.dtBuyDate->setValue(QDate(2026, 3, 4));
    click(dlg.btnAddShoe);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(rows("SELECT Shoe, Active, User_Name, Purchase_Date FROM Running_Shoes"),
              QStringList{"Runner's Joy|1|O'Brien|2026-03-04"});
}

// Every way of typing a price, in the shoe dialog ("0.00") and the bike dialog ("$#,##0.00").
struct PriceCase {
    const char* name;
    const char* typed;
    const char* shoeShown; // the field after leaving it; nullptr: not looked at
    const char* bikeShown;
    const char* stored; // "" = refused
};

class PriceTest : public CatalogTest, public testing::WithParamInterface<PriceCase> {};

TEST_P(PriceTest, IsStoredAsAPlainNumberOrRefused) {
    const PriceCase& c = GetParam();
    for (const bool bike : {false, true}) {
        SCOPED_TRACE(bike ? "bike" : "shoe");
        messages.clear();
        std::unique_ptr<EquipmentDialog> dlg = itemDialog(bike, ann);
        type(dlg->txtPrice, c.typed);
        focus(find<QLineEdit>(dlg.get(), bike ? "txtAddBike" : "txtAddShoe"));
        if (c.shoeShown) {
            EXPECT_EQ(dlg->txtPrice->text(), bike ? c.bikeShown : c.shoeShown);
        }
        clickAdd(dlg.get(), bike);

        // A refused price writes no row (and the price reads as "").
        EXPECT_EQ(scalar(bike ? "SELECT Price FROM Bikes" : "SELECT Price FROM Running_Shoes"), c.stored);
        EXPECT_EQ(messages, QStringList{*c.stored ? kInserted : kInsertFailed});
        EXPECT_EQ(dlg->isVisible(), !*c.stored) << "a refused add keeps the dialog open";
    }
    EXPECT_EQ(scalar("SELECT (SELECT COUNT(*) FROM Bikes) + (SELECT COUNT(*) FROM Running_Shoes)"),
              *c.stored ? "2" : "0");
}

const PriceCase priceCases[] = {
    {"CurrencySign", "$45.00", "45.00", "$45.00", "45"},
    {"Thousands", "1234.5", "1234.50", "$1,234.50", "1234.5"},
    {"SignAndBlank", "$ 12", "12.00", "$12.00", "12"},
    {"Empty", "", "", "", ""},
    {"SignInside", "4$5", "4$5", "4$5", ""},
    {"Statement", "45'); DELETE FROM Bikes; --", nullptr, nullptr, ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, PriceTest, testing::ValuesIn(priceCases), CaseName());

TEST_F(EquipmentTest, ADuplicateShoeIsRefusedForItsOwnerOnly) {
    exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Pegasus', 1, 'Ann')");
    FixedState bob(QStringLiteral("Bob"));
    AddedItems announced;
    for (FixedState* user : {&ann, &bob}) {
        frmAddShoe dlg(*user);
        announced.watch(&dlg);
        dlg.show();
        type(dlg.txtAddShoe, "Pegasus");
        type(dlg.txtPrice, "90");
        click(dlg.btnAddShoe);
        EXPECT_EQ(dlg.isVisible(), user == &ann) << "a refused add keeps the dialog open";
    }
    EXPECT_EQ(messages, QStringList({kInsertFailed, kInserted}));
    EXPECT_EQ(announced.names, QStringList{"frmAddShoe:Pegasus"});
    EXPECT_EQ(rows("SELECT User_Name FROM Running_Shoes ORDER BY User_Name"), QStringList({"Ann", "Bob"}));
}

TEST_F(EquipmentTest, ModifyingAShoeListsTheOwnersShoesNewestFirstAndSwitchesActive) {
    exec("INSERT INTO Running_Shoes (Shoe, Active, User_Name, Purchase_Date) VALUES ('Old Pair', 1, 'Ann', "
         "'1/2/2025'), ('Bob''s Pair', 1, 'Bob', '1/2/2025'), ('Runner''s Joy', 0, 'Ann', '1/2/2026')");
    frmAddShoe dlg(ann);
    dlg.show();
    const int addOnlyHeight = dlg.height();

    click(dlg.btnModifyShoe);
    EXPECT_GT(dlg.height(), addOnlyHeight) << "the window grows to show the modify section";
    EXPECT_EQ(items(dlg.cbModifyShoe), QStringList({"Runner's Joy", "Old Pair"}));
    EXPECT_FALSE(dlg.chkMdActive->isChecked()) << "the first shoe is inactive";

    chooseWithKeys(dlg.cbModifyShoe, "Old Pair");
    click(dlg.chkMdActive);
    click(dlg.btnUpdate);
    EXPECT_EQ(messages, QStringList{"Shoe Updated!"});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(rows("SELECT Shoe, Active FROM Running_Shoes ORDER BY Shoes_ID"),
              QStringList({"Old Pair|0", "Bob's Pair|1", "Runner's Joy|0"}));

    // Pressing the button again lists the shoes afresh, once each.
    click(dlg.btnModifyShoe);
    EXPECT_EQ(items(dlg.cbModifyShoe), QStringList({"Runner's Joy", "Old Pair"}));
}

// Without shoes there is nothing to update; without a database the section stays closed.
TEST_F(EquipmentTest, ModifyWithoutShoesOrWithoutDatabase) {
    frmAddShoe dlg(ann);
    dlg.show();
    click(dlg.btnModifyShoe);
    EXPECT_TRUE(dlg.modifySectionVisible());
    EXPECT_EQ(dlg.cbModifyShoe->count(), 0);
    EXPECT_FALSE(dlg.btnUpdate->isEnabled());
    EXPECT_TRUE(messages.isEmpty());

    frmAddShoe fresh(ann);
    fresh.show();
    QFile::remove("Trainbook.db");
    click(fresh.btnModifyShoe);
    EXPECT_TRUE(onlyMessage("Problem in retrieving shoes - ", " - In frmAddShoe btnModifyShoe_Click"))
        << messages.join('\n').toStdString();
    EXPECT_FALSE(fresh.modifySectionVisible());
}

// --- All three ----------------------------------------------------------------------------

// The same road through each dialog: a value that is no number or duration refused, the
// add stored and announced, and the modify section switching the item inactive.
struct RoundTripCase {
    const char* name;
    EquipmentDialog* (*make)(SharedState&);
    QString noun, table, valueField, typed, stored;
};

class RoundTripTest : public CatalogTest, public testing::WithParamInterface<RoundTripCase> {};

TEST_P(RoundTripTest, AddAndModify) {
    const RoundTripCase& c = GetParam();
    AddedItems announced;
    {
        std::unique_ptr<EquipmentDialog> dlg(c.make(ann));
        announced.watch(dlg.get());
        dlg->show();
        // A name that is blank once trimmed is refused, as is a value that is no number or
        // duration; the name is stored without its surrounding blanks, inactive as chosen.
        auto* name = find<QLineEdit>(dlg.get(), "txtAdd" + c.noun);
        auto* value = find<QLineEdit>(dlg.get(), c.valueField);
        type(name, "   ");
        retype(find<QComboBox>(dlg.get(), "cb" + c.noun + "Type"), "Touring");
        type(value, c.typed);
        click(find<QPushButton>(dlg.get(), "btnAdd" + c.noun));
        retype(name, " Buns 'n' Abs ");
        retype(value, "abc");
        click(find<QPushButton>(dlg.get(), "btnAdd" + c.noun));
        retype(value, c.typed);
        click(dlg->chkActive);
        click(find<QPushButton>(dlg.get(), "btnAdd" + c.noun));
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT %1, %1_Type, %2, Active, User_Name FROM %3")
                       .arg(c.noun, c.valueField.mid(3), c.table)),
              QStringList{"Buns 'n' Abs|Touring|" + c.stored + "|0|Ann"});
    EXPECT_EQ(announced.names, QStringList{"frmAdd" + c.noun + ":Buns 'n' Abs"});

    std::unique_ptr<EquipmentDialog> dlg(c.make(ann));
    dlg->show();
    click(find<QPushButton>(dlg.get(), "btnModify" + c.noun));
    EXPECT_EQ(items(find<QComboBox>(dlg.get(), "cbModify" + c.noun)), QStringList{"Buns 'n' Abs"});
    click(dlg->chkMdActive);
    click(dlg->btnUpdate);
    EXPECT_EQ(messages, QStringList({kInsertFailed, kInsertFailed, kInserted, c.noun + " Updated!"}));
    EXPECT_EQ(scalar("SELECT Active FROM " + c.table), "1");
}

const RoundTripCase roundTripCases[] = {
    {"Shoe", make<EquipmentDialog, frmAddShoe>, "Shoe", "Running_Shoes", "txtPrice", "$45.00", "45"},
    {"Bike", make<EquipmentDialog, frmAddBike>, "Bike", "Bikes", "txtPrice", "$1,299.99", "1299.99"},
    {"Video", make<EquipmentDialog, frmAddVideo>, "Video", "Videos", "txtLength", "1:05:30", "1:05:30"},
};
INSTANTIATE_TEST_SUITE_P(Kinds, RoundTripTest, testing::ValuesIn(roundTripCases), CaseName());

// Esc after typing into a catalog dialog's add section asks before throwing it away.
struct EscapeCase {
    const char* name;
    QDialog* (*make)(SharedState&);
    const char* field;
};

class EscapeTest : public CatalogTest, public testing::WithParamInterface<EscapeCase> {};

TEST_P(EscapeTest, AsksBeforeDiscardingTypedInput) {
    checkEscapeAsksBeforeDiscarding([this] { return GetParam().make(ann); }, GetParam().field, "Trail");
}

const EscapeCase escapeCases[] = {
    {"Shoe", make<QDialog, frmAddShoe>, "txtAddShoe"},
    {"Bike", make<QDialog, frmAddBike>, "txtAddBike"},
    {"Video", make<QDialog, frmAddVideo>, "txtAddVideo"},
    {"Exercise", make<QDialog, frmAddExercise>, "txtField2"},
    {"RaceType", make<QDialog, frmAddRaceType>, "txtRaceType"},
    {"VideoType", make<QDialog, frmAddVideoType>, "txtVideoType"},
};
INSTANTIATE_TEST_SUITE_P(Dialogs, EscapeTest, testing::ValuesIn(escapeCases), CaseName());

} // namespace
