#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

class QChart;
class QFont;
class QPoint;
class QWidget;

// Everything a chart shows, as ChartControl holds it; the drawing reads it from here.
struct ChartModel {
    int type = 7; // a ChartControl::Type
    QString title;
    QString titleFont;
    bool legend = true;
    QString legendFont;
    QStringList labels;
    QList<QList<double>> values; // per series, one value per row
    QStringList seriesNames;
    QList<QColor> colors; // per series; invalid for the theme's colour
    QList<int> barSeries; // numbered from 1
    QStringList rowTips;
    QString valueTitle;
    bool stacked = false;
    bool fromZero = true;
    double lineWidth = 2.5;
    int xPointSize = 0;
    QString xFont;
    QColor xColour;
    // How a value is written in its tooltip.
    QString (*number)(double) = nullptr;
};

// The drawing of a ChartControl. It is made by a module of its own, loaded the first time a
// chart is made: the chart library and the graphics libraries beneath it are large, and the
// program would otherwise load them at every start for windows that may never open.
class ChartDrawing {
  public:
    // What changed in the model since the last update.
    enum class Change { Everything, Title, Legend, XAxisFormat, ValueTitle, SeriesName, SeriesColor };

    virtual ~ChartDrawing() = default;
    // The widget that shows the chart, a child of the parent the drawing was made for.
    virtual QWidget* widget() = 0;
    // `series` (from 1) names the series for SeriesName and SeriesColor.
    virtual void update(Change change, int series = 0) = 0;
    virtual QChart* chart() const = 0;
    virtual QFont xAxisLabelFont() const = 0;
    // The widget that takes the pointer, and the row under a point of it (-1 off the plot).
    virtual QWidget* pointerSurface() const = 0;
    virtual int rowAt(const QPoint& pos) const = 0;
};

// The module's one entry point, found by this name.
using ChartDrawingFactory = ChartDrawing* (*)(const ChartModel& model, QWidget* parent);
#define TRAINBOOK_CHART_DRAWING_ENTRY "trainbookChartDrawing"
