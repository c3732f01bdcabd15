#pragma once

// Workouts of every kind written straight into the test database, for the calendar tests.

#include "GuiFixture.h"

class CalendarData : public GuiFixture {
  protected:
    void master(int id, const char* type, const char* date, const char* time, const char* user = "Ann") {
        exec(QStringLiteral(
                 "INSERT INTO Exercise_Master (Exercise_ID, Exercise_Type, Exercise_Date, Exercise_Day, "
                 "Exercise_Time, User_Name) VALUES (%1, '%2', '%3', 'Day', '%4', %5)")
                 .arg(id)
                 .arg(QLatin1String(type), QLatin1String(date), QLatin1String(time),
                      QStringLiteral("'%1'").arg(QString::fromUtf8(user).replace("'", "''"))));
    }
    void run(int id, const char* date, double miles, double km, const char* time, const char* user = "Ann") {
        master(id, "Running", date, time, user);
        exec(QStringLiteral("INSERT INTO Running_Log (Running_ID, Miles, Kilometers) VALUES (%1, %2, %3)")
                 .arg(id)
                 .arg(miles)
                 .arg(km));
    }
    void ride(int id, const char* date, double miles, double km, const char* time) {
        master(id, "Cycling", date, time);
        exec(QStringLiteral("INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers) VALUES (%1, %2, %3)")
                 .arg(id)
                 .arg(miles)
                 .arg(km));
    }
    void swim(int id, const char* date, double laps, const char* time) {
        master(id, "Swimming", date, time);
        exec(
            QStringLiteral("INSERT INTO Swimming_Log (Swimming_ID, Laps) VALUES (%1, %2)").arg(id).arg(laps));
    }
    void video(int id, const char* date, const char* name, const char* time) {
        master(id, "Video", date, time);
        exec(QStringLiteral("INSERT INTO Video_Log (Video_ID, Video) VALUES (%1, %2)")
                 .arg(id)
                 .arg(name ? QStringLiteral("'%1'").arg(QLatin1String(name)) : QStringLiteral("NULL")));
    }
    void other(int id, const char* date, const char* name, const char* field1, const char* time) {
        master(id, "Other", date, time);
        exec(QStringLiteral("INSERT INTO OtherLog (Other_ID, Exercise_Name, Field1) VALUES (%1, '%2', %3)")
                 .arg(id)
                 .arg(QLatin1String(name))
                 .arg(field1 ? QStringLiteral("'%1'").arg(QLatin1String(field1)) : QStringLiteral("NULL")));
    }
};
