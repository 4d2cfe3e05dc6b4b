#include "pictures/picture_integrity.h"
#include "support/crafted_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTest>

using namespace vintora;

namespace {

QByteArray encoded(const char *format, bool progressive = false)
{
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// A white and black 1 x 1 GIF, as small as the format allows.
const QByteArray kGif("GIF89a\x01\0\x01\0\x80\0\0\xFF\xFF\xFF\0\0\0"
                      ",\0\0\0\0\x01\0\x01\0\0\x02\x02\x44\x01\0;",
                      35);

// A 70-byte BMP whose header claims 0x7FFFFFFF x 0x7FFFFFFF pixels of 65535
// bits each, uncompressed, with 16 bytes of rows after the 54-byte header.
const QByteArray kHugeBmp = QByteArray::fromHex("424D 46000000 00000000 36000000"
                                                "28000000 FFFFFF7F FFFFFF7F 0100 FFFF"
                                                "00000000 00000000 130B0000 130B0000"
                                                "00000000 00000000"
                                                "00000000000000000000000000000000");

} // namespace

class TestPictureIntegrity : public QObject
{
    Q_OBJECT

private slots:
    void complete_or_cut_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("complete");
        const QByteArray jpeg = encoded("jpeg");
        const QByteArray progressive = encoded("jpeg", true);
        const QByteArray png = encoded("png");
        const QByteArray bmp = encoded("bmp");
        QTest::newRow("jpeg") << jpeg << true;
        QTest::newRow("jpeg, data after its end") << jpeg + "trailing" << true;
        QTest::newRow("jpeg cut in its data") << jpeg.left(jpeg.size() * 6 / 10) << false;
        QTest::newRow("jpeg without its end marker") << jpeg.chopped(2) << false;
        QTest::newRow("jpeg cut in its header") << jpeg.left(30) << false;
        QTest::newRow("progressive jpeg") << progressive << true;
        QTest::newRow("progressive jpeg cut after a scan")
                << progressive.left(progressive.lastIndexOf("\xFF\xDA")) << false;
        QTest::newRow("png") << png << true;
        QTest::newRow("png without its end chunk") << png.chopped(12) << false;
        QTest::newRow("png cut in its data") << png.left(png.size() / 2) << false;
        QTest::newRow("gif") << kGif << true;
        QTest::newRow("gif without its trailer") << kGif.chopped(1) << true;
        QTest::newRow("gif cut in its picture") << kGif.chopped(3) << false;
        QTest::newRow("gif frame of 300 x 300 from 2 bytes of data")
                << crafted_pictures::gifDeclaring({300, 300}, {300, 300}) << false;
        QTest::newRow("gif frame of 181 x 181 from 2 bytes of data")
                << crafted_pictures::gifDeclaring({181, 181}, {181, 181}) << true;
        QTest::newRow("bmp") << bmp << true;
        QTest::newRow("bmp cut in its rows") << bmp.chopped(10) << false;
        QTest::newRow("bmp, rows past any file size") << kHugeBmp << false;
        QTest::newRow("another format") << QByteArray("P3 1 1 255 0 0 0") << true;
    }

    void complete_or_cut()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, complete);
        QCOMPARE(PictureLooksComplete(bytes), complete);
    }

    void device_read_from_its_position_and_put_back()
    {
        QByteArray bytes = "prefix" + encoded("png");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        buffer.seek(6);
        QVERIFY(PictureLooksComplete(buffer));
        QCOMPARE(buffer.pos(), qint64(6));
        buffer.seek(0);
        QVERIFY(PictureLooksComplete(buffer)); // "prefix" is no format it knows
    }
};

QTEST_GUILESS_MAIN(TestPictureIntegrity)
#include "test_picture_integrity.moc"
