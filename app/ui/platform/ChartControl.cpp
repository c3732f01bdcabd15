#include "ChartControl.h"

#include "Connection.h"
#include "NumberText.h"
#include "PrivateLibrary.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
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

// The drawing module, loaded with the first chart. `error` says why there is none.
ChartDrawingFactory drawingFactory(QString& error) {
    static QString failure;
    static const auto factory = reinterpret_cast<ChartDrawingFactory>(
        PrivateLibrary::resolve("trainbook-charts.so", TRAINBOOK_CHART_DRAWING_ENTRY, failure));
    error = failure;
    return factory;
}

} // namespace

ChartControl::ChartControl(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_model.number = &NumberText::general;
    QString error;
    if (const ChartDrawingFactory make = drawingFactory(error)) {
        m_drawing.reset(make(m_model, this));
        layout->addWidget(m_drawing->widget());
    } else {
        m_missing = PrivateLibrary::missing(QStringLiteral("Charts cannot be shown: %1").arg(error),
                                            "lblChartMissing", this);
        layout->addWidget(m_missing);
    }
}

// The drawing's widgets send events while they are destroyed: the pointer is no longer
// followed from then on, so none reaches this control or the drawing half-way through.
ChartControl::~ChartControl() {
    setPointerTracking(false);
    m_drawing.reset();
}

void ChartControl::changed(ChartDrawing::Change change, int series) {
    if (m_drawing)
        m_drawing->update(change, series);
}

QChart* ChartControl::chart() const {
    return m_drawing ? m_drawing->chart() : nullptr;
}

void ChartControl::setChartType(int code) {
    const int type = (code == Bar || code == Line || code == Area) ? code : int(Step);
    if (type == m_model.type)
        return;
    m_model.type = type;
    newData();
}

void ChartControl::setTitle(const QString& text) {
    m_model.title = text;
    changed(ChartDrawing::Change::Title);
}

void ChartControl::setTitleFontName(const QString& name) {
    m_model.titleFont = name;
    changed(ChartDrawing::Change::Title);
}

void ChartControl::setShowLegend(bool on) {
    m_model.legend = on;
    changed(ChartDrawing::Change::Legend);
}

void ChartControl::setLegendFontName(const QString& name) {
    m_model.legendFont = name;
    changed(ChartDrawing::Change::Legend);
}

void ChartControl::setDataSource(ResultSet& result) {
    m_model.labels.clear();
    QList<double> values;
    const QString name = result.columnCount() > 1 ? result.columnName(1) : QString();
    for (; !result.eof(); result.moveNext()) {
        m_model.labels << result.field(0);
        values << (result.columnCount() > 1 ? cellNumber(result.value(1)) : 0.0);
    }
    m_model.values = {values};
    m_model.seriesNames = {name.isEmpty() ? defaultSeriesName(1) : name};
    m_model.colors.clear();
    m_model.rowTips.clear();
    newData();
}

void ChartControl::setChartData(const QList<QVariantList>& rows) {
    qsizetype series = 0;
    for (const QVariantList& row : rows)
        series = std::max(series, row.size() - 1);
    m_model.labels.clear();
    m_model.values = QList<QList<double>>(series);
    for (const QVariantList& row : rows) {
        m_model.labels << (row.isEmpty() ? QString() : row.first().toString());
        for (qsizetype s = 0; s < series; ++s)
            m_model.values[s] << (s + 1 < row.size() ? cellNumber(row.at(s + 1)) : 0.0);
    }
    m_model.seriesNames.clear();
    for (qsizetype s = 0; s < series; ++s)
        m_model.seriesNames << defaultSeriesName(int(s + 1));
    m_model.colors.clear();
    m_model.rowTips.clear();
    newData();
}

// Where no row has more than one series (items past a limit drawn as a series of their own),
// the bars are stacked: each row's one bar then stands centred on its label instead of beside
// an empty slot.
void ChartControl::newData() {
    bool stacked = m_model.type == Bar && m_model.values.size() > 1;
    for (qsizetype row = 0; stacked && row < m_model.labels.size(); ++row) {
        int used = 0;
        for (const QList<double>& values : m_model.values)
            used += values.value(row) != 0;
        stacked = used <= 1;
    }
    m_model.stacked = stacked;
    changed(ChartDrawing::Change::Everything);
}

void ChartControl::setSeriesLabel(int series, const QString& label) {
    if (series < 1 || series > m_model.seriesNames.size())
        return;
    m_model.seriesNames[series - 1] = label;
    changed(ChartDrawing::Change::SeriesName, series);
}

void ChartControl::setSeriesColor(int series, const QColor& color) {
    if (series < 1 || series > m_model.values.size())
        return;
    m_model.colors.resize(m_model.values.size());
    m_model.colors[series - 1] = color;
    changed(ChartDrawing::Change::SeriesColor, series);
}

QColor ChartControl::seriesColor(int series) const {
    return m_model.colors.value(series - 1);
}

void ChartControl::setValueAxisTitle(const QString& title) {
    m_model.valueTitle = title;
    changed(ChartDrawing::Change::ValueTitle);
}

void ChartControl::setValueAxisFromZero(bool on) {
    if (on == m_model.fromZero)
        return;
    m_model.fromZero = on;
    newData();
}

void ChartControl::setBarSeries(const QList<int>& series) {
    if (series == m_model.barSeries)
        return;
    m_model.barSeries = series;
    newData();
}

void ChartControl::setRowTips(const QStringList& tips) {
    m_model.rowTips = tips;
}

void ChartControl::setLineWidth(double width) {
    if (width == m_model.lineWidth)
        return;
    m_model.lineWidth = width;
    newData();
}

QString ChartControl::seriesLabel(int series) const {
    return m_model.seriesNames.value(series - 1);
}

QList<double> ChartControl::seriesValues(int series) const {
    return m_model.values.value(series - 1);
}

void ChartControl::setXAxisLabelFormat(int pointSize, const QString& fontName, const QColor& colour) {
    m_model.xPointSize = pointSize;
    m_model.xFont = fontName;
    m_model.xColour = colour;
    changed(ChartDrawing::Change::XAxisFormat);
}

QFont ChartControl::xAxisLabelFont() const {
    return m_drawing ? m_drawing->xAxisLabelFont() : QFont();
}

void ChartControl::setPointerTracking(bool on) {
    if (!m_drawing || on == (m_tracked != nullptr))
        return;
    QWidget* surface = m_drawing->pointerSurface();
    surface->setMouseTracking(on);
    if (QWidget* view = surface->parentWidget())
        view->setMouseTracking(on);
    if (on)
        surface->installEventFilter(this);
    else
        surface->removeEventFilter(this);
    m_tracked = on ? surface : nullptr;
}

bool ChartControl::eventFilter(QObject* watched, QEvent* event) {
    if (m_tracked && watched == m_tracked) {
        if (event->type() == QEvent::Leave)
            emit pointerRow(-1);
        else if (event->type() == QEvent::MouseMove)
            emit pointerRow(m_drawing->rowAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    }
    return QWidget::eventFilter(watched, event);
}
