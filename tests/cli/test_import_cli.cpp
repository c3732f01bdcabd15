// trainbook-cli import: a folder of watch files into one user's diary, the summary printed.

#include "CliRunner.h"

#include <QDir>
#include <QFile>

namespace {

class ImportCli : public CliTest {
  protected:
    static QByteArray gpx(const char* start, const char* end, const char* type) {
        return QByteArray("<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><type>") +
               type + "</type><trkseg><trkpt lat=\"0\" lon=\"0\"><time>" + start +
               "</time></trkpt><trkpt lat=\"0\" lon=\"0.05\"><time>" + end +
               "</time></trkpt></trkseg></trk></gpx>";
    }
};

TEST_F(ImportCli, FolderIsImportedOnceAndReported) {
    initWith({"INSERT INTO Users (User_Name) VALUES ('Ann')"});
    QDir(dir.path()).mkdir("watch");
    write("watch/a.gpx", gpx("2026-06-06T12:00:00Z", "2026-06-06T12:30:00Z", "running"));
    write("watch/b.gpx", gpx("2026-06-07T12:00:00Z", "2026-06-07T13:00:00Z", "other"));
    write("watch/c.tcx", "<TrainingCenterDatabase><Activities>");

    const CliRun first = cli({"import", "--user", "Ann", "--kind", "Cycling", "watch"});
    EXPECT_EQ(first.exitCode, 1); // c.tcx failed
    EXPECT_EQ(first.out,
              "Imported: 2\nUpdated (track added): 0\nSkipped (already in the diary): 0\nFailed: 1\n"
              "  c.tcx: not well-formed XML at line 1: Premature end of document.\n");
    EXPECT_EQ(sql("SELECT Exercise_Type, Exercise_Time FROM Exercise_Master ORDER BY Exercise_ID"),
              "Exercise_Type\tExercise_Time\nRunning\t0:30:00\nCycling\t1:00:00\n");

    const CliRun again = cli({"import", "watch/a.gpx", "--user", "Ann"});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out,
              "Imported: 0\nUpdated (track added): 0\nSkipped (already in the diary): 1\nFailed: 0\n");
}

// Wrong words are reference cases (cli/cases).
TEST_F(ImportCli, AnUnknownUserWritesNothing) {
    initWith({});
    write("a.gpx", gpx("2026-06-06T12:00:00Z", "2026-06-06T12:30:00Z", "running"));
    expectFailures({{{"import", "--user", "Ann", "a.gpx"}, 1, "no such user: Ann\n"}});
    EXPECT_EQ(sql("SELECT Count(*) AS n FROM Exercise_Master"), "n\n0\n");
}

// trainbook-cli report --pdf: the report as pages (as CSV: the reference cases, reports/cases).
TEST_F(ImportCli, ReportAsPdf) {
    initWith({"INSERT INTO Users (User_Name) VALUES ('Ann')"});
    const CliRun pdf = cli({"report", "--user", "Ann", "--kind", "Shoe", "--pdf", "shoes.pdf"});
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_EQ(pdf.out, "shoes.pdf: 1 page\n");
    EXPECT_TRUE(QFile(dir.filePath("shoes.pdf")).size() > 0);
    expectFailures(
        {{{"report", "--user", "Ann", "--kind", "Running", "--csv", "--pdf", "x.pdf"}, 2, "usage: "},
         {{"report", "--user", "Ann", "--kind", "Running", "--pdf", "no/such/dir/x.pdf"},
          1,
          "Could not write no/such/dir/x.pdf"}});
}

} // namespace
