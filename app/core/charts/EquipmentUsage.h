#pragma once

#include "ChartTable.h"

#include <QString>
#include <QStringList>

class Connection;

// How far the user has gone on each active pair of shoes or each active bike: a chart of the
// summed distance per item and a fixed-width list with each item's type, price, purchase
// date and total distance. Only active items with at least one logged workout of the user
// appear; distances are totals over the whole log.
namespace EquipmentUsage {

// Both parts of the report, read inside one read transaction.
struct Report {
    ChartTable chart;  // title "Miles"/"Kilometers", one series named by its column
    QStringList lines; // header, separator, one line per item
};

// `kind` is "Shoe" or "Bike". Throws DbError on a failed query and DbError("Program Error")
// for any other kind.
Report build(Connection& conn, const QString& user, const QString& kind, bool miles);

// The list alone: header, separator of 75 hyphens, one line per item.
QStringList lines(Connection& conn, const QString& user, const QString& kind, bool miles);

// The chart alone.
ChartTable chart(Connection& conn, const QString& user, const QString& kind, bool miles);

} // namespace EquipmentUsage
