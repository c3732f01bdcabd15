#pragma once

#include "Tables.h"

#include <QString>
#include <QtGlobal>
#include <array>

// Every kind of workout the diary keeps, described once: where its rows live, what it measures
// and how the reports, charts, calendar, import and logs name and show it. Whatever differs
// between the kinds is read from here instead of being decided by comparing kind names.
namespace WorkoutKinds {

// What a kind's distance is counted in.
enum class Unit {
    None,  // no distance
    Miles, // miles, or kilometres in the user's other unit
    Laps,
};

// What a kind's distance and time give.
enum class Rate { None, Pace, Speed };

// The catalog of items a kind is done with, if any.
enum class Gear { None, Shoes, Bike };

// An item catalog: the user's shoes or bikes.
struct GearCatalog {
    const char* usageKind;  // the usage report's kind: "Shoe", "Bike"
    const char* table;      // Running_Shoes, Bikes
    const char* itemColumn; // the item's name in its catalog: Shoe, Bike
    const char* typeColumn; // Shoe_Type, Bike_Type
    const char* logColumn;  // the item's name in the workout's detail row: Shoes, Bike
    // How the item a new workout takes is chosen among the user's active ones: the newest
    // pair of shoes, the first bike as the catalog lists it.
    const char* pickOrder;
};

inline constexpr GearCatalog Shoes{"Shoe",      "Running_Shoes", "Shoe",
                                   "Shoe_Type", "Shoes",         " ORDER BY Shoes_ID DESC"};
inline constexpr GearCatalog Bikes{"Bike", "Bikes", "Bike", "Bike_Type", "Bike", ""};

struct Kind {
    // The kind's name: the Exercise_Type of its workouts (of its races' Exercise for a race
    // kind), and the report kind of its reports: "Running", "RunningRace".
    const char* name;
    // The short label of the menu buttons and of the chart series: "Run", "Bike".
    const char* label;
    // Its rows: a detail table keyed by the Exercise_ID of a master row, or RaceLog for races.
    const Tables::Table* table;
    Unit unit = Unit::None;
    Rate rate = Rate::None;
    Gear gear = Gear::None;
    const char* countWord;  // the report totals' word for a number of workouts: "Runs"
    const char* listColumn; // the column the report criteria's list picks from: Course, ...
    // The table that list is read from when it is not the kind's own: the user's exercises.
    const char* listTable = nullptr;
    // The column naming a workout of the kind: its Exercise_Type, the name of the user's own
    // exercise, or a race's Exercise (its race kind).
    const char* nameColumn = "Exercise_Type";
    // The column that tells a workout without distance apart: the video, the first field.
    const char* detailColumn = nullptr;
    const char* caption; // the report window's and printout's caption
    // The calendar's colour of the workout's first line (blue * 65536 + green * 256 + red); for
    // user-defined exercises the colour of all but "Weights".
    quint32 calendarColor = 0;
    quint32 chartColor = 0; // the charts' colour of the kind's series, 0xRRGGBB; 0 for races
    // The sport a race kind is a race of; nullptr for a workout kind.
    const Kind* raceOf = nullptr;

    QString nameText() const { return QLatin1String(name); }
    bool isRace() const { return raceOf != nullptr; }
    // The column of its distance in the given unit (Miles, Kilometers, Laps, RaceDistance,
    // RaceDistanceKM); "" for a kind without distance.
    QString distanceColumn(bool miles) const;
    // The column of its date: Exercise_Date, or RaceDate for races.
    QString dateColumn() const;
    // The catalog of its gear; nullptr for a kind without.
    const GearCatalog* gearCatalog() const;
};

inline constexpr Kind Running{.name = "Running",
                              .label = "Run",
                              .table = &Tables::RunningLog,
                              .unit = Unit::Miles,
                              .rate = Rate::Pace,
                              .gear = Gear::Shoes,
                              .countWord = "Runs",
                              .listColumn = "Course",
                              .caption = "Running Report",
                              .calendarColor = 255, // red
                              .chartColor = 0xCC0000};
inline constexpr Kind Cycling{.name = "Cycling",
                              .label = "Bike",
                              .table = &Tables::CyclingLog,
                              .unit = Unit::Miles,
                              .rate = Rate::Speed,
                              .gear = Gear::Bike,
                              .countWord = "Rides",
                              .listColumn = "Course",
                              .caption = "Cycling Report",
                              .calendarColor = 16711680, // blue
                              .chartColor = 0x0000DC};
inline constexpr Kind Swimming{.name = "Swimming",
                               .label = "Swim",
                               .table = &Tables::SwimmingLog,
                               .unit = Unit::Laps,
                               .countWord = "Swims",
                               .listColumn = "Location",
                               .caption = "Swimming Report",
                               .calendarColor = 65535, // yellow
                               .chartColor = 0x8C8C00};
inline constexpr Kind Video{.name = "Video",
                            .label = "Video",
                            .table = &Tables::VideoLog,
                            .countWord = "Exercises",
                            .listColumn = "Video",
                            .detailColumn = "Video",
                            .caption = "Video Report",
                            .calendarColor = 16776960, // cyan
                            .chartColor = 0x009696};
inline constexpr Kind Other{.name = "Other",
                            .label = "Other",
                            .table = &Tables::OtherLog,
                            .countWord = "Exercises",
                            .listColumn = "Exercise_Name",
                            .listTable = "Other_Setup",
                            .nameColumn = "Exercise_Name",
                            .detailColumn = "Field1",
                            .caption = "Exercise Report",
                            .calendarColor = 0, // black
                            .chartColor = 0x008C00};
// A race kind: the races of one sport, kept in RaceLog.
constexpr Kind raceKind(const char* name, const char* label, const char* caption, const Kind* sport) {
    return Kind{.name = name,
                .label = label,
                .table = &Tables::RaceLog,
                .unit = Unit::Miles,
                .rate = Rate::Pace,
                .countWord = "Races",
                .listColumn = "RaceName",
                .nameColumn = "Exercise",
                .caption = caption,
                .raceOf = sport};
}
inline constexpr Kind RunningRace = raceKind("RunningRace", "Running Race", "Running Race Report", &Running);
inline constexpr Kind CyclingRace = raceKind("CyclingRace", "Cycling Race", "Cycling Race Report", &Cycling);
inline constexpr Kind SwimmingRace =
    raceKind("SwimmingRace", "Swimming Race", "Swimming Race Report", &Swimming);

// The five workout kinds in the order the windows list them, then the three race kinds.
inline constexpr std::array<const Kind*, 5> Workouts{&Running, &Cycling, &Swimming, &Video, &Other};
inline constexpr std::array<const Kind*, 3> Races{&RunningRace, &CyclingRace, &SwimmingRace};
// The kinds a track file's workout may be logged as.
inline constexpr std::array<const Kind*, 3> Tracked{&Running, &Cycling, &Swimming};

// The workout or race kind of this name (exact, as stored); nullptr for any other text.
const Kind* find(QStringView name);
// The workout kind of this name only (no race kind); nullptr otherwise.
const Kind* findWorkout(QStringView name, Qt::CaseSensitivity cs = Qt::CaseSensitive);
// The workout kind done with this gear (running with shoes, cycling with a bike); nullptr for
// Gear::None.
const Kind* withGear(Gear gear);
// The workout kind a track file's sport text names ("running", "Biking", "open water swim");
// nullptr for a sport the diary has no kind for.
const Kind* ofSport(const QString& sport);

} // namespace WorkoutKinds
