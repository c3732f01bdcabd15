#pragma once

#include "GuiFixture.h"

#include "Clock.h"

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
class GraphData : public GuiFixture {
  protected:
    void SetUp() override {
        GuiFixture::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 4, 1), QTime(12, 0)));
        workout(1, "Running", "3/5/2025", "30:00", "ann", 3, 4.8);
        workout(2, "Running", "3/20/2025", "1:00:00", "ann", 6, 9.7);
        workout(3, "Running", "5/2/2025", "20:00", "ann", 0, 0);
        workout(4, "Video", "5/2/2025", "30:00", "ann");
        workout(5, "Running", "1/10/2026", "45:00", "ann", 5, 8);
        workout(6, "Other", "1/10/2026", "15:00", "ann");
        workout(7, "Running", "3/1/2026", "40:00", "ann", 4, 6.4);
        workout(8, "Cycling", "3/15/2026", "1:30:00", "ann", 30, 48.3);
        workout(9, "Swimming", "3/15/2026", "45:00", "ann");
        workout(10, "Cycling", "3/16/2026", "0:00", "ann", 10, 16.1);
        workout(11, "Running", "3/31/2026", "24:00", "ann", 3, 4.8);
        workout(12, "Running", "3/2/2026", "2:00:00", "bob", 10, 16.1);
    }
    void workout(int id, const QString& kind, const QString& date, const QString& time, const QString& user,
                 double miles = 0, double km = 0) {
        exec(QStringLiteral(
                 "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
                 "Exercise_Time, User_Name) VALUES (%1, '%2', '%3', 'x', '%4', '%5')")
                 .arg(id)
                 .arg(kind, date, time, QString(user).replace("'", "''")));
        if (kind == "Running")
            exec(QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (%1, %2, %3)")
                     .arg(id)
                     .arg(miles)
                     .arg(km));
        else if (kind == "Cycling")
            exec(QStringLiteral("INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (%1, %2, %3)")
                     .arg(id)
                     .arg(miles)
                     .arg(km));
    }
};
