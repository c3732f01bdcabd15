#pragma once

#include <QDate>
#include <QString>
#include <vector>

class Connection;

// Training load from heart rate: each workout's TRIMP, summed per day, and the fitness (chronic
// load), fatigue (acute load) and form that follow from the daily loads.
namespace TrainingLoad {

// The time constants of fitness and fatigue, in days.
constexpr double FitnessDays = 42;
constexpr double FatigueDays = 7;

// The TRIMP of a workout: minutes x r x 0.64 x e^(1.92 r), where r = (average - rest) / (max -
// rest), limited to 0..1.
double trimp(double minutes, double averageBpm, int rest, int max);

struct Day {
    QDate date;
    double load = 0;    // the day's TRIMP, all workouts of any kind
    double fitness = 0; // after the day's load
    double fatigue = 0; // after the day's load
    double form = 0;    // fitness minus fatigue of the day before: the form brought into the day
};

// A workout's day and load (0 for one without heart rate).
struct Workout {
    QDate date;
    double load = 0;
};

// The days `from` to `to`. Fitness and fatigue are 0 on the day before `first` (the first
// workout's day) and follow X(d) = X(d-1) + (Load(d) - X(d-1)) x (1 - e^(-1/T)) every day after.
// `workouts` may come in any order; those after `to` are ignored.
std::vector<Day> series(const std::vector<Workout>& workouts, const QDate& first, const QDate& from,
                        const QDate& to);

struct Range {
    std::vector<Day> days;
    int withoutHeartRate = 0; // workouts in the range that add no load for want of heart rate
};

// The user's days from `from` (when invalid: the first workout's day) to `to`, from the kept
// average heart rates (HeartRate::keep); empty when the user has no workout and no `from`.
// Reads inside one read transaction. Throws DbError, also for a user without both a maximum and a
// resting heart rate.
Range read(Connection& conn, const QString& user, const QDate& from, const QDate& to);

// `Date\tLoad\tFitness\tFatigue\tForm`: the ISO date and values with one decimal.
QString line(const Day& day);

} // namespace TrainingLoad
