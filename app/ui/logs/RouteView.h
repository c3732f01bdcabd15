#pragma once

#include "TrackView.h"

#include <QPainterPath>
#include <QWidget>
#include <optional>

// The route of a workout drawn as a line on a plain background, north up and scaled to fit,
// with its start, its finish and each kilometre or mile marked, and one point along it marked
// on request (the place under the pointer in a profile).
class RouteView : public QWidget {
    Q_OBJECT
  public:
    explicit RouteView(QWidget* parent = nullptr);

    void setRoute(TrackView::Route route);
    // Marks the place `meters` along the track; nothing clears the mark.
    void setMark(std::optional<double> meters);
    std::optional<double> mark() const { return m_mark; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QPointF toPixels(const QPointF& metres) const;
    void layoutPath();

    TrackView::Route m_route;
    QPainterPath m_path;
    std::optional<double> m_mark;
    double m_scale = 1;
    QPointF m_offset;
};
