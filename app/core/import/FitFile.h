#pragma once

#include <QIODevice>
#include <QString>
#include <cmath>
#include <cstdint>
#include <vector>

// The binary activity files that watches and bike computers write (FIT), decoded as a stream:
// the file header, definition and data messages of either byte order, compressed timestamps,
// developer fields (skipped by their declared size) and files chained one after another. Only
// what the diary uses is kept: the file's type, its sessions with their totals, and the
// points, laps and pool lengths that fall in each session's time.
namespace FitFile {

// Times are seconds since 1970 UTC.
struct Point {
    int64_t time = 0;
    double latitude = NAN, longitude = NAN; // degrees
    double elevation = NAN;                 // metres
    double distance = NAN;                  // metres from the start, as the device counted them
    int heartRate = -1;                     // beats a minute
    int cadence = -1;                       // steps or turns a minute
};

// A lap, or a length of a pool swim.
struct Lap {
    int64_t start = 0;
    double timerSeconds = NAN, elapsedSeconds = NAN;
    double meters = NAN; // lengths carry none
};

// The sports the diary tells apart (the file's own numbers).
enum Sport : int { Generic = 0, Running = 1, Cycling = 2, Transition = 3, Swimming = 5, NoSport = -1 };

struct Session {
    int sport = NoSport;
    int64_t start = 0;
    double timerSeconds = 0;   // the time the timer ran
    double elapsedSeconds = 0; // start to end, pauses included
    double meters = 0;
    bool fromRecords = false; // the file had no session message: totals worked out from its points
    std::vector<Point> points;
    std::vector<Lap> laps;
    std::vector<Lap> lengths; // the active lengths of a pool swim
};

// The file types of the file_id message that the diary reads (an activity) or names.
inline constexpr int ActivityFile = 4;

struct Decoded {
    bool isFit = false; // the first header was one
    int fileType = -1;  // the first file_id's type; -1 when none was read
    bool hasActivity = false;
    std::vector<Session> sessions; // by start time
    // Why the file was not read whole: a checksum that does not match, or records that stop
    // decoding (a cut or damaged file); "" when all of it was read and checked.
    QString damage;
};

// Reads the device from its position to its end. Never fails: a device that holds no FIT file
// gives isFit false. Memory stays bounded whatever a file declares: points, laps and sessions
// beyond limits far above any real activity's are left out.
Decoded decode(QIODevice& device);

// The name of a file type that holds no activity ("settings", "weight scale", ...).
QString fileTypeName(int type);

// The file's CRC-16 over `size` bytes, continued from `crc`.
uint16_t crc16(uint16_t crc, const uint8_t* bytes, size_t size);

} // namespace FitFile
