#include "EquipmentUsage.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DbError.h"
#include "GearWear.h"
#include "NumberText.h"
#include "Transaction.h"
#include "WorkoutKinds.h"

#include <optional>

namespace {

// What differs between the shoe and the bike report.
struct Kind {
    QString item;   // the item column as selected and grouped
    QString tables; // "From ..." with the three tables
    QString join;   // the key join and the item join
    QString itemTable;
    QString typeColumn;
    QString header;
    qint16 typeWidth;
};

Kind kindOf(const QString& kind) {
    for (const WorkoutKinds::Kind* workout : WorkoutKinds::Workouts) {
        const WorkoutKinds::GearCatalog* catalog = workout->gearCatalog();
        if (!catalog || kind != QLatin1String(catalog->usageKind))
            continue;
        const Tables::Table& log = *workout->table;
        const qint16 width = catalog == &WorkoutKinds::Shoes ? 10 : 12; // of the type column
        const QString table = QLatin1String(catalog->table);
        const QString item = table + QLatin1Char('.') + QLatin1String(catalog->itemColumn);
        return {item,
                QStringLiteral("From %1, %2, Exercise_Master ").arg(table, QLatin1String(log.name)),
                QStringLiteral("AND %1 = Exercise_ID AND %2 = %3.%4 ")
                    .arg(QLatin1String(log.key), item, QLatin1String(log.name),
                         QLatin1String(catalog->logColumn)),
                table,
                QLatin1String(catalog->typeColumn),
                QString::fromLatin1(catalog->usageKind).toUpper(),
                width};
    }
    throw DbError(QStringLiteral("Program Error"));
}

// FROM, WHERE and AND fragments shared by the chart and the list query; the user is bound
// twice.
QString fromWhere(const Kind& k) {
    return k.tables + QStringLiteral("WHERE ") + k.itemTable +
           QStringLiteral(".User_Name = ? AND Exercise_Master.User_Name = ? ") + k.join +
           QStringLiteral("AND Active = TRUE ");
}

QString sumColumn(bool miles) {
    return miles ? QStringLiteral("Sum(Miles) AS Mile ") : QStringLiteral("Sum(Kilometers) AS Kilometer ");
}

QString sumField(bool miles) {
    return miles ? QStringLiteral("Mile") : QStringLiteral("Kilometer");
}

// The summed miles of a row, whatever the unit shown: the share of the limit is decided on
// the stored miles, as the log windows decide it, so an item is past its limit in both units.
const QString WornMiles = QStringLiteral(", Sum(Miles) AS WornMiles");

// The share of its retirement distance (stored in miles) that a row's item has done; none
// for no limit.
std::optional<int> shareOf(const ResultSet& rs) {
    const QVariant v = rs.value(QStringLiteral("Retire_Distance"));
    if (!v.isValid() || v.isNull() || !(v.toDouble() > 0))
        return std::nullopt;
    return GearWear::percentUsed(rs.value(QStringLiteral("WornMiles")).toDouble(), v.toDouble());
}

// The price divided by the distance, to the cent; empty without a price or a distance.
QString costPerUnit(const QVariant& price, double distance) {
    bool ok = false;
    const double p = price.toDouble(&ok);
    if (price.isNull() || !ok || !(distance > 0))
        return QString();
    return NumberText::fixed(p / distance, 2);
}

QString withoutTrailingBlanks(QString line) {
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line;
}

ChartTable readChart(Connection& conn, const Kind& k, const QString& kind, const QString& user, bool miles) {
    ChartTable table;
    table.title = miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    table.seriesLabels = {sumField(miles)};
    // Names are unique per user, so each group has one retirement distance.
    ResultSet rs = conn.query(QStringLiteral("SELECT ") + k.item + QStringLiteral(", ") + sumColumn(miles) +
                                  WornMiles + QStringLiteral(", Max(Retire_Distance) AS Retire_Distance ") +
                                  fromWhere(k) + QStringLiteral("GROUP BY ") + k.item,
                              {user, user});
    QList<bool> past;
    for (; !rs.eof(); rs.moveNext()) {
        const double distance = rs.value(1).toDouble();
        const auto share = shareOf(rs);
        past << (share && *share >= 100);
        table.rows << ChartTable::Row{rs.field(0), {distance}};
    }
    // Items past their retirement distance are drawn as a second series, so they stand out.
    if (past.contains(true)) {
        table.seriesLabels << QStringLiteral("Past limit");
        for (qsizetype i = 0; i < table.rows.size(); ++i) {
            const double distance = table.rows[i].values.value(0);
            table.rows[i].values = past[i] ? QList<double>{0, distance} : QList<double>{distance, 0};
        }
    }
    return table;
}

QStringList readLines(Connection& conn, const Kind& k, const QString& kind, const QString& user, bool miles) {
    QStringList out;
    const QString header =
        CLibrary::FormatString(k.header, 30) + CLibrary::FormatString(QStringLiteral("TYPE"), k.typeWidth) +
        CLibrary::FormatString(QStringLiteral("PRICE"), 10) +
        CLibrary::FormatString(QStringLiteral("PURCHASED"), 12) +
        CLibrary::FormatString(miles ? QStringLiteral("MILES") : QStringLiteral("KM"), 10) +
        CLibrary::FormatString(miles ? QStringLiteral("PER MILE") : QStringLiteral("PER KM"), 10) +
        QStringLiteral("OF LIMIT");
    out << header;
    // The separator spans the header, now that the cost and limit columns follow the distance.
    out << QString(header.size(), QLatin1Char('-'));
    ResultSet rs = conn.query(QStringLiteral("SELECT ") + k.item + QStringLiteral(", ") + k.typeColumn +
                                  QStringLiteral(", Price, Format(Purchase_Date, 'dd-mmm-yy') AS pDate, ") +
                                  sumColumn(miles) + WornMiles + QStringLiteral(", Retire_Distance ") +
                                  fromWhere(k) + QStringLiteral("GROUP BY ") + k.item + QStringLiteral(", ") +
                                  k.typeColumn + QStringLiteral(", Price, Purchase_Date, Retire_Distance"),
                              {user, user});
    const QString distanceField = sumField(miles);
    for (; !rs.eof(); rs.moveNext()) {
        const double distance = rs.value(distanceField).toDouble();
        const auto percent = shareOf(rs);
        const QString share = percent ? QString::number(*percent) + QLatin1Char('%') : QString();
        out << withoutTrailingBlanks(
            CLibrary::FormatString(rs.field(0), 30) + CLibrary::FormatString(rs.field(1), k.typeWidth) +
            CLibrary::FormatString(rs.field(QStringLiteral("Price")), 10) +
            CLibrary::FormatString(rs.field(QStringLiteral("pDate")), 12) +
            CLibrary::FormatString(rs.field(distanceField), 10) +
            CLibrary::FormatString(costPerUnit(rs.value(QStringLiteral("Price")), distance), 10) + share);
    }
    return out;
}

} // namespace

namespace EquipmentUsage {

Report build(Connection& conn, const QString& user, const QString& kind, bool miles) {
    const Kind k = kindOf(kind);
    Transaction read(conn, Transaction::Mode::Read);
    Report r{readChart(conn, k, kind, user, miles), readLines(conn, k, kind, user, miles)};
    read.commit();
    return r;
}

QStringList lines(Connection& conn, const QString& user, const QString& kind, bool miles) {
    return build(conn, user, kind, miles).lines;
}

ChartTable chart(Connection& conn, const QString& user, const QString& kind, bool miles) {
    return build(conn, user, kind, miles).chart;
}

} // namespace EquipmentUsage
