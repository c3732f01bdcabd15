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

// Miles in the unit shown.
double shown(double miles, bool inMiles) {
    return inMiles ? miles : miles * CLibrary::KilometersPerMile;
}

QString limitText(double limit) {
    return NumberText::general(std::round(limit * 10) / 10);
}

bool reached(double done, double limit, double share) {
    return done >= limit * share - Slack;
}

} // namespace

Wear read(Connection& conn, Gear gear, const QString& user, const QString& item) {
    const WorkoutKinds::Kind& kind = *WorkoutKinds::withGear(gear);
    const WorkoutKinds::GearCatalog& catalog = *kind.gearCatalog();
    const QString limitSql = QStringLiteral("SELECT Retire_Distance FROM %1 WHERE User_Name = ? AND %2 = ?")
                                 .arg(QLatin1String(catalog.table), QLatin1String(catalog.itemColumn));
    const QString doneSql =
        QStringLiteral("SELECT Sum(Miles) AS Done FROM %1, Exercise_Master "
                       "WHERE %2 = Exercise_ID AND Exercise_Master.User_Name = ? AND %3 = ?")
            .arg(QLatin1String(kind.table->name), QLatin1String(kind.table->key),
                 QLatin1String(catalog.logColumn));
    Wear wear;
    Transaction t(conn, Transaction::Mode::Read);
    {
        ResultSet rs = conn.query(limitSql, {user, item});
        if (!rs.eof()) {
            const QVariant v = rs.value(0);
            if (v.isValid() && !v.isNull() && v.toDouble() > 0)
                wear.limit = v.toDouble();
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
    const QString done = NumberText::fixed(shown(wear.done, miles), 1);
    if (!wear.limit)
        return QStringLiteral("Done: %1 %2").arg(done, unitWord(miles));
    return QStringLiteral("Done: %1 of %2 %3 (%4%)")
        .arg(done, limitText(shown(*wear.limit, miles)), unitWord(miles))
        .arg(percentUsed(wear.done, *wear.limit));
}

QString statusMessage(Gear gear, const Wear& wear, bool miles) {
    if (!wear.limit || !reached(wear.done, *wear.limit, 0.9))
        return QString();
    const double limit = *wear.limit;
    const bool shoes = gear == Gear::Shoes;
    QString text = (shoes ? QStringLiteral("These shoes have now done %1 of their %2 %3 (%4%)")
                          : QStringLiteral("This bike has now done %1 of its %2 %3 (%4%)"))
                       .arg(NumberText::fixed(shown(wear.done, miles), 1), limitText(shown(limit, miles)),
                            unitWord(miles))
                       .arg(percentUsed(wear.done, limit));
    if (reached(wear.done, limit, 1.0))
        text += shoes ? QStringLiteral(": time to retire them.") : QStringLiteral(": time to retire it.");
    else
        text += QLatin1Char('.');
    return text;
}

QString crossingMessage(Gear gear, const Wear& before, const Wear& after, bool miles) {
    if (!after.limit)
        return QString();
    const double limit = *after.limit;
    const bool full = reached(after.done, limit, 1.0) && !reached(before.done, limit, 1.0);
    const bool nearly = reached(after.done, limit, 0.9) && !reached(before.done, limit, 0.9);
    return full || nearly ? statusMessage(gear, after, miles) : QString();
}

} // namespace GearWear
