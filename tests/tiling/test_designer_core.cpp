#include "pictures/picture_loading.h"
#include "tiling/preview_geometry.h"
#include "tiling/tile_picture.h"

#include "support/crafted_pictures.h"
#include "support/picture_files.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

QList<QPoint> grid(int xStep, int xLast, int yStep, int yLast)
{
    QList<QPoint> points;
    for (int x = 0; x <= xLast; x += xStep)
        for (int y = 0; y <= yLast; y += yStep)
            points.append(QPoint(x, y));
    return points;
}

const QSize kPreview(217, 161); // 3255 x 2415 twips
const QSizeF kPreviewTwips(3255, 2415);

} // namespace

class TestDesignerCore : public QObject
{
    Q_OBJECT

private slots:
    void tile_positions_data()
    {
        QTest::addColumn<QSize>("tile");
        QTest::addColumn<QSize>("surface");
        QTest::addColumn<bool>("overflow");
        QTest::addColumn<QList<QPoint>>("expected");
        QTest::newRow("100 x 50: 12 tiles")
                << QSize(100, 50) << kPreview << false << grid(100, 200, 50, 150);
        QTest::newRow("31 wide: last column at 217, outside")
                << QSize(31, 200) << kPreview << false << grid(31, 217, 200, 0);
        QTest::newRow("exact size: bounds inclusive")
                << kPreview << kPreview << false << grid(217, 217, 161, 161);
        QTest::newRow("larger than the surface: once")
                << QSize(300, 200) << kPreview << false << grid(1, 0, 1, 0);
        QTest::newRow("zero width") << QSize(0, 50) << kPreview << false << QList<QPoint>();
        QTest::newRow("zero height") << QSize(50, 0) << kPreview << false << QList<QPoint>();
        QTest::newRow("last step lands on 32700")
                << QSize(100, 100) << QSize(32699, 0) << false << grid(100, 32699, 100, 0);
        QTest::newRow("column step past 32767")
                << QSize(100, 100) << QSize(32767, 0) << true << QList<QPoint>();
        QTest::newRow("row step past 32767")
                << QSize(100, 100) << QSize(0, 32700) << true << QList<QPoint>();
        QTest::newRow("tile wider than 16 bits")
                << QSize(40000, 1) << kPreview << true << QList<QPoint>();
    }
    void tile_positions()
    {
        QFETCH(QSize, tile);
        QFETCH(QSize, surface);
        QFETCH(bool, overflow);
        QFETCH(QList<QPoint>, expected);
        const auto positions = tilePositions(tile, surface);
        QCOMPARE(!positions, overflow);
        if (positions)
            QCOMPARE(*positions, expected);
    }

    void composition_repeats_the_source_data()
    {
        QTest::addColumn<QSize>("tile");
        QTest::newRow("100 x 50") << QSize(100, 50);
        QTest::newRow("31 x 20") << QSize(31, 20);
        QTest::newRow("larger than the surface") << QSize(300, 200);
        QTest::newRow("1 x 1") << QSize(1, 1);
    }
    void composition_repeats_the_source()
    {
        QFETCH(QSize, tile);
        const QImage source = picture_files::pattern(tile);
        const auto image = TilePicture(kPreviewTwips, source, Qt::white);
        QVERIFY(image);
        QCOMPARE(image->size(), kPreview);
        for (int y = 0; y < kPreview.height(); ++y)
            for (int x = 0; x < kPreview.width(); ++x)
                if (image->pixel(x, y) != source.pixel(x % tile.width(), y % tile.height()))
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
    }

    // Each tile is the picture drawn over the back colour, whatever the
    // picture's format: the same pixels as drawing every copy with a painter.
    void composition_as_a_painter_draws_it_data()
    {
        QTest::addColumn<QImage>("source");
        QImage translucent(7, 5, QImage::Format_ARGB32);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                translucent.setPixel(x, y, qRgba(x * 30, y * 50, 200, (x + y) * 25));
        QTest::newRow("translucent") << translucent;
        QTest::newRow("premultiplied")
                << translucent.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QTest::newRow("indexed") << translucent.convertToFormat(QImage::Format_Indexed8);
        QTest::newRow("rgb888") << translucent.convertToFormat(QImage::Format_RGB888);
        QTest::newRow("wide and flat") << translucent.scaled(150, 3);
    }
    void composition_as_a_painter_draws_it()
    {
        QFETCH(QImage, source);
        const QColor back(10, 120, 230);
        QImage expected(kPreview, QImage::Format_RGB32);
        expected.fill(back);
        QPainter painter(&expected);
        const QList<QPoint> positions = *tilePositions(source.size(), kPreview);
        for (const QPoint &at : positions)
            painter.drawImage(at, source);
        painter.end();
        QCOMPARE(*TilePicture(kPreviewTwips, source, back), expected);
    }

    void composition_edge_cases()
    {
        QImage clear(10, 10, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QCOMPARE(TilePicture(kPreviewTwips, clear, Qt::blue)->pixel(15, 15), qRgb(0, 0, 255));
        QCOMPARE(TilePicture(kPreviewTwips, QImage(), Qt::blue)->size(), kPreview);
        QVERIFY(!TilePicture(kPreviewTwips, QImage(40000, 1, QImage::Format_RGB32), Qt::white));
        // A surface of 32767.5 pixels does not fit in 16 bits.
        QVERIFY(!TilePicture(QSizeF(491512.5, 15), clear, Qt::white));
    }

    void formats_load_at_natural_size_data()
    {
        static QTemporaryDir dir;
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        const QImage picture = picture_files::pattern(QSize(40, 30));
        for (const char *name : {"a.png", "a.jpg", "a.bmp"})
            QTest::newRow(name) << picture_files::write(dir.path(), name, picture) << QSize(40, 30);
        QTest::newRow("a.gif") << picture_files::writeBytes(dir.path(), "a.gif",
                                                            picture_files::gif1x1())
                               << QSize(1, 1);
        QFile::copy(dir.filePath("a.png"), dir.filePath("png.jpg"));
        QTest::newRow("png named .jpg") << dir.filePath("png.jpg") << QSize(40, 30);
    }
    void formats_load_at_natural_size()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        const LoadedPicture picture = loadPicture(path);
        QVERIFY2(picture.loaded(), qPrintable(picture.problem));
        QCOMPARE(picture.image.size(), size);
    }

    // Judged by kind, header and size before the rest is read: a file of
    // any size or a picture promising any number of pixels gives a line,
    // never a wait or a crash.
    void refused_before_reading_data()
    {
        static QTemporaryDir dir;
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        using namespace crafted_pictures;
        const QString sparse
                = picture_files::write(dir.path(), "huge.png", picture_files::pattern({40, 30}));
        QFile(sparse).resize(qint64(100) * 1000 * 1000 * 1000);
        QTest::newRow("file of 100 GB")
                << sparse << "\"huge.png\" is too large a file to read (100.0 GB).";
        QTest::newRow("gif of 16000 x 16000 in 35 bytes")
                << picture_files::writeBytes(dir.path(), "big.gif",
                                             gifDeclaring({16000, 16000}, {16000, 16000}))
                << "\"big.gif\" is too large to hold in memory (16000 × 16000 pixels).";
        QTest::newRow("progressive jpeg of 24000 x 24000 in 1 MB")
                << picture_files::writeBytes(dir.path(), "big.jpg",
                                             uniformGreyJpeg({24000, 24000}, JpegKind::Progressive))
                << "\"big.jpg\" is too large to hold in memory (24000 × 24000 pixels).";
    }
    void refused_before_reading()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        const LoadedPicture picture = loadPicture(path, QSize(20, 20));
        QCOMPARE(picture.problem, problem);
        QVERIFY(picture.image.isNull());
    }

    // A wizard at 1000, 2000 twips puts the preview at 1100, 2100 twips,
    // 73.33 and 140 pixels; pixels are rounded to nearest, halves to even.
    void preview_top_left_data()
    {
        QTest::addColumn<QPointF>("wizard");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("1000, 2000 twips") << QPointF(1000, 2000) << QPoint(73, 140);
        QTest::newRow("pixel 67, 133") << QPointF(1005, 1995) << QPoint(74, 140);
        QTest::newRow("halves: 7.5 and 6.5 pixels") << QPointF(12.5, -2.5) << QPoint(8, 6);
    }
    void preview_top_left()
    {
        QFETCH(QPointF, wizard);
        QFETCH(QPoint, expected);
        QCOMPARE(previewTopLeft(wizard), expected);
    }

    void preview_client_size_data()
    {
        QTest::addColumn<QSize>("content");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("fits") << QSize(202, 102) << QSize(202, 102);
        QTest::newRow("too wide: bar below") << QSize(900, 100) << QSize(700, 116);
        QTest::newRow("too high: bar beside") << QSize(100, 900) << QSize(116, 500);
        QTest::newRow("bar below makes it too high") << QSize(900, 490) << QSize(700, 500);
    }
    void preview_client_size()
    {
        QFETCH(QSize, content);
        QFETCH(QSize, expected);
        QCOMPARE(previewClientSize(content, QSize(700, 500), 16), expected);
    }

    void preview_client_limit()
    {
        const QRect screen(0, 0, 800, 600);
        const QMargins frame(4, 20, 4, 4);
        QCOMPARE(previewMaxClient(screen, {74, 140}, frame), QSize(718, 436));
        // Near the edge the window keeps a third of the screen each way.
        QCOMPARE(previewMaxClient(screen, {700, 550}, frame), QSize(258, 176));
    }
};

QTEST_GUILESS_MAIN(TestDesignerCore)
#include "test_designer_core.moc"
