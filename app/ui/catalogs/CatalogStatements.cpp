#include "CatalogStatements.h"

#include "CLibrary.h"
#include "DbError.h"
#include "NumberText.h"

#include <cmath>

#include <QRegularExpression>

namespace CatalogStatements {

namespace {

QString q(const QString& text) {
    return CLibrary::Quote(text);
}

// "1,234.50" as the currency display writes it; plain typed numbers never match.
bool isGrouped(const QString& text) {
    static const QRegularExpression grouped(QStringLiteral("^[+-]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    return grouped.match(text).hasMatch();
}

QString withoutGrouping(const QString& text) {
    QString plain = stripCurrency(text);
    if (isGrouped(plain))
        plain.remove(QLatin1Char(','));
    return plain;
}

QString withThousands(const QString& fixed) {
    const bool negative = fixed.startsWith(QLatin1Char('-'));
    QString digits = negative ? fixed.mid(1) : fixed;
    const qsizetype dot = digits.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? digits : digits.left(dot);
    const QString rest = dot < 0 ? QString() : digits.mid(dot);
    for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QLatin1Char(','));
    return (negative ? QStringLiteral("-") : QString()) + whole + rest;
}

} // namespace

const Equipment Shoes{QStringLiteral("Running_Shoes"), QStringLiteral("Shoe"), QStringLiteral("Shoe_Type"),
                      QStringLiteral("ORDER BY Shoes_ID DESC")};
const Equipment Bikes{QStringLiteral("Bikes"), QStringLiteral("Bike"), QStringLiteral("Bike_Type"),
                      QString()};
const Equipment Videos{QStringLiteral("Videos"), QStringLiteral("Video"), QStringLiteral("Video_Type"),
                       QString()};

QString stripCurrency(const QString& typed) {
    QString text = typed.trimmed();
    // Only a leading sign is the currency sign; a "$" elsewhere is not part of a price,
    // and dropping some other character instead would change the number.
    if (text.startsWith(QLatin1Char('$')))
        text = text.mid(1).trimmed();
    return text;
}

QString displayPrice(const QString& typed, bool currency) {
    const QString plain = withoutGrouping(typed);
    const auto value = NumberText::parse(plain);
    if (!value)
        return stripCurrency(typed);
    const QString fixed = NumberText::fixed(*value, 2);
    return currency ? QStringLiteral("$") + withThousands(fixed) : fixed;
}

QString priceNumber(const QString& typed) {
    return CLibrary::Number(withoutGrouping(typed));
}

QString insertPurchased(const Equipment& e, const QString& name, const QString& type, const QString& price,
                        bool active, const QString& user, const QString& date,
                        std::optional<double> retireMiles) {
    const QString retire = retireMiles ? NumberText::general(*retireMiles) : QStringLiteral("NULL");
    return QStringLiteral(
               "INSERT INTO %1 (%2, %3, Price, Active, User_Name, Purchase_Date, Retire_Distance) ")
               .arg(e.table, e.nameColumn, e.typeColumn) +
           QStringLiteral("VALUES (") + q(name) + QStringLiteral(", ") + q(type) + QStringLiteral(", ") +
           q(priceNumber(price)) + QStringLiteral(", ") +
           (active ? QStringLiteral("1") : QStringLiteral("0")) + QStringLiteral(", ") + q(user) +
           QStringLiteral(", ") + q(date) + QStringLiteral(", ") + retire + QStringLiteral(")");
}

std::optional<double> retireMiles(const QString& typed, bool miles) {
    if (typed.trimmed().isEmpty())
        return std::nullopt;
    const auto value = NumberText::parse(typed);
    if (!value || !std::isfinite(*value) || *value <= 0)
        throw DbError(QStringLiteral("Type mismatch"));
    const double stored = miles ? *value : *value / CLibrary::KilometersPerMile;
    if (!std::isfinite(stored) || stored <= 0)
        throw DbError(QStringLiteral("Type mismatch"));
    return stored;
}

QString retireText(const QVariant& storedMiles, bool miles) {
    if (!storedMiles.isValid() || storedMiles.isNull())
        return QString();
    bool ok = false;
    const double value = storedMiles.toDouble(&ok);
    if (!ok)
        return QString();
    const double shown = miles ? value : value * CLibrary::KilometersPerMile;
    return NumberText::general(std::round(shown * 10) / 10);
}

QVariant retireParameter(std::optional<double> retireMiles) {
    return retireMiles ? QVariant(*retireMiles) : QVariant();
}

QString insertVideo(const QString& name, const QString& type, const QString& length, bool active,
                    const QString& user) {
    return QStringLiteral("INSERT INTO Videos (Video, Video_Type, Length, Active, User_Name) ") +
           QStringLiteral("VALUES (") + q(name) + QStringLiteral(", ") + q(type) + QStringLiteral(", ") +
           q(length) + QStringLiteral(", ") + (active ? QStringLiteral("1") : QStringLiteral("0")) +
           QStringLiteral(", ") + q(user) + QStringLiteral(")");
}

QString listItems(const Equipment& e) {
    return QStringLiteral("SELECT %1 FROM %2 WHERE User_Name = ? %3").arg(e.nameColumn, e.table, e.listOrder);
}

QString activeItems(const Equipment& e) {
    return QStringLiteral("SELECT %1 FROM %2 WHERE Active = True AND User_Name = ? %3")
        .arg(e.nameColumn, e.table, e.listOrder);
}

QString selectActive(const Equipment& e) {
    return QStringLiteral("SELECT Active FROM %1 WHERE User_Name = ? AND %2 = ?").arg(e.table, e.nameColumn);
}

QString selectActiveAndRetire(const Equipment& e) {
    return QStringLiteral("SELECT Active, Retire_Distance FROM %1 WHERE User_Name = ? AND %2 = ?")
        .arg(e.table, e.nameColumn);
}

QString updateActiveAndRetire(const Equipment& e) {
    return QStringLiteral("UPDATE %1 SET Active = ?, Retire_Distance = ? WHERE %2 = ? AND User_Name = ?")
        .arg(e.table, e.nameColumn);
}

QString selectVideoLength() {
    return QStringLiteral("SELECT Length FROM Videos WHERE User_Name = ? AND Video = ?");
}

QString updateActive(const Equipment& e) {
    return QStringLiteral("UPDATE %1 SET Active = ? WHERE %2 = ? AND User_Name = ?")
        .arg(e.table, e.nameColumn);
}

QString listVideoTypes() {
    return QStringLiteral("SELECT Video_Type FROM Video_Types ") + QStringLiteral("ORDER BY Video_Type");
}

int countCaptions(const QString& c1, const QString& c2, const QString& c3) {
    return int(!c1.isEmpty()) + int(!c2.isEmpty()) + int(!c3.isEmpty());
}

QString insertExercise(const QString& name, const QString& c1, const QString& c2, const QString& c3,
                       const QString& user) {
    return QStringLiteral("INSERT INTO Other_Setup (Exercise_Name, Num_Fields, ") +
           QStringLiteral("Field1, Field2, Field3, User_Name) ") + QStringLiteral("VALUES (") + q(name) +
           QStringLiteral(", ") + QString::number(countCaptions(c1, c2, c3)) + QStringLiteral(", ") + q(c1) +
           QStringLiteral(", ") + q(c2) + QStringLiteral(", ") + q(c3) + QStringLiteral(", ") + q(user) +
           QStringLiteral(")");
}

QString listExercises() {
    return QStringLiteral("SELECT Exercise_Name FROM Other_Setup WHERE User_Name = ?");
}

QString selectCaptions() {
    return QStringLiteral("SELECT Num_Fields, Field1, Field2, Field3 FROM Other_Setup ") +
           QStringLiteral("WHERE User_Name = ? AND Exercise_Name = ?");
}

QString updateExercise(const QString& c1, const QString& c2, const QString& c3) {
    return QStringLiteral("UPDATE Other_Setup SET Field1 = ") + q(c1) + QStringLiteral(", ") +
           QStringLiteral("Field2 = ") + q(c2) + QStringLiteral(", Field3 = ") + q(c3) +
           QStringLiteral(", ") + QStringLiteral("Num_Fields = ") +
           QString::number(countCaptions(c1, c2, c3)) + QStringLiteral(" ") +
           QStringLiteral("WHERE Exercise_Name = ? AND User_Name = ?");
}

QString insertRaceType(const QString& kind, const QString& raceType, const QString& miles,
                       const QString& user) {
    return QStringLiteral("INSERT INTO RaceTypes ") +
           QStringLiteral("(Exercise, RaceType, RaceDistance, User_Name) ") + QStringLiteral("VALUES ") +
           QStringLiteral("(") + q(kind) + QStringLiteral(", ") + q(raceType) + QStringLiteral(", ") +
           CLibrary::Number(miles) + QStringLiteral(", ") + q(user) + QStringLiteral(")");
}

QString insertVideoType(const QString& videoType) {
    return QStringLiteral("INSERT INTO Video_Types (Video_Type) ") + QStringLiteral("VALUES (") +
           q(videoType) + QStringLiteral(")");
}

QString listRaceTypes() {
    return QStringLiteral("SELECT RaceType FROM RaceTypes WHERE Exercise = ? AND User_Name = ?");
}

QString selectRaceDistance() {
    return QStringLiteral(
        "SELECT RaceDistance FROM RaceTypes WHERE Exercise = ? AND RaceType = ? AND User_Name = ?");
}

} // namespace CatalogStatements
