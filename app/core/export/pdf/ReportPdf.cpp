#include "ReportPdf.h"

#include "DateText.h"
#include "NumberText.h"
#include "TextReport.h"

#include "Backup.h"
#include "CLibrary.h"

#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

namespace ReportPdf {

namespace {

constexpr int Resolution = 300; // dots per inch of the page
constexpr double MarginMm = 12.0;
constexpr double BodyPoints = 7.5; // the report's font size, smaller only for long lines
constexpr double MinBodyPoints = 5.0;
constexpr double ChartShare = 0.35; // part of the first page the chart takes
const QPageLayout Layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                         QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);

QFont fixedFont(double points) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

// Page geometry in device units at Resolution.
struct Geometry {
    QRectF body;       // below the heading, above the footer
    double lineHeight; // of the body font
    double headHeight;
};

double pointsToDots(double points) {
    return points * Resolution / 72.0;
}

Geometry geometry() {
    const QRectF page = Layout.paintRectPixels(Resolution);
    Geometry g;
    g.headHeight = pointsToDots(9) * 2 + pointsToDots(6);
    g.lineHeight = pointsToDots(BodyPoints) * 1.18;
    g.body = QRectF(0, g.headHeight, page.width(), page.height() - g.headHeight - pointsToDots(12));
    return g;
}

// "Criteria: ..." broken at blanks into lines of at most `width` characters (a longer word
// stands alone), then an empty line before the report.
QStringList criteriaLines(const QString& criteria, qsizetype width) {
    const QString text = QStringLiteral("Criteria: ") +
                         (criteria.trimmed().isEmpty() ? QStringLiteral("none") : criteria.trimmed());
    QStringList out;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            out << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    out << line << QString();
    return out;
}

int bodyLines(const Geometry& g, bool withChart) {
    const double height = withChart ? g.body.height() * (1 - ChartShare) : g.body.height();
    return std::max(1, int(height / g.lineHeight));
}

void drawChart(QPainter& p, const QRectF& area, const ChartTable& chart, const QFont& font) {
    p.save();
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(area);
    QFont titleFont = font;
    titleFont.setBold(true);
    p.setFont(titleFont);
    const QFontMetricsF tm(titleFont);
    p.drawText(QRectF(area.left(), area.top(), area.width(), tm.height() * 1.5), Qt::AlignCenter,
               chart.title);
    p.setFont(font);
    const QFontMetricsF fm(font);
    const QRectF plot =
        area.adjusted(area.width() * 0.3, tm.height() * 1.6, -area.width() * 0.12, -fm.height());
    const int n = int(chart.rows.size());
    // A row's bar is the sum of its series; the equipment chart puts an item past its limit in
    // the second series, which is drawn in a warning colour.
    const auto total = [](const ChartTable::Row& row) {
        double sum = 0;
        for (double v : row.values)
            sum += v;
        return sum;
    };
    double maxValue = 0;
    for (const auto& row : chart.rows)
        maxValue = std::max(maxValue, total(row));
    if (n > 0 && maxValue > 0) {
        const double slot = plot.height() / n;
        const double bar = std::clamp(slot * 0.7, 1.0, fm.height() * 2);
        for (int i = 0; i < n; ++i) {
            const auto& row = chart.rows[i];
            const double value = total(row);
            const double top = plot.top() + i * slot + (slot - bar) / 2;
            const QRectF r(plot.left(), top, plot.width() * std::max(0.0, value) / maxValue, bar);
            const bool second = row.values.size() > 1 && row.values.at(1) != 0;
            p.fillRect(r, second ? QColor(214, 69, 0) : QColor(70, 110, 170));
            p.drawText(QRectF(area.left() + fm.averageCharWidth(), top,
                              plot.left() - area.left() - 2 * fm.averageCharWidth(), bar),
                       Qt::AlignRight | Qt::AlignVCenter,
                       fm.elidedText(row.label, Qt::ElideRight,
                                     plot.left() - area.left() - 2 * fm.averageCharWidth()));
            p.drawText(QRectF(r.right() + fm.averageCharWidth(), top, area.right() - r.right(), bar),
                       Qt::AlignLeft | Qt::AlignVCenter, NumberText::general(value));
        }
    }
    p.restore();
}

} // namespace

QString titleOf(const QString& kind) {
    if (kind == QLatin1String("Shoe") || kind == QLatin1String("Bike"))
        return kind + QStringLiteral(" Report");
    const QString caption = TextReport::caption(kind);
    return caption.isEmpty() ? kind : caption;
}

int linesPerPage(bool withChart) {
    return bodyLines(geometry(), withChart);
}

int write(const QString& path, const ReportLines& lines, const Heading& heading, const ChartTable* chart,
          QString* error) {
    // Never over the diary or one of its copies, and never over anything but a regular file.
    const QString refusal = Backup::targetRefusal(path, CLibrary::defaultAccessFile());
    if (!refusal.isEmpty()) {
        if (error)
            *error = QStringLiteral("Could not write ") + path + QStringLiteral(" - ") + refusal;
        return 0;
    }
    // Written beside the target and renamed over it at the end, so that a failure or a kill
    // leaves an older file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("Could not write ") + path + QStringLiteral(" - ") + file.errorString();
        return 0;
    }
    QPdfWriter out(&file);
    out.setResolution(Resolution);
    out.setPageLayout(Layout);
    out.setCreator(QStringLiteral("Trainbook"));
    out.setTitle(heading.title);

    const Geometry g = geometry();
    // The body font shrinks so that the longest line fits the page width (down to a size
    // that stays readable; a longer line is cut at the margin).
    qsizetype longest = std::max<qsizetype>(1, lines.widest());
    const QStringList above =
        heading.criteria ? criteriaLines(*heading.criteria, std::max<qsizetype>(longest, 80)) : QStringList();
    for (const QString& line : above)
        longest = std::max(longest, line.size());
    const qsizetype total = above.size() + lines.size();
    const auto lineAt = [&](qsizetype i) {
        return i < above.size() ? above.at(i) : lines.at(i - above.size());
    };
    double points = BodyPoints;
    const double charWidth = QFontMetricsF(fixedFont(points), &out).horizontalAdvance(QLatin1Char('M'));
    if (charWidth * double(longest) > g.body.width())
        points = std::max(MinBodyPoints, points * g.body.width() / (charWidth * double(longest)));
    const QFont body = fixedFont(points);

    const int first = bodyLines(g, chart != nullptr);
    const int rest = bodyLines(g, false);
    const int remaining = std::max(0, int(total) - first);
    const int pages = 1 + (remaining + rest - 1) / rest;

    QPainter p;
    if (!p.begin(&out)) {
        if (error)
            *error = QStringLiteral("Could not write ") + path;
        return 0;
    }
    const QFont headFont = fixedFont(9);
    QFont boldHead = headFont;
    boldHead.setBold(true);
    const QString subline = QStringLiteral("User: %1   Kind: %2   Date: %3")
                                .arg(heading.user, heading.kind, DateText::iso(heading.date));
    qsizetype next = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            out.newPage();
        p.setPen(Qt::black);
        p.setFont(boldHead);
        const double h = pointsToDots(9) * 1.2;
        p.drawText(QRectF(0, 0, g.body.width(), h), Qt::AlignLeft | Qt::AlignVCenter, heading.title);
        p.setFont(headFont);
        p.drawText(QRectF(0, 0, g.body.width(), h), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Page %1 of %2").arg(page).arg(pages));
        p.drawText(QRectF(0, h, g.body.width(), h), Qt::AlignLeft | Qt::AlignVCenter, subline);
        p.drawLine(QPointF(0, 2 * h + pointsToDots(2)), QPointF(g.body.width(), 2 * h + pointsToDots(2)));

        double y = g.body.top();
        int count = rest;
        if (page == 1 && chart) {
            const QRectF area(0, y + g.lineHeight, g.body.width(),
                              g.body.height() * ChartShare - 2 * g.lineHeight);
            drawChart(p, area, *chart, headFont);
            y += g.body.height() * ChartShare;
            count = first;
        }
        p.setFont(body);
        const double ascent = QFontMetricsF(body, &out).ascent();
        for (int i = 0; i < count && next < total; ++i, ++next) {
            p.drawText(QPointF(0, y + ascent), lineAt(next));
            y += g.lineHeight;
        }
    }
    p.end();
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Could not write ") + path + QStringLiteral(" - ") + file.errorString();
        return 0;
    }
    return pages;
}

} // namespace ReportPdf
