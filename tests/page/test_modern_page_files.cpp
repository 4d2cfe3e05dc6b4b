#include "page/modern_page_files.h"

#include <QTest>

using namespace vintora;

class TestModernPageFiles : public QObject
{
    Q_OBJECT

private slots:
    void screen_copy_sides_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QList<int>>("sides");
        QTest::newRow("1280 wide") << QSize(1280, 960) << QList<int>{};
        QTest::newRow("1280 tall") << QSize(720, 1280) << QList<int>{};
        QTest::newRow("1281 wide") << QSize(1281, 100) << QList<int>{1280};
        QTest::newRow("2048 wide") << QSize(2048, 1536) << QList<int>{1280};
        QTest::newRow("2049 wide") << QSize(2049, 10) << QList<int>{1280, 2048};
        QTest::newRow("12 MP portrait") << QSize(3024, 4032) << QList<int>{1280, 2048};
        QTest::newRow("unknown") << QSize() << QList<int>{};
    }
    void screen_copy_sides()
    {
        QFETCH(QSize, picture);
        QFETCH(QList<int>, sides);
        QCOMPARE(ScreenCopySides(picture), sides);
    }

    void screen_copy_size_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("side");
        QTest::addColumn<QSize>("size");
        QTest::newRow("landscape") << QSize(4032, 3024) << 1280 << QSize(1280, 960);
        QTest::newRow("portrait") << QSize(3024, 4032) << 2048 << QSize(1536, 2048);
        QTest::newRow("rounded") << QSize(4000, 2251) << 1280 << QSize(1280, 720);
        QTest::newRow("thin") << QSize(20000, 10) << 1280 << QSize(1280, 1);
    }
    void screen_copy_size()
    {
        QFETCH(QSize, picture);
        QFETCH(int, side);
        QFETCH(QSize, size);
        QCOMPARE(ScreenCopySize(picture, side), size);
    }

    void one_x_thumbnail_size_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("camera photo") << QSize(4032, 3024) << QSize(100, 75);
        QTest::newRow("between box and twice") << QSize(150, 100) << QSize(100, 67);
        QTest::newRow("smaller than the box: the 2x one") << QSize(80, 60) << QSize(80, 60);
    }
    void one_x_thumbnail_size()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, size);
        ThumbnailBox box;
        box.width = 100;
        box.height = 100;
        QCOMPARE(OneXThumbnailSize(picture, box), size);
    }

    // The modern page's thumbnails are made for rows about 220 pixels high,
    // whatever box the record gives the classic page.
    void modern_thumbnail_sizes_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("twoX");
        QTest::addColumn<QSize>("oneX");
        QTest::newRow("camera photo") << QSize(4032, 3024) << QSize(587, 440) << QSize(293, 220);
        QTest::newRow("portrait") << QSize(3024, 4032) << QSize(330, 440) << QSize(165, 220);
        QTest::newRow("panorama, wider than 3 : 1")
                << QSize(8000, 1000) << QSize(1320, 165) << QSize(660, 83);
        QTest::newRow("smaller than the box")
                << QSize(200, 150) << QSize(200, 150) << QSize(200, 150);
    }
    void modern_thumbnail_sizes()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, twoX);
        QFETCH(QSize, oneX);
        QCOMPARE(ThumbnailPixelSize(picture, ModernThumbnailBox()), twoX);
        QCOMPARE(OneXThumbnailSize(picture, ModernThumbnailBox()), oneX);
    }

    // The links the page writes to the thumbnails and screen copies of the
    // picture copied as name: a browser following them finds the files.
    void references_to_the_copies_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("twoX");
        QTest::addColumn<QString>("oneX");
        QTest::addColumn<QString>("screen");
        QTest::newRow("space and hash") << "a b#1.jpg" << QChar('/') << "thumbs/a b%231.jpg"
                                        << "thumbs/1x/a b%231.jpg"
                                        << "screen/2048/a b%231.jpg";
        QTest::newRow("ampersand") << "x&y.jpg" << QChar('/') << "thumbs/x&amp;y.jpg"
                                   << "thumbs/1x/x&amp;y.jpg"
                                   << "screen/2048/x&amp;y.jpg";
        QTest::newRow("Japanese") << QString::fromUtf8("日本.jpg") << QChar('/')
                                  << "thumbs/%E6%97%A5%E6%9C%AC.jpg"
                                  << "thumbs/1x/%E6%97%A5%E6%9C%AC.jpg"
                                  << "screen/2048/%E6%97%A5%E6%9C%AC.jpg";
        QTest::newRow("backslash in a name") << "a\\b.jpg" << QChar('/') << "thumbs/a%5Cb.jpg"
                                             << "thumbs/1x/a%5Cb.jpg"
                                             << "screen/2048/a%5Cb.jpg";
        QTest::newRow("on Windows") << "c.jpg" << QChar('\\') << "thumbs/c.jpg"
                                    << "thumbs/1x/c.jpg"
                                    << "screen/2048/c.jpg";
    }
    void references_to_the_copies()
    {
        QFETCH(QString, name);
        QFETCH(QChar, separator);
        QFETCH(QString, twoX);
        QFETCH(QString, oneX);
        QFETCH(QString, screen);
        QCOMPARE(TwoXThumbnailReference(name, separator), twoX);
        QCOMPARE(OneXThumbnailReference(name, separator), oneX);
        QCOMPARE(ScreenCopyReference(2048, name, separator), screen);
    }
};

QTEST_GUILESS_MAIN(TestModernPageFiles)
#include "test_modern_page_files.moc"
