#pragma once

#include "CLibrary.h"
#include "ChartControl.h"
#include "ChartTable.h"
#include "Clock.h"
#include "GraphTables.h"
#include "GuiFixture.h"
#include "SqlScript.h"

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

// The diary of graphs/diary.sql (ann's workouts of 2025 and 2026, one run of bob's), today
// being 1 April 2026.
class GraphData : public DiaryData {
  protected:
    void SetUp() override {
        DiaryData::SetUp();
        Clock::setFixed(QDateTime(QDate(2026, 4, 1), QTime(12, 0)));
        for (const QString& statement :
             sqlStatements(QStringLiteral(TRAINBOOK_TESTS_DIR "/graphs/diary.sql")))
            exec(statement);
    }
    // A selection of the graph windows' filters; `month` is the one month of the filter.
    static GraphTables::Selection sel(GraphTables::Filter filter, const QString& month = {},
                                      const QString& end = {}) {
        using GraphTables::Filter;
        GraphTables::Selection s;
        s.filter = filter;
        if (filter == Filter::DateRange)
            s.beginMonth = month, s.endMonth = end;
        else if (filter == Filter::SingleMonth)
            s.singleMonth = month;
        else if (filter == Filter::CompareMonths)
            s.compareMonth = month;
        return s;
    }
};
