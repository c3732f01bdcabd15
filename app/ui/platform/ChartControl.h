#pragma once

#include "ChartDrawing.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <memory>

class QChart;
class QLabel;
class ResultSet;

// The one chart of the program: every window that draws a chart draws it through this
// control. It takes its data whole (from a result or from a table of rows) and is told the
// chart type, title, legend, fonts and series labels; it never reads anything back into the
// program. A setting that a later call does not repeat stays as an earlier call left it.
//
// The drawing is Qt Charts, loaded with the first chart (ChartDrawing): a category axis of the
// row labels, a value axis titled with the series labels, and a tooltip with the value under
// the pointer. Where it cannot be loaded, the control says so in place of the chart and keeps
// its data.
class ChartControl : public QWidget {
    Q_OBJECT
  public:
    // Chart-type codes, as the windows hand them over.
    enum Type { Bar = 1, Line = 3, Area = 5, Step = 7 };

    explicit ChartControl(QWidget* parent = nullptr);
    ~ChartControl() override;

    // 1 bar, 3 line, 5 area, 7 step; any other code draws a step chart.
    void setChartType(int code);
    int chartType() const { return m_model.type; }

    void setTitle(const QString& text);
    QString title() const { return m_model.title; }
    void setTitleFontName(const QString& name);
    QString titleFontName() const { return m_model.titleFont; }

    void setShowLegend(bool on);
    bool showLegend() const { return m_model.legend; }
    void setLegendFontName(const QString& name);
    QString legendFontName() const { return m_model.legendFont; }

    // Data from a result: every remaining row, the first column as the row label and the
    // second as the one series, named by the second column's name. Reads the result to its end.
    void setDataSource(ResultSet& result);

    // Data from a table: one entry per row; in each, the first cell is the row label (text)
    // and the following cells the values of series 1, 2, ... (numbers). The series count is
    // that of the widest row; missing cells count as 0. Series are named "Series 1", ...
    // until labelled.
    void setChartData(const QList<QVariantList>& rows);

    // Series are numbered from 1; a number without a series is ignored.
    void setSeriesLabel(int series, const QString& label);
    QString seriesLabel(int series) const;
    // The colour of a series (its bars, line or area); an invalid colour gives the theme's.
    // New data forgets the colours, so a chart whose series are kinds sets them after its data.
    void setSeriesColor(int series, const QColor& color);
    QColor seriesColor(int series) const;
    // The title of the value axis; empty (the default) shows the series labels joined by " / ".
    void setValueAxisTitle(const QString& title);
    // False: the value axis spans the values alone instead of reaching down (or up) to zero, for
    // a profile whose values lie far from zero (a heart rate between 130 and 170). Kept over new data.
    void setValueAxisFromZero(bool on);
    // True when the bars of a row stand on one another (a bar chart whose rows each have one
    // series at most, so each row's bar is centred on its label).
    bool barsStacked() const { return m_model.stacked; }

    // Series drawn as bars under the others whatever the chart type (a daily amount under lines
    // that follow it); numbers without a series are ignored. Kept over new data.
    void setBarSeries(const QList<int>& series);
    // The tooltip of each row in place of the one value under the pointer (a day's values
    // together); an empty list gives the value again. Cleared by new data.
    void setRowTips(const QStringList& tips);

    // The font and colour of the labels under the X axis.
    void setXAxisLabelFormat(int pointSize, const QString& fontName, const QColor& colour);
    QFont xAxisLabelFont() const;
    QColor xAxisLabelColour() const { return m_model.xColour; }

    // What the chart shows, for tests and for windows that print it.
    QStringList rowLabels() const { return m_model.labels; }
    int seriesCount() const { return int(m_model.values.size()); }
    QList<double> seriesValues(int series) const;
    // The drawing's chart; null when the drawing could not be loaded.
    QChart* chart() const;

    // The width of the lines of line and step charts (2.5 unless set). Kept over new data.
    void setLineWidth(double width);
    // Reports the row under the pointer with pointerRow as it moves over the plot (-1 off it).
    void setPointerTracking(bool on);

  signals:
    void pointerRow(int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Tells the drawing what changed.
    void changed(ChartDrawing::Change change, int series = 0);
    void newData();

    ChartModel m_model;
    std::unique_ptr<ChartDrawing> m_drawing;
    QLabel* m_missing = nullptr;  // in place of the chart when the drawing cannot be loaded
    QWidget* m_tracked = nullptr; // the drawing's widget that takes the pointer, while tracked
};
