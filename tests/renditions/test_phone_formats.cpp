#include "pictures/picture_header.h"
#include "pictures/thumbnail_decode.h"
#include "renditions/thumbnail_batch.h"
#include "support/fixtures.h"
#include "support/phone_pictures.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

// How a test file is made: by heif-enc or cwebp, as its name's extension
// says, or with libheif's encoder turned a quarter clockwise.
enum class Maker { Tool, TurnedHeic };

ThumbnailBox pixels(int width, int height)
{
    return {ThumbnailBox::Sizing::Pixels, width, height, 0};
}

QString make(const QDir &dir, const QString &name, QSize stored, Maker maker)
{
    const QImage image = phone_pictures::redOverBlue(stored);
    return maker == Maker::TurnedHeic ? phone_pictures::writeTurnedHeic(dir, name, image)
                                      : phone_pictures::write(dir, name, image);
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qBlue(pixel) < 60;
}

bool isBlue(QRgb pixel)
{
    return qBlue(pixel) > 200 && qRed(pixel) < 60;
}

} // namespace

Q_DECLARE_METATYPE(Maker)

class TestPhoneFormats : public QObject
{
    Q_OBJECT

private slots:
    // HEIC, AVIF and WebP are made into thumbnails the right way up: the
    // red half of the stored picture stays on top, or goes to the right
    // where the container turns it a quarter clockwise.
    void thumbnails_of_phone_formats_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Maker>("maker");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("thumbnail");
        QTest::addColumn<QString>("thumbnailName");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QPoint>("blue");
        QTest::newRow("heic") << "IMG_1.HEIC" << Maker::Tool << QSize(1200, 800) << QSize(1200, 800)
                              << QSize(330, 220) << "IMG_1.HEIC" << QPoint(165, 50)
                              << QPoint(165, 170);
        QTest::newRow("heif") << "shot.heif" << Maker::Tool << QSize(800, 1200) << QSize(800, 1200)
                              << QSize(220, 330) << "shot.heif" << QPoint(110, 80)
                              << QPoint(110, 250);
        QTest::newRow("avif") << "shot.avif" << Maker::Tool << QSize(1200, 800) << QSize(1200, 800)
                              << QSize(330, 220) << "shot.avif" << QPoint(165, 50)
                              << QPoint(165, 170);
        QTest::newRow("webp") << "shot.webp" << Maker::Tool << QSize(1200, 800) << QSize(1200, 800)
                              << QSize(330, 220) << "shot.webp" << QPoint(165, 50)
                              << QPoint(165, 170);
        QTest::newRow("heic turned a quarter in its container")
                << "turned.heic" << Maker::TurnedHeic << QSize(600, 400) << QSize(400, 600)
                << QSize(220, 330) << "turned.heic" << QPoint(170, 165) << QPoint(50, 165);
    }

    void thumbnails_of_phone_formats()
    {
        QFETCH(QString, name);
        QFETCH(Maker, maker);
        QFETCH(QSize, stored);
        QFETCH(QSize, picture);
        QFETCH(QSize, thumbnail);
        QFETCH(QString, thumbnailName);
        QFETCH(QPoint, red);
        QFETCH(QPoint, blue);
        if (maker == Maker::Tool && !phone_pictures::haveToolFor(name))
            QSKIP(qPrintable(phone_pictures::toolFor(name) + " is not installed"));
        QTemporaryDir dir;
        const QString source = make(QDir(dir.path()), name, stored, maker);
        QVERIFY(!source.isEmpty());
        QDir(dir.path()).mkdir("thumbs");
        const ThumbnailResult result
                = MakeThumbnail({source, dir.filePath("thumbs/" + name), pixels(165, 165)});
        QCOMPARE(result.reason, QString());
        QCOMPARE(result.pictureSize, picture);
        QCOMPARE(result.pixelSize, thumbnail);
        QCOMPARE(result.name, thumbnailName);
        QImageReader reader(dir.filePath("thumbs/" + thumbnailName));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage made = reader.read();
        QCOMPARE(made.size(), thumbnail);
        QVERIFY(isRed(made.pixel(red)));
        QVERIFY(isBlue(made.pixel(blue)));
    }

    // The memory a thumbnail's decode takes is judged from the header:
    // the decoded picture at four bytes a pixel, and for a HEIC the
    // decoder's planes (three bytes a pixel at 8 bits), then the reader's
    // picture and the thumbnail, each at four bytes a pixel.
    void decode_cost_judged_from_the_header_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("heic of 1200 x 800")
                << "IMG_1.HEIC" << QByteArray("heif") << qint64(7300800);
        QTest::newRow("avif of 1200 x 800") << "shot.avif" << QByteArray("avif") << qint64(7300800);
        QTest::newRow("webp of 1200 x 800") << "shot.webp" << QByteArray("webp") << qint64(4420800);
    }

    void decode_cost_judged_from_the_header()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(qint64, bytes);
        if (!phone_pictures::haveToolFor(name))
            QSKIP(qPrintable(phone_pictures::toolFor(name) + " is not installed"));
        QTemporaryDir dir;
        const QString path = make(QDir(dir.path()), name, {1200, 800}, Maker::Tool);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const PictureHeader header = ReadPictureHeader(file);
        QCOMPARE(header.format, format);
        QCOMPARE(header.size, QSize(1200, 800));
        QCOMPARE(ThumbnailDecodeBytes(header, {330, 220}), bytes);
    }

    // A file that cannot give its picture gets a note and no thumbnail,
    // and the batch goes on: the page shows the picture as it is.
    void damaged_and_oversized_files_noted_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("why");
        QTest::newRow("avif claiming 60000 x 60000")
                << "big.avif"
                << "claims 60000"
                << "it would take more memory than a thumbnail is worth (60000 × 60000 pixels)";
        QTest::newRow("heic cut short") << "cut.heic"
                                        << "cut"
                                        << "it is not a picture that can be read";
        QTest::newRow("heic with a damaged item") << "item.heic"
                                                  << "hvcC"
                                                  << "it is not a picture that can be read";
        QTest::newRow("webp cut short") << "cut.webp"
                                        << "cut"
                                        << "it is incomplete";
        QTest::newRow("animated webp") << "moving.webp"
                                       << "animated"
                                       << "it is animated";
    }

    void damaged_and_oversized_files_noted()
    {
        QFETCH(QString, name);
        QFETCH(QString, damage);
        QFETCH(QString, why);
        if (!phone_pictures::haveToolFor(name))
            QSKIP(qPrintable(phone_pictures::toolFor(name) + " is not installed"));
        QTemporaryDir dir;
        const QDir folder(dir.path());
        QString path = phone_pictures::write(folder, name, phone_pictures::redOverBlue({64, 48}));
        QVERIFY(!path.isEmpty());
        QByteArray bytes = readFile(path);
        if (damage == "claims 60000")
            bytes = phone_pictures::claimingSize(bytes, 60000, 60000);
        else if (damage == "cut")
            bytes.truncate(bytes.size() * 2 / 3);
        else if (damage == "hvcC")
            bytes.replace("hvcC", "hvcX");
        else if (damage == "animated")
            bytes = phone_pictures::animatedWebp(folder, {64, 48});
        QVERIFY(!bytes.isEmpty());
        writeFile(path, bytes);
        QVERIFY(phone_pictures::redOverBlue({400, 300}).save(dir.filePath("small.png")));
        folder.mkdir("thumbs");
        const QList<ThumbnailJob> jobs{
                {path, dir.filePath("thumbs/" + name), pixels(100, 100)},
                {dir.filePath("small.png"), dir.filePath("thumbs/small.png"), pixels(100, 100)}};
        const QList<ThumbnailResult> results = MakeThumbnails(jobs, {}, 2, kThumbnailBatchMemory);
        QCOMPARE(results[0].reason, QString("No thumbnail for \"%1\": %2.").arg(path, why));
        QCOMPARE(int(results[1].outcome), int(ThumbnailResult::Outcome::Made));
        QCOMPARE(folderNames(dir.filePath("thumbs")), QStringList{"small.png"});
    }
};

QTEST_GUILESS_MAIN(TestPhoneFormats)
#include "test_phone_formats.moc"
