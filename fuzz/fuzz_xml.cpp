// GPX and TCX reading on any bytes: the quick reader gives exactly what the general reader
// gives, whether it reads the bytes itself or hands them over.
#include "FuzzSupport.h"
#include "GpsTrack.h"

#include <QBuffer>

namespace {

QString described(const GpsTrack::Parsed& p) {
    QString out = p.error + QLatin1Char('|') + p.warning;
    for (const GpsTrack::Activity& a : p.activities) {
        out += QStringLiteral("|%1|%2|%3|%4|%5|%6")
                   .arg(a.sport, a.name, a.start.toString(Qt::ISODateWithMs))
                   .arg(a.seconds, 0, 'g', 17)
                   .arg(a.meters, 0, 'g', 17)
                   .arg(a.track.points.size());
        for (const Track::Point& t : a.track.points)
            out += QStringLiteral(";%1,%2,%3,%4,%5,%6,%7,%8")
                       .arg(t.ms)
                       .arg(t.lat, 0, 'g', 17)
                       .arg(t.lon, 0, 'g', 17)
                       .arg(t.ele, 0, 'g', 17)
                       .arg(t.distance, 0, 'g', 17)
                       .arg(t.hr)
                       .arg(t.cad)
                       .arg(t.newSegment);
        for (const Track::Lap& l : a.track.laps)
            out += QStringLiteral(";lap %1,%2,%3").arg(l.startMs).arg(l.seconds).arg(l.meters);
    }
    return out;
}

QString read(const QByteArray& bytes, bool tcx, GpsTrack::Xml which) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return described(tcx ? GpsTrack::readTcx(buffer, which) : GpsTrack::readGpx(buffer, which));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (bool tcx : {false, true}) {
        const QString quick = read(bytes, tcx, GpsTrack::Xml::Quick);
        const QString general = read(bytes, tcx, GpsTrack::Xml::General);
        FUZZ_CHECK(quick == general, "%s: quick\n%s\ngeneral\n%s", tcx ? "TCX" : "GPX", qPrintable(quick),
                   qPrintable(general));
    }
    return 0;
}
