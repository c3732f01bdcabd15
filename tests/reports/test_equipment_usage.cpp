// The equipment usage report: its chart from the core, and its window.
#include "GuiFixture.h"

#include "CLibrary.h"
#include "ChartControl.h"
#include "DbError.h"
#include "EquipmentUsage.h"
#include "SeriesColors.h"
#include "frmItemRpt.h"

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QListWidget>

namespace {

class EquipmentUsageTest : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        exec("INSERT INTO Users (User_Name) VALUES ('ann'), ('bob')");
        // Pegasus has done 90% of its 9 miles, Trail King 100% of its 10; bob's Pegasus is
        // another user's shoe of the same name.
        exec(
            "INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date, "
            "Retire_Distance) VALUES ('Pegasus', 'Road', 89.5, 1, 'ann', '3/4/2026', 9), "
            "('Trail King', 'Trail', NULL, 1, 'ann', NULL, 10), ('Old', 'Road', NULL, 0, 'ann', NULL, NULL), "
            "('Unused', 'Road', NULL, 1, 'ann', NULL, NULL), ('Pegasus', 'Road', NULL, 1, 'bob', NULL, "
            "NULL)");
        exec("INSERT INTO Bikes (Bike, Bike_Type, Price, Active, User_Name, Purchase_Date) "
             "VALUES ('Bob''s Racer', 'Road Bike', 1200, 1, 'ann', '6/15/2025')");
        workout(1, "Running", "ann", "Pegasus", 5, 8.05);
        workout(2, "Running", "ann", "Pegasus", 3.1, 4.99);
        workout(3, "Running", "ann", "Trail King", 10, 16.09);
        workout(4, "Running", "ann", "Old", 7, 11.26);
        workout(5, "Running", "bob", "Pegasus", 100, 160.9);
        workout(6, "Cycling", "ann", "Bob's Racer", 20, 32.18);
        workout(7, "Cycling", "ann", "Bob's Racer", 20, 32.18);
    }
    // A run on a shoe or a ride on a bike.
    void workout(int id, const QString& kind, const char* user, const QString& item, double miles,
                 double km) {
        exec(QStringLiteral(
                 "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
                 "Exercise_Time, User_Name) VALUES (%1, '%2', '5/1/2026', 'Friday', '30:00', '%3')")
                 .arg(id)
                 .arg(kind, user));
        const bool run = kind == "Running";
        exec(QStringLiteral("INSERT INTO %1 (%2, Miles, Kilometers, %3) VALUES (%4, %5, %6, %7)")
                 .arg(run ? "Running_Log" : "Cycling_Log", run ? "Running_ID" : "Cycling_ID",
                      run ? "Shoes" : "Bike")
                 .arg(id)
                 .arg(miles)
                 .arg(km)
                 .arg(CLibrary::Quote(item)));
    }
};

// The charts of the lists, which are reference cases of trainbook-cli report (reports/cases): the
// shoe past its limit is the second series.
TEST_F(EquipmentUsageTest, ChartsOfActiveItemsWithWorkoutsOfTheUserOnly) {
    auto conn = db();
    EXPECT_EQ(
        EquipmentUsage::chart(*conn, "ann", "Shoe", true),
        (ChartTable{"Miles", {"Mile", "Past limit"}, {{"Pegasus", {8.1, 0}}, {"Trail King", {0, 10}}}}));
    EXPECT_FALSE(conn->inTransaction());
    EXPECT_EQ(EquipmentUsage::chart(*conn, "ann", "Bike", false),
              (ChartTable{"Kilometers", {"Kilometer"}, {{"Bob's Racer", {64.36}}}}));
}

TEST_F(EquipmentUsageTest, AUserWithoutItemsGetsHeaderSeparatorAndAnEmptyChart) {
    auto conn = db();
    const auto report = EquipmentUsage::build(*conn, "bob", "Bike", true);
    EXPECT_EQ(report.lines.size(), 2);
    EXPECT_EQ(report.chart, (ChartTable{"Miles", {"Mile"}, {}}));
    EXPECT_THROW(EquipmentUsage::lines(*conn, "ann", "Skates", true), DbError);
}

TEST_F(EquipmentUsageTest, TheWindowShowsTheListAndTheBarChart) {
    FixedState state("ann", true);
    frmItemRpt dlg(state);
    dlg.openReport("Shoe");
    dlg.show();
    QStringList shown;
    for (int i = 0; i < dlg.lstItemRpt->count(); ++i)
        shown << dlg.lstItemRpt->item(i)->text();
    EXPECT_EQ(shown, EquipmentUsage::lines(*db(), "ann", "Shoe", true));
    // The shoe past its limit is drawn in the second series, which the legend names, in a
    // warning colour; each item's one bar stands centred on its name, under a whole axis title.
    EXPECT_TRUE(dlg.ItemChart->showLegend());
    EXPECT_EQ(dlg.ItemChart->seriesValues(2), (QList<double>{0, 10}));
    auto* bars = qobject_cast<QAbstractBarSeries*>(dlg.ItemChart->chart()->series().value(0));
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->type(), QAbstractSeries::SeriesTypeStackedBar);
    EXPECT_EQ(bars->barSets().at(1)->color(), SeriesColors::pastLimit());
    EXPECT_EQ(dlg.ItemChart->chart()->axes(Qt::Vertical).value(0)->titleText(), "Miles");
    // At its first size the window shows the widest list it can have, the bikes' header to
    // its last column, without scrolling sideways.
    const QString widest = EquipmentUsage::lines(*db(), "ann", "Bike", true).first();
    EXPECT_LE(dlg.lstItemRpt->fontMetrics().horizontalAdvance(widest), dlg.lstItemRpt->viewport()->width());
    EXPECT_TRUE(messages.isEmpty());
    shot(&dlg, "item_report_shoes");

    // Double-click opens the shoe catalog; the report is read again when it closes.
    exec("UPDATE Running_Shoes SET Active = 0 WHERE Shoe = 'Trail King'");
    dlg.lstItemRpt_DblClick();
    EXPECT_EQ(opened, QStringList{"frmAddShoe"});
    EXPECT_EQ(dlg.lstItemRpt->count(), 3);
    EXPECT_FALSE(dlg.ItemChart->showLegend()) << "no item past its limit: one series, no legend";
    EXPECT_EQ(dlg.ItemChart->seriesCount(), 1);
}

TEST_F(EquipmentUsageTest, AFailedQueryShowsAMessageInsteadOfAnEmptyReport) {
    exec("DROP TABLE Cycling_Log");
    FixedState state("ann", false);
    frmItemRpt dlg(state);
    dlg.openReport("Bike");
    dlg.show();
    EXPECT_TRUE(messagesAre({"Could not retrieve equipment data - * - In frmItemRpt BikeUsageRpt"}));
}

TEST_F(EquipmentUsageTest, AnUnknownKindShowsProgramError) {
    FixedState state("ann", true);
    frmItemRpt dlg(state);
    dlg.openReport("Skates");
    dlg.show();
    EXPECT_EQ(messages, QStringList{"Program Error"});
}

} // namespace
