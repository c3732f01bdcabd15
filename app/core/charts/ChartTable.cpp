#include "ChartTable.h"

#include "NumberText.h"

QList<QVariantList> ChartTable::grid() const {
    QList<QVariantList> out;
    out.reserve(rows.size());
    for (const Row& row : rows) {
        QVariantList cells{row.label};
        for (double v : row.values)
            cells << v;
        out << cells;
    }
    return out;
}

QString ChartTable::text() const {
    QString out = title + QLatin1Char('\n') + seriesLabels.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (const Row& row : rows) {
        out += row.label;
        for (double v : row.values)
            out += QLatin1Char('\t') + NumberText::general(v);
        out += QLatin1Char('\n');
    }
    return out;
}
