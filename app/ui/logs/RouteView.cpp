#include "RouteView.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr int Margin = 18;
const QColor Background(247, 245, 240);
const QColor Line(33, 102, 172);
const QColor Start(26, 150, 65);
const QColor Finish(200, 30, 40);
const QColor Marker(255, 140, 0);
} // namespace

RouteView::RouteView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("routeView"));
    setMinimumSize(300, 260);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void RouteView::setRoute(TrackView::Route route) {
    m_route = std::move(route);
    m_mark.reset();
    layoutPath();
    update();
}

void RouteView::setMark(std::optional<double> meters) {
    if (meters == m_mark)
        return;
    m_mark = meters;
    update();
}

QPointF RouteView::toPixels(const QPointF& metres) const {
    // North up: the y of the projection grows northward, the widget's downward.
    return {m_offset.x() + metres.x() * m_scale, m_offset.y() - metres.y() * m_scale};
}

void RouteView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPath();
}

// One path of the whole route in pixels. Points closer to the last one drawn than the line is
// wide add nothing to the picture, so they are left out: a long track at one point a second
// then costs no more to paint than a short one.
void RouteView::layoutPath() {
    m_path = QPainterPath();
    if (!m_route.hasPosition)
        return;
    const QRectF b = m_route.bounds;
    const double w = std::max(1.0, width() - 2.0 * Margin), h = std::max(1.0, height() - 2.0 * Margin);
    m_scale = std::min(w / std::max(b.width(), 1.0), h / std::max(b.height(), 1.0));
    // Centred both ways: the projected box's middle at the widget's middle.
    m_offset = QPointF(width() / 2.0 - b.center().x() * m_scale, height() / 2.0 + b.center().y() * m_scale);
    QPointF last;
    bool open = false;
    for (size_t k = 0; k < m_route.points.size(); ++k) {
        const QPointF& p = m_route.points[k];
        if (!std::isfinite(p.x()))
            continue;
        const QPointF px = toPixels(p);
        if (!open || m_route.breaks[k]) {
            m_path.moveTo(px);
            open = true;
        } else if (std::abs(px.x() - last.x()) + std::abs(px.y() - last.y()) < 2.0) {
            continue;
        } else {
            m_path.lineTo(px);
        }
        last = px;
    }
}

void RouteView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Background);
    painter.setPen(QColor(200, 196, 186));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!m_route.hasPosition) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No positions were recorded."));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Line, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(m_path);

    // Each kilometre or mile: a small white disc with its number, where the number has room;
    // where the route passes a place again, or the marks lie close, a plain dot.
    QFont small = font();
    small.setPointSizeF(std::max(6.5, small.pointSizeF() - 2));
    painter.setFont(small);
    std::vector<QPointF> labelled;
    for (size_t n = 0; n < m_route.unitMarks.size(); ++n) {
        const QPointF c = toPixels(m_route.unitMarks[n]);
        const bool room = std::none_of(labelled.begin(), labelled.end(), [&](const QPointF& o) {
            return std::abs(o.x() - c.x()) < 18 && std::abs(o.y() - c.y()) < 18;
        });
        painter.setPen(QPen(Line, 1.2));
        painter.setBrush(Qt::white);
        if (!room) {
            painter.drawEllipse(c, 2.5, 2.5);
            continue;
        }
        labelled.push_back(c);
        painter.drawEllipse(c, 7, 7);
        painter.setPen(Line.darker(150));
        painter.drawText(QRectF(c.x() - 9, c.y() - 8, 18, 16), Qt::AlignCenter, QString::number(n + 1));
    }

    QPointF start, finish;
    bool found = false;
    for (const QPointF& p : m_route.points)
        if (std::isfinite(p.x())) {
            finish = p;
            if (!found)
                start = p;
            found = true;
        }
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Finish);
    painter.drawEllipse(toPixels(finish), 6, 6);
    painter.setBrush(Start);
    painter.drawEllipse(toPixels(start), 6, 6);

    if (m_mark) {
        painter.setPen(QPen(Qt::black, 1.5));
        painter.setBrush(Marker);
        painter.drawEllipse(toPixels(m_route.at(*m_mark)), 6, 6);
    }

    // North is up, and which dot is which, said once in the corners.
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect inner = rect().adjusted(6, 4, -6, -4);
    painter.drawText(inner, Qt::AlignTop | Qt::AlignRight, QStringLiteral("N \u2191"));
    const int y = inner.bottom() - fontMetrics().height() / 2;
    int x = inner.left() + 6;
    for (const auto& [colour, caption] :
         {std::pair{Start, QStringLiteral("Start")}, {Finish, QStringLiteral("Finish")}}) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(x, y), 5, 5);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QPoint(x + 9, y + fontMetrics().ascent() / 2 - 1), caption);
        x += 9 + fontMetrics().horizontalAdvance(caption) + 14;
    }
}
