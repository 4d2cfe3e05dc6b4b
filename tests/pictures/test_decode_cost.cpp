#include "pictures/thumbnail_decode.h"
#include "support/crafted_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

using namespace vintora;

namespace {

QByteArray encoded(QImage::Format format, const char *as)
{
    QImage image(1000, 1000, format);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, as);
    return bytes;
}

// The JPEG with a colour profile's APP2 segment of 100 bytes after its
// start.
QByteArray withProfileSegment(const QByteArray &jpeg)
{
    const QByteArray body = QByteArray("ICC_PROFILE\0\x01\x01", 14) + QByteArray(84, '\0');
    return jpeg.left(2) + QByteArray("\xff\xe2\x00\x64", 4) + body + jpeg.mid(2);
}

} // namespace

// What decoding a picture into its thumbnail costs, judged from its header
// before any pixel is read: the decode, the copy Qt makes to scale it
// smoothly where the decode is not in the form its scaling reads, and the
// coefficients libjpeg keeps whole for a progressive JPEG at any scale.
class TestDecodeCost : public QObject
{
    Q_OBJECT

private slots:
    void cost_judged_from_the_header_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("cost");
        using namespace crafted_pictures;
        // Every picture 1000 x 1000 made into a thumbnail of 100 x 100,
        // which costs 40,000 bytes, and as much again for what the reader
        // gives before it is brought to its exact size.
        QTest::newRow("png, 16 bits, rgb: 64-bit pixels, scaled as they are")
                << blackSixteenBitPng({1000, 1000}, false) << qint64(8'080'000);
        QTest::newRow("png, 16 bits, rgba: 64-bit pixels and a premultiplied copy")
                << blackSixteenBitPng({1000, 1000}, true) << qint64(16'080'000);
        QTest::newRow("png, 16 bits, rgb with a transparent colour: a copy too")
                << blackSixteenBitPng({1000, 1000}, false, true) << qint64(16'080'000);
        QTest::newRow("png, 8 bits, rgb: 32-bit pixels, scaled as they are")
                << encoded(QImage::Format_RGB32, "png") << qint64(4'080'000);
        QTest::newRow("png, 8 bits, rgba: 32-bit pixels and a premultiplied copy")
                << encoded(QImage::Format_ARGB32, "png") << qint64(8'080'000);
        QTest::newRow("gif, its screen and a copy, whatever its frame")
                << gifDeclaring({1000, 1000}, {1, 1}) << qint64(8'080'000);
        QTest::newRow("progressive jpeg, colour: three components' coefficients")
                << shortProgressiveJpeg({1000, 1000}, 3) << qint64(6'142'500);
        QTest::newRow("progressive jpeg, grey: one component's coefficients")
                << shortProgressiveJpeg({1000, 1000}, 1) << qint64(2'142'500);
        QTest::newRow("baseline jpeg: decoded at 1/8, row by row")
                << uniformGreyJpeg({1000, 1000}, JpegKind::Baseline) << qint64(142'500);
        QTest::newRow("baseline jpeg with a colour profile: 4 MiB for its conversion too")
                << withProfileSegment(uniformGreyJpeg({1000, 1000}, JpegKind::Baseline))
                << qint64(4'336'804);
    }

    void cost_judged_from_the_header()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, cost);
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        const PictureHeader header = ReadPictureHeader(in);
        QVERIFY(header.isValid());
        QCOMPARE(ThumbnailDecodeBytes(header, {100, 100}), cost);
    }
};

QTEST_GUILESS_MAIN(TestDecodeCost)
#include "test_decode_cost.moc"
