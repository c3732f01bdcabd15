// Importing GPS files: what a file becomes in the diary, which files fail and why, duplicates,
// and that one import is written whole or not at all.
#include "Connection.h"
#include "ExchangeData.h"
#include "GpsTrack.h"
#include "QueryRows.h"
#include "TestSupport.h"
#include "WorkoutImport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QByteArray tcxActivity(const QString& sport, const QString& start, double seconds, double meters) {
    return QStringLiteral("<?xml version=\"1.0\"?>\n<TrainingCenterDatabase "
                          "xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\">"
                          "<Activities><Activity Sport=\"%1\"><Id>%2</Id><Lap StartTime=\"%2\">"
                          "<TotalTimeSeconds>%3</TotalTimeSeconds><DistanceMeters>%4</DistanceMeters>"
                          "<Track><Trackpoint><Time>%2</Time><DistanceMeters>0</DistanceMeters></Trackpoint>"
                          "</Track></Lap></Activity></Activities></TrainingCenterDatabase>\n")
        .arg(sport, start)
        .arg(seconds)
        .arg(meters)
        .toUtf8();
}

class Import : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        db = dir.filePath("Trainbook.db");
        Connection::create(db);
        conn = Connection::open(db);
        conn->execute("INSERT INTO Users (User_Name) VALUES ('Ann')");
        options.user = "Ann";
        options.zone = QTimeZone::utc();
    }

    QString file(const QString& name, const QByteArray& bytes) {
        const QString p = dir.filePath(name);
        QFile f(p);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return p;
    }

    // Every imported workout as "type|date|day|time|comments|detail..." in identifier order.
    QStringList rows() {
        return queryRows(
            *conn,
            "SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, User_Name, Comments, "
            "Running_Log.Miles AS RM, Running_Log.Kilometers AS RK, Running_Log.Course AS RC, Shoes, "
            "Cycling_Log.Miles AS CM, Cycling_Log.Kilometers AS CK, Cycling_Log.Course AS CC, Bike, "
            "Calories_Burned, Laps, Location "
            "FROM Exercise_Master LEFT JOIN Running_Log ON Running_ID = Exercise_ID "
            "LEFT JOIN Cycling_Log ON Cycling_ID = Exercise_ID LEFT JOIN Swimming_Log ON Swimming_ID = "
            "Exercise_ID "
            "ORDER BY Exercise_ID",
            QLatin1Char('|'), true);
    }

    QTemporaryDir dir;
    QString db;
    std::unique_ptr<Connection> conn;
    WorkoutImport::Options options;
};

struct WrittenCase {
    std::string name;
    QString file;
    QByteArray bytes;
    QString row; // as rows() gives it
    const char* setup = "";
};

class Written : public Import, public ::testing::WithParamInterface<WrittenCase> {};

// A file becomes one workout, written as the log window of its kind writes it.
TEST_P(Written, AsTheLogWindowWritesIt) {
    const auto& c = GetParam();
    if (*c.setup)
        conn->execute(c.setup);
    const auto s = WorkoutImport::run(*conn, {file(c.file, c.bytes)}, options);
    EXPECT_EQ(s.imported, 1);
    EXPECT_EQ(rows(), QStringList{c.row});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Written,
    testing::ValuesIn(std::vector<WrittenCase>{
        // 3 points, 0.1 degrees of the equator in one hour: 11.1 km, 6.9 miles; the newest shoe.
        {"run_from_gpx", "morning.gpx", gpxTrack("2026-06-06T07:00:00Z", 3, 0.05, 1800, "Bob's loop"),
         "Running|2026-06-06|Saturday|1:00:00|Ann|morning.gpx|6.9|11.1|Bob's loop|New",
         "INSERT INTO Running_Shoes (Shoe, Active, User_Name) VALUES ('Old', 1, 'Ann'), ('New', 1, 'Ann')"},
        // 20 km -> 20.0 and 12.4 miles; 2730.4 s -> 0:45:30; no name: the file's name is the course.
        {"ride_from_tcx", "commute.tcx", tcxActivity("Biking", "2026-06-06T17:05:00Z", 2730.4, 20000),
         "Cycling|2026-06-06|Saturday|0:45:30|Ann|commute.tcx|12.4|20|commute|Roadie|0",
         "INSERT INTO Bikes (Bike, Active, User_Name) VALUES ('Roadie', 1, 'Ann')"},
        // No laps in the file; the course is the location.
        {"swim", "pool.gpx", gpxTrack("2026-06-06T07:00:00Z", 2, 0.001, 1500, "Lido", "swimming"),
         "Swimming|2026-06-06|Saturday|0:25:00|Ann|pool.gpx|0|Lido"},
        // 25 points an hour apart: 24 hours, 24 x 5559.75 m; no shoe.
        {"day_long_track_keeps_its_hours", "ultra.gpx", gpxTrack("2026-06-06T00:00:00Z", 25, 0.05, 3600),
         "Running|2026-06-06|Saturday|24:00:00|Ann|ultra.gpx|82.9|133.4|River|"},
    }),
    CaseName());

// The kind comes from the file's sport, else the fallback; the date is the local date of the
// start in the importing computer's zone.
struct KindDateCase {
    std::string name;
    QString type; // the GPX <type>
    QString fallback;
    QString start;
    int zoneSeconds;  // ahead of UTC
    QString expected; // kind|date|day
};

class KindAndDate : public Import, public ::testing::WithParamInterface<KindDateCase> {};

TEST_P(KindAndDate, ComeFromTheFileTheFallbackAndTheZone) {
    const auto& c = GetParam();
    options.fallbackKind = c.fallback;
    options.zone = QTimeZone(c.zoneSeconds);
    const QString f = file("s.gpx", gpxTrack(c.start, 2, 0.01, 3600, "", c.type));
    ASSERT_EQ(WorkoutImport::run(*conn, {f}, options).imported, 1);
    EXPECT_EQ(queryRows(*conn,
                        "SELECT Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time FROM "
                        "Exercise_Master",
                        QLatin1Char('|'), true),
              QStringList{c.expected + "|1:00:00"});
}

const QString Morning = "2026-06-06T07:00:00Z";
INSTANTIATE_TEST_SUITE_P(
    Cases, KindAndDate,
    testing::ValuesIn(std::vector<KindDateCase>{
        {"trail_run", "Trail Run", "Cycling", Morning, 0, "Running|2026-06-06|Saturday"},
        {"cycling", "cycling", "Running", Morning, 0, "Cycling|2026-06-06|Saturday"},
        {"ride", "Ride", "Running", Morning, 0, "Cycling|2026-06-06|Saturday"},
        {"swim", "open_water_swimming", "Running", Morning, 0, "Swimming|2026-06-06|Saturday"},
        {"unknown_takes_fallback", "9", "Cycling", Morning, 0, "Cycling|2026-06-06|Saturday"},
        {"none_takes_fallback", "", "Swimming", Morning, 0, "Swimming|2026-06-06|Saturday"},
        {"utc_late_evening_in_utc", "", "Running", "2026-03-01T23:30:00Z", 0, "Running|2026-03-01|Sunday"},
        {"utc_late_evening_east_of_utc", "", "Running", "2026-03-01T23:30:00Z", 7200,
         "Running|2026-03-02|Monday"},
        {"offset_after_midnight_read_in_utc", "", "Running", "2026-03-02T01:30:00+02:00", 0,
         "Running|2026-03-01|Sunday"},
        {"no_zone_is_utc", "", "Running", "2026-03-01T23:30:00", -3600, "Running|2026-03-01|Sunday"},
    }),
    CaseName());

struct BadCase {
    std::string name;
    QString fileName;
    QByteArray bytes; // null: no such file
    QString reasonStart;
};

class BadFile : public Import, public ::testing::WithParamInterface<BadCase> {};

// A file that cannot be read fails with its reason; nothing of it is written, and a good
// file of the same import still is.
TEST_P(BadFile, IsListedWithItsReasonAndWritesNothing) {
    const auto& c = GetParam();
    const QString bad = c.bytes.isNull() ? dir.filePath(c.fileName) : file(c.fileName, c.bytes);
    const QString good = file("good.gpx", gpxTrack("2026-06-06T07:00:00Z", 2, 0.01, 600));
    const auto s = WorkoutImport::run(*conn, {bad, good}, options);
    EXPECT_EQ(s.imported, 1);
    ASSERT_EQ(s.failed.size(), 1u);
    EXPECT_EQ(s.failed[0].file, bad);
    EXPECT_TRUE(s.failed[0].reason.startsWith(c.reasonStart)) << s.failed[0].reason.toStdString();
    EXPECT_EQ(rows().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadFile,
    testing::ValuesIn(std::vector<BadCase>{
        // Cut off after two good tracks: none of the file's workouts may be written.
        {"malformed_xml", "cut.gpx",
         gpxTrack("2026-06-01T07:00:00Z", 2, 0.01, 600)
             .replace("</trk>", "</trk><trk><trkseg><trkpt lat=\"0\""),
         "not well-formed XML at line"},
        {"no_points", "empty.gpx", gpxTrack("2026-06-01T07:00:00Z", 0, 0.01, 600),
         "no track points with a time"},
        {"bad_time", "badtime.gpx",
         gpxTrack("2026-06-01T07:00:00Z", 2, 0.01, 600).replace("2026-06-01T07:10", "yesterday"),
         "a point has a time that is not a date and time"},
        {"empty_file", "zero.gpx", "", "the file is empty"},
        {"missing_file", "gone.gpx", QByteArray(), "no such file"},
        {"other_xml", "other.gpx", "<html><body/></html>", "not a GPX file"},
        {"tcx_without_activity", "x.tcx", "<TrainingCenterDatabase><Activities/></TrainingCenterDatabase>",
         "no activity with a time"},
        {"unknown_extension", "notes.txt", "hello", "not a GPX, TCX or FIT file"},
        // Values no workout can hold: the activity is refused, naming its file.
        {"distance_inf", "inf.tcx",
         tcxActivity("Running", "2026-06-01T07:00:00Z", 600, 1).replace(">1<", ">inf<"),
         "an activity covers inf metres"},
        {"distance_1e308", "far.tcx", tcxActivity("Running", "2026-06-01T07:00:00Z", 600, 1e308),
         "an activity covers 1e+308 metres"},
        {"time_1e300", "long.tcx", tcxActivity("Running", "2026-06-01T07:00:00Z", 1e300, 5000),
         "an activity lasts 1e+300 seconds"},
        {"track_1970_to_2099", "decades.gpx",
         gpxTrack("1970-01-01T00:00:00Z", 2, 0.01, 600).replace("1970-01-01T00:10:00", "2099-01-01T00:00:00"),
         "its times lie in the future"},
        {"year_0001", "old.tcx", tcxActivity("Running", "0001-06-01T07:00:00Z", 600, 5000),
         "its times lie before 1970"},
        {"year_10000", "future.tcx", tcxActivity("Running", "10000-06-01T07:00:00Z", 600, 5000),
         "a point has a time that is not a date and time"},
        {"offset_99_99", "zone.tcx", tcxActivity("Running", "2026-06-01T07:00:00+99:99", 600, 5000),
         "an activity's start is not a valid date and time"},
        {"latitude_400", "moon.gpx",
         gpxTrack("2026-06-01T07:00:00Z", 2, 0.01, 600).replace("lat=\"0\"", "lat=\"400\""),
         "a point lies outside the Earth's latitudes and longitudes: 400, 0"},
    }),
    CaseName());

// A name of any length is cut to a sane one before it is stored.
TEST_F(Import, LongNamesAreCut) {
    const auto s = WorkoutImport::run(
        *conn, {file("long.gpx", gpxTrack("2026-06-06T07:00:00Z", 2, 0.01, 600, QString(5000, 'x')))},
        options);
    EXPECT_EQ(s.imported, 1);
    EXPECT_EQ(conn->query("SELECT length(Course) FROM Running_Log").field(0), "1000");
}

TEST_F(Import, WorkoutAlreadyPresentIsSkippedAndCounted) {
    const QString a = file("a.gpx", gpxTrack("2026-06-06T07:00:00Z", 2, 0.01, 600));
    // The same run copied under another name, and a ride at the same date and time.
    const QString b = file("b.gpx", gpxTrack("2026-06-06T07:00:00Z", 2, 0.01, 600, "Copy"));
    const QString ride = file("r.gpx", gpxTrack("2026-06-06T07:00:00Z", 2, 0.01, 600, "", "cycling"));
    auto s = WorkoutImport::run(*conn, {a, b, ride}, options);
    EXPECT_EQ(s.imported, 2);
    EXPECT_EQ(s.skipped, 1);
    s = WorkoutImport::run(*conn, {a}, options);
    EXPECT_EQ(s.imported, 0);
    EXPECT_EQ(s.skipped, 1);
    // Another user's diary is not looked at.
    conn->execute("INSERT INTO Users (User_Name) VALUES ('Bea')");
    options.user = "Bea";
    EXPECT_EQ(WorkoutImport::run(*conn, {a}, options).imported, 1);
    EXPECT_EQ(rows().size(), 3);
}

// The summary names the shoes and bikes the import logged on that now stand at 90% or more of
// their limit, already past it or not: a run and a ride of 6.9 miles take the shoes from 10 of
// 10 miles to 16.9, the bike from 85 of 100 to 91.9.
TEST_F(Import, SummaryWarnsOfWornGear) {
    conn->execute(
        "INSERT INTO Running_Shoes (Shoe, Active, User_Name, Retire_Distance) VALUES ('Worn', 1, 'Ann', 10)");
    conn->execute(
        "INSERT INTO Bikes (Bike, Active, User_Name, Retire_Distance) VALUES ('Steel', 1, 'Ann', 100)");
    conn->execute("INSERT INTO Exercise_Master (Exercise_ID, Exercise_Date, User_Name) VALUES (1, "
                  "'5/1/2026', 'Ann'), (2, '5/1/2026', 'Ann')");
    conn->execute(
        "INSERT INTO Running_Log (Running_ID, Miles, Kilometers, Shoes) VALUES (1, 10, 16.1, 'Worn')");
    conn->execute(
        "INSERT INTO Cycling_Log (Cycling_ID, Miles, Kilometers, Bike) VALUES (2, 85, 137, 'Steel')");
    const auto s =
        WorkoutImport::run(*conn,
                           {file("run.gpx", gpxTrack("2026-06-06T07:00:00Z", 3, 0.05, 1800)),
                            file("ride.gpx", gpxTrack("2026-06-06T09:00:00Z", 3, 0.05, 600, "", "cycling"))},
                           options);
    EXPECT_EQ(
        WorkoutImport::summaryLines(s).mid(4),
        QStringList({"Worn: These shoes have now done 16.9 of their 10 miles (169%): time to retire them.",
                     "Steel: This bike has now done 91.9 of its 100 miles (91%)."}));
}

TEST_F(Import, DatabaseFailureWritesNothing) {
    // The second run's detail row is refused by the database after the first was written.
    ASSERT_EQ(
        sqlite3_exec(conn->handle(),
                     "CREATE TRIGGER refuse BEFORE INSERT ON Running_Log WHEN "
                     "(SELECT Count(*) FROM Running_Log) >= 1 BEGIN SELECT RAISE(ABORT, 'refused'); END",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    const auto s = WorkoutImport::run(*conn,
                                      {file("a.gpx", gpxTrack("2026-06-06T07:00:00Z", 2, 0.01, 600)),
                                       file("b.gpx", gpxTrack("2026-06-07T07:00:00Z", 2, 0.01, 600))},
                                      options);
    EXPECT_FALSE(s.error.isEmpty());
    EXPECT_EQ(s.imported, 0);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(WorkoutImport::summaryLines(s).first().startsWith("Import failed, nothing was written: "));
}

TEST_F(Import, FolderGivesItsGpsFilesSortedByName) {
    QDir(dir.path()).mkdir("watch");
    file("watch/b.tcx", "");
    file("watch/a.gpx", "");
    file("watch/c.FIT", "");
    file("watch/readme.txt", "");
    const QStringList files = WorkoutImport::expand({dir.filePath("watch"), dir.filePath("x.gpx")});
    EXPECT_EQ(files, (QStringList{dir.filePath("watch/a.gpx"), dir.filePath("watch/b.tcx"),
                                  dir.filePath("watch/c.FIT"), dir.filePath("x.gpx")}));
}

TEST(Duration, TextIsHoursMinutesSeconds) {
    EXPECT_EQ(WorkoutImport::durationText(0), "0:00:00");
    EXPECT_EQ(WorkoutImport::durationText(59.5), "0:01:00");
    EXPECT_EQ(WorkoutImport::durationText(3599.4), "0:59:59");
    EXPECT_EQ(WorkoutImport::durationText(90061), "25:01:01");
    EXPECT_EQ(WorkoutImport::durationText(-5), "0:00:00");
}

} // namespace
