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

    void names_and_references()
    {
        QCOMPARE(OneXThumbnailFolder('/'), QString("thumbs/1x"));
        QCOMPARE(ScreenCopyFolder(1280, '\\'), QString("screen\\1280"));
        QCOMPARE(TwoXThumbnailReference("a b#1.jpg", '/'), QString("thumbs/a b%231.jpg"));
        QCOMPARE(OneXThumbnailReference("x&y.jpg", '/'), QString("thumbs/1x/x&amp;y.jpg"));
        QCOMPARE(ScreenCopyReference(2048, QString::fromUtf8("日本.jpg"), '/'),
                 QString("screen/2048/%E6%97%A5%E6%9C%AC.jpg"));
    }
};

QTEST_GUILESS_MAIN(TestModernPageFiles)
#include "test_modern_page_files.moc"
