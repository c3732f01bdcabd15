#pragma once

#include "CLibrary.h"
#include "ChartControl.h"
#include "ChartTable.h"
#include "Clock.h"
#include "GuiFixture.h"

// Workouts of every kind written straight into the test database.
class DiaryData : public GuiFixture {
  protected:
    // What a chart control shows, in the text form of a chart table.
    static QString chartText(const ChartControl* chart) {
        ChartTable t{chart->title(), {}, {}};
        for (int s = 1; s <= chart->seriesCount(); ++s)
            t.seriesLabels << chart->seriesLabel(s);
        for (int r = 0; r < chart->rowLabels().size(); ++r) {
            t.rows << ChartTable::Row{chart->rowLabels().at(r), {}};
            for (int s = 1; s <= chart->seriesCount(); ++s)
                t.rows.last().values << chart->seriesValues(s).value(r);
        }
        return t.text();
    }
    void master(int id, const char* type, const char* date, const char* time, const QString& user) {
        exec(QStringLiteral(
                 "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
                 "Exercise_Time, User_Name) VALUES (%1, '%2', '%3', 'Day', '%4', %5)")
                 .arg(id)
                 .arg(QLatin1String(type), QLatin1String(date), QLatin1String(time), CLibrary::Quote(user)));
    }
    // A run or a ride.
    void distance(const char* kind, int id, const char* date, double miles, double km, const char* time,
                  const QString& user) {
        master(id, kind, date, time, user);
        const bool run = QLatin1String(kind) == QLatin1String("Running");
        exec(QStringLiteral("INSERT INTO %1 (%2, Miles, Kilometers) VALUES (%3, %4, %5)")
                 .arg(run ? "Running_Log" : "Cycling_Log", run ? "Running_ID" : "Cycling_ID")
                 .arg(id)
                 .arg(miles)
                 .arg(km));
    }
    void run(int id, const char* date, double miles, double km, const char* time,
             const QString& user = "Ann") {
        distance("Running", id, date, miles, km, time, user);
    }
    void ride(int id, const char* date, double miles, double km, const char* time,
              const QString& user = "Ann") {
        distance("Cycling", id, date, miles, km, time, user);
    }
    void swim(int id, const char* date, double laps, const char* time, const QString& user = "Ann") {
        master(id, "Swimming", date, time, user);
        exec(
            QStringLiteral("INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (%1, %2)").arg(id).arg(laps));
    }
    void video(int id, const char* date, const char* name, const char* time, const QString& user = "Ann") {
        master(id, "Video", date, time, user);
        exec(QStringLiteral("INSERT INTO Video_Log (Video_ID, Video) VALUES (%1, %2)")
                 .arg(id)
                 .arg(name ? CLibrary::Quote(QString::fromUtf8(name)) : QStringLiteral("NULL")));
    }
    void other(int id, const char* date, const char* name, const char* field1, const char* time,
               const QString& user = "Ann") {
        master(id, "Other", date, time, user);
        exec(QStringLiteral("INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (%1, %2, %3)")
                 .arg(id)
                 .arg(CLibrary::Quote(QString::fromUtf8(name)),
                      field1 ? CLibrary::Quote(QString::fromUtf8(field1)) : QStringLiteral("NULL")));
    }
};

// ann's diary (today is 1 April 2026):
//   run   2025-03-05 30:00   3 mi  4.8 km
//   run   2025-03-20 1:00:00 6 mi  9.7 km
//   run   2025-05-02 20:00   0 mi  0 km     (treadmill, no distance)
//   video 2025-05-02 30:00
//   run   2026-01-10 45:00   5 mi  8 km
//   other 2026-01-10 15:00
//   run   2026-03-01 40:00   4 mi  6.4 km
//   ride  2026-03-15 1:30:00 30 mi 48.3 km
//   swim  2026-03-15 45:00
//   ride  2026-03-16 0:00    10 mi 16.1 km  (no time)
//   run   2026-03-31 24:00   3 mi  4.8 km
// bob has one run in March 2026 that must never show in ann's charts.
class GraphData : public DiaryData {
  protected:
    void SetUp() override {
        DiaryData::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 4, 1), QTime(12, 0)));
        run(1, "3/5/2025", 3, 4.8, "30:00", "ann");
        run(2, "3/20/2025", 6, 9.7, "1:00:00", "ann");
        run(3, "5/2/2025", 0, 0, "20:00", "ann");
        video(4, "5/2/2025", "Abs", "30:00", "ann");
        run(5, "1/10/2026", 5, 8, "45:00", "ann");
        other(6, "1/10/2026", "Weights", nullptr, "15:00", "ann");
        run(7, "3/1/2026", 4, 6.4, "40:00", "ann");
        ride(8, "3/15/2026", 30, 48.3, "1:30:00", "ann");
        swim(9, "3/15/2026", 40, "45:00", "ann");
        ride(10, "3/16/2026", 10, 16.1, "0:00", "ann");
        run(11, "3/31/2026", 3, 4.8, "24:00", "ann");
        run(12, "3/2/2026", 10, 16.1, "2:00:00", "bob");
    }
};
