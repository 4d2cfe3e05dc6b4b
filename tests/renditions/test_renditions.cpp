// The files made of one picture by one job: which of them the picture
// needs, their sizes, what is kept, and that without its thumbnail no other
// file of a picture is written.

#include "output/output_writer.h"
#include "renditions/batch_runner.h"
#include "renditions/rendition_folders.h"
#include "renditions/rendition_job.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

using Outcome = RenditionFileResult::Outcome;

QByteArray jpeg(QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    image.save(&buffer, "JPEG");
    return bytes;
}

// The files of a modern page's picture: its thumbnail for a box of
// 100 x 100 at 2x and at 1x, and its copies of 1280 and 2048 pixels on the
// longer side.
RenditionJob modernJob(const QString &source)
{
    const ThumbnailBox twoX{ThumbnailBox::Sizing::Pixels, 100, 100, 0, 2};
    const ThumbnailBox oneX{ThumbnailBox::Sizing::Pixels, 100, 100, 0, 1};
    const ThumbnailBox screen1280{ThumbnailBox::Sizing::LongerSide, 1280, 0, 0, 2};
    const ThumbnailBox screen2048{ThumbnailBox::Sizing::LongerSide, 2048, 0, 0, 2};
    RenditionJob job;
    job.source = source;
    job.stem = "p.jpg";
    job.files = {{twoX, {"thumbs"}, RenditionFile::Need::Always},
                 {oneX, {"thumbs", "1x"}, RenditionFile::Need::WhenSmallerThanFirst},
                 {screen1280, {"screen", "1280"}, RenditionFile::Need::WhenSmallerThanPicture},
                 {screen2048, {"screen", "2048"}, RenditionFile::Need::WhenSmallerThanPicture}};
    return job;
}

QList<int> outcomes(const RenditionResult &result)
{
    QList<int> list;
    for (const RenditionFileResult &file : result.files)
        list << int(file.outcome);
    return list;
}

QList<QSize> sizes(const RenditionResult &result)
{
    QList<QSize> list;
    for (const RenditionFileResult &file : result.files)
        list << (file.exists() ? file.pixelSize : QSize());
    return list;
}

} // namespace

class TestRenditions : public QObject
{
    Q_OBJECT

private slots:
    // A picture gets the files it is large enough for: the thumbnail
    // always, the 1x one when smaller than it, a screen-size copy when
    // smaller than the picture.
    void files_a_picture_needs_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QList<int>>("outcomes");
        QTest::addColumn<QList<QSize>>("sizes");
        const int made = int(Outcome::Made), none = int(Outcome::NotNeeded);
        QTest::newRow("camera photograph")
                << QSize(3000, 2000) << QList<int>{made, made, made, made}
                << QList<QSize>{{200, 133}, {100, 67}, {1280, 853}, {2048, 1365}};
        QTest::newRow("between the screen sizes")
                << QSize(1500, 1000) << QList<int>{made, made, made, none}
                << QList<QSize>{{200, 133}, {100, 67}, {1280, 853}, {}};
        QTest::newRow("small enough to be its own thumbnail")
                << QSize(150, 100) << QList<int>{made, made, none, none}
                << QList<QSize>{{150, 100}, {100, 67}, {}, {}};
        QTest::newRow("too small for two thumbnails")
                << QSize(80, 60) << QList<int>{made, none, none, none}
                << QList<QSize>{{80, 60}, {}, {}, {}};
    }
    void files_a_picture_needs()
    {
        QFETCH(QSize, picture);
        QFETCH(QList<int>, outcomes);
        QFETCH(QList<QSize>, sizes);
        QTemporaryDir dir;
        writeFile(dir.filePath("p.jpg"), jpeg(picture));
        QVERIFY(QDir().mkpath(dir.filePath("out")));
        OutputWriter writer;
        QVERIFY(writer.open(dir.filePath("out"), nullptr));
        RenditionFolders folders(writer);
        const RenditionResult result = MakeRenditions(modernJob(dir.filePath("p.jpg")), folders);
        QCOMPARE(result.pictureSize, picture);
        QCOMPARE(::outcomes(result), outcomes);
        QCOMPARE(::sizes(result), sizes);
        const QStringList places{"thumbs/p.jpg", "thumbs/1x/p.jpg", "screen/1280/p.jpg",
                                 "screen/2048/p.jpg"};
        for (qsizetype i = 0; i < places.size(); ++i) {
            const QString file = dir.filePath("out/" + places.at(i));
            QCOMPARE(QFileInfo::exists(file), sizes.at(i).isValid());
            if (sizes.at(i).isValid())
                QCOMPARE(QImage(file).size(), sizes.at(i));
        }
        // No larger than itself, the picture is its own thumbnail.
        if (sizes.first() == picture)
            QCOMPARE(readFile(dir.filePath("out/thumbs/p.jpg")), readFile(dir.filePath("p.jpg")));
        // A folder is made only for a file that goes into it.
        QCOMPARE(QFileInfo::exists(dir.filePath("out/thumbs/1x")), sizes.at(1).isValid());
        QCOMPARE(QFileInfo::exists(dir.filePath("out/screen")), sizes.at(2).isValid());
    }

    // A second job finds every file made of these very bytes and keeps it;
    // another picture under the same name gets its files anew.
    void files_of_the_same_bytes_are_kept()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("p.jpg"), jpeg({3000, 2000}));
        QVERIFY(QDir().mkpath(dir.filePath("out")));
        OutputWriter writer;
        QVERIFY(writer.open(dir.filePath("out"), nullptr));
        RenditionFolders folders(writer);
        const RenditionJob job = modernJob(dir.filePath("p.jpg"));
        const int made = int(Outcome::Made), kept = int(Outcome::Kept);
        QCOMPARE(outcomes(MakeRenditions(job, folders)), QList<int>({made, made, made, made}));
        QCOMPARE(outcomes(MakeRenditions(job, folders)), QList<int>({kept, kept, kept, kept}));
        writeFile(dir.filePath("p.jpg"), jpeg({3000, 1999}));
        QCOMPARE(outcomes(MakeRenditions(job, folders)), QList<int>({made, made, made, made}));
    }

    // Without its thumbnail the page shows the picture itself, so no other
    // file of it is written.
    void no_thumbnail_no_other_file()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("p.jpg"), jpeg({3000, 2000}));
        QVERIFY(QDir().mkpath(dir.filePath("out/thumbs/p.jpg")));
        OutputWriter writer;
        QVERIFY(writer.open(dir.filePath("out"), nullptr));
        RenditionFolders folders(writer);
        const RenditionResult result = MakeRenditions(modernJob(dir.filePath("p.jpg")), folders);
        const int failed = int(Outcome::Failed), notStarted = int(Outcome::NotStarted);
        QCOMPARE(outcomes(result), QList<int>({failed, notStarted, notStarted, notStarted}));
        QCOMPARE(result.failures(),
                 QStringList{"No thumbnail for \"" + dir.filePath("p.jpg") + "\": \""
                             + dir.filePath("out/thumbs/p.jpg")
                             + "\" could not be written: a folder of that name is in the way."});
        QCOMPARE(folderNames(dir.filePath("out")), QStringList{"thumbs"});
        QCOMPARE(folderNames(dir.filePath("out/thumbs")), QStringList{"p.jpg"});
    }

    // A file that could not be written (here the screen-size copies, whose
    // folder a file of the user's stands in place of) is told apart from a
    // picture that could not be made: the first fails the run, the second
    // stays a note.
    void files_not_written_are_told_apart()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("p.jpg"), jpeg({3000, 2000}));
        writeFile(dir.filePath("cut.jpg"), jpeg({3000, 2000}).left(2000));
        QVERIFY(QDir().mkpath(dir.filePath("out")));
        writeFile(dir.filePath("out/screen"), "mine");
        OutputWriter writer;
        QVERIFY(writer.open(dir.filePath("out"), nullptr));
        RenditionFolders folders(writer);
        const auto notWritten = [&](const QString &picture) {
            QList<bool> files;
            for (const RenditionFileResult &file :
                 MakeRenditions(modernJob(dir.filePath(picture)), folders).files)
                files << file.notWritten;
            return files;
        };
        QCOMPARE(notWritten("p.jpg"), QList<bool>({false, false, true, true}));
        QCOMPARE(notWritten("cut.jpg"), QList<bool>({false, false, false, false}));
        QCOMPARE(readFile(dir.filePath("out/screen")), QByteArray("mine"));
    }

    // On one thread the largest file goes first, so that on many no long
    // job starts last while the other cores have nothing left to do.
    void largest_file_first()
    {
        QTemporaryDir dir;
        const QStringList sources{dir.filePath("small"), dir.filePath("large"),
                                  dir.filePath("middle")};
        writeFile(sources[0], QByteArray(10, 's'));
        writeFile(sources[1], QByteArray(3000, 'l'));
        writeFile(sources[2], QByteArray(200, 'm'));
        QList<qsizetype> order;
        BatchHooks hooks;
        hooks.finished = [&order](qsizetype, qsizetype, qsizetype index) {
            order << index;
        };
        RunBatch(
                sources, [](qsizetype, MemoryBudget &) {}, hooks, 1, qint64(1) << 20);
        QCOMPARE(order, QList<qsizetype>({1, 2, 0}));
    }
};

QTEST_GUILESS_MAIN(TestRenditions)
#include "test_renditions.moc"
