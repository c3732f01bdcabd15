// Every name the workout kinds give (tables, keys, columns, gear catalogs) is one the schema
// has: a misspelt one would only fail when a report or chart of that kind is made.
#include "DataSupport.h"
#include "WorkoutKinds.h"

namespace {

using WorkoutKinds::Kind;

class KindNames : public NewDatabase, public ::testing::WithParamInterface<const Kind*> {
  protected:
    // Whether `table` has `column` (any case, as SQL reads names).
    bool has(const QString& table, const QString& column) {
        return one(QStringLiteral(
                       "SELECT count(*) FROM pragma_table_info('%1') WHERE name = '%2' COLLATE NOCASE")
                       .arg(table, column)) == QLatin1String("1");
    }
};

TEST_P(KindNames, AreColumnsOfTheSchema) {
    const Kind& k = *GetParam();
    const QString table = QLatin1String(k.table->name);
    // A workout's fields are in its detail row or its master row; a race's in its RaceLog row.
    const auto ofWorkout = [&](const QString& column) {
        return has(table, column) || (!k.isRace() && has(QStringLiteral("Exercise_Master"), column));
    };
    EXPECT_TRUE(has(table, QLatin1String(k.table->key))) << k.name;
    EXPECT_TRUE(ofWorkout(k.dateColumn())) << k.name;
    EXPECT_TRUE(ofWorkout(QLatin1String(k.nameColumn))) << k.name;
    for (const bool miles : {true, false})
        EXPECT_TRUE(k.distanceColumn(miles).isEmpty() || ofWorkout(k.distanceColumn(miles))) << k.name;
    EXPECT_TRUE(k.listTable ? has(QLatin1String(k.listTable), QLatin1String(k.listColumn))
                            : ofWorkout(QLatin1String(k.listColumn)))
        << k.name;
    EXPECT_TRUE(!k.detailColumn || ofWorkout(QLatin1String(k.detailColumn))) << k.name;
    if (const WorkoutKinds::GearCatalog* gear = k.gearCatalog()) {
        for (const char* column : {gear->itemColumn, gear->typeColumn, "Retire_Distance", "Active"})
            EXPECT_TRUE(has(QLatin1String(gear->table), QLatin1String(column))) << k.name << " " << column;
        EXPECT_TRUE(has(table, QLatin1String(gear->logColumn))) << k.name;
        EXPECT_EQ(WorkoutKinds::withGear(k.gear), &k);
    }
    EXPECT_EQ(WorkoutKinds::find(k.nameText()), &k);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindNames,
                         ::testing::Values(&WorkoutKinds::Running, &WorkoutKinds::Cycling,
                                           &WorkoutKinds::Swimming, &WorkoutKinds::Video,
                                           &WorkoutKinds::Other, &WorkoutKinds::RunningRace,
                                           &WorkoutKinds::CyclingRace, &WorkoutKinds::SwimmingRace),
                         [](const auto& info) { return std::string(info.param->name); });

} // namespace
