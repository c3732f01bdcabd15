// The shoe, bike and video dialogs, driven with keys and clicks on a real database.
#include "CatalogTestSupport.h"

#include "DatePicker.h"
#include "frmAddBike.h"
#include "frmAddShoe.h"
#include "frmAddVideo.h"

#include <QCheckBox>
#include <QPushButton>

namespace {

const QString kInserted = QStringLiteral("Record Inserted");
const QString kInsertFailed = QStringLiteral("Problem occurred in inserting the record into the database");

class EquipmentTest : public CatalogTest {
  protected:
    FixedState ann{QStringLiteral("Ann")};
};

// --- Shoes -------------------------------------------------------------------------------

TEST_F(EquipmentTest, AShoeOpensWithItsDefaultsAndIsStoredAsTyped) {
    FixedState user(QStringLiteral("O'Brien"));
    RecordingHook hook;
    frmAddShoe dlg(user);
    dlg.setCatalogHook(&hook);
    dlg.show();
    EXPECT_EQ(items(dlg.cbShoeType), QStringList({"Road", "Racing", "Trail"}));
    EXPECT_EQ(dlg.cbShoeType->currentText(), "Road");
    EXPECT_EQ(dlg.dtBuyDate->value(), QDate(2026, 5, 17));
    EXPECT_TRUE(dlg.chkActive->isChecked());
    EXPECT_FALSE(dlg.chkMdActive->isChecked());
    EXPECT_FALSE(dlg.cbModifyShoe->isVisible());
    shot(&dlg, "frmAddShoe");

    type(dlg.txtAddShoe, "Runner's Joy");
    retype(dlg.cbShoeType, "Trail");
    type(dlg.txtPrice, "$45.00");
    focus(dlg.txtAddShoe); // leaving the price drops the "$"
    EXPECT_EQ(dlg.txtPrice->text(), "45.00");
    click(dlg.chkActive);
    dlg.dtBuyDate->setValue(QDate(2026, 3, 4));
    click(dlg.btnAddShoe);

    EXPECT_EQ(messages, QStringList{kInserted});
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(rows("SELECT Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date FROM Running_Shoes"),
              QStringList{"Runner's Joy|Trail|45|0|O'Brien|2026-03-04"});
    ASSERT_EQ(hook.added.size(), 1);
    EXPECT_EQ(hook.added[0], qMakePair(QString("frmAddShoe"), QString("Runner's Joy")));
}

// Every way of typing a price, in the shoe dialog ("0.00") and the bike dialog ("$#,##0.00").
TEST_F(EquipmentTest, PricesAreStoredAsPlainNumbersAndNonNumbersAreRefused) {
    struct Case {
        const char* typed;
        const char* shoeShown; // the field after leaving it
        const char* bikeShown;
        const char* stored; // "" = refused
    };
    const Case cases[] = {
        {"$45.00", "45.00", "$45.00", "45"},
        {"45", "45.00", "$45.00", "45"},
        {"45.5", "45.50", "$45.50", "45.5"},
        {"1234.5", "1234.50", "$1,234.50", "1234.5"},
        {"$ 12", "12.00", "$12.00", "12"},
        {"abc", "abc", "abc", ""},
        {"", "", "", ""},
        {"4$5", "4$5", "4$5", ""},
        {"45'); DELETE FROM Bikes; --", nullptr, nullptr, ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        for (const bool bike : {false, true}) {
            messages.clear();
            const QString name = QStringLiteral("Item %1").arg(++n);
            const QString noun = bike ? "Bike" : "Shoe";
            std::unique_ptr<EquipmentDialog> dlg(bike ? static_cast<EquipmentDialog*>(new frmAddBike(ann))
                                                      : new frmAddShoe(ann));
            auto* nameField = find<QLineEdit>(dlg.get(), "txtAdd" + noun);
            dlg->show();
            type(nameField, name);
            type(dlg->txtPrice, c.typed);
            focus(nameField);
            if (c.shoeShown) {
                EXPECT_EQ(dlg->txtPrice->text(), bike ? c.bikeShown : c.shoeShown);
            }
            click(find<QPushButton>(dlg.get(), "btnAdd" + noun));

            // A refused price writes no row (and the price reads as "").
            const QString table = bike ? "Bikes" : "Running_Shoes";
            EXPECT_EQ(scalar(QStringLiteral("SELECT Price FROM %1 WHERE %2 = '%3'").arg(table, noun, name)),
                      c.stored);
            EXPECT_EQ(messages, QStringList{*c.stored ? kInserted : kInsertFailed});
            EXPECT_EQ(dlg->isVisible(), !*c.stored) << "a refused add keeps the dialog open";
        }
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Bikes"), "5");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Running_Shoes"), "5");
}

TEST_F(EquipmentTest, ADuplicateShoeIsRefusedForItsOwnerOnly) {
    exec("INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date) "
         "VALUES ('Pegasus', 'Road', 80, 1, 'Ann', '1/2/2026')");
    RecordingHook hook;
    frmAddShoe dlg(ann);
    dlg.setCatalogHook(&hook);
    dlg.show();
    type(dlg.txtAddShoe, "Pegasus");
    type(dlg.txtPrice, "90");
    click(dlg.btnAddShoe);
    EXPECT_EQ(messages, QStringList{kInsertFailed});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.txtAddShoe->text(), "Pegasus");
    EXPECT_TRUE(hook.added.isEmpty());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Running_Shoes"), "1");

    FixedState bob(QStringLiteral("Bob"));
    frmAddShoe other(bob);
    other.show();
    type(other.txtAddShoe, "Pegasus");
    type(other.txtPrice, "90");
    click(other.btnAddShoe);
    EXPECT_EQ(messages.last(), kInserted);
    EXPECT_EQ(rows("SELECT User_Name FROM Running_Shoes WHERE Shoe = 'Pegasus' ORDER BY User_Name"),
              QStringList({"Ann", "Bob"}));
}

TEST_F(EquipmentTest, ModifyingAShoeListsTheOwnersShoesNewestFirstAndSwitchesActive) {
    exec("INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date) "
         "VALUES ('Old Pair', 'Road', 50, 1, 'Ann', '1/2/2025')");
    exec("INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date) "
         "VALUES ('Bob''s Pair', 'Road', 50, 1, 'Bob', '1/2/2025')");
    exec("INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date) "
         "VALUES ('Runner''s Joy', 'Trail', 60, 0, 'Ann', '1/2/2026')");
    frmAddShoe dlg(ann);
    dlg.show();
    const int addOnlyHeight = dlg.height();

    click(dlg.btnModifyShoe);
    EXPECT_TRUE(dlg.modifySectionVisible());
    EXPECT_GT(dlg.height(), addOnlyHeight) << "the window grows to show the modify section";
    EXPECT_EQ(items(dlg.cbModifyShoe), QStringList({"Runner's Joy", "Old Pair"}));
    EXPECT_FALSE(dlg.chkMdActive->isChecked()) << "the first shoe is inactive";

    chooseWithKeys(dlg.cbModifyShoe, "Old Pair");
    EXPECT_TRUE(dlg.chkMdActive->isChecked());
    click(dlg.chkMdActive);
    click(dlg.btnUpdate);
    EXPECT_EQ(messages, QStringList{"Shoe Updated!"});
    EXPECT_TRUE(dlg.isVisible());

    chooseWithKeys(dlg.cbModifyShoe, "Runner's Joy");
    click(dlg.chkMdActive);
    click(dlg.btnUpdate);
    EXPECT_EQ(rows("SELECT Shoe, Active FROM Running_Shoes ORDER BY Shoes_ID"),
              QStringList({"Old Pair|0", "Bob's Pair|1", "Runner's Joy|1"}));

    // Pressing the button again lists the shoes afresh, once each.
    click(dlg.btnModifyShoe);
    EXPECT_EQ(items(dlg.cbModifyShoe), QStringList({"Runner's Joy", "Old Pair"}));
    EXPECT_TRUE(dlg.chkMdActive->isChecked());
    shot(&dlg, "frmAddShoe-modify");
}

TEST_F(EquipmentTest, AUserWithoutShoesCannotUpdateNothing) {
    frmAddShoe dlg(ann);
    dlg.show();
    click(dlg.btnModifyShoe);
    EXPECT_TRUE(dlg.modifySectionVisible());
    EXPECT_EQ(dlg.cbModifyShoe->count(), 0);
    EXPECT_FALSE(dlg.btnUpdate->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(EquipmentTest, AFailedReadShowsTheRetrievalMessageAndKeepsTheList) {
    frmAddShoe dlg(ann);
    dlg.show();
    QFile::remove("Trainbook.db");
    click(dlg.btnModifyShoe);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Problem in retrieving shoes - ")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(" - In frmAddShoe btnModifyShoe_Click")) << messages[0].toStdString();
    EXPECT_FALSE(dlg.modifySectionVisible());
}

// --- Bikes -------------------------------------------------------------------------------

TEST_F(EquipmentTest, BikeAddAndModifyRoundTrip) {
    RecordingHook hook;
    {
        frmAddBike dlg(ann);
        dlg.setCatalogHook(&hook);
        dlg.show();
        EXPECT_EQ(dlg.windowTitle(), "Add/Modify Bike");
        EXPECT_EQ(items(dlg.cbBikeType), QStringList({"Road", "Mountain", "Stationary"}));
        EXPECT_EQ(dlg.cbBikeType->currentText(), "Road");
        shot(&dlg, "frmAddBike");
        type(dlg.txtAddBike, "Trek 520");
        retype(dlg.cbBikeType, "Touring");
        type(dlg.txtPrice, "$1,299.99");
        click(dlg.btnAddBike);
        EXPECT_EQ(messages, QStringList{kInserted});
    }
    EXPECT_EQ(rows("SELECT Bike, Bike_Type, Price, Active, User_Name, Purchase_Date FROM Bikes"),
              QStringList{"Trek 520|Touring|1299.99|1|Ann|2026-05-17"});
    ASSERT_EQ(hook.added.size(), 1);
    EXPECT_EQ(hook.added[0], qMakePair(QString("frmAddBike"), QString("Trek 520")));

    exec("INSERT INTO Bikes (Bike, Bike_Type, Price, Active, User_Name, Purchase_Date) "
         "VALUES ('Fixie', 'Road', 300, 0, 'Ann', '6/1/2024')");
    messages.clear();
    frmAddBike dlg(ann);
    dlg.show();
    click(dlg.btnModifyBike);
    // Bikes are listed in the order the database returns them.
    QStringList listed = items(dlg.cbModifyBike);
    EXPECT_EQ(dlg.chkMdActive->isChecked(), listed.value(0) == "Trek 520") << "the first bike's flag shows";
    listed.sort();
    EXPECT_EQ(listed, QStringList({"Fixie", "Trek 520"}));
    chooseWithKeys(dlg.cbModifyBike, "Trek 520");
    EXPECT_TRUE(dlg.chkMdActive->isChecked());
    chooseWithKeys(dlg.cbModifyBike, "Fixie");
    EXPECT_FALSE(dlg.chkMdActive->isChecked());
    click(dlg.chkMdActive);
    click(dlg.btnUpdate);
    EXPECT_EQ(messages, QStringList{"Bike Updated!"});
    EXPECT_EQ(scalar("SELECT Active FROM Bikes WHERE Bike = 'Fixie'"), "1");
    shot(&dlg, "frmAddBike-modify");
}

// --- Videos ------------------------------------------------------------------------------

TEST_F(EquipmentTest, VideoTypesComeFromTheSharedTableOrTheBuiltInPair) {
    {
        frmAddVideo dlg(ann);
        dlg.show();
        EXPECT_EQ(items(dlg.cbVideoType), QStringList({"Tae-Bo", "Aerobics"}));
        EXPECT_EQ(dlg.cbVideoType->currentText(), "Tae-Bo");
        shot(&dlg, "frmAddVideo");
    }
    exec("INSERT INTO Video_Types (Video_Type) VALUES ('Yoga')");
    exec("INSERT INTO Video_Types (Video_Type) VALUES ('Kickboxing')");
    frmAddVideo dlg(ann);
    dlg.show();
    EXPECT_EQ(items(dlg.cbVideoType), QStringList({"Kickboxing", "Yoga"}));
}

TEST_F(EquipmentTest, VideoAddAndModifyRoundTrip) {
    RecordingHook hook;
    {
        frmAddVideo dlg(ann);
        dlg.setCatalogHook(&hook);
        dlg.show();
        EXPECT_EQ(dlg.windowTitle(), "Add/Modify Video");
        type(dlg.txtAddVideo, "Buns 'n' Abs");
        retype(dlg.cbVideoType, "Aerobics");
        type(dlg.txtLength, "abc");
        click(dlg.btnAddVideo);
        EXPECT_EQ(messages, QStringList{kInsertFailed}) << "a length that is no duration is refused";
        retype(dlg.txtLength, "1:05:30");
        click(dlg.btnAddVideo);
        EXPECT_EQ(messages.last(), kInserted);
    }
    EXPECT_EQ(rows("SELECT Video, Video_Type, Length, Active, User_Name FROM Videos"),
              QStringList{"Buns 'n' Abs|Aerobics|1:05:30|1|Ann"});
    ASSERT_EQ(hook.added.size(), 1);
    EXPECT_EQ(hook.added[0], qMakePair(QString("frmAddVideo"), QString("Buns 'n' Abs")));

    frmAddVideo dup(ann);
    dup.show();
    type(dup.txtAddVideo, "Buns 'n' Abs");
    click(dup.btnAddVideo);
    EXPECT_EQ(messages.last(), kInsertFailed);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Videos"), "1");

    messages.clear();
    click(dup.btnModifyVideo);
    EXPECT_EQ(items(dup.cbModifyVideo), QStringList{"Buns 'n' Abs"});
    EXPECT_TRUE(dup.chkMdActive->isChecked());
    click(dup.chkMdActive);
    click(dup.btnUpdate);
    EXPECT_EQ(messages, QStringList{"Video Updated!"});
    EXPECT_EQ(scalar("SELECT Active FROM Videos"), "0");
    shot(&dup, "frmAddVideo-modify");
}

} // namespace
