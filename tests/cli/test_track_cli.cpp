// trainbook-cli import and track: a track attached to the workout typed before its file was
// imported, and gone with it; the average heart rate kept with the track, and kept on update
// for tracks stored without it. Split, lap and zone tables are reference cases (cli/cases),
// on the watch files of cli/files.

#include "CLibrary.h"
#include "CliRunner.h"

#include <QFile>
#include <sqlite3.h>

namespace {

class TrackCli : public CliTest {
  protected:
    void SetUp() override { initWith({"INSERT INTO Users (User_Name) VALUES ('Ann')"}); }
    // Imports the watch file `name` of cli/files for Ann.
    QString import(const QString& name) {
        QFile f(QStringLiteral(TRAINBOOK_TESTS_DIR "/cli/files/") + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        write(name, f.readAll());
        return cli({"import", "--user", "Ann", name}).out;
    }
};

TEST_F(TrackCli, TrackAttachedToTheSameWorkoutTypedOtherwiseAndGoneWithIt) {
    // The run of steady.gpx (22:30) already in the diary, its time typed without hours.
    ASSERT_EQ(
        cli({"sql", "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, "
                    "Exercise_Time, User_Name) VALUES ('Running', '2026-06-06', 'Saturday', '22:30', 'Ann')"})
            .exitCode,
        0);
    EXPECT_EQ(import("steady.gpx"),
              "Imported: 0\nUpdated (track added): 1\nSkipped (already in the diary): 0\nFailed: 0\n");
    EXPECT_EQ(import("steady.gpx"),
              "Imported: 0\nUpdated (track added): 0\nSkipped (already in the diary): 1\nFailed: 0\n");
    EXPECT_TRUE(cli({"track", "--id", "1"}).out.startsWith("Split\t"));

    CLibrary lib;
    lib.setSAccessFile(dir.filePath("Trainbook.db"));
    ASSERT_TRUE(lib.DeleteWorkout("Running_Log", "Running_ID", "1"));
    EXPECT_EQ(sql("SELECT Count(*) AS N FROM Exercise_Track"), "N\n0\n");
}

// Steady run: 130 to 147 bpm, each held 75 s, so the kept average is 138.5 over 1350 s.
TEST_F(TrackCli, AverageKeptWithTheTrackAndBroughtBackForTracksWithoutOne) {
    import("steady.gpx");
    const char* average = "Average_HR|Seconds\n138.5|1350.0\n";
    EXPECT_EQ(sql("SELECT Average_HR || '|' || Seconds AS \"Average_HR|Seconds\" FROM Exercise_HeartRate"
                  " WHERE Exercise_ID = 1"),
              average);

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

} // namespace
