#include "pictures/thumbnail_jpeg.h"

#include <QTest>

#include <memory>

using namespace vintora;

class TestThumbnailJpeg : public QObject
{
    Q_OBJECT

private slots:
    // A refinement of the higher frequencies is left out, the rest kept.
    // The frame has no components, so that every scan is one the decode at
    // 1/8 reads only the DC of.
    void refinement_left_out_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<QByteArray>("lighter");
        QTest::newRow("refinement scan")
                << QByteArray::fromHex("FFD8 FFC20008080001000100 FFDA0006 00 013F10 1234 FFD9")
                << QByteArray::fromHex("FFD8 FFC20008080001000100 FFD9");
        QTest::newRow("restart marker between segments")
                << QByteArray::fromHex(
                           "FFD8 FFC20008080001000100 FFD0 FFDA0006 00 013F10 1234 FFD9")
                << QByteArray::fromHex("FFD8 FFC20008080001000100 FFD9");
    }

    void refinement_left_out()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(QByteArray, lighter);
        QCOMPARE(JpegForOneEighth(jpeg), lighter);
    }

    // Progressive JPEGs whose structure breaks off give nothing to decode
    // instead; none is read past its end.
    void broken_structure_gives_nothing_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::newRow("scan header without its count of components")
                << QByteArray::fromHex("FFD8 FFC20008 08 0001 0001 00 FFDA0002");
    }

    void broken_structure_gives_nothing()
    {
        QFETCH(QByteArray, jpeg);
        // In a buffer of exactly its size, so that a sanitized build sees a
        // read past the end (a QByteArray has a terminating zero after it).
        const auto exact = std::make_unique<char[]>(size_t(jpeg.size()));
        std::copy(jpeg.begin(), jpeg.end(), exact.get());
        QCOMPARE(JpegForOneEighth(QByteArrayView(exact.get(), jpeg.size())), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestThumbnailJpeg)
#include "test_thumbnail_jpeg.moc"
