#include "pictures/picture_facts.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

using namespace vintora;

namespace {

// An entry of an IFD: its tag, its bytes and its EXIF format (2 is ASCII,
// written with a closing NUL; 7 is UNDEFINED, written as it is).
struct Tag
{
    quint16 tag;
    QByteArray bytes;
    quint16 format = 2;
};
using Tags = QList<Tag>;

QByteArray big16(quint16 v)
{
    return QByteArray(1, char(v >> 8)) + char(v & 0xFF);
}

QByteArray big32(quint32 v)
{
    return big16(quint16(v >> 16)) + big16(quint16(v & 0xFFFF));
}

// One IFD of the entries (and a LONG pointer for 0x8769) starting at
// offset start of the TIFF data; their bytes follow it.
QByteArray ifd(const Tags &tags, quint32 start, quint32 exifPointer = 0)
{
    const int count = int(tags.size()) + (exifPointer ? 1 : 0);
    quint32 dataAt = start + 2 + 12 * count + 4;
    QByteArray entries = big16(quint16(count)), data;
    for (const auto &[tag, bytes, format] : tags) {
        const QByteArray value = format == 2 ? bytes + '\0' : bytes;
        entries += big16(tag) + big16(format) + big32(quint32(value.size()));
        if (value.size() <= 4) {
            entries += value.leftJustified(4, '\0');
        } else {
            entries += big32(dataAt + quint32(data.size()));
            data += value;
        }
    }
    if (exifPointer)
        entries += big16(0x8769) + big16(4) + big32(1) + big32(exifPointer);
    return entries + big32(0) + data;
}

// The JPEG with an APP1 segment holding the TIFF data after its start.
QByteArray withSegment(const QByteArray &jpeg, const QByteArray &tiff)
{
    const QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
    return jpeg.left(2) + "\xFF\xE1" + big16(quint16(app1.size() + 2)) + app1 + jpeg.mid(2);
}

// A small JPEG with an EXIF segment: the main IFD holds main, a second
// (the EXIF IFD) holds exif.
QByteArray jpegWithExif(const Tags &main, const Tags &exif)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::gray);
    image.save(&buffer, "JPEG");

    if (exif.isEmpty())
        return withSegment(jpeg, QByteArray("MM\0\x2A", 4) + big32(8) + ifd(main, 8));
    // The main IFD's size is known before the pointer's value is.
    const quint32 exifAt = quint32(8 + ifd(main, 8, 1).size());
    return withSegment(jpeg, QByteArray("MM\0\x2A", 4) + big32(8) + ifd(main, 8, exifAt)
                                     + ifd(exif, exifAt));
}

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

    void nothing_from_pictures_without_exif_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray plain;
        QBuffer buffer(&plain);
        buffer.open(QIODevice::WriteOnly);
        QImage(4, 4, QImage::Format_RGB32).save(&buffer, "JPEG");
        const QByteArray whole = jpegWithExif({{0x010F, "Canon"}}, {});
        QTest::newRow("JPEG without EXIF") << plain;
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
