#include "pictures/picture_facts.h"
#include "support/metadata_bytes.h"

#include <QTest>

using namespace vintora;
using namespace metadata_bytes;

namespace {

// A small JPEG with an EXIF segment: the main IFD holds main, a second
// (the EXIF IFD) holds exif, a third (the GPS IFD) gps.
QByteArray jpegWithExif(const Tags &main, const Tags &exif, const Tags &gps = {})
{
    return jpegWith({exifSegment(tiff(main, exif, gps))});
}

// The description in XMP, in one language.
QByteArray xmpDescription(const QByteArray &language, const QByteArray &text)
{
    return "<dc:description><rdf:Alt><rdf:li xml:lang=\"" + language + "\">" + text
           + "</rdf:li></rdf:Alt></dc:description>";
}

const Tags kPhone{{0x010F, "Apple"}, {0x0110, "iPhone 12"}};

} // namespace

class TestPictureFacts : public QObject
{
    Q_OBJECT

private slots:
    void reads_date_and_camera_data()
    {
        QTest::addColumn<Tags>("main");
        QTest::addColumn<Tags>("exif");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("camera");
        QTest::newRow("original before DateTime, make in the model")
                << Tags{{0x010F, "Canon"},
                        {0x0110, "Canon EOS 80D"},
                        {0x0132, "2023:01:01 00:00:00"}}
                << Tags{{0x9003, "2024:05:01 12:33:10"}} << "2024-05-01T12:33:10"
                << "Canon EOS 80D";
        QTest::newRow("DateTime alone, make not in the model")
                << Tags{{0x010F, "Apple"}, {0x0110, "iPhone 12"}, {0x0132, "2021:02:03 04:05:06"}}
                << Tags{} << "2021-02-03T04:05:06"
                << "Apple iPhone 12";
        QTest::newRow("first word of the make in the model")
                << Tags{{0x010F, "NIKON CORPORATION"}, {0x0110, "NIKON D750"}} << Tags{} << ""
                << "NIKON D750";
        QTest::newRow("clock not set, padded make")
                << Tags{{0x010F, "SONY    "}} << Tags{{0x9003, "0000:00:00 00:00:00"}} << ""
                << "SONY";
        QTest::newRow("make stored as bytes, not text")
                << Tags{{0x010F, "Canon", 7}, {0x0110, "EOS 80D"}} << Tags{} << ""
                << "EOS 80D";
        QTest::newRow("no date invented, UTF-8 model") << Tags{{0x0110, "Caméra 1"}} << Tags{} << ""
                                                       << "Caméra 1";
    }
    void reads_date_and_camera()
    {
        QFETCH(Tags, main);
        QFETCH(Tags, exif);
        QFETCH(QString, taken);
        QFETCH(QString, camera);
        const PictureFacts facts = ReadPictureFacts(jpegWithExif(main, exif));
        QCOMPARE(facts.taken, taken);
        QCOMPARE(facts.camera, camera);
    }

    void reads_offset_lens_and_exposure_data()
    {
        QTest::addColumn<Tags>("exif");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("lens");
        QTest::addColumn<QString>("exposure");
        QTest::newRow("a phone's photograph") << Tags{{0x9003, "2024:05:01 12:33:10"},
                                                      {0x9011, "+02:00"},
                                                      rational(0x829A, 1, 120),
                                                      rational(0x829D, 8, 5),
                                                      shortTag(0x8827, 50),
                                                      rational(0x920A, 42, 10),
                                                      {0xA434, "iPhone 12 back camera 4.2mm f/1.6"}}
                                              << "+02:00"
                                              << "iPhone 12 back camera 4.2mm f/1.6"
                                              << "1/120 s, f/1.6, ISO 50, 4.2 mm";
        QTest::newRow("seconds, and the aperture as an APEX value")
                << Tags{rational(0x829A, 5, 2), rational(0x9202, 6, 1)} << ""
                << ""
                << "2.5 s, f/8";
        QTest::newRow("under a second but long") << Tags{rational(0x829A, 2, 5)} << ""
                                                 << ""
                                                 << "1/2.5 s";
        QTest::newRow("the speed past what 16 bits hold, offset west")
                << Tags{{0x9003, "2024:05:01 12:33:10"},
                        {0x9011, "-05:30"},
                        shortTag(0x8827, 65535),
                        rational(0x829D, 11, 1)}
                << "-05:30"
                << ""
                << "f/11";
        QTest::newRow("blank offset, zeros, a lens of dashes")
                << Tags{{0x9003, "2024:05:01 12:33:10"},
                        {0x9011, "   :  "},
                        rational(0x829D, 0, 0),
                        shortTag(0x8827, 0),
                        {0xA434, "----"}}
                << ""
                << ""
                << "";
        QTest::newRow("an offset without a date taken")
                << Tags{{0x9011, "+01:00"}, shortTag(0x8827, 6400)} << ""
                << ""
                << "ISO 6400";
    }
    void reads_offset_lens_and_exposure()
    {
        QFETCH(Tags, exif);
        QFETCH(QString, offset);
        QFETCH(QString, lens);
        QFETCH(QString, exposure);
        const PictureFacts facts = ReadPictureFacts(jpegWithExif(kPhone, exif));
        QCOMPARE(facts.takenOffset, offset);
        QCOMPARE(facts.lens, lens);
        QCOMPARE(facts.exposure, exposure);
        QCOMPARE(facts.camera, QString("Apple iPhone 12"));
    }

    void reads_the_description_data()
    {
        QTest::addColumn<Tags>("main");
        QTest::addColumn<QByteArray>("xmp");
        QTest::addColumn<QByteArray>("iptcCaption");
        QTest::addColumn<QString>("description");
        QTest::newRow("XMP first")
                << Tags{{0x010E, "From EXIF"}} << xmpDescription("x-default", "From XMP")
                << QByteArray("From IPTC") << "From XMP";
        QTest::newRow("then IPTC, past a camera's placeholder")
                << Tags{{0x010E, "OLYMPUS DIGITAL CAMERA"}} << QByteArray()
                << QByteArray("From IPTC") << "From IPTC";
        QTest::newRow("then EXIF, past an XMP placeholder")
                << Tags{{0x010E, "Harbour at dawn"}} << xmpDescription("x-default", "SONY DSC")
                << QByteArray() << "Harbour at dawn";
        QTest::newRow("a placeholder alone")
                << Tags{{0x010E, "OLYMPUS DIGITAL CAMERA"}} << QByteArray() << QByteArray() << "";
        QTest::newRow("a padded placeholder")
                << Tags{{0x010E, "SONY DSC        "}} << QByteArray() << QByteArray() << "";
        QTest::newRow("the camera's name")
                << Tags{{0x010E, "Apple iPhone 12"}} << QByteArray() << QByteArray() << "";
        QTest::newRow("blanks") << Tags{{0x010E, "    "}} << QByteArray() << QByteArray() << "";
        QTest::newRow("in one other language")
                << Tags{} << xmpDescription("de", "Am Strand") << QByteArray() << "Am Strand";
    }
    void reads_the_description()
    {
        QFETCH(Tags, main);
        QFETCH(QByteArray, xmp);
        QFETCH(QByteArray, iptcCaption);
        QFETCH(QString, description);
        QList<QByteArray> segments{exifSegment(tiff(kPhone + main))};
        if (!xmp.isEmpty())
            segments.append(xmpSegment(xmpPacket(xmp)));
        if (!iptcCaption.isEmpty())
            segments.append(iptcSegment(iptcDataSet(120, iptcCaption)));
        QCOMPARE(ReadPictureFacts(jpegWith(segments)).description, description);
    }

    void reads_the_date_from_xmp_data()
    {
        QTest::addColumn<Tags>("main");
        QTest::addColumn<QByteArray>("xmp");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("offset");
        QTest::newRow("taken, with a fraction and an offset")
                << Tags{}
                << QByteArray("<exif:DateTimeOriginal>2024-05-01T12:33:10.5+02:00</"
                              "exif:DateTimeOriginal>")
                << "2024-05-01T12:33:10"
                << "+02:00";
        QTest::newRow("created, in minutes at UTC")
                << Tags{}
                << QByteArray("<photoshop:DateCreated>2023-12-24T18:00Z</photoshop:DateCreated>")
                << "2023-12-24T18:00:00"
                << "+00:00";
        QTest::newRow("a day without a time")
                << Tags{} << QByteArray("<photoshop:DateCreated>2023-12-24</photoshop:DateCreated>")
                << ""
                << "";
        QTest::newRow("EXIF's before XMP's")
                << Tags{{0x0132, "2021:02:03 04:05:06"}}
                << QByteArray("<photoshop:DateCreated>2023-12-24T18:00Z</photoshop:DateCreated>")
                << "2021-02-03T04:05:06"
                << "";
    }
    void reads_the_date_from_xmp()
    {
        QFETCH(Tags, main);
        QFETCH(QByteArray, xmp);
        QFETCH(QString, taken);
        QFETCH(QString, offset);
        const PictureFacts facts = ReadPictureFacts(
                jpegWith({exifSegment(tiff(kPhone + main)), xmpSegment(xmpPacket(xmp))}));
        QCOMPARE(facts.taken, taken);
        QCOMPARE(facts.takenOffset, offset);
    }

    void tells_whether_it_holds_where_it_was_taken_data()
    {
        QTest::addColumn<Tags>("gps");
        QTest::addColumn<QByteArray>("xmp");
        QTest::addColumn<QByteArray>("iptc");
        QTest::addColumn<bool>("hasLocation");
        const Tag latitude
                = {0x0002, big32(48) + big32(1) + big32(51) + big32(1) + big32(30) + big32(1), 5};
        QTest::newRow("EXIF coordinates")
                << Tags{{0x0001, "N"}, latitude} << QByteArray() << QByteArray() << true;
        QTest::newRow("a GPS block with its version alone")
                << Tags{{0x0000, QByteArray("\x02\x03\0\0", 4), 1}} << QByteArray() << QByteArray()
                << false;
        QTest::newRow("XMP coordinates")
                << Tags{} << QByteArray("<exif:GPSLongitude>2,17.67E</exif:GPSLongitude>")
                << QByteArray() << true;
        QTest::newRow("an IPTC city") << Tags{} << QByteArray() << iptcDataSet(90, "Paris") << true;
        QTest::newRow("an XMP sub-location")
                << Tags{} << QByteArray("<Iptc4xmpCore:Location>Old Town</Iptc4xmpCore:Location>")
                << QByteArray() << true;
        QTest::newRow("a blank XMP country")
                << Tags{} << QByteArray("<photoshop:Country> </photoshop:Country>") << QByteArray()
                << false;
        QTest::newRow("nothing of the kind") << Tags{} << QByteArray() << QByteArray() << false;
    }
    void tells_whether_it_holds_where_it_was_taken()
    {
        QFETCH(Tags, gps);
        QFETCH(QByteArray, xmp);
        QFETCH(QByteArray, iptc);
        QFETCH(bool, hasLocation);
        QList<QByteArray> segments{exifSegment(tiff(kPhone, {}, gps))};
        if (!xmp.isEmpty())
            segments.append(xmpSegment(xmpPacket(xmp)));
        if (!iptc.isEmpty())
            segments.append(iptcSegment(iptc));
        QCOMPARE(ReadPictureFacts(jpegWith(segments)).hasLocation, hasLocation);
    }

    void finds_exif_wherever_it_stands_data()
    {
        QTest::addColumn<QList<QByteArray>>("before");
        const QByteArray comment = segment(0xFE, "Edited with a photo editor");
        const QByteArray sixtyKb = segment(0xE2, QByteArray(60000, 'p'));
        QTest::newRow("after a comment segment") << QList<QByteArray>{comment};
        QTest::newRow("after 120 KB of other segments") << QList<QByteArray>(2, sixtyKb);
        QTest::newRow("after a comment and 600 KB of other segments")
                << QList<QByteArray>{comment} + QList<QByteArray>(10, sixtyKb);
    }
    void finds_exif_wherever_it_stands()
    {
        QFETCH(QList<QByteArray>, before);
        const QByteArray exif = exifSegment(tiff({{0x010F, "Canon"}, {0x0110, "Canon EOS 80D"}},
                                                 {{0x9003, "2024:05:01 12:33:10"}}));
        QString note;
        const PictureFacts facts = ReadPictureFacts(jpegWith(before + QList{exif}), &note);
        QCOMPARE(facts.taken, QString("2024-05-01T12:33:10"));
        QCOMPARE(facts.camera, QString("Canon EOS 80D"));
        QCOMPARE(note, QString());
    }

    void bounds_its_work_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("camera");
        QTest::addColumn<int>("descriptionLength");
        QTest::addColumn<QString>("note");
        const QByteArray exif = exifSegment(tiff(kPhone));
        // The XMP of 10 MB in a PNG chunk, which (unlike a JPEG segment) can hold it.
        QTest::newRow("a 10 MB XMP block") << pngWith(
                {xmpChunk(xmpPacket(xmpDescription("x-default", QByteArray(10'000'000, 'd'))))})
                                           << "" << 0
                                           << "a block of its metadata over 1 MB was passed over";
        QTest::newRow("a description of 100,000 characters") << pngWith(
                {xmpChunk(xmpPacket(xmpDescription("x-default", QByteArray(100'000, 'd'))))})
                                                             << "" << 2000 << "";
        // The main IFD's next-IFD pointer leads back to the IFD itself.
        QByteArray looped = tiff(kPhone);
        const int nextAt = 8 + 2 + 12 * 2;
        looped.replace(nextAt, 4, big32(8));
        QTest::newRow("EXIF whose IFDs loop")
                << jpegWith({exifSegment(looped)}) << "Apple iPhone 12" << 0 << "";
        QTest::newRow("EXIF cut inside its main IFD")
                << jpegWith({exifSegment(tiff(kPhone).left(20))}) << "" << 0 << "";
    }
    void bounds_its_work()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, camera);
        QFETCH(int, descriptionLength);
        QFETCH(QString, note);
        QString told;
        const PictureFacts facts = ReadPictureFacts(bytes, &told);
        QCOMPARE(facts.camera, camera);
        QCOMPARE(facts.description.size(), descriptionLength);
        QCOMPARE(told, note);
    }

    void nothing_from_pictures_without_exif_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray whole = jpegWithExif({{0x010F, "Canon"}}, {});
        QTest::newRow("JPEG without EXIF") << smallJpeg({4, 4});
        QTest::newRow("cut inside the EXIF") << whole.left(30);
        QTest::newRow("PNG signature") << QByteArray("\x89PNG\r\n\x1A\n", 8);
        QTest::newRow("empty") << QByteArray();
    }
    void nothing_from_pictures_without_exif()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(ReadPictureFacts(bytes).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPictureFacts)
#include "test_picture_facts.moc"
