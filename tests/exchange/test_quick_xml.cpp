// GPX and TCX files read by the quick reader give what the general reader gives, and the quick
// reader hands each file it cannot read in full to the general one.
#include "GpsTrack.h"
#include "ParsedTrackText.h"
#include "QuickXml.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

GpsTrack::Parsed read(const QByteArray& bytes, bool tcx, GpsTrack::Xml which) {
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return tcx ? GpsTrack::readTcx(buffer, which) : GpsTrack::readGpx(buffer, which);
}

struct XmlCase {
    const char* name;
    QByteArray xml;
    bool quick; // the quick reader reads it to its end
};

const QByteArray Pt = "<trkpt lat=\"1.5\" lon='2'><ele> 3.25 </ele><time>2026-06-06T07:00:00Z</time></trkpt>"
                      "<trkpt lat=\"1.5001\" lon=\"2.0001\"><time>2026-06-06T07:00:10.5+02:00</time>"
                      "<extensions><x:e><x:hr>150</x:hr><x:cad>80</x:cad></x:e></extensions></trkpt>";

QByteArray gpx(const QByteArray& name, const QByteArray& points = Pt, const QByteArray& head = "") {
    return head + "<gpx xmlns:x=\"urn:x\"><trk><name>" + name + "</name><type>run</type><trkseg>" + points +
           "</trkseg></trk></gpx>";
}

class QuickAndGeneral : public ::testing::TestWithParam<XmlCase> {};

TEST_P(QuickAndGeneral, GiveTheSame) {
    const XmlCase& c = GetParam();
    const bool tcx = c.xml.contains("TrainingCenterDatabase");
    EXPECT_EQ(parsedTrackText(read(c.xml, tcx, GpsTrack::Xml::Quick)).toStdString(),
              parsedTrackText(read(c.xml, tcx, GpsTrack::Xml::General)).toStdString());
    QuickXml quick(c.xml);
    while (quick.readNext() != QuickXml::Finished)
        ;
    EXPECT_EQ(!quick.unsupported(), c.quick);
}

INSTANTIATE_TEST_SUITE_P(
    Files, QuickAndGeneral,
    ::testing::Values(
        XmlCase{"Plain", gpx("Loop", Pt, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"), true},
        XmlCase{"References", gpx("A &amp; B &#233;&#x1F600; &lt;"), true},
        XmlCase{"LineEndsAndCommentsInText", gpx("Line\r\none\rtwo<!-- c -->three"), true},
        XmlCase{"Utf8AndBom", gpx("Zürich", Pt, "\xEF\xBB\xBF"), true},
        XmlCase{"EmptyElementsAndNumbersOddlyWritten",
                gpx("", "<trkpt lat=\"+1.5e0\" lon=\"-2.\"/><trkpt lat=\".5\" lon=\"0x10\"><ele>1e999</ele>"
                        "<time>2026-06-06T07:00:00</time></trkpt>"),
                true},
        XmlCase{"TimesOfOtherShapes",
                gpx("", "<trkpt lat=\"0\" lon=\"0\"><time> 2026-06-06T07:00Z </time></trkpt>"), true},
        XmlCase{"Latin1", gpx("Z\xFCrich", Pt, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"), false},
        XmlCase{"Doctype", gpx("x", Pt, "<!DOCTYPE gpx>"), false},
        XmlCase{"Cdata", gpx("<![CDATA[a<b]]>"), false}, XmlCase{"UnknownEntity", gpx("&nbsp;"), false},
        XmlCase{"MismatchedTags", gpx("x</trk><trk>"), false},
        XmlCase{"UndeclaredPrefix", gpx("<y:z/>"), false},
        XmlCase{"DuplicateAttribute", gpx("", "<trkpt lat=\"1\" lat=\"2\" lon=\"0\"/>"), false},
        XmlCase{"ReferenceInAttribute", gpx("", "<trkpt lat=\"&#49;\" lon=\"0\"/>"), false},
        XmlCase{"BadUtf8", gpx("\xC3("), false}, XmlCase{"CutShort", gpx("x").chopped(8), false},
        XmlCase{"TextAfterTheRoot", gpx("x") + "tail", false},
        XmlCase{"DashesInComment", gpx("<!-- a -- b -->"), false},
        // The general reader looks past a root of another name, and its error is the one given.
        XmlCase{"AnotherRootCutShort", "<d>", false},
        XmlCase{"TcxActivityInsideALap",
                "<TrainingCenterDatabase><Activity><Lap StartTime=\"2026-06-06T07:00:00Z\"><Activity>"
                "<TotalTimeSeconds>60</TotalTimeSeconds><DistanceMeters>5</DistanceMeters></Activity></Lap>"
                "</Activity></TrainingCenterDatabase>",
                true},
        XmlCase{
            "Tcx",
            "<TrainingCenterDatabase><Activities><Activity Sport=\" Running \"><Id>2026-06-06T07:00:00Z</Id>"
            "<Lap StartTime=\"2026-06-06T07:00:00Z\"><TotalTimeSeconds>60</TotalTimeSeconds><Track>"
            "<Trackpoint><Time>2026-06-06T07:00:00Z</Time><HeartRateBpm>\r\n <Value>141</Value>\r\n"
            "</HeartRateBpm><DistanceMeters>0</DistanceMeters></Trackpoint><Trackpoint>"
            "<Time>2026-06-06T07:01:00Z</Time><Position><LatitudeDegrees>x</LatitudeDegrees>"
            "<LongitudeDegrees>1</LongitudeDegrees></Position><DistanceMeters>250.5</DistanceMeters>"
            "</Trackpoint></Track></Lap></Activity></Activities></TrainingCenterDatabase>",
            true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
