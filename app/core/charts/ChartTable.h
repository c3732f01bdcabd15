#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// What a chart shows, computed without any widget: its title, the label of each series and
// one row per period (or workout, or item) with a label and one value per series. Windows
// hand it to the chart control; trainbook-cli prints it.
struct ChartTable {
    struct Row {
        QString label;
        QList<double> values;
        bool operator==(const Row&) const = default;
    };

    QString title;
    QStringList seriesLabels;
    QList<Row> rows;

    bool operator==(const ChartTable&) const = default;

    // The rows as the chart control takes a table: label first, then the values.
    QList<QVariantList> grid() const;
    // Title line, tab-separated series labels, then each row's label and values
    // tab-separated (numbers in their default text), each line ending in a newline.
    QString text() const;
};
