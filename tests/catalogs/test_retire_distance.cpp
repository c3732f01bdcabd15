// The retirement distance of shoes and bikes, typed in the user's unit, stored in miles, on add
// and in the modify section.
#include "CatalogTestSupport.h"

#include "frmAddBike.h"
#include "frmAddShoe.h"

#include <QCheckBox>

namespace {

struct RetireCase {
    const char* name;
    bool miles;         // the user's unit
    const char* typed;  // in that unit
    const char* stored; // Retire_Distance in miles; "none" = NULL; "" = refused, no row
};

class RetireTest : public CatalogTest, public testing::WithParamInterface<RetireCase> {};

TEST_P(RetireTest, IsStoredInMilesOrRefusedOnAdd) {
    const RetireCase& c = GetParam();
    FixedState user(QStringLiteral("Ann"), c.miles);
    for (const bool bike : {false, true}) {
        SCOPED_TRACE(bike ? "bike" : "shoe");
        messages.clear();
        std::unique_ptr<EquipmentDialog> dlg = itemDialog(bike, user);
        EXPECT_EQ(dlg->Label6->text(), c.miles ? "Retire at (miles):" : "Retire at (km):");
        type(dlg->txtPrice, "10");
        type(dlg->txtRetireDistance, c.typed);
        clickAdd(dlg.get(), bike);
        EXPECT_EQ(scalar(QStringLiteral("SELECT ifnull(round(Retire_Distance, 3), 'none') FROM %1")
                             .arg(bike ? "Bikes" : "Running_Shoes")),
                  c.stored);
        EXPECT_EQ(messages, QStringList{*c.stored ? kInserted : kInsertFailed});
        EXPECT_EQ(dlg->isVisible(), !*c.stored);
    }
}

// Kilometres: 800 km at the program's 1.609 km to the mile.
const RetireCase retireCases[] = {
    {"EmptyIsNoLimit", true, "", "none"},    {"Decimal", true, " 312.5 ", "312.5"},
    {"Kilometres", false, "800", "497.203"}, {"Zero", true, "0", ""},
    {"Negative", false, "-5", ""},           {"Semicolon", true, "5; DROP", ""},
};
INSTANTIATE_TEST_SUITE_P(Typed, RetireTest, testing::ValuesIn(retireCases), CaseName());

// The modify section shows the stored limit in the user's unit and writes a changed one with
// the Active flag; an empty field removes the limit, a non-number changes nothing.
TEST_F(CatalogTest, ModifyShowsAndChangesTheLimitInTheUsersUnit) {
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

} // namespace
