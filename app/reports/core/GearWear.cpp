#include "GearWear.h"

#include "CLibrary.h"
#include "Connection.h"
#include "NumberText.h"
#include "Transaction.h"

#include <cmath>

namespace GearWear {

namespace {

// Sums of decimals read back from the database are not exact; a threshold counts as reached
// within this much.
constexpr double Slack = 1e-9;

QString unitWord(bool miles) {
    return miles ? QStringLiteral("miles") : QStringLiteral("km");
}

QString limitText(double limit) {
    return NumberText::general(std::round(limit * 10) / 10);
}

bool reached(double done, double limit, double share) {
    return done >= limit * share - Slack;
}

} // namespace

Wear read(Connection& conn, Gear gear, const QString& user, const QString& item, bool miles) {
    const bool shoes = gear == Gear::Shoes;
    const QString limitSql = shoes ? QStringLiteral("SELECT Retire_Distance FROM Running_Shoes "
                                                    "WHERE User_Name = ? AND Shoe = ?")
                                   : QStringLiteral("SELECT Retire_Distance FROM Bikes "
                                                    "WHERE User_Name = ? AND Bike = ?");
    const QString distance = miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
    const QString doneSql =
        shoes
            ? QStringLiteral("SELECT Sum(%1) AS Done FROM Running_Log, Exercise_Master "
                             "WHERE Running_ID = Exercise_ID AND Exercise_Master.User_Name = ? AND Shoes = ?")
                  .arg(distance)
            : QStringLiteral("SELECT Sum(%1) AS Done FROM Cycling_Log, Exercise_Master "
                             "WHERE Cycling_ID = Exercise_ID AND Exercise_Master.User_Name = ? AND Bike = ?")
                  .arg(distance);
    Wear wear;
    Transaction t(conn, Transaction::Mode::Read);
    {
        ResultSet rs = conn.query(limitSql, {user, item});
        if (!rs.eof()) {
            const QVariant v = rs.value(0);
            if (v.isValid() && !v.isNull() && v.toDouble() > 0)
                wear.limit = miles ? v.toDouble() : v.toDouble() * CLibrary::KilometersPerMile;
        }
    }
    {
        ResultSet rs = conn.query(doneSql, {user, item});
        if (!rs.eof())
            wear.done = rs.value(0).toDouble(); // NULL (no workout) reads as 0
    }
    t.commit();
    return wear;
}

int percentUsed(double done, double limit) {
    if (!(limit > 0) || !std::isfinite(done))
        return 0;
    return int(std::floor(done / limit * 100 + Slack * 100));
}

QString label(const Wear& wear, bool miles) {
    const QString done = NumberText::fixed(wear.done, 1);
    if (!wear.limit)
        return QStringLiteral("Done: %1 %2").arg(done, unitWord(miles));
    return QStringLiteral("Done: %1 of %2 %3 (%4%)")
        .arg(done, limitText(*wear.limit), unitWord(miles))
        .arg(percentUsed(wear.done, *wear.limit));
}

QString crossingMessage(Gear gear, const Wear& before, const Wear& after, bool miles) {
    if (!after.limit)
        return QString();
    const double limit = *after.limit;
    const bool full = reached(after.done, limit, 1.0) && !reached(before.done, limit, 1.0);
    const bool nearly = reached(after.done, limit, 0.9) && !reached(before.done, limit, 0.9);
    if (!full && !nearly)
        return QString();
    const bool shoes = gear == Gear::Shoes;
    QString text = (shoes ? QStringLiteral("These shoes have now done %1 of their %2 %3 (%4%)")
                          : QStringLiteral("This bike has now done %1 of its %2 %3 (%4%)"))
                       .arg(NumberText::fixed(after.done, 1), limitText(limit), unitWord(miles))
                       .arg(percentUsed(after.done, limit));
    if (full)
        text += shoes ? QStringLiteral(": time to retire them.") : QStringLiteral(": time to retire it.");
    else
        text += QLatin1Char('.');
    return text;
}

} // namespace GearWear
