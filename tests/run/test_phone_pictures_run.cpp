#include "run/fin_run.h"
#include "support/fixtures.h"
#include "support/metadata_bytes.h"
#include "support/phone_pictures.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;
using namespace metadata_bytes;

namespace {

// What a photograph's EXIF tells.
enum class Exif { None, Camera, CameraAndPosition };

// A JPEG as a phone writes it, the picture red over blue: camera and date
// in EXIF, and where it was taken in its GPS block, as told says.
QByteArray phoneJpeg(QSize size, Exif told)
{
    QByteArray pixels;
    QBuffer buffer(&pixels);
    buffer.open(QIODevice::WriteOnly);
    phone_pictures::redOverBlue(size).save(&buffer, "jpeg", 95);
    if (told == Exif::None)
        return pixels;
    const Tags main{{0x010F, "Canon"}, {0x0110, "Canon EOS 80D"}};
    const Tags exif{{0x9003, "2024:05:01 12:33:10"}};
    const Tags gps{{0x0001, "N"}, rational(0x0004, 2, 1)};
    return jpegWith({exifSegment(tiff(main, exif, told == Exif::Camera ? Tags{} : gps))}, pixels);
}

} // namespace

Q_DECLARE_METATYPE(Exif)

// The modern page of phone pictures: a HEIC is published at full size as a
// JPEG named after its whole name, itself only where the user keeps where
// it was taken; WebP and AVIF are published as they are.
class TestPhonePicturesRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;
    WizardSettings m_settings;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The photograph made into name in the folder p, from a phone's JPEG.
    QString photograph(const QString &name, Exif told)
    {
        const QString jpeg = path("sources/" + name + ".jpg");
        writeFile(jpeg, phoneJpeg({1200, 800}, told));
        QDir().mkpath(path("p"));
        return phone_pictures::convert(jpeg, QDir(path("p")), name);
    }

private slots:
    void init()
    {
        m_out = path(QString(QTest::currentTestFunction()) + QTest::currentDataTag());
        QDir().mkpath(m_out);
        m_settings = tableSettings();
        m_settings.modernPage = kTrue;
    }

    void published_for_the_browser_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Exif>("told");
        QTest::addColumn<bool>("keepLocation");
        QTest::addColumn<bool>("copied");
        QTest::addColumn<QStringList>("published");
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("inPlace"); // published files a second run leaves
        QTest::newRow("heic") << "IMG_1.HEIC" << Exif::Camera << false << true
                              << QStringList{"IMG_1.HEIC.jpg", "index.html", "thumbs"}
                              << R"(<a href="IMG_1.HEIC.jpg" data-size="1200x800")" << 1;
        QTest::newRow("heic, where it was taken kept")
                << "IMG_1.HEIC" << Exif::CameraAndPosition << true << true
                << QStringList{"IMG_1.HEIC", "IMG_1.HEIC.jpg", "index.html", "thumbs"}
                << R"(<a href="IMG_1.HEIC.jpg" data-size="1200x800")" << 2;
        QTest::newRow("heic, not copied")
                << "IMG_1.HEIC" << Exif::Camera << false << false
                << QStringList{"index.html", "thumbs"}
                << R"(<a href="thumbs/IMG_1.HEIC.jpg" data-size="660x440")" << 0;
        QTest::newRow("avif without metadata")
                << "shot.avif" << Exif::None << false << true
                << QStringList{"index.html", "shot.avif", "thumbs"}
                << R"(<a href="shot.avif" data-size="1200x800")" << 1;
        QTest::newRow("avif with metadata")
                << "shot.avif" << Exif::Camera << false << true
                << QStringList{"index.html", "shot.avif.jpg", "thumbs"}
                << R"(<a href="shot.avif.jpg" data-size="1200x800")" << 1;
        QTest::newRow("webp telling where it was taken")
                << "shot.webp" << Exif::CameraAndPosition << false << true
                << QStringList{"index.html", "shot.webp", "thumbs"}
                << R"(<a href="shot.webp" data-size="1200x800")" << 1;
    }

    void published_for_the_browser()
    {
        QFETCH(QString, name);
        QFETCH(Exif, told);
        QFETCH(bool, keepLocation);
        QFETCH(bool, copied);
        QFETCH(QStringList, published);
        QFETCH(QString, link);
        QFETCH(int, inPlace);
        if (!phone_pictures::haveToolFor(name))
            QSKIP(qPrintable(phone_pictures::toolFor(name) + " is not installed"));
        const QString source = photograph(name, told);
        QVERIFY(!source.isEmpty());
        m_settings.keepLocation = keepLocation ? kTrue : kFalse;
        m_settings.copyPictures = copied ? kTrue : kFalse;
        FinOutcome outcome = RunFin({m_settings, {source}, "index.html", m_out});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.notes, QStringList());
        QCOMPARE(folderNames(m_out), published);
        const QString page = QString::fromUtf8(readFile(m_out + "/index.html"));
        QVERIFY2(page.contains(link), qPrintable(page));
        QCOMPARE(page.contains(R"(data-camera="Canon EOS 80D")"), told != Exif::None);
        if (published.contains(name + ".jpg")) {
            QImageReader reader(m_out + "/" + name + ".jpg");
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            QCOMPARE(reader.size(), QSize(1200, 800));
            const QByteArray jpeg = readFile(m_out + "/" + name + ".jpg");
            QVERIFY(!jpeg.contains("Exif"));
            QVERIFY(!jpeg.contains("Canon"));
        }

        // An unchanged folder: nothing is written again.
        outcome = RunFin({m_settings, {source}, "index.html", m_out});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.copiedPictures, 0);
        QCOMPARE(outcome.copiesInPlace, inPlace);
    }
};

QTEST_GUILESS_MAIN(TestPhonePicturesRun)
#include "test_phone_pictures_run.moc"
