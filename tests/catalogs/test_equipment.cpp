// The shoe, bike and video dialogs, driven with keys and clicks on a real database.
#include "CatalogTestSupport.h"

#include "DatePicker.h"
#include "frmAddBike.h"
#include "frmAddShoe.h"
#include "frmAddVideo.h"

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

// Every way of typing a price ("0.00" in the shoe dialog, "$#,##0.00" in the bike dialog) and a
// retirement distance (typed in the user's unit, stored in miles), in both dialogs.
struct TypedCase {
    const char* name;
    const char* field;
    bool miles; // the user's unit
    const char* typed;
    const char* shoeShown; // the field after leaving it; nullptr: not looked at
    const char* bikeShown;
    const char* stored; // "Price|Retire_Distance", "none" for NULL; "" = refused, no row
};

class TypedValue : public CatalogTest, public testing::WithParamInterface<TypedCase> {};

TEST_P(TypedValue, IsStoredAsAPlainNumberOrRefused) {
    const TypedCase& c = GetParam();
    FixedState user(QStringLiteral("Ann"), c.miles);
    for (const bool bike : {false, true}) {
        SCOPED_TRACE(bike ? "bike" : "shoe");
        messages.clear();
        std::unique_ptr<EquipmentDialog> dlg = itemDialog(bike, user);
        EXPECT_EQ(dlg->Label6->text(), c.miles ? "Retire at (miles):" : "Retire at (km):");
        if (dlg->txtPrice->objectName() != c.field)
            type(dlg->txtPrice, "10");
        auto* field = find<QLineEdit>(dlg.get(), c.field);
        type(field, c.typed);
        focus(find<QLineEdit>(dlg.get(), bike ? "txtAddBike" : "txtAddShoe"));
        if (c.shoeShown) {
            EXPECT_EQ(field->text(), bike ? c.bikeShown : c.shoeShown);
        }
        clickAdd(dlg.get(), bike);
        EXPECT_EQ(rows(QStringLiteral("SELECT Price, ifnull(round(Retire_Distance, 3), 'none') FROM %1")
                           .arg(bike ? "Bikes" : "Running_Shoes"))
                      .value(0),
                  c.stored);
        EXPECT_EQ(messages, QStringList{*c.stored ? kInserted : kInsertFailed});
        EXPECT_EQ(dlg->isVisible(), !*c.stored) << "a refused add keeps the dialog open";
    }
}

// Kilometres: 800 km at the program's 1.609 km to the mile.
const TypedCase typedCases[] = {
    {"CurrencySign", "txtPrice", true, "$45.00", "45.00", "$45.00", "45|none"},
    {"Thousands", "txtPrice", true, "1234.5", "1234.50", "$1,234.50", "1234.5|none"},
    {"SignAndBlank", "txtPrice", true, "$ 12", "12.00", "$12.00", "12|none"},
    {"Empty", "txtPrice", true, "", "", "", ""},
    {"SignInside", "txtPrice", true, "4$5", "4$5", "4$5", ""},
    {"Statement", "txtPrice", true, "45'); DELETE FROM Bikes; --", nullptr, nullptr, ""},
    {"NoRetirement", "txtRetireDistance", true, "", nullptr, nullptr, "10|none"},
    {"RetireDecimal", "txtRetireDistance", true, " 312.5 ", nullptr, nullptr, "10|312.5"},
    {"RetireKilometres", "txtRetireDistance", false, "800", nullptr, nullptr, "10|497.203"},
    {"RetireZero", "txtRetireDistance", true, "0", nullptr, nullptr, ""},
    {"RetireNegative", "txtRetireDistance", false, "-5", nullptr, nullptr, ""},
    {"RetireSemicolon", "txtRetireDistance", true, "5; DROP", nullptr, nullptr, ""},
};
INSTANTIATE_TEST_SUITE_P(Cases, TypedValue, testing::ValuesIn(typedCases), CaseName());

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
    EXPECT_TRUE(messagesAre({"Problem in retrieving shoes - * - In frmAddShoe btnModifyShoe_Click"}));
    EXPECT_FALSE(fresh.modifySectionVisible());
}

// The modify section shows the stored limit in the user's unit and writes a changed one with
// the Active flag; an empty field removes the limit, a non-number changes nothing.
TEST_F(EquipmentTest, ModifyShowsAndChangesTheLimitInTheUsersUnit) {
    exec("INSERT INTO Bikes (Bike, Active, User_Name, Retire_Distance) VALUES ('Blue', 1, 'Ann', "
         "497.2032318210069), "
         "('Red', 1, 'Ann', NULL)");
    FixedState km(QStringLiteral("Ann"), false);
    frmAddBike dlg(km);
    dlg.show();
    click(dlg.btnModifyBike);
    chooseWithKeys(dlg.cbModifyBike, "Blue");
    EXPECT_EQ(dlg.txtMdRetireDistance->text(), "800");
    chooseWithKeys(dlg.cbModifyBike, "Red");
    EXPECT_EQ(dlg.txtMdRetireDistance->text(), "");

    retype(dlg.txtMdRetireDistance, "16.09");
    click(dlg.btnUpdate);
    chooseWithKeys(dlg.cbModifyBike, "Blue");
    retype(dlg.txtMdRetireDistance, "");
    click(dlg.chkMdActive);
    click(dlg.btnUpdate);
    retype(dlg.txtMdRetireDistance, "far");
    click(dlg.btnUpdate);
    EXPECT_EQ(messages,
              QStringList({"Bike Updated!", "Bike Updated!", "Problem occurred while updating bike"}));
    EXPECT_EQ(rows("SELECT Bike, Active, ifnull(round(Retire_Distance, 2), 'none') FROM Bikes ORDER BY Bike"),
              QStringList({"Blue|0|none", "Red|1|10"}));
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
    checkEscapeAsksBeforeDiscarding([&]() -> QDialog* { return c.make(ann); }, "txtAdd" + c.noun, "Trail");
}

const RoundTripCase roundTripCases[] = {
    {"Shoe", make<EquipmentDialog, frmAddShoe>, "Shoe", "Running_Shoes", "txtPrice", "$45.00", "45"},
    {"Bike", make<EquipmentDialog, frmAddBike>, "Bike", "Bikes", "txtPrice", "$1,299.99", "1299.99"},
    {"Video", make<EquipmentDialog, frmAddVideo>, "Video", "Videos", "txtLength", "1:05:30", "1:05:30"},
};
INSTANTIATE_TEST_SUITE_P(Kinds, RoundTripTest, testing::ValuesIn(roundTripCases), CaseName());

} // namespace
