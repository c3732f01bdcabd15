#include "WorkoutKinds.h"

namespace WorkoutKinds {

QString Kind::distanceColumn(bool miles) const {
    switch (unit) {
    case Unit::None:
        return QString();
    case Unit::Laps:
        return QStringLiteral("Laps");
    case Unit::Miles:
        break;
    }
    if (isRace())
        return miles ? QStringLiteral("RaceDistance") : QStringLiteral("RaceDistanceKM");
    return miles ? QStringLiteral("Miles") : QStringLiteral("Kilometers");
}

QString Kind::dateColumn() const {
    return isRace() ? QStringLiteral("RaceDate") : QStringLiteral("Exercise_Date");
}

const GearCatalog* Kind::gearCatalog() const {
    switch (gear) {
    case Gear::Shoes:
        return &Shoes;
    case Gear::Bike:
        return &Bikes;
    case Gear::None:
        break;
    }
    return nullptr;
}

const Kind* findWorkout(QStringView name, Qt::CaseSensitivity cs) {
    for (const Kind* kind : Workouts)
        if (name.compare(QLatin1String(kind->name), cs) == 0)
            return kind;
    return nullptr;
}

const Kind* find(QStringView name) {
    if (const Kind* kind = findWorkout(name))
        return kind;
    for (const Kind* kind : Races)
        if (name == QLatin1String(kind->name))
            return kind;
    return nullptr;
}

const Kind* withGear(Gear gear) {
    for (const Kind* kind : Workouts)
        if (gear != Gear::None && kind->gear == gear)
            return kind;
    return nullptr;
}

const Kind* ofSport(const QString& sport) {
    // Words a sport's name holds, per kind, as the devices and services write them.
    static const struct {
        const Kind* kind;
        std::array<const char*, 3> words;
    } sports[] = {
        {&Running, {"run", "jog", nullptr}},
        {&Cycling, {"bik", "cycl", "ride"}},
        {&Swimming, {"swim", nullptr, nullptr}},
    };
    const QString s = sport.toLower();
    for (const auto& [kind, words] : sports)
        for (const char* word : words)
            if (word && s.contains(QLatin1String(word)))
                return kind;
    return nullptr;
}

} // namespace WorkoutKinds
