#pragma once

// The small running diary the exported reports are worked out from, the expected files, and
// GPS tracks to import.
#include "Connection.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

// Ann's three runs on the shoe Racer: a comment with quotes, a course with a comma, a name
// with an accent.
inline void seedRuns(Connection& c) {
    c.execute("INSERT INTO Users (User_Name) VALUES ('Ann')");
    c.execute("INSERT INTO Running_Shoes (Shoe, Shoe_Type, Price, Active, User_Name, Purchase_Date) "
              "VALUES ('Racer', 'Flat', 89.5, 1, 'Ann', '2026-01-15')");
    const QVariantList runs[] = {{"2026-03-03", "Tuesday", "40:00", "Said \"easy\"", 5, 8, "Park, east loop"},
                                 {"2026-03-10", "Tuesday", "25:00", "", 2.5, 4, "Track"},
                                 {"2026-04-01", "Wednesday", "1:20:00", "", 10, 16.1, "R\u00edo"}};
    for (const QVariantList& r : runs) {
        c.execute("INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
                  "User_Name, Comments) VALUES ('Running', ?, ?, ?, 'Ann', ?)",
                  r.mid(0, 4));
        c.execute(
            "INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Course, Shoes) VALUES (?, ?, ?, ?, "
            "'Racer')",
            {c.lastInsertId(), r[4], r[5], r[6]});
    }
}

// A GPX track along the equator: `points` points `step` degrees of longitude apart
// (0.05 degrees = 5559.75 m), `secondsApart` seconds apart, from `start`.
inline QByteArray gpxTrack(const QString& start, int points, double step, int secondsApart,
                           const QString& name = "River", const QString& type = "running") {
    QDateTime t = QDateTime::fromString(start, Qt::ISODate);
    QByteArray xml = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" "
                     "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<metadata><name>ignored</name>"
                     "<time>2020-01-01T00:00:00Z</time></metadata>\n<trk>";
    if (!name.isEmpty())
        xml += "<name>" + name.toUtf8() + "</name>";
    if (!type.isEmpty())
        xml += "<type>" + type.toUtf8() + "</type>";
    xml += "<trkseg>\n";
    for (int i = 0; i < points; ++i) {
        const QString time = start.endsWith('Z') || start.size() <= 19
                                 ? t.addSecs(qint64(i) * secondsApart).toUTC().toString(Qt::ISODate)
                                 : t.addSecs(qint64(i) * secondsApart).toString(Qt::ISODate);
        xml += QStringLiteral("<trkpt lat=\"0\" lon=\"%1\"><ele>3</ele><time>%2</time></trkpt>\n")
                   .arg(i * step, 0, 'f', 6)
                   .arg(time)
                   .toUtf8();
    }
    return xml + "</trkseg></trk>\n</gpx>\n";
}

// An expected file of tests/exchange/expected, byte for byte.
inline QByteArray expected(const char* name) {
    QFile f(QStringLiteral(EXCHANGE_EXPECTED "/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}
