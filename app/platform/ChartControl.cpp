#include "ChartControl.h"

#include "Connection.h"
#include "NumberText.h"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QLegendMarker>
#include <QLineSeries>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

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
void fitCategoryLabels(QBarCategoryAxis* axis, qsizetype count) {
    if (count > 12)
        axis->setLabelsAngle(-60);
    if (count > 40) {
        QFont f = axis->labelsFont();
        f.setPointSizeF(std::max(5.0, f.pointSizeF() * 0.75));
        axis->setLabelsFont(f);
    }
}

} // namespace

ChartControl::ChartControl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QChartView(this);
    m_view->setObjectName(QStringLiteral("chartView"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(320, 220);
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
    rebuild();
}

void ChartControl::setSeriesLabel(int series, const QString& label) {
    if (series < 1 || series > m_seriesNames.size())
        return;
    m_seriesNames[series - 1] = label;
    // Renamed in place: labelling the series of a large chart must not draw it again.
    QChart* c = chart();
    const auto all = c->series();
    if (m_type == Bar) {
        if (auto* bars = qobject_cast<QBarSeries*>(all.value(0)); bars && series <= bars->count())
            bars->barSets().at(series - 1)->setLabel(label);
    } else if (series <= all.size()) {
        all.at(series - 1)->setName(label);
    }
    for (QAbstractAxis* axis : c->axes(Qt::Vertical))
        axis->setTitleText(m_seriesNames.join(QStringLiteral(" / ")));
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
    c->setTitle(m_title);
    QFont f = c->titleFont();
    if (!m_titleFont.isEmpty()) {
        f.setFamily(m_titleFont);
        f.setStyleHint(QFont::SansSerif); // where that family is missing, a plain face stands in
    }
    f.setPointSizeF(std::max(f.pointSizeF(), 11.0));
    f.setBold(true);
    c->setTitleFont(f);
}

void ChartControl::applyLegend() {
    QLegend* legend = chart()->legend();
    legend->setVisible(m_legend);
    legend->setAlignment(Qt::AlignBottom);
    if (!m_legendFont.isEmpty()) {
        QFont f = legend->font();
        f.setFamily(m_legendFont);
        f.setStyleHint(QFont::SansSerif);
        legend->setFont(f);
    }
}

void ChartControl::applyXAxisFormat() {
    if (m_xPointSize <= 0 && m_xFont.isEmpty() && !m_xColour.isValid())
        return;
    for (QAbstractAxis* axis : chart()->axes(Qt::Horizontal)) {
        QFont f = axis->labelsFont();
        if (!m_xFont.isEmpty()) {
            f.setFamily(m_xFont);
            f.setStyleHint(QFont::SansSerif);
        }
        // Many labels stay at the size that lets them fit.
        if (m_xPointSize > 0 && m_labels.size() <= 40)
            f.setPointSize(m_labels.size() > 12 ? std::min(m_xPointSize, 9) : m_xPointSize);
        axis->setLabelsFont(f);
        if (m_xColour.isValid())
            axis->setLabelsBrush(QBrush(m_xColour));
    }
}

void ChartControl::showValueTip(int series, int row) {
    if (series < 0 || series >= m_values.size() || row < 0 || row >= m_labels.size())
        return;
    QToolTip::showText(
        QCursor::pos(),
        QStringLiteral("%1\n%2: %3")
            .arg(m_labels.at(row), m_seriesNames.value(series), NumberText::general(m_values[series][row])),
        m_view);
}

void ChartControl::rebuild() {
    auto* c = new QChart();
    c->setAnimationOptions(QChart::NoAnimation);
    c->setBackgroundRoundness(0);

    const qsizetype rows = m_labels.size();
    double low = 0, high = 0;
    for (const QList<double>& values : m_values)
        for (double v : values) {
            low = std::min(low, v);
            high = std::max(high, v);
        }

    auto* xAxis = new QBarCategoryAxis();
    xAxis->append(m_labels.isEmpty() ? QStringList() : m_labels);
    fitCategoryLabels(xAxis, rows);
    auto* yAxis = new QValueAxis();
    yAxis->setRange(low, high > low ? high : low + 1);
    yAxis->applyNiceNumbers();
    yAxis->setLabelFormat(QStringLiteral("%g"));
    yAxis->setTitleText(m_seriesNames.join(QStringLiteral(" / ")));
    c->addAxis(xAxis, Qt::AlignBottom);
    c->addAxis(yAxis, Qt::AlignLeft);

    if (m_type == Bar) {
        auto* bars = new QBarSeries();
        for (qsizetype s = 0; s < m_values.size(); ++s) {
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
        }
        c->addSeries(bars);
        bars->attachAxis(xAxis);
        bars->attachAxis(yAxis);
    } else {
        for (qsizetype s = 0; s < m_values.size(); ++s) {
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
                area->setName(line->name());
                static const QColor Palette[] = {QColor(32, 159, 223), QColor(246, 166, 37), QColor(153, 202, 83),
                                                 QColor(191, 89, 62), QColor(111, 77, 191)};
                QColor fill = Palette[s % 5];
                fill.setAlpha(150);
                area->setBrush(fill);
                area->setPen(QPen(fill.darker(140), 1.5));
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
            if (shown == line) { // the theme gives the colour when the series joins the chart
                QPen pen = line->pen();
                pen.setWidthF(2.5);
                line->setPen(pen);
            }
            shown->attachAxis(xAxis);
            shown->attachAxis(yAxis);
        }
    }

    QChart* old = m_view->chart();
    m_view->setChart(c);
    delete old;
    applyTitle();
    applyLegend();
    applyXAxisFormat();
}
