#include "ChartControl.h"

#include "Connection.h"
#include "NumberText.h"

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
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// How opaque an area's fill is: low enough that an area drawn over another leaves it readable.
constexpr int AreaAlpha = 110;

QString defaultSeriesName(int series) {
    return QStringLiteral("Series %1").arg(series);
}

double cellNumber(const QVariant& cell) {
    if (!cell.isValid() || cell.isNull())
        return 0;
    bool ok = false;
    const double v = cell.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

// Row labels grow long quickly (every month of twenty years); tilt and shrink them so
// that they stay readable instead of overlapping.
// Every change of an axis lays out all its labels again, which is what costs most with a few
// hundred of them; so an axis is only told what differs.
void setLabelsFont(QAbstractAxis* axis, const QFont& f) {
    if (axis->labelsFont() != f)
        axis->setLabelsFont(f);
}

} // namespace

ChartControl::ChartControl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QChartView(this);
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
    layout->addWidget(m_view);
    rebuild();
}

ChartControl::~ChartControl() = default;

QChart* ChartControl::chart() const {
    return m_view->chart();
}

void ChartControl::setChartType(int code) {
    const int type = (code == Bar || code == Line || code == Area) ? code : int(Step);
    if (type == m_type)
        return;
    m_type = type;
    rebuild();
}

void ChartControl::setTitle(const QString& text) {
    m_title = text;
    applyTitle();
}

void ChartControl::setTitleFontName(const QString& name) {
    m_titleFont = name;
    applyTitle();
}

void ChartControl::setShowLegend(bool on) {
    m_legend = on;
    applyLegend();
}

void ChartControl::setLegendFontName(const QString& name) {
    m_legendFont = name;
    applyLegend();
}

void ChartControl::setDataSource(ResultSet& result) {
    m_labels.clear();
    QList<double> values;
    const QString name = result.columnCount() > 1 ? result.columnName(1) : QString();
    for (; !result.eof(); result.moveNext()) {
        m_labels << result.field(0);
        values << (result.columnCount() > 1 ? cellNumber(result.value(1)) : 0.0);
    }
    m_values = {values};
    m_seriesNames = {name.isEmpty() ? defaultSeriesName(1) : name};
    m_colors.clear();
    m_rowTips.clear();
    rebuild();
}

void ChartControl::setChartData(const QList<QVariantList>& rows) {
    qsizetype series = 0;
    for (const QVariantList& row : rows)
        series = std::max(series, row.size() - 1);
    m_labels.clear();
    m_values = QList<QList<double>>(series);
    for (const QVariantList& row : rows) {
        m_labels << (row.isEmpty() ? QString() : row.first().toString());
        for (qsizetype s = 0; s < series; ++s)
            m_values[s] << (s + 1 < row.size() ? cellNumber(row.at(s + 1)) : 0.0);
    }
    m_seriesNames.clear();
    for (qsizetype s = 0; s < series; ++s)
        m_seriesNames << defaultSeriesName(int(s + 1));
    m_colors.clear();
    m_rowTips.clear();
    rebuild();
}

void ChartControl::setSeriesLabel(int series, const QString& label) {
    if (series < 1 || series > m_seriesNames.size())
        return;
    m_seriesNames[series - 1] = label;
    // Renamed in place: labelling the series of a large chart must not draw it again.
    if (auto* set = qobject_cast<QBarSet*>(m_shown.value(series - 1)))
        set->setLabel(label);
    else if (auto* shown = qobject_cast<QAbstractSeries*>(m_shown.value(series - 1)))
        shown->setName(label);
    applyValueTitle();
    layOutLegend();
}

void ChartControl::setSeriesColor(int series, const QColor& color) {
    if (series < 1 || series > m_values.size())
        return;
    m_colors.resize(m_values.size());
    m_colors[series - 1] = color;
    applyColor(series);
}

QColor ChartControl::seriesColor(int series) const {
    return m_colors.value(series - 1);
}

void ChartControl::setValueAxisTitle(const QString& title) {
    m_valueTitle = title;
    applyValueTitle();
}

void ChartControl::applyValueTitle() {
    const QString title = m_valueTitle.isEmpty() ? m_seriesNames.join(QStringLiteral(" / ")) : m_valueTitle;
    if (m_yAxis->titleText() != title)
        m_yAxis->setTitleText(title);
}

// Bars fill in the colour; a line or an area's outline is drawn in it, an area filled with it
// half see-through, so that where areas overlap the one behind still shows and each outline
// stays visible.
void ChartControl::applyColor(int series) {
    const QColor color = m_colors.value(series - 1);
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

void ChartControl::setValueAxisFromZero(bool on) {
    if (on == m_fromZero)
        return;
    m_fromZero = on;
    rebuild();
}

void ChartControl::setBarSeries(const QList<int>& series) {
    if (series == m_barSeries)
        return;
    m_barSeries = series;
    rebuild();
}

void ChartControl::setRowTips(const QStringList& tips) {
    m_rowTips = tips;
}

QString ChartControl::seriesLabel(int series) const {
    return series >= 1 && series <= m_seriesNames.size() ? m_seriesNames.at(series - 1) : QString();
}

QList<double> ChartControl::seriesValues(int series) const {
    return series >= 1 && series <= m_values.size() ? m_values.at(series - 1) : QList<double>();
}

void ChartControl::setXAxisLabelFormat(int pointSize, const QString& fontName, const QColor& colour) {
    m_xPointSize = pointSize;
    m_xFont = fontName;
    m_xColour = colour;
    applyXAxisFormat();
}

QFont ChartControl::xAxisLabelFont() const {
    for (QAbstractAxis* axis : chart()->axes(Qt::Horizontal))
        return axis->labelsFont();
    return QFont();
}

void ChartControl::applyTitle() {
    QChart* c = chart();
    if (c->title() != m_title)
        c->setTitle(m_title);
    QFont f = c->titleFont();
    if (!m_titleFont.isEmpty()) {
        f.setFamily(m_titleFont);
        f.setStyleHint(QFont::SansSerif); // where that family is missing, a plain face stands in
    }
    f.setPointSizeF(std::max(f.pointSizeF(), 11.0));
    f.setBold(true);
    if (c->titleFont() != f)
        c->setTitleFont(f);
}

void ChartControl::applyLegend() {
    QLegend* legend = chart()->legend();
    if (legend->isVisible() != m_legend)
        legend->setVisible(m_legend);
    if (legend->alignment() != Qt::AlignBottom)
        legend->setAlignment(Qt::AlignBottom);
    if (!m_legendFont.isEmpty()) {
        QFont f = legend->font();
        f.setFamily(m_legendFont);
        f.setStyleHint(QFont::SansSerif);
        if (legend->font() != f)
            legend->setFont(f);
    }
}

// The labels under the X axis: the family and size the caller asked for, except that many
// labels are tilted and kept small enough to fit.
void ChartControl::applyXAxisFormat() {
    const qsizetype count = m_xAxis->count();
    QFont f = m_xBaseFont;
    if (!m_xFont.isEmpty()) {
        f.setFamily(m_xFont);
        f.setStyleHint(QFont::SansSerif);
    }
    if (m_xPointSize > 0)
        f.setPointSize(count > 8 ? std::min(m_xPointSize, 9) : m_xPointSize);
    const int angle = count > 8 ? -60 : 0;
    if (m_xAxis->labelsAngle() != angle)
        m_xAxis->setLabelsAngle(angle);
    setLabelsFont(m_xAxis, f);
    if (m_xColour.isValid() && m_xAxis->labelsBrush().color() != m_xColour)
        m_xAxis->setLabelsBrush(QBrush(m_xColour));
}

// Row i sits at x = i. Up to MaxLabels rows each get their label; more rows get every k-th
// label, so that the labels stay whole and apart (the tooltip names every row).
void ChartControl::setRowLabels() {
    constexpr qsizetype MaxLabels = 16;
    const qsizetype rows = m_labels.size();
    const qsizetype step = std::max<qsizetype>(1, (rows + MaxLabels - 1) / MaxLabels);
    QStringList shown;
    QList<int> positions;
    for (qsizetype i = 0; i < rows; i += step) {
        // The axis keeps one label per text; two workouts of one day share a label text.
        QString label = m_labels.at(i);
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

void ChartControl::showValueTip(int series, int row) {
    if (series < 0 || series >= m_values.size() || row < 0 || row >= m_labels.size())
        return;
    if (row < m_rowTips.size()) {
        QToolTip::showText(QCursor::pos(), m_rowTips.at(row), m_view);
        return;
    }
    QToolTip::showText(
        QCursor::pos(),
        QStringLiteral("%1\n%2: %3")
            .arg(m_labels.at(row), m_seriesNames.value(series), NumberText::general(m_values[series][row])),
        m_view);
}

void ChartControl::rebuild() {
    // The chart and its two axes stay; only the series are replaced. Making a new chart each
    // time costs more than drawing a large one.
    QChart* c = m_view->chart();
    c->removeAllSeries();

    double low = 0, high = 0;
    bool first = !m_fromZero;
    for (const QList<double>& values : m_values)
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
    const bool empty = m_labels.isEmpty();
    if (m_xAxis->isVisible() == empty)
        m_xAxis->setVisible(!empty);
    QValueAxis* yAxis = m_yAxis;
    yAxis->setRange(low, high > low ? high : low + 1);
    yAxis->applyNiceNumbers();
    applyValueTitle();

    // Where no row has more than one series (items past a limit drawn as a series of their
    // own), the bars are stacked: each row's one bar then stands centred on its label instead
    // of beside an empty slot.
    m_stacked = false;
    if (m_type == Bar && m_values.size() > 1) {
        m_stacked = true;
        for (qsizetype row = 0; m_stacked && row < m_labels.size(); ++row) {
            int used = 0;
            for (const QList<double>& values : m_values)
                used += values.value(row) != 0;
            m_stacked = used <= 1;
        }
    }

    m_shown = QList<QObject*>(m_values.size(), nullptr);
    const auto asBars = [this](qsizetype s) { return m_type == Bar || m_barSeries.contains(int(s + 1)); };
    QAbstractBarSeries* bars = nullptr;
    for (qsizetype s = 0; s < m_values.size(); ++s) {
        if (!asBars(s))
            continue;
        if (!bars)
            bars = m_stacked ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries()) : new QBarSeries();
        auto* set = new QBarSet(m_seriesNames.value(s));
        for (double v : m_values[s])
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
        for (qsizetype s = 0; s < m_values.size(); ++s) {
            if (asBars(s))
                continue;
            auto* line = new QLineSeries();
            line->setName(m_seriesNames.value(s));
            const QList<double>& values = m_values[s];
            for (qsizetype i = 0; i < values.size(); ++i) {
                if (m_type == Step) {
                    line->append(double(i) - 0.5, values[i]);
                    line->append(double(i) + 0.5, values[i]);
                } else {
                    line->append(double(i), values[i]);
                }
            }
            QAbstractSeries* shown = line;
            if (m_type == Area) {
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
                if (m_type == Line && values.size() <= 60)
                    line->setPointsVisible(true);
            }
            c->addSeries(shown);
            m_shown[s] = shown;
            if (shown == line) { // the theme gives the colour when the series joins the chart
                QPen pen = line->pen();
                pen.setWidthF(2.5);
                line->setPen(pen);
            }
            shown->attachAxis(m_xAxis);
            shown->attachAxis(m_yAxis);
        }
    }

    for (int series = 1; series <= m_colors.size(); ++series)
        applyColor(series);
    applyTitle();
    applyLegend();
    layOutLegend();
}

// New or renamed markers leave the legend at its old height (a few pixels after the series were
// replaced) until the chart is laid out again, which a paint right after does not wait for: lay
// it out now.
void ChartControl::layOutLegend() {
    QLegend* legend = chart()->legend();
    if (!legend->isVisible())
        return;
    if (legend->layout())
        legend->layout()->invalidate();
    if (chart()->layout())
        chart()->layout()->activate();
}
