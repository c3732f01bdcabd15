// trainbook-cli track and zones: watch files imported with their tracks, against split, lap and
// zone tables worked out by hand; the GPX written re-imports to the same splits; tracks attached
// on re-import, gone with their workout; times that cannot be right refused; the average heart
// rate kept with the track, and kept on update for tracks stored without it.

#include "CLibrary.h"
#include "CliRunner.h"

#include <QFile>
#include <cmath>
#include <sqlite3.h>

namespace {

// A point along the equator: metres from the start, seconds from 2026-06-06 07:00 UTC, heart
// rate (0: none), elevation (NaN: none).
struct Pt {
    double meters;
    int seconds;
    int hr = 0;
    double ele = NAN;
};

QString timeAt(int seconds) {
    return QDateTime::fromString("2026-06-06T07:00:00Z", Qt::ISODate)
        .addSecs(seconds)
        .toUTC()
        .toString(Qt::ISODate);
}

QByteArray gpx(const char* type, const std::vector<Pt>& pts) {
    const double degreesPerMeter = 180.0 / (M_PI * 6371008.8);
    QString xml = QStringLiteral("<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
                                 "xmlns:tp=\"urn:tpx\"><trk><type>%1</type><trkseg>")
                      .arg(type);
    for (const Pt& p : pts) {
        xml += QStringLiteral("<trkpt lat=\"0\" lon=\"%1\">").arg(p.meters * degreesPerMeter, 0, 'f', 12);
        if (std::isfinite(p.ele))
            xml += QStringLiteral("<ele>%1</ele>").arg(p.ele);
        xml += QStringLiteral("<time>%1</time>").arg(timeAt(p.seconds));
        if (p.hr)
            xml += QStringLiteral("<extensions><tp:TrackPointExtension><tp:hr>%1</tp:hr>"
                                  "</tp:TrackPointExtension></extensions>")
                       .arg(p.hr);
        xml += "</trkpt>";
    }
    return (xml + "</trkseg></trk></gpx>").toUtf8();
}

// A treadmill-like TCX: every point at one position, so only the file's own distances move it.
QByteArray tcxWithLaps() {
    QString xml =
        "<TrainingCenterDatabase><Activities><Activity Sport=\"Running\"><Id>" + timeAt(0) + "</Id>";
    const struct {
        int start, seconds, meters;
        std::vector<std::pair<int, int>> points; // seconds, metres
    } laps[] = {{0, 300, 1200, {{0, 0}, {200, 800}}}, {300, 200, 800, {{300, 1200}, {500, 2000}}}};
    for (const auto& lap : laps) {
        xml +=
            QStringLiteral("<Lap StartTime=\"%1\"><TotalTimeSeconds>%2</TotalTimeSeconds><DistanceMeters>%3"
                           "</DistanceMeters><Track>")
                .arg(timeAt(lap.start))
                .arg(lap.seconds)
                .arg(lap.meters);
        for (const auto& [s, m] : lap.points)
            xml += QStringLiteral(
                       "<Trackpoint><Time>%1</Time><Position><LatitudeDegrees>1</LatitudeDegrees>"
                       "<LongitudeDegrees>2</LongitudeDegrees></Position><DistanceMeters>%2"
                       "</DistanceMeters><HeartRateBpm><Value>150</Value></HeartRateBpm></Trackpoint>")
                       .arg(timeAt(s))
                       .arg(m);
        xml += "</Track></Lap>";
    }
    return (xml + "</Activity></Activities></TrainingCenterDatabase>").toUtf8();
}

std::vector<Pt> steadyRun() {
    // 300 m every 75 s (4:10 a km), heart rate one beat more each point, climbing 2 m a point.
    std::vector<Pt> pts;
    for (int i = 0; i <= 18; ++i)
        pts.push_back({300.0 * i, 75 * i, 130 + i, 2.0 * i});
    return pts;
}

struct TrackCase {
    const char* name;
    QByteArray file;
    QStringList options;
    const char* expected;
};

class TrackCli : public CliTest {
  protected:
    void SetUp() override { initWith({"INSERT INTO Users (User_Name) VALUES ('Ann'), ('Bob')"}); }
    QString import(const QString& name, const QByteArray& bytes, const char* user = "Ann") {
        write(name, bytes);
        return cli({"import", "--user", user, name}).out;
    }
};

TEST_F(TrackCli, SplitsAndLapsOfEachKindOfFile) {
    const TrackCase cases[] = {
        {"steady.gpx",
         gpx("running", steadyRun()),
         {"--km"},
         "Split\tDistance\tTime\tPace\tHR\tClimb\n"
         "1\t1.00\t4:10\t4:10\t132\t7\n2\t1.00\t4:10\t4:10\t135\t7\n3\t1.00\t4:10\t4:10\t138\t7\n"
         "4\t1.00\t4:10\t4:10\t142\t7\n5\t1.00\t4:10\t4:10\t145\t7\n6\t0.40\t1:40\t4:10\t147\t3\n"
         "Total\t5.40\t22:30\t4:10\t139\t36\n"},
        // Standing for five minutes after 600 m: the first kilometre takes them in.
        {"pause.gpx",
         gpx("running", {{0, 0, 120}, {600, 150, 140}, {600, 450, 110}, {1200, 600, 140}}),
         {"--km"},
         "Split\tDistance\tTime\tPace\tHR\tClimb\n1\t1.00\t9:10\t9:10\t125\t\n2\t0.20\t0:50\t4:10\t135\t\n"
         "Total\t1.20\t10:00\t8:20\t126\t\n"},
        // A ride in the user's own unit (miles: 1.609 km), 30 miles an hour, climbing 10 m a point.
        {"ride.gpx",
         gpx("cycling", {{0, 0, 0, 0},
                         {804.5, 60, 0, 10},
                         {1609, 120, 0, 20},
                         {2413.5, 180, 0, 30},
                         {3218, 240, 0, 40},
                         {4022.5, 300, 0, 50}}),
         {},
         "Split\tDistance\tTime\tSpeed\tHR\tClimb\n1\t1.00\t2:00\t30.00\t\t20\n2\t1.00\t2:00\t30.00\t\t20\n"
         "3\t0.50\t1:00\t30.00\t\t10\nTotal\t2.50\t5:00\t30.00\t\t50\n"},
        {"laps.tcx",
         tcxWithLaps(),
         {"--km"},
         "Split\tDistance\tTime\tPace\tHR\tClimb\n1\t1.00\t4:10\t4:10\t150\t\n2\t1.00\t4:10\t4:10\t150\t\n"
         "Total\t2.00\t8:20\t4:10\t150\t\n"},
        {"laps.tcx",
         tcxWithLaps(),
         {"--km", "--laps"},
         "Lap\tDistance\tTime\tPace\tHR\tClimb\n1\t1.20\t5:00\t4:10\t150\t\n2\t0.80\t3:20\t4:10\t150\t\n"
         "Total\t2.00\t8:20\t4:10\t150\t\n"},
        // Two points only: both split ends are interpolated.
        {"nohr.gpx",
         gpx("running", {{0, 0}, {2500, 625}}),
         {"--km"},
         "Split\tDistance\tTime\tPace\tHR\tClimb\n1\t1.00\t4:10\t4:10\t\t\n2\t1.00\t4:10\t4:10\t\t\n"
         "3\t0.50\t2:05\t4:10\t\t\nTotal\t2.50\t10:25\t4:10\t\t\n"},
    };
    int id = 0;
    for (const TrackCase& c : cases) {
        // A file of the case before is skipped: it is in the diary with its track.
        const bool again = c.options.contains("--laps");
        id += again ? 0 : 1;
        EXPECT_TRUE(import(c.name, c.file).startsWith(again ? "Imported: 0\n" : "Imported: 1\n")) << c.name;
        const CliRun r = cli(QStringList{"track", "--id", QString::number(id)} + c.options);
        EXPECT_EQ(r.exitCode, 0) << c.name << r.err.toStdString();
        EXPECT_EQ(r.out, c.expected) << c.name;
    }
}

TEST_F(TrackCli, WrittenGpxReimportsToTheSameSplits) {
    import("steady.gpx", gpx("running", steadyRun()));
    ASSERT_EQ(cli({"track", "--id", "1", "--gpx", "out.gpx"}).exitCode, 0);
    EXPECT_TRUE(cli({"import", "--user", "Bob", "out.gpx"}).out.startsWith("Imported: 1\n"));
    const QString ann = cli({"track", "--id", "1", "--km"}).out,
                  bob = cli({"track", "--id", "2", "--km"}).out;
    EXPECT_TRUE(ann.contains("\t132\t7\n")) << ann.toStdString();
    EXPECT_EQ(bob, ann);
}

TEST_F(TrackCli, TrackAttachedToTheSameWorkoutTypedOtherwiseAndGoneWithIt) {
    // The run of steady.gpx (22:30) already in the diary, its time typed without hours.
    ASSERT_EQ(
        cli({"sql", "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                    "Exercise_Time, User_Name) VALUES ('Running', '2026-06-06', 'Saturday', '22:30', 'Ann')"})
            .exitCode,
        0);
    EXPECT_EQ(import("steady.gpx", gpx("running", steadyRun())),
              "Imported: 0\nUpdated (track added): 1\nSkipped (already in the diary): 0\nFailed: 0\n");
    EXPECT_EQ(cli({"import", "--user", "Ann", "steady.gpx"}).out,
              "Imported: 0\nUpdated (track added): 0\nSkipped (already in the diary): 1\nFailed: 0\n");
    EXPECT_TRUE(cli({"track", "--id", "1"}).out.startsWith("Split\t"));

    CLibrary lib;
    lib.setSAccessFile(dir.filePath("Trainbook.db"));
    ASSERT_TRUE(lib.DeleteWorkout("Running_Log", "Running_ID", "1"));
    EXPECT_EQ(sql("SELECT Count(*) AS N FROM Exercise_Track"), "N\n0\n");
}

// Times before 1970 or in the future are refused in the import tables; here points that go back.
TEST_F(TrackCli, PointsWhoseTimesRunBackwardsAreRefused) {
    write("bad.gpx", gpx("running", {{0, 60}, {500, 50}}));
    const CliRun r = cli({"import", "--user", "Ann", "bad.gpx"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.endsWith("  bad.gpx: the times of its points run backwards\n")) << r.out.toStdString();
    EXPECT_EQ(sql("SELECT Count(*) AS N FROM Exercise_Master"), "N\n0\n");
}

TEST_F(TrackCli, FailuresSayWhyOnStandardError) {
    import("steady.gpx", gpx("running", steadyRun()));
    ASSERT_EQ(
        cli({"sql", "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                    "Exercise_Time, User_Name) VALUES ('Running', '2026-06-07', 'Sunday', '30:00', 'Ann')"})
            .exitCode,
        0);
    expectFailures(
        {{{"track", "--id", "9"}, 1, "No workout with the id 9"},
         {{"track", "--id", "2"}, 1, "Workout 2 has no track"},
         {{"track", "--id", "1", "--laps"}, 1, "The track of workout 1 has no laps"},
         {{"track", "--id", "1", "--gpx", dir.filePath("no/such/folder/x.gpx")}, 1, "Could not write"}});
}

// Steady run: 130 to 147 bpm, each held 75 s, so the kept average is 138.5 over 1350 s. With a
// maximum of 200 the zones start at 100, 120, 140, 160 and 180 bpm: 130-139 is 10 x 75 s in
// zone 2, 140-147 is 8 x 75 s in zone 3.
TEST_F(TrackCli, AverageKeptWithTheTrackAndZonesPrinted) {
    import("steady.gpx", gpx("running", steadyRun()));
    const char* average = "Average_HR|Seconds\n138.5|1350.0\n";
    EXPECT_EQ(sql("SELECT Average_HR || '|' || Seconds AS \"Average_HR|Seconds\" FROM Exercise_HeartRate"
                  " WHERE Exercise_ID = 1"),
              average);

    ASSERT_EQ(cli({"hr", "--user", "Ann", "--max", "200"}).exitCode, 0);
    EXPECT_EQ(cli({"zones", "--id", "1"}).out, "Zone\tFrom\tTo\tTime\n"
                                               "Below\t0\t100\t0:00\n"
                                               "1\t100\t120\t0:00\n"
                                               "2\t120\t140\t12:30\n"
                                               "3\t140\t160\t10:00\n"
                                               "4\t160\t180\t0:00\n"
                                               "5\t180\t\t0:00\n");

    // A diary of the version before averages were kept, its track without one: opening it
    // brings the average back.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(dir.filePath("Trainbook.db").toUtf8().constData(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, "DELETE FROM Exercise_HeartRate; PRAGMA user_version = 6", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    EXPECT_EQ(sql("SELECT Average_HR || '|' || Seconds AS \"Average_HR|Seconds\" FROM Exercise_HeartRate"),
              average);
}

TEST_F(TrackCli, ZonesFailWithoutHeartRateOrMaximum) {
    import("steady.gpx", gpx("running", steadyRun()));
    std::vector<Pt> plain = steadyRun();
    for (Pt& p : plain)
        p.hr = 0;
    import("plain.gpx", gpx("cycling", plain));
    expectFailures({{{"zones", "--id", "1"}, 1, "Ann has no maximum heart rate"},
                    {{"zones", "--id", "2"}, 1, "Workout 2 has no heart rate"},
                    {{"zones", "--id", "9"}, 1, "No workout with the id 9"}});
}

} // namespace
