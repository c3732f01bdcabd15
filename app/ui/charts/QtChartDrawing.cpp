// The chart drawing module: ChartControl's model drawn with Qt Charts. Built as a library of
// its own that the program loads the first time it shows a chart.
#include "ChartControl.h"
#include "ChartDrawing.h"

#include <QAreaSeries>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// How opaque an area's fill is: low enough that an area drawn over another leaves it readable.
constexpr int AreaAlpha = 110;

// Row labels grow long quickly (every month of twenty years); tilt and shrink them so
// that they stay readable instead of overlapping.
// Every change of an axis lays out all its labels again, which is what costs most with a few
// hundred of them; so an axis is only told what differs.
void setLabelsFont(QAbstractAxis* axis, const QFont& f) {
    if (axis->labelsFont() != f)
        axis->setLabelsFont(f);
}

class QtChartDrawing : public QObject, public ChartDrawing {
  public:
    QtChartDrawing(const ChartModel& model, QWidget* parent);
    ~QtChartDrawing() override { delete m_view; }

    QWidget* widget() override { return m_view; }
    void update(Change change, int series) override;
    QChart* chart() const override { return m_view->chart(); }
    QFont xAxisLabelFont() const override { return m_xAxis->labelsFont(); }
    QWidget* pointerSurface() const override { return m_view->viewport(); }
    int rowAt(const QPoint& pos) const override;

  private:
    void rebuild();
    void applyTitle();
    void applyLegend();
    void layOutLegend();
    void applyXAxisFormat();
    void setRowLabels();
    void showValueTip(int series, int row);
    void applyValueTitle();
    void applyColor(int series);
    void renameSeries(int series);

    const ChartModel& m;
    QChartView* m_view = nullptr;
    QCategoryAxis* m_xAxis = nullptr;
    QValueAxis* m_yAxis = nullptr;
    QFont m_xBaseFont;
    QList<QObject*> m_shown; // per series, the QBarSet or series that draws it
};

QtChartDrawing::QtChartDrawing(const ChartModel& model, QWidget* parent) : m(model) {
    m_view = new QChartView(parent);
    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(320, 220);
    m_view->chart()->setAnimationOptions(QChart::NoAnimation);
    m_view->chart()->setBackgroundRoundness(0);
    m_xAxis = new QCategoryAxis();
    m_xAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // Labels are whole ("Jan 26", not "Ja..."): at most 16 are shown, tilted when there are
    // many, so they have room; a narrow chart would otherwise cut every one of them short.
    m_xAxis->setTruncateLabels(false);
    m_xBaseFont = m_xAxis->labelsFont();
    m_yAxis = new QValueAxis();
    m_yAxis->setLabelFormat(QStringLiteral("%g"));
    m_view->chart()->addAxis(m_xAxis, Qt::AlignBottom);
    m_view->chart()->addAxis(m_yAxis, Qt::AlignLeft);
    rebuild();
}

void QtChartDrawing::update(Change change, int series) {
    switch (change) {
    case Change::Everything:
        rebuild();
        break;
    case Change::Title:
        applyTitle();
        break;
    case Change::Legend:
        applyLegend();
        break;
    case Change::XAxisFormat:
        applyXAxisFormat();
        break;
    case Change::ValueTitle:
        applyValueTitle();
        break;
    case Change::SeriesName:
        renameSeries(series);
        break;
    case Change::SeriesColor:
        applyColor(series);
        break;
    }
}

int QtChartDrawing::rowAt(const QPoint& pos) const {
    QChart* c = m_view->chart();
    const QPointF inChart = c->mapFromScene(m_view->mapToScene(pos));
    const long row = std::lround(c->mapToValue(inChart).x());
    return c->plotArea().contains(inChart) && row >= 0 && row < m.labels.size() ? int(row) : -1;
}

// Renamed in place: labelling the series of a large chart must not draw it again.
void QtChartDrawing::renameSeries(int series) {
    const QString label = m.seriesNames.value(series - 1);
    if (auto* set = qobject_cast<QBarSet*>(m_shown.value(series - 1)))
        set->setLabel(label);
    else if (auto* shown = qobject_cast<QAbstractSeries*>(m_shown.value(series - 1)))
        shown->setName(label);
    applyValueTitle();
    layOutLegend();
}

void QtChartDrawing::applyValueTitle() {
    const QString title = m.valueTitle.isEmpty() ? m.seriesNames.join(QStringLiteral(" / ")) : m.valueTitle;
    if (m_yAxis->titleText() != title)
        m_yAxis->setTitleText(title);
}

// Bars fill in the colour; a line or an area's outline is drawn in it, an area filled with it
// half see-through, so that where areas overlap the one behind still shows and each outline
// stays visible.
void QtChartDrawing::applyColor(int series) {
    const QColor color = m.colors.value(series - 1);
    if (!color.isValid())
        return;
    QObject* shown = m_shown.value(series - 1);
    if (auto* set = qobject_cast<QBarSet*>(shown)) {
        set->setColor(color);
    } else if (auto* area = qobject_cast<QAreaSeries*>(shown)) {
        QColor fill = color;
        fill.setAlpha(AreaAlpha);
        area->setBrush(fill);
        area->setPen(QPen(color, 0));
    } else if (auto* line = qobject_cast<QLineSeries*>(shown)) {
        QPen pen = line->pen();
        pen.setColor(color);
        line->setPen(pen);
    }
}

void QtChartDrawing::applyTitle() {
    QChart* c = chart();
    if (c->title() != m.title)
        c->setTitle(m.title);
    QFont f = c->titleFont();
    if (!m.titleFont.isEmpty()) {
        f.setFamily(m.titleFont);
        f.setStyleHint(QFont::SansSerif); // where that family is missing, a plain face stands in
    }
    f.setPointSizeF(std::max(f.pointSizeF(), 11.0));
    f.setBold(true);
    if (c->titleFont() != f)
        c->setTitleFont(f);
}

void QtChartDrawing::applyLegend() {
    QLegend* legend = chart()->legend();
    if (legend->isVisible() != m.legend)
        legend->setVisible(m.legend);
    if (legend->alignment() != Qt::AlignBottom)
        legend->setAlignment(Qt::AlignBottom);
    if (!m.legendFont.isEmpty()) {
        QFont f = legend->font();
        f.setFamily(m.legendFont);
        f.setStyleHint(QFont::SansSerif);
        if (legend->font() != f)
            legend->setFont(f);
    }
}

// The labels under the X axis: the family and size the caller asked for, except that many
// labels are tilted and kept small enough to fit.
void QtChartDrawing::applyXAxisFormat() {
    const qsizetype count = m_xAxis->count();
    QFont f = m_xBaseFont;
    if (!m.xFont.isEmpty()) {
        f.setFamily(m.xFont);
        f.setStyleHint(QFont::SansSerif);
    }
    if (m.xPointSize > 0)
        f.setPointSize(count > 8 ? std::min(m.xPointSize, 9) : m.xPointSize);
    const int angle = count > 8 ? -60 : 0;
    if (m_xAxis->labelsAngle() != angle)
        m_xAxis->setLabelsAngle(angle);
    setLabelsFont(m_xAxis, f);
    if (m.xColour.isValid() && m_xAxis->labelsBrush().color() != m.xColour)
        m_xAxis->setLabelsBrush(QBrush(m.xColour));
}
// Row i sits at x = i. Up to MaxLabels rows each get their label; more rows get every k-th
// label, so that the labels stay whole and apart (the tooltip names every row).
void QtChartDrawing::setRowLabels() {
    constexpr qsizetype MaxLabels = 16;
    const qsizetype rows = m.labels.size();
    const qsizetype step = std::max<qsizetype>(1, (rows + MaxLabels - 1) / MaxLabels);
    QStringList shown;
    QList<int> positions;
    for (qsizetype i = 0; i < rows; i += step) {
        // The axis keeps one label per text; two workouts of one day share a label text.
        QString label = m.labels.at(i);
        while (shown.contains(label))
            label += QChar(0x200B);
        shown << label;
        positions << int(i);
    }
    const double min = -0.5, max = rows > 0 ? double(rows) - 0.5 : 0.5;
    if (shown == m_xAxis->categoriesLabels() && m_xAxis->min() == min && m_xAxis->max() == max)
        return;
    for (const QString& old : m_xAxis->categoriesLabels())
        m_xAxis->remove(old);
    m_xAxis->setStartValue(min);
    for (qsizetype j = 0; j < shown.size(); ++j)
        m_xAxis->append(shown.at(j), positions.at(j));
    m_xAxis->setRange(min, max);
}

void QtChartDrawing::showValueTip(int series, int row) {
    if (series < 0 || series >= m.values.size() || row < 0 || row >= m.labels.size())
        return;
    if (row < m.rowTips.size()) {
        QToolTip::showText(QCursor::pos(), m.rowTips.at(row), m_view);
        return;
    }
    QToolTip::showText(
        QCursor::pos(),
        QStringLiteral("%1\n%2: %3")
            .arg(m.labels.at(row), m.seriesNames.value(series),
                 m.number ? m.number(m.values[series][row]) : QString::number(m.values[series][row])),
        m_view);
}

void QtChartDrawing::rebuild() {
    // The chart and its two axes stay; only the series are replaced. Making a new chart each
    // time costs more than drawing a large one.
    QChart* c = m_view->chart();
    c->removeAllSeries();

    double low = 0, high = 0;
    bool first = !m.fromZero;
    for (const QList<double>& values : m.values)
        for (double v : values) {
            if (first) {
                low = high = v;
                first = false;
            }
            low = std::min(low, v);
            high = std::max(high, v);
        }

    setRowLabels();
    applyXAxisFormat();
    // A chart without rows shows its empty plot area alone: an axis without categories would
    // keep the space of the labels it had, and the grid would stand apart from the frame.
    const bool empty = m.labels.isEmpty();
    if (m_xAxis->isVisible() == empty)
        m_xAxis->setVisible(!empty);
    QValueAxis* yAxis = m_yAxis;
    yAxis->setRange(low, high > low ? high : low + 1);
    yAxis->applyNiceNumbers();
    applyValueTitle();

    m_shown = QList<QObject*>(m.values.size(), nullptr);
    const auto asBars = [this](qsizetype s) {
        return m.type == ChartControl::Bar || m.barSeries.contains(int(s + 1));
    };
    QAbstractBarSeries* bars = nullptr;
    for (qsizetype s = 0; s < m.values.size(); ++s) {
        if (!asBars(s))
            continue;
        if (!bars)
            bars = m.stacked ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries()) : new QBarSeries();
        auto* set = new QBarSet(m.seriesNames.value(s));
        for (double v : m.values[s])
            set->append(v);
        connect(set, &QBarSet::hovered, this, [this, s](bool on, int row) {
            if (on)
                showValueTip(int(s), row);
            else
                QToolTip::hideText();
        });
        bars->append(set);
        m_shown[s] = set;
    }
    if (bars) {
        c->addSeries(bars);
        // Bars without the theme's light outline: with years of months the bars are a pixel
        // or two wide, and the outline would paint over their colour.
        for (QBarSet* set : bars->barSets())
            set->setPen(Qt::NoPen);
        bars->attachAxis(m_xAxis);
        bars->attachAxis(m_yAxis);
    }
    {
        for (qsizetype s = 0; s < m.values.size(); ++s) {
            if (asBars(s))
                continue;
            auto* line = new QLineSeries();
            line->setName(m.seriesNames.value(s));
            const QList<double>& values = m.values[s];
            for (qsizetype i = 0; i < values.size(); ++i) {
                if (m.type == ChartControl::Step) {
                    line->append(double(i) - 0.5, values[i]);
                    line->append(double(i) + 0.5, values[i]);
                } else {
                    line->append(double(i), values[i]);
                }
            }
            QAbstractSeries* shown = line;
            if (m.type == ChartControl::Area) {
                auto* area = new QAreaSeries(line);
                line->setParent(area); // goes with the area when the chart drops it
                area->setName(line->name());
                static const QColor Palette[] = {QColor(32, 159, 223), QColor(246, 166, 37),
                                                 QColor(153, 202, 83), QColor(191, 89, 62),
                                                 QColor(111, 77, 191)};
                QColor fill = Palette[s % 5];
                fill.setAlpha(AreaAlpha);
                area->setBrush(fill);
                // A hairline: a wide stroke of the outline costs ten times the fill.
                area->setPen(QPen(Palette[s % 5].darker(140), 0));
                connect(area, &QAreaSeries::hovered, this, [this, s](const QPointF& p, bool on) {
                    if (on)
                        showValueTip(int(s), int(std::lround(p.x())));
                    else
                        QToolTip::hideText();
                });
                shown = area;
            } else {
                connect(line, &QLineSeries::hovered, this, [this, s](const QPointF& p, bool on) {
                    if (on)
                        showValueTip(int(s), int(std::lround(p.x())));
                    else
                        QToolTip::hideText();
                });
                if (m.type == ChartControl::Line && values.size() <= 60)
                    line->setPointsVisible(true);
            }
            c->addSeries(shown);
            m_shown[s] = shown;
            if (shown == line) { // the theme gives the colour when the series joins the chart
                QPen pen = line->pen();
                pen.setWidthF(m.lineWidth);
                line->setPen(pen);
            }
            shown->attachAxis(m_xAxis);
            shown->attachAxis(m_yAxis);
        }
    }

    for (int series = 1; series <= m.colors.size(); ++series)
        applyColor(series);
    applyTitle();
    applyLegend();
    layOutLegend();
}

// New or renamed markers leave the legend at its old height (a few pixels after the series were
// replaced) until the chart is laid out again, which a paint right after does not wait for: lay
// it out now.
void QtChartDrawing::layOutLegend() {
    QLegend* legend = chart()->legend();
    if (!legend->isVisible())
        return;
    if (legend->layout())
        legend->layout()->invalidate();
    if (chart()->layout())
        chart()->layout()->activate();
}

} // namespace

extern "C" Q_DECL_EXPORT ChartDrawing* trainbookChartDrawing(const ChartModel& model, QWidget* parent) {
    return new QtChartDrawing(model, parent);
}
