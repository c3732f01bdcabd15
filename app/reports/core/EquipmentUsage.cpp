#include "EquipmentUsage.h"

#include "CLibrary.h"
#include "Connection.h"
#include "DbError.h"
#include "Transaction.h"

namespace {

// What differs between the shoe and the bike report.
struct Kind {
    QString item;   // the item column as selected and grouped
    QString tables; // "From ..." with the three tables
    QString join;   // the key join and the item join
    QString typeColumn;
    QString header;
    qint16 typeWidth;
};

Kind kindOf(const QString& kind) {
    if (kind == QLatin1String("Shoe"))
        return {QStringLiteral("Shoe"),
                QStringLiteral("From Running_Shoes, Running_Log, Exercise_Master "),
                QStringLiteral("AND Running_ID = Exercise_ID AND Running_Shoes.Shoe = Running_Log.Shoes "),
                QStringLiteral("Shoe_Type"),
                QStringLiteral("SHOE"),
                10};
    if (kind == QLatin1String("Bike"))
        return {QStringLiteral("Bikes.Bike"),
                QStringLiteral("From Bikes, Cycling_Log, Exercise_Master "),
                QStringLiteral("AND Cycling_ID = Exercise_ID AND Bikes.Bike = Cycling_Log.Bike "),
                QStringLiteral("Bike_Type"),
                QStringLiteral("BIKE"),
                12};
    throw DbError(QStringLiteral("Program Error"));
}

QString itemTable(const QString& kind) {
    return kind == QLatin1String("Shoe") ? QStringLiteral("Running_Shoes") : QStringLiteral("Bikes");
}

// FROM, WHERE and AND fragments shared by the chart and the list query.
QString fromWhere(const Kind& k, const QString& kind, const QString& user) {
    const QString u = CLibrary::Quote(user);
    return k.tables + QStringLiteral("WHERE ") + itemTable(kind) + QStringLiteral(".User_Name = ") + u +
           QStringLiteral(" AND Exercise_Master.User_Name = ") + u + QLatin1Char(' ') + k.join +
           QStringLiteral("AND Active = TRUE ");
}

QString sumColumn(bool miles) {
    return miles ? QStringLiteral("Sum(Miles) AS Mile ") : QStringLiteral("Sum(Kilometers) AS Kilometer ");
}

QString sumField(bool miles) {
    return miles ? QStringLiteral("Mile") : QStringLiteral("Kilometer");
}

ChartTable readChart(Connection& conn, const Kind& k, const QString& kind, const QString& user, bool miles) {
    ChartTable table;
    table.title = miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    table.seriesLabels = {sumField(miles)};
    ResultSet rs = conn.query(QStringLiteral("SELECT ") + k.item + QStringLiteral(", ") + sumColumn(miles) +
                              fromWhere(k, kind, user) + QStringLiteral("GROUP BY ") + k.item);
    for (; !rs.eof(); rs.moveNext())
        table.rows << ChartTable::Row{rs.field(0), {rs.value(1).toDouble()}};
    return table;
}

QStringList readLines(Connection& conn, const Kind& k, const QString& kind, const QString& user, bool miles) {
    QStringList out;
    out << CLibrary::FormatString(k.header, 30) +
               CLibrary::FormatString(QStringLiteral("TYPE"), k.typeWidth) +
               CLibrary::FormatString(QStringLiteral("PRICE"), 10) +
               CLibrary::FormatString(QStringLiteral("PURCHASED"), 12) +
               (miles ? QStringLiteral("MILES") : QStringLiteral("KM"));
    out << QString(75, QLatin1Char('-'));
    ResultSet rs =
        conn.query(QStringLiteral("SELECT ") + k.item + QStringLiteral(", ") + k.typeColumn +
                   QStringLiteral(", Price, Format(Purchase_Date, 'dd-mmm-yy') AS pDate, ") +
                   sumColumn(miles) + fromWhere(k, kind, user) + QStringLiteral("GROUP BY ") + k.item +
                   QStringLiteral(", ") + k.typeColumn + QStringLiteral(", Price, Purchase_Date"));
    const QString distance = sumField(miles);
    for (; !rs.eof(); rs.moveNext())
        out << CLibrary::FormatString(rs.field(0), 30) + CLibrary::FormatString(rs.field(1), k.typeWidth) +
                   CLibrary::FormatString(rs.field(QStringLiteral("Price")), 10) +
                   CLibrary::FormatString(rs.field(QStringLiteral("pDate")), 12) + rs.field(distance);
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
    const Kind k = kindOf(kind);
    Transaction read(conn, Transaction::Mode::Read);
    QStringList out = readLines(conn, k, kind, user, miles);
    read.commit();
    return out;
}

ChartTable chart(Connection& conn, const QString& user, const QString& kind, bool miles) {
    const Kind k = kindOf(kind);
    Transaction read(conn, Transaction::Mode::Read);
    ChartTable out = readChart(conn, k, kind, user, miles);
    read.commit();
    return out;
}

} // namespace EquipmentUsage
