// Import and export timings (a timing program; run from a Release build):
//  - importing 1,000 GPX files of one hour each, one point a second, their tracks kept, and
//    how much the diary grows per hour of track;
//  - exporting a report of about 50,000 lines as CSV and as PDF.
#include "CLibrary.h"
#include "Connection.h"
#include "GpsTrack.h"
#include "ReportCsv.h"
#include "ReportPdf.h"
#include "TextReport.h"
#include "Track.h"
#include "Transaction.h"
#include "WorkoutImport.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>

namespace {

// One hour of running, a point a second, starting at `start`: a wavering line with a rolling
// profile, heart rate and cadence, with the jitter of a real receiver (a few metres of position,
// half a metre of height), so that packing gets no help a real track would not give it.
QByteArray hourTrack(const QDateTime& start) {
    std::mt19937 random(uint32_t(start.toSecsSinceEpoch()));
    std::uniform_real_distribution<double> jitter(-1, 1);
    QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"bench\" "
        "xmlns=\"http://www.topografix.com/GPX/1/1\" xmlns:tp=\"urn:tpx\">\n<trk><name>Bench loop</name>"
        "<type>running</type><trkseg>\n";
    xml.reserve(3601 * 200);
    for (int s = 0; s <= 3600; ++s) {
        xml += "<trkpt lat=\"" +
               QByteArray::number(47.1 + 0.002 * std::sin(s / 97.0) + 2e-5 * jitter(random), 'f', 7) +
               "\" lon=\"" + QByteArray::number(8.5 + s * 0.0000391 + 3e-5 * jitter(random), 'f', 7) +
               "\"><ele>" +
               QByteArray::number(420 + 15 * std::sin(s / 300.0) + 0.5 * jitter(random), 'f', 1) +
               "</ele><time>" + start.addSecs(s).toString(Qt::ISODate).toUtf8() +
               "</time><extensions><tp:TrackPointExtension><tp:hr>" +
               QByteArray::number(140 + (s / 7) % 25 + int(2 * jitter(random))) + "</tp:hr><tp:cad>" +
               QByteArray::number(86 + (s / 11) % 5) +
               "</tp:cad></tp:TrackPointExtension></extensions></trkpt>\n";
    }
    return xml + "</trkseg></trk>\n</gpx>\n";
}

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e9;
}

// Processor time of this process so far: on a machine shared with other work the wall time
// of a step can be much longer than the time it computed.
double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString db = dir.filePath("Trainbook.db");
    Connection::create(db);
    auto conn = Connection::open(db);
    conn->execute("INSERT INTO Users (User_Name) VALUES ('Ann')");

    // --- Import ------------------------------------------------------------------------
    const QString folder = dir.filePath("watch");
    QDir().mkpath(folder);
    qint64 bytes = 0;
    for (int i = 0; i < 1000; ++i) {
        QFile f(QDir(folder).filePath(QStringLiteral("run%1.gpx").arg(i, 4, 10, QLatin1Char('0'))));
        f.open(QIODevice::WriteOnly);
        bytes += f.write(hourTrack(QDateTime(QDate(2020, 1, 1).addDays(i), QTime(7, 0), QTimeZone::utc())));
    }
    WorkoutImport::Options options;
    options.user = "Ann";
    options.zone = QTimeZone::utc();
    const auto fileBytes = [&] {
        return conn
            ->column("SELECT page_count * page_size AS b FROM pragma_page_count, pragma_page_size", "b")
            .value(0)
            .toLongLong();
    };
    const qint64 before = fileBytes();
    QElapsedTimer t;
    t.start();
    double cpu = cpuSeconds();
    const WorkoutImport::Summary summary =
        WorkoutImport::run(*conn, WorkoutImport::expand({folder}), options);
    const double importSeconds = seconds(t);
    std::printf(
        "import 1000 one-hour GPX files (%.0f MB, 3601 points each): %.2f s wall, %.2f s CPU (imported %d, "
        "failed %zu)\n",
        double(bytes) / 1e6, importSeconds, cpuSeconds() - cpu, summary.imported, summary.failed.size());
    const double packed =
        conn->column("SELECT sum(length(Points) + length(Laps)) AS b FROM Exercise_Track", "b")
            .value(0)
            .toDouble();
    const double growth = double(fileBytes() - before) / 1000;
    {
        // Where an imported file's time goes: reading the XML, and packing its track.
        QFile one(QDir(folder).filePath("run0000.gpx"));
        one.open(QIODevice::ReadOnly);
        const QByteArray text = one.readAll();
        QElapsedTimer part;
        part.start();
        GpsTrack::Parsed parsed;
        for (int i = 0; i < 20; ++i) {
            QBuffer buffer;
            buffer.setData(text);
            buffer.open(QIODevice::ReadOnly);
            parsed = GpsTrack::readGpx(buffer);
        }
        const double readMs = double(part.nsecsElapsed()) / 20e6;
        part.restart();
        for (int i = 0; i < 20; ++i)
            Track::packPoints(parsed.activities.at(0).track.points);
        std::printf("per file: reading %.1f ms, packing the track %.2f ms (one thread)\n", readMs,
                    double(part.nsecsElapsed()) / 20e6);
    }
    std::printf("tracks: %.1f KB packed per hour, the diary grew %.1f KB per hour of track\n",
                packed / 1000 / 1000, growth / 1000);

    // --- A report of about 50,000 lines ------------------------------------------------
    conn->execute("DELETE FROM Exercise_Track");
    conn->execute("DELETE FROM Exercise_HeartRate");
    conn->execute("DELETE FROM Running_Log");
    conn->execute("DELETE FROM Exercise_Master");
    {
        Transaction tx(*conn);
        const QDate first(1905, 1, 1);
        for (int i = 0; i < 44000; ++i) {
            conn->execute(
                "INSERT INTO Exercise_Master (Exercise_Type, Exercise_Date, Exercise_Day, Exercise_Time, "
                "User_Name, Comments) VALUES ('Running', ?, 'Monday', '45:00', 'Ann', '')",
                {first.addDays(i).toString(Qt::ISODate)});
            conn->execute(
                "INSERT INTO Running_Log (Running_ID, Miles, Course, Shoes, Kilometers) VALUES (?, 5.5, "
                "'River, north bank', 'Racer', 8.8)",
                {conn->lastInsertId()});
        }
        tx.commit();
    }
    TextReport::Request request;
    request.user = "Ann";
    request.kind = "Running";
    request.format = TextReport::Format::Full;
    const TextReport::Result report = TextReport::create(*conn, request);

    t.restart();
    cpu = cpuSeconds();
    const QByteArray csv = ReportCsv::fromLines(report.lines);
    const double csvSeconds = seconds(t);
    std::printf("CSV of a %lld-line report (%.1f MB): %.0f ms wall, %.0f ms CPU\n",
                (long long)report.lines.size(), double(csv.size()) / 1e6, csvSeconds * 1000,
                (cpuSeconds() - cpu) * 1000);

    t.restart();
    cpu = cpuSeconds();
    QString error;
    const int pages =
        ReportPdf::write(dir.filePath("report.pdf"), report.lines,
                         {"Running Report", "Ann", "Running", QDate(2026, 12, 7)}, nullptr, &error);
    const double pdfSeconds = seconds(t);
    std::printf("PDF of a %lld-line report (%d pages, %.1f MB): %.2f s wall, %.2f s CPU %s\n",
                (long long)report.lines.size(), pages, double(QFile(dir.filePath("report.pdf")).size()) / 1e6,
                pdfSeconds, cpuSeconds() - cpu, qPrintable(error));
    std::printf(
        "targets: import <= 10 s %s, <= 40 KB per hour of track %s, CSV <= 300 ms %s, PDF <= 5 s %s\n",
        importSeconds <= 10 ? "met" : "MISSED", growth / 1000 <= 40 ? "met" : "MISSED",
        csvSeconds <= 0.3 ? "met" : "MISSED", pdfSeconds <= 5 ? "met" : "MISSED");
    return 0;
}
