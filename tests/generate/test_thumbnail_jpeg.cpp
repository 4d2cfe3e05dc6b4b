#include "generate/thumbnail_jpeg.h"

#include <QTest>

#include <memory>

using namespace vintora;

class TestThumbnailJpeg : public QObject
{
    Q_OBJECT

private slots:
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
