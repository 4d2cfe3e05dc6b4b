#include "pictures/picture_header.h"
#include "pictures/thumbnail_decode.h"
#include "pictures/thumbnail_jpeg.h"
#include "renditions/memory_budget.h"
#include "renditions/thumbnail_batch.h"
#include "support/crafted_pictures.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTransform>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <vector>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace vintora;

Q_DECLARE_METATYPE(vintora::ThumbnailBox)

namespace {

// Left half red, right half blue, so that a turn shows.
QImage halves(QSize size, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, x < size.width() / 2 ? 0xFFFF0000 : 0xFF0000FF);
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A JPEG whose EXIF orientation asks for a quarter turn clockwise (6).
QByteArray jpegTurnedClockwise(const QImage &image)
{
    const QByteArray jpeg = encoded(image, "jpeg");
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08", 14)
                            + QByteArray("\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 18);
    const QByteArray segment = QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

// Soft colour shapes with a camera's fine noise, in no symmetry, so that a
// wrong turn or a coarse encoding shows.
QImage photograph(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    quint32 state = 2463534242u;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state % 9) - 4;
            const auto channel = [noise](int value) {
                return std::clamp(value + noise, 0, 255);
            };
            image.setPixel(x, y,
                           qRgb(channel(x * 255 / size.width()), channel(y * 255 / size.height()),
                                channel((x * x + 3 * y) / 7 % 256)));
        }
    }
    return image;
}

QByteArray jpegOf(const QImage &image, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// The largest difference of any channel of any pixel; -1 when the sizes
// differ.
int largestDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

ThumbnailBox pixels(int width, int height)
{
    return {ThumbnailBox::Sizing::Pixels, width, height, 0};
}

ThumbnailBox percent(int value)
{
    return {ThumbnailBox::Sizing::Percent, 0, 0, value};
}

void setModified(const QString &path, const QDateTime &when)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

class TestThumbnails : public QObject
{
    Q_OBJECT

private slots:
    void fitted_sizes_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<ThumbnailBox>("box");
        QTest::addColumn<QSize>("file");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("landscape")
                << QSize(400, 300) << pixels(100, 100) << QSize(200, 150) << QSize(100, 75);
        QTest::newRow("portrait") << QSize(300, 400) << pixels(100, 100) << QSize(150, 200)
                                  << QSize(75, 100);
        QTest::newRow("square") << QSize(500, 500) << pixels(100, 100) << QSize(200, 200)
                                << QSize(100, 100);
        QTest::newRow("wide box") << QSize(400, 300) << pixels(160, 60) << QSize(160, 120)
                                  << QSize(80, 60);
        QTest::newRow("rounded") << QSize(333, 100) << pixels(100, 100) << QSize(200, 60)
                                 << QSize(100, 30);
        QTest::newRow("thin, never 0")
                << QSize(1000, 3) << pixels(100, 100) << QSize(200, 1) << QSize(100, 1);
        QTest::newRow("small, never upscaled")
                << QSize(50, 20) << pixels(100, 100) << QSize(50, 20) << QSize(100, 40);
        QTest::newRow("landscape, percent")
                << QSize(400, 300) << percent(10) << QSize(256, 192) << QSize();
        QTest::newRow("portrait, percent")
                << QSize(300, 400) << percent(10) << QSize(256, 341) << QSize();
        QTest::newRow("square, percent")
                << QSize(500, 500) << percent(10) << QSize(256, 256) << QSize();
        QTest::newRow("small, percent, never upscaled")
                << QSize(200, 100) << percent(10) << QSize(200, 100) << QSize();
    }

    void fitted_sizes()
    {
        QFETCH(QSize, picture);
        QFETCH(ThumbnailBox, box);
        QFETCH(QSize, file);
        QFETCH(QSize, shown);
        QTemporaryDir dir;
        const QString source = dir.filePath("picture.png");
        QVERIFY(halves(picture).save(source));
        const ThumbnailResult result = MakeThumbnail({source, dir.filePath("thumb.png"), box});
        QCOMPARE(int(result.outcome), int(ThumbnailResult::Outcome::Made));
        QCOMPARE(result.pictureSize, picture);
        QCOMPARE(result.pixelSize, file);
        QCOMPARE(result.shownSize, shown);
        QCOMPARE(QImage(dir.filePath("thumb.png")).size(), file);
    }

    void exif_rotation_gives_the_turned_shape()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("turned.jpg");
        writeFile(source, jpegTurnedClockwise(halves({60, 40})));
        const ThumbnailResult result
                = MakeThumbnail({source, dir.filePath("t.jpg"), pixels(10, 10)});
        QCOMPARE(result.pictureSize, QSize(40, 60));
        QCOMPARE(result.pixelSize, QSize(13, 20));
        QCOMPARE(result.shownSize, QSize(7, 10));
        QImageReader reader(dir.filePath("t.jpg"));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage thumbnail = reader.read();
        QCOMPARE(thumbnail.size(), QSize(13, 20));
        // The left half, red, is on top once turned.
        QVERIFY(qRed(thumbnail.pixel(6, 2)) > 200 && qBlue(thumbnail.pixel(6, 2)) < 60);
        QVERIFY(qBlue(thumbnail.pixel(6, 17)) > 200 && qRed(thumbnail.pixel(6, 17)) < 60);
    }

    // Without the refinements it leaves out, a progressive JPEG decodes at
    // 1/8 to exactly the same pixels.
    void progressive_jpeg_lightened_for_one_eighth()
    {
        QImage image(800, 600, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x * 7 + y) % 256, (x ^ y) % 256, (x * y) % 251));
        QByteArray progressive;
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        QVERIFY(writer.write(image));
        const QByteArray lighter = JpegForOneEighth(progressive);
        QVERIFY(lighter.size() > 0 && lighter.size() < progressive.size() * 3 / 4);
        QVERIFY(JpegForOneEighth(encoded(image, "jpeg")).isEmpty()); // not progressive
        const auto decoded = [](QByteArray bytes) {
            QBuffer in(&bytes);
            QImageReader reader(&in, "jpeg");
            reader.setScaledSize({100, 75});
            return reader.read();
        };
        QCOMPARE(decoded(lighter), decoded(progressive));
    }

    // Pictures whose header promises a decode far larger than a thumbnail
    // is worth are refused before they are read, and those whose data
    // cannot give the pixels they declare before they are decoded; the
    // other pictures of the batch get theirs. So is one needing more than
    // the batch's whole memory, instead of waiting for ever. An animated
    // picture larger than its thumbnail gets none: one frame would stop it.
    void bombs_refused_and_the_batch_goes_on_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("memory");
        QTest::addColumn<QString>("why");
        using namespace crafted_pictures;
        const qint64 batch = kThumbnailBatchMemory;
        QTest::newRow("gif of 16000 x 16000 in 35 bytes")
                << "big.gif" << gifDeclaring({16000, 16000}, {16000, 16000}) << batch
                << "it would take more memory than a thumbnail is worth (16000 × 16000 pixels)";
        QTest::newRow("gif of 5000 x 5000 in 35 bytes, within the memory")
                << "data.gif" << gifDeclaring({5000, 5000}, {5000, 5000}) << batch
                << "it is damaged or incomplete";
        QTest::newRow("gif frame of 400 x 300 on a screen of 16000 x 16000")
                << "screen.gif" << gifDeclaring({16000, 16000}, {400, 300}) << batch
                << "it would take more memory than a thumbnail is worth (16000 × 16000 pixels)";
        QTest::newRow("progressive jpeg of 24000 x 24000 in 1 MB")
                << "big.jpg" << uniformGreyJpeg({24000, 24000}, JpegKind::Progressive) << batch
                << "it would take more memory than a thumbnail is worth (24000 × 24000 pixels)";
        QTest::newRow("animated gif of 400 x 300")
                << "moving.gif" << twoFrameGif({400, 300}) << batch << "it is animated";
        QTest::newRow("png of 1000 x 1000, batch of 1 MB")
                << "wide.png" << encoded(halves({1000, 1000}), "png") << (qint64(1) << 20)
                << "it would take more memory than a thumbnail is worth (1000 × 1000 pixels)";
    }

    void bombs_refused_and_the_batch_goes_on()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, memory);
        QFETCH(QString, why);
        QTemporaryDir dir;
        writeFile(dir.filePath(name), bytes);
        QVERIFY(halves({400, 300}).save(dir.filePath("small.jpg")));
        const QList<ThumbnailJob> jobs{
                {dir.filePath(name), dir.filePath("thumbs/" + name), pixels(100, 100)},
                {dir.filePath("small.jpg"), dir.filePath("thumbs/small.jpg"), pixels(100, 100)}};
        QDir(dir.path()).mkdir("thumbs");
        const QList<ThumbnailResult> results = MakeThumbnails(jobs, {}, 2, memory);
        QCOMPARE(results[0].reason,
                 QString("No thumbnail for \"%1\": %2.").arg(dir.filePath(name), why));
        QCOMPARE(int(results[1].outcome), int(ThumbnailResult::Outcome::Made));
        QCOMPARE(folderNames(dir.filePath("thumbs")), QStringList{"small.jpg"});
    }

    // Workers that wait for memory, each for another amount, all go on as
    // soon as enough is given back, together when it is enough for all.
    void waiting_workers_go_on_when_memory_is_given_back()
    {
        MemoryBudget budget(100);
        QVERIFY(budget.acquire(80));
        std::atomic<int> holding{0};
        QSemaphore letGo;
        std::vector<std::unique_ptr<QThread>> workers;
        for (const qint64 bytes : {25, 30, 40}) {
            workers.emplace_back(QThread::create([&budget, &holding, &letGo, bytes] {
                if (!budget.acquire(bytes))
                    return;
                ++holding;
                letGo.acquire();
                budget.release(bytes);
            }));
            workers.back()->start();
        }
        // Whatever the outcome, the workers are let go before they are destroyed.
        const auto finish = qScopeGuard([&] {
            letGo.release(3);
            for (const auto &worker : workers)
                worker->wait();
        });
        QTRY_COMPARE_WITH_TIMEOUT(budget.waiting(), 3, 20000);
        QCOMPARE(holding.load(), 0);
        budget.release(80);
        // Only a worker that never wakes keeps this from 3.
        QTRY_COMPARE_WITH_TIMEOUT(holding.load(), 3, 20000);
        QCOMPARE(budget.waiting(), 0);
    }

    // Restart markers stand between the parts of a scan's data; the damage
    // check passes over them.
    void jpeg_with_restart_markers_gets_a_thumbnail()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("restarts.jpg");
        writeFile(source, crafted_pictures::uniformGreyJpeg(
                                  {800, 600}, crafted_pictures::JpegKind::Baseline, 200, 7));
        const ThumbnailResult result
                = MakeThumbnail({source, dir.filePath("t.jpg"), pixels(100, 100)});
        QVERIFY2(result.hasThumbnail(), qPrintable(result.reason));
        const QImage thumbnail(dir.filePath("t.jpg"));
        QCOMPARE(thumbnail.size(), QSize(200, 150));
        QCOMPARE(thumbnail.pixel(100, 75), qRgb(200, 200, 200));
    }

    // At 1/8 every 8 x 8 block becomes its DC, which both encodings hold
    // alike: the thumbnails are the same to the last bit.
    void progressive_jpeg_decodes_as_baseline_at_one_eighth()
    {
        const QImage picture = photograph({1600, 1200});
        const auto decoded = [](QByteArray bytes) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            const PictureHeader header = ReadPictureHeader(buffer);
            QString why;
            return DecodeThumbnail(bytes, header, {200, 150}, &why);
        };
        const QImage baseline = decoded(jpegOf(picture, false));
        QCOMPARE(baseline.size(), QSize(200, 150));
        QCOMPARE(decoded(jpegOf(picture, true)), baseline);
    }

    // A picture stored lying on its side with an EXIF turn gives the
    // thumbnail of the same picture stored upright, but for the noise of
    // the JPEG encodings (the wrong turn differs by 255).
    void exif_turned_thumbnail_matches_the_upright_one()
    {
        QTemporaryDir dir;
        const QImage upright = photograph({1600, 1200});
        const QImage lying = upright.transformed(QTransform().rotate(-90));
        writeFile(dir.filePath("upright.jpg"), jpegOf(upright, false));
        writeFile(dir.filePath("turned.jpg"), jpegTurnedClockwise(lying));
        for (const char *name : {"upright.jpg", "turned.jpg"})
            MakeThumbnail(
                    {dir.filePath(name), dir.filePath(QString("t-") + name), pixels(100, 100)});
        QVERIFY(largestDifference(QImage(dir.filePath("t-turned.jpg")),
                                  QImage(dir.filePath("t-upright.jpg")))
                <= 24);
    }

    // Thumbnails are saved for their size on the page, not as archive
    // copies: this photograph's takes 3.6 kB at the quality used, 4.2 kB at
    // 90 and 5.2 kB at 95 (10.9 kB at 100).
    void thumbnail_file_stays_small_for_its_pixels()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("photo.jpg"), jpegOf(photograph({1600, 1200}), false));
        MakeThumbnail({dir.filePath("photo.jpg"), dir.filePath("t.jpg"), pixels(100, 100)});
        QCOMPARE(QImage(dir.filePath("t.jpg")).size(), QSize(200, 150));
        const qint64 bytes = QFileInfo(dir.filePath("t.jpg")).size();
        QVERIFY2(bytes <= 4500, qPrintable(QString::number(bytes)));
    }

    void transparency_decides_the_format_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("opaque") << false << QByteArray("jpeg");
        QTest::newRow("transparent") << true << QByteArray("png");
    }

    void transparency_decides_the_format()
    {
        QFETCH(bool, transparent);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        QImage image = halves({300, 300}, QImage::Format_ARGB32);
        if (transparent)
            image.setPixel(150, 150, 0x00000000);
        QVERIFY(image.save(dir.filePath("p.png")));
        MakeThumbnail({dir.filePath("p.png"), dir.filePath("t.png"), pixels(50, 50)});
        QImageReader reader(dir.filePath("t.png"));
        QCOMPARE(reader.format(), format);
    }

    void second_run_keeps_unchanged_thumbnails()
    {
        QTemporaryDir dir;
        const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
        QList<ThumbnailJob> jobs;
        for (const char *name : {"a.jpg", "b.jpg"}) {
            QVERIFY(halves({400, 300}).save(dir.filePath(name)));
            setModified(dir.filePath(name), hourAgo);
            jobs.append({dir.filePath(name), dir.filePath(QString("t-") + name), pixels(100, 100)});
        }
        const auto outcomes = [&] {
            QList<int> list;
            for (const ThumbnailResult &result : MakeThumbnails(jobs))
                list << int(result.outcome);
            return list;
        };
        const int made = int(ThumbnailResult::Outcome::Made);
        const int kept = int(ThumbnailResult::Outcome::Kept);
        QCOMPARE(outcomes(), QList<int>({made, made}));
        setModified(dir.filePath("t-a.jpg"), hourAgo.addSecs(60));
        setModified(dir.filePath("t-b.jpg"), hourAgo.addSecs(60));
        QCOMPARE(outcomes(), QList<int>({kept, kept}));

        // b is now another picture: remade, in its new shape.
        QVERIFY(halves({300, 400}).save(dir.filePath("b.jpg")));
        setModified(dir.filePath("b.jpg"), hourAgo.addSecs(120));
        QCOMPARE(outcomes(), QList<int>({kept, made}));
        QCOMPARE(QImage(dir.filePath("t-b.jpg")).size(), QSize(150, 200));
    }

    // A thumbnail is kept only when it was made from these very bytes, at
    // the size it should have now; the files' times do not decide it.
    void kept_only_for_the_same_picture_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("outcome");
        const int made = int(ThumbnailResult::Outcome::Made);
        const int kept = int(ThumbnailResult::Outcome::Kept);
        QTest::newRow("nothing, the thumbnail older") << "older thumbnail" << kept;
        QTest::newRow("another picture of the same size and time") << "same size and time" << made;
        QTest::newRow("another picture, older than the thumbnail") << "older picture" << made;
        QTest::newRow("another picture, the same in its first bytes") << "top half" << made;
        QTest::newRow("a smaller box") << "box" << made;
    }
    void kept_only_for_the_same_picture()
    {
        QFETCH(QString, change);
        QFETCH(int, outcome);
        QTemporaryDir dir;
        const QString picture = dir.filePath("a.bmp"), thumbnail = dir.filePath("t.jpg");
        const QDateTime hourAgo = QDateTime::currentDateTime().addSecs(-3600);
        QVERIFY(halves({400, 300}).save(picture));
        setModified(picture, hourAgo);
        QCOMPARE(int(MakeThumbnail({picture, thumbnail, pixels(100, 100)}).outcome),
                 int(ThumbnailResult::Outcome::Made));
        ThumbnailBox box = pixels(100, 100);
        if (change == "older thumbnail") {
            setModified(thumbnail, hourAgo.addSecs(-60));
        } else if (change == "box") {
            box = pixels(50, 50);
        } else {
            // Uncompressed, so of the same size in bytes whatever it shows.
            QImage other = halves({400, 300});
            if (change == "top half") {
                // A BMP holds its bottom row first: the file differs only
                // in its second half.
                for (int y = 0; y < 150; ++y)
                    for (int x = 0; x < 400; ++x)
                        other.setPixel(x, y, ~other.pixel(x, y) | 0xFF000000);
            } else {
                other.invertPixels();
            }
            QVERIFY(other.save(picture));
            setModified(picture, change == "older picture" ? hourAgo.addSecs(-60) : hourAgo);
        }
        QCOMPARE(int(MakeThumbnail({picture, thumbnail, box}).outcome), outcome);
        // Red on the left as the first picture, cyan as the other.
        QCOMPARE(qRed(QImage(thumbnail).pixel(10, 10)) > 128,
                 change == "older thumbnail" || change == "box");
    }

    // A picture small enough to be its own thumbnail is kept only where
    // the thumbnail holds its very bytes; a link in the thumbnail's place
    // is replaced, never read through.
    void kept_as_it_is_only_with_its_bytes()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath("s.bmp"), thumbnail = dir.filePath("t.bmp");
        QVERIFY(halves({40, 30}).save(picture));
        QImage other = halves({40, 30});
        other.invertPixels();
        QVERIFY(other.save(thumbnail));
        QCOMPARE(QFileInfo(thumbnail).size(), QFileInfo(picture).size());
        const int made = int(ThumbnailResult::Outcome::Made);
        QCOMPARE(int(MakeThumbnail({picture, thumbnail, pixels(100, 100)}).outcome), made);
        QCOMPARE(readFile(thumbnail), readFile(picture));
        QCOMPARE(int(MakeThumbnail({picture, thumbnail, pixels(100, 100)}).outcome),
                 int(ThumbnailResult::Outcome::Kept));
    }
    void a_link_in_the_thumbnails_place_is_replaced()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath("a.bmp"), elsewhere = dir.filePath("made.jpg");
        QVERIFY(halves({400, 300}).save(picture));
        const int made = int(ThumbnailResult::Outcome::Made);
        QCOMPARE(int(MakeThumbnail({picture, elsewhere, pixels(100, 100)}).outcome), made);
        const QByteArray thumbnail = readFile(elsewhere);
        QVERIFY(QFile::link(elsewhere, dir.filePath("t.jpg")));
        QCOMPARE(int(MakeThumbnail({picture, dir.filePath("t.jpg"), pixels(100, 100)}).outcome),
                 made);
        QVERIFY(!QFileInfo(dir.filePath("t.jpg")).isSymLink());
        QCOMPARE(readFile(elsewhere), thumbnail);
    }

    void damaged_jpeg_gets_no_thumbnail()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("cut.jpg");
        const QByteArray jpeg = encoded(halves({300, 200}), "jpeg");
        writeFile(source, jpeg.left(jpeg.size() * 6 / 10));
        const ThumbnailResult result
                = MakeThumbnail({source, dir.filePath("t.jpg"), pixels(50, 50)});
        QCOMPARE(int(result.outcome), int(ThumbnailResult::Outcome::Failed));
        QCOMPARE(result.reason,
                 QString("No thumbnail for \"%1\": it is damaged or incomplete.").arg(source));
        QCOMPARE(folderNames(dir.path()), QStringList{"cut.jpg"});
    }

    void picture_in_the_thumbnails_place_kept()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath("a.jpg");
        QVERIFY(halves({400, 300}).save(picture));
        const QByteArray before = readFile(picture);
        const ThumbnailResult result = MakeThumbnail({picture, picture, pixels(50, 50)});
        QCOMPARE(result.reason,
                 QString("No thumbnail for \"%1\": it is where its thumbnail would go.")
                         .arg(picture));
        QCOMPARE(readFile(picture), before);
    }

#ifdef Q_OS_LINUX
    // A named pipe is refused without being opened: no one at its other end
    // is woken, and no one's data is taken (a watch sees every open).
    void named_pipe_refused_without_opening_it()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath("pipe.jpg");
        const QByteArray pipeName = QFile::encodeName(pipe);
        QVERIFY(::mkfifo(pipeName.constData(), 0600) == 0);
        const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0);
        const auto closeWatch = qScopeGuard([watch] { ::close(watch); });
        QVERIFY(::inotify_add_watch(watch, pipeName.constData(), IN_OPEN | IN_ACCESS) >= 0);
        const auto opensSeen = [watch] {
            char events[4096];
            return ::read(watch, events, sizeof events) > 0;
        };

        const ThumbnailResult result = MakeThumbnail({pipe, dir.filePath("t.jpg"), pixels(50, 50)});
        QCOMPARE(result.reason,
                 QString("No thumbnail for \"%1\": it is a named pipe, not a file.").arg(pipe));
        QVERIFY(!opensSeen());
        // The watch does see an open.
        const int reader = ::open(pipeName.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        ::close(reader);
        QVERIFY(opensSeen());
    }
#endif

    void batch_reports_each_and_stops_between_jobs()
    {
        QTemporaryDir dir;
        QVERIFY(halves({1200, 900}).save(dir.filePath("p.png")));
        QList<ThumbnailJob> jobs;
        for (int i = 0; i < 40; ++i)
            jobs.append({dir.filePath("p.png"), dir.filePath(QString("t%1.jpg").arg(i)),
                         pixels(100, 100)});
        QList<qsizetype> counts;
        ThumbnailBatchHooks hooks;
        hooks.finished = [&](qsizetype done, qsizetype count, qsizetype, const ThumbnailResult &) {
            counts << done;
            QCOMPARE(count, qsizetype(40));
        };
        hooks.cancelRequested = [&] {
            return counts.size() >= 2;
        };
        const QList<ThumbnailResult> results = MakeThumbnails(jobs, hooks, 2);
        int made = 0;
        for (qsizetype i = 0; i < results.size(); ++i) {
            const bool exists = QFile::exists(jobs[i].destination);
            QCOMPARE(exists, results[i].hasThumbnail());
            made += exists;
        }
        QVERIFY(made >= 2 && made < 40);
        QCOMPARE(counts.size(), made);
        QCOMPARE(counts.last(), qsizetype(made));
        for (const QString &name : folderNames(dir.path()))
            QVERIFY2(!name.contains(".part-"), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestThumbnails)
#include "test_thumbnails.moc"
