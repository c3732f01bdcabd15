#pragma once

#include <QColor>
#include <QString>

namespace WorkoutKinds {
struct Kind;
}

// The colours the charts give their series, so that each kind keeps one colour across the
// charts (running is the same red in the running graph and in the time graph, whichever
// kinds are ticked). The hues are those of the calendar report, dark enough to stand out on
// the chart's white.
namespace SeriesColors {

// The colour of an exercise kind, by its type ("Running") or its short label ("Run"); an
// invalid colour for anything else.
QColor ofKind(const QString& kind);
QColor ofKind(const WorkoutKinds::Kind& kind);

// Hours of all kinds together.
QColor allKinds();
// A second measure beside a kind's distance: the average pace or speed.
QColor secondMeasure();
// Equipment past its retirement distance.
QColor pastLimit();

} // namespace SeriesColors
