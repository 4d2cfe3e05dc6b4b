// Every picture of the artwork at its own size and drawn again at twice it.

#include "wizard/controls/artwork.h"

#include <QGuiApplication>
#include <QImage>
#include <QTest>

using namespace vintora;

namespace {

// The mean difference per colour channel between the picture at twice the
// size, each 2 x 2 block averaged, and the picture at its size.
double meanDifference(const QImage &sharp, const QImage &plain)
{
    qint64 sum = 0;
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb p = plain.pixel(x, y);
            int r = 0, g = 0, b = 0;
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                const QRgb s = sharp.pixel(2 * x + d.x(), 2 * y + d.y());
                r += qRed(s), g += qGreen(s), b += qBlue(s);
            }
            sum += qAbs(r / 4 - qRed(p)) + qAbs(g / 4 - qGreen(p)) + qAbs(b / 4 - qBlue(p));
        }
    }
    return double(sum) / (3.0 * plain.width() * plain.height());
}

// The share of 2 x 2 blocks whose four pixels are not all alike: none in a
// picture that was only enlarged pixel by pixel.
double detailedBlocks(const QImage &sharp)
{
    int detailed = 0;
    for (int y = 0; y + 1 < sharp.height(); y += 2)
        for (int x = 0; x + 1 < sharp.width(); x += 2) {
            const QRgb p = sharp.pixel(x, y);
            detailed += p != sharp.pixel(x + 1, y) || p != sharp.pixel(x, y + 1)
                                        || p != sharp.pixel(x + 1, y + 1)
                                ? 1
                                : 0;
        }
    return double(detailed) / ((sharp.width() / 2) * (sharp.height() / 2));
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void every_picture_at_twice_its_size_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const std::pair<const char *, QSize> pictures[] = {
                {"sidebar", {185, 354}},        {"button_back", {89, 36}},
                {"button_fore", {89, 36}},      {"button_fin", {89, 36}},
                {"icon_readme", {30, 31}},      {"icon_mail", {33, 31}},
                {"icon_web", {32, 30}},         {"layout_table", {60, 61}},
                {"layout_generic", {60, 61}},   {"packaging_copy", {60, 61}},
                {"packaging_nocopy", {60, 61}}, {"browser_window", {220, 200}},
                {"vintora_icon", {32, 32}},
        };
        for (const auto &[name, size] : pictures)
            QTest::newRow(name) << QString(name) << size;
    }
    void every_picture_at_twice_its_size()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QByteArray key = name.toLatin1();
        const QPixmap plain = artworkAt(key.constData(), 1);
        const QPixmap sharp = artworkAt(key.constData(), 2);
        QCOMPARE(plain.size(), size);
        QCOMPARE(plain.devicePixelRatio(), 1.0);
        QCOMPARE(sharp.size(), size * 2);
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(size));
        // The same picture, drawn with more detail rather than enlarged.
        QVERIFY(meanDifference(sharp.toImage(), plain.toImage()) < 8);
        QVERIFY(detailedBlocks(sharp.toImage()) > 0.05);
        // On this screen (one device pixel to a pixel) the plain one.
        QCOMPARE(artwork(key.constData()).size(), size);
    }

    void window_icon_offers_both_sizes()
    {
        const QList<QSize> sizes = artworkIcon("vintora_icon").availableSizes();
        QCOMPARE(sizes, (QList<QSize>{{32, 32}, {64, 64}}));
    }
};

QTEST_MAIN(TestArtwork)
#include "test_artwork.moc"
