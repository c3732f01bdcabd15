// GPX and TCX reading on any bytes: the quick reader gives exactly what the general reader
// gives, whether it reads the bytes itself or hands them over.
#include "FuzzSupport.h"
#include "GpsTrack.h"
#include "ParsedTrackText.h"

#include <QBuffer>

namespace {

QString read(const QByteArray& bytes, bool tcx, GpsTrack::Xml which) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return parsedTrackText(tcx ? GpsTrack::readTcx(buffer, which) : GpsTrack::readGpx(buffer, which));
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
