#pragma once

#include "GpsTrack.h"

#include <QStringList>

// Everything a GPX or TCX reading gives, as text, NaN and all, so that two readings compare
// whole (the quick and the general XML reader, in the tests and the fuzz target alike).
inline QString parsedTrackText(const GpsTrack::Parsed& p) {
    QStringList out{p.error, p.warning};
    for (const GpsTrack::Activity& a : p.activities) {
        out << QStringLiteral("%1|%2|%3|%4|%5")
                   .arg(a.sport, a.name, a.start.toString(Qt::ISODateWithMs))
                   .arg(a.seconds, 0, 'g', 17)
                   .arg(a.meters, 0, 'g', 17);
        for (const Track::Point& t : a.track.points)
            out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                       .arg(t.ms)
                       .arg(t.lat, 0, 'g', 17)
                       .arg(t.lon, 0, 'g', 17)
                       .arg(t.ele, 0, 'g', 17)
                       .arg(t.distance, 0, 'g', 17)
                       .arg(t.hr)
                       .arg(t.cad)
                       .arg(t.newSegment);
        for (const Track::Lap& l : a.track.laps)
            out << QStringLiteral("lap %1 %2 %3").arg(l.startMs).arg(l.seconds).arg(l.meters);
    }
    return out.join('\n');
}
