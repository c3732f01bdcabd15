#include "SeriesColors.h"

namespace SeriesColors {

QColor ofKind(const QString& kind) {
    static const struct {
        const char* type;
        const char* label;
        QColor color;
    } kinds[] = {
        {"Running", "Run", QColor(204, 0, 0)},     {"Cycling", "Bike", QColor(0, 0, 220)},
        {"Swimming", "Swim", QColor(140, 140, 0)}, {"Video", "Video", QColor(0, 150, 150)},
        {"Other", "Other", QColor(0, 140, 0)},
    };
    for (const auto& k : kinds)
        if (kind == QLatin1String(k.type) || kind == QLatin1String(k.label))
            return k.color;
    return QColor();
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
