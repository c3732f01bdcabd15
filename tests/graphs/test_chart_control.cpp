// The chart control: data in both forms, settings that stay, and what Qt Charts is given.
#include "GraphData.h"

#include <QAbstractAxis>
#include <QAreaSeries>
#include <QBarSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

namespace {

using ChartControlTest = DiaryData;

QList<QVariantList> twoSeries() {
    return {{"Jan 04", 1.5, 10}, {"Feb 04", 0, 8.25}, {"Mar 04", 3, 0}};
}

TEST_F(ChartControlTest, ATableGivesLabelsAndOneSeriesPerColumnAfterTheFirst) {
    ChartControl chart;
    chart.setChartData(twoSeries());
    EXPECT_EQ(chartText(&chart), "\nSeries 1\tSeries 2\nJan 04\t1.5\t10\nFeb 04\t0\t8.25\nMar 04\t3\t0\n");

    chart.setSeriesLabel(1, "Avg Miles");
    chart.setSeriesLabel(2, "Avg Pace");
    chart.setSeriesLabel(3, "none"); // no third series: ignored
    EXPECT_EQ(chart.seriesCount(), 2);
    auto* y = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(y);
    EXPECT_EQ(y->titleText(), "Avg Miles / Avg Pace");
    EXPECT_GE(y->max(), 10);
}

TEST_F(ChartControlTest, AResultGivesOneSeriesNamedByItsSecondColumn) {
    exec("INSERT INTO Users (User_Name) VALUES ('ann')");
    exec("INSERT INTO Running_Shoes (Shoe, User_Name) VALUES ('Blue', 'ann')");
    exec("INSERT INTO Running_Shoes (Shoe, User_Name) VALUES ('Red', 'ann')");
    auto conn = db();
    ResultSet rs = conn->query("SELECT Shoe, Shoes_ID * 2.5 AS Mile FROM Running_Shoes ORDER BY Shoe");
    ChartControl chart;
    chart.setDataSource(rs);
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(chartText(&chart), "\nMile\nBlue\t2.5\nRed\t5\n");
}

TEST_F(ChartControlTest, SettingsThatAreNotRepeatedStayAfterNewDataAndType) {
    ChartControl chart;
    chart.setChartType(ChartControl::Bar);
    chart.setTitle("Miles By Month");
    chart.setShowLegend(false);
    chart.setXAxisLabelFormat(12, "Comic Sans MS", QColor(10, 20, 30));
    chart.setChartData(twoSeries());
    chart.setChartType(ChartControl::Line);

    EXPECT_EQ(chart.chart()->title(), "Miles By Month");
    EXPECT_FALSE(chart.chart()->legend()->isVisible());
    EXPECT_EQ(chart.xAxisLabelFont().pointSize(), 12);
    auto* x = chart.chart()->axes(Qt::Horizontal).value(0);
    ASSERT_TRUE(x);
    EXPECT_EQ(x->labelsBrush().color(), QColor(10, 20, 30));
    chart.setShowLegend(true);
    EXPECT_TRUE(chart.chart()->legend()->isVisible());
}

struct TypeCase {
    const char* name;
    int code;
    int expected;
    QAbstractSeries::SeriesType series;
    int pointsPerRow;
};

class ChartTypeTest : public GuiFixture, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(ChartTypeTest, EachCodeDrawsItsKindOfSeries) {
    const TypeCase& c = GetParam();
    ChartControl chart;
    chart.setTitle(c.name);
    chart.setChartData(twoSeries());
    chart.setChartType(c.code);
    EXPECT_EQ(chart.chartType(), c.expected);
    const auto series = chart.chart()->series();
    ASSERT_FALSE(series.isEmpty());
    EXPECT_EQ(series.first()->type(), c.series);
    if (c.series == QAbstractSeries::SeriesTypeBar) {
        EXPECT_EQ(series.size(), 1);
    } else {
        EXPECT_EQ(series.size(), 2);
        QLineSeries* line = c.series == QAbstractSeries::SeriesTypeArea
                                ? static_cast<QAreaSeries*>(series.first())->upperSeries()
                                : static_cast<QLineSeries*>(series.first());
        EXPECT_EQ(line->count(), 3 * c.pointsPerRow);
    }
    auto* x = qobject_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x);
    EXPECT_EQ(x->categoriesLabels(), (QStringList{"Jan 04", "Feb 04", "Mar 04"}));
    chart.resize(640, 400);
    shot(&chart, QStringLiteral("chart_type_%1").arg(c.code));
}

INSTANTIATE_TEST_SUITE_P(Codes, ChartTypeTest,
                         ::testing::Values(TypeCase{"Bar", 1, 1, QAbstractSeries::SeriesTypeBar, 0},
                                           TypeCase{"Line", 3, 3, QAbstractSeries::SeriesTypeLine, 1},
                                           TypeCase{"Area", 5, 5, QAbstractSeries::SeriesTypeArea, 1},
                                           TypeCase{"Step", 7, 7, QAbstractSeries::SeriesTypeLine, 2},
                                           TypeCase{"Unknown", 4, 7, QAbstractSeries::SeriesTypeLine, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartControlTest, RowsOfOneDayKeepTheirPlacesAndManyRowsGetEveryKthLabel) {
    ChartControl chart;
    chart.setChartData({{"15 Mar", 1.5}, {"15 Mar", 0.75}, {"16 Mar", 0}});
    auto* x = qobject_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x);
    EXPECT_EQ(x->count(), 3);
    EXPECT_EQ(chartText(&chart), "\nSeries 1\n15 Mar\t1.5\n15 Mar\t0.75\n16 Mar\t0\n");

    QList<QVariantList> months;
    for (int i = 0; i < 180; ++i)
        months << QVariantList{QStringLiteral("M%1").arg(i), i};
    chart.setChartData(months);
    EXPECT_EQ(x->count(), 15); // every 12th of 180
    EXPECT_EQ(x->categoriesLabels().first(), "M0");
    EXPECT_EQ(x->categoriesLabels().at(1), "M12");
    EXPECT_EQ(x->endValue("M12"), 12);
    EXPECT_EQ(x->min(), -0.5);
    EXPECT_EQ(x->max(), 179.5);
    chart.setSeriesLabel(1, "Mile");
    chart.setXAxisLabelFormat(12, "Comic Sans MS", QColor(10, 20, 30));
    chart.resize(860, 560);
    shot(&chart, "chart_many_rows");
}

// Years of months in a small window: each bar is a pixel or two wide and must still show its
// colour rather than the outline's white.
TEST_F(ChartControlTest, NarrowBarsShowTheirColour) {
    QList<QVariantList> months;
    for (int i = 0; i < 400; ++i)
        months << QVariantList{QStringLiteral("M%1").arg(i), 10};
    ChartControl chart;
    chart.setChartType(ChartControl::Bar);
    chart.setChartData(months);
    chart.resize(480, 360);
    chart.show();
    QApplication::processEvents();
    const QImage image = chart.grab().toImage();
    const QRectF plot = chart.chart()->plotArea();
    const QPoint offset = chart.findChild<QChartView*>()->mapTo(&chart, QPoint(0, 0));
    double lightness = 0;
    int samples = 0;
    for (int x = int(plot.left()) + 2; x < int(plot.right()) - 2; ++x) {
        lightness += image.pixelColor(QPoint(x, int(plot.bottom()) - 20) + offset).lightnessF();
        ++samples;
    }
    ASSERT_GT(samples, 100);
    EXPECT_LT(lightness / samples, 0.85) << "the bars are washed out";
}

TEST_F(ChartControlTest, AnEmptyTableDrawsAnEmptyChartWithItsTitle) {
    ChartControl chart;
    chart.setChartData(twoSeries());
    chart.setTitle("Exercise Hours Current Year");
    chart.setChartData({});
    EXPECT_EQ(chartText(&chart), "Exercise Hours Current Year\n\n");
    chart.resize(400, 300);
    EXPECT_FALSE(chart.grab().isNull());
}

} // namespace
