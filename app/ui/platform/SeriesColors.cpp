#include "SeriesColors.h"

#include "WorkoutKinds.h"

namespace SeriesColors {

QColor ofKind(const QString& kind) {
    for (const WorkoutKinds::Kind* k : WorkoutKinds::Workouts)
        if (kind == QLatin1String(k->name) || kind == QLatin1String(k->label))
            return ofKind(*k);
    return QColor();
}

QColor ofKind(const WorkoutKinds::Kind& kind) {
    return kind.chartColor ? QColor(QRgb(kind.chartColor)) : QColor();
}

QColor allKinds() {
    return QColor(90, 90, 90);
}

QColor secondMeasure() {
    return QColor(111, 77, 191);
}

QColor pastLimit() {
    return QColor(214, 69, 0);
}

} // namespace SeriesColors
