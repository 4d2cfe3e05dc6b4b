#include "run/fin_run.h"
#include "support/crafted_pictures.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

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

// The JPEG with an EXIF segment whose main IFD names the make "LG".
QByteArray withMakeLG(const QByteArray &jpeg)
{
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08", 14)
                            + QByteArray("\0\x01\x01\x0F\0\x02\0\0\0\x03LG\0\0\0\0\0\0", 18);
    return jpeg.left(2) + QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif + jpeg.mid(2);
}

// The JPEG with 120,000 bytes of other segments before its EXIF segment,
// whose main IFD names the make "Canon" and the time 2024:05:01 12:33:10.
QByteArray withExifAfterOtherSegments(const QByteArray &jpeg)
{
    const QByteArray other = QByteArray("\xFF\xE2\xEA\x62", 4) + QByteArray(60000, 'x');
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x02", 16)
                            + QByteArray("\x01\x0F\0\x02\0\0\0\x06\0\0\0\x26", 12)
                            + QByteArray("\x01\x32\0\x02\0\0\0\x14\0\0\0\x2C", 12)
                            + QByteArray("\0\0\0\0Canon\0"
                                         "2024:05:01 12:33:10\0",
                                         30);
    return jpeg.left(2) + other + other + QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif
           + jpeg.mid(2);
}

} // namespace

// The Fin run writing the modern page: the thumbnails at both densities
// and the screen-size copies beside it, kept when up to date.
class TestFinModern : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;
    WizardSettings m_settings;
    QStringList m_statuses;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    FinOutcome run(const QStringList &entries, const QString &fileName = "vintora.htm",
                   const QString &pictureFolder = QString())
    {
        m_statuses.clear();
        FinOptions options;
        options.pictureFolder = pictureFolder;
        return RunFin(
                {m_settings, entries, fileName, m_out},
                [this](const FinProgress &step) { m_statuses << StatusText(step); }, StopRequest(),
                options);
    }

private slots:
    void init()
    {
        m_out = path(QTest::currentTestFunction());
        QDir().mkpath(m_out);
        m_settings = tableSettings();
        m_settings.thumbWidth = m_settings.thumbHeight = 100;
        m_settings.modernPage = kTrue;
        m_settings.makeThumbnails = kFalse; // the modern page makes them all the same
    }

    void thumbnails_and_screen_copies_made_then_kept()
    {
        writeFile(path("p/big.jpg"), withMakeLG(jpeg({3000, 2000})));
        writeFile(path("p/mid.jpg"), jpeg({1500, 1000}));
        writeFile(path("p/small.jpg"), jpeg({80, 60}));
        const QStringList pictures{path("p/big.jpg"), path("p/mid.jpg"), path("p/small.jpg")};
        FinOutcome outcome = run(pictures);
        QCOMPARE(outcome.result, FinResult::Finished);
        // Every file of a picture is made by one job: one line counts them.
        QCOMPARE(m_statuses.filter("Making"),
                 QStringList({"Making pictures: 0 of 3", "Making pictures: 1 of 3",
                              "Making pictures: 2 of 3"}));
        QCOMPARE(folderNames(m_out + "/thumbs"),
                 QStringList({"1x", "big.jpg", "mid.jpg", "small.jpg"}));
        QCOMPARE(folderNames(m_out + "/thumbs/1x"), QStringList({"big.jpg", "mid.jpg"}));
        QCOMPARE(folderNames(m_out + "/screen/1280"), QStringList({"big.jpg", "mid.jpg"}));
        QCOMPARE(folderNames(m_out + "/screen/2048"), QStringList({"big.jpg"}));
        QCOMPARE(QImage(m_out + "/screen/2048/big.jpg").size(), QSize(2048, 1365));
        // Made for the modern grid's rows, whatever box the record gives.
        QCOMPARE(QImage(m_out + "/thumbs/1x/mid.jpg").size(), QSize(330, 220));
        QCOMPARE(QImage(m_out + "/thumbs/mid.jpg").size(), QSize(660, 440));
        QCOMPARE(outcome.thumbnailsMade, 5);
        QCOMPARE(outcome.screenCopiesMade, 3);

        const QString page = QString::fromUtf8(readFile(m_out + "/vintora.htm"));
        QVERIFY(page.startsWith("<!DOCTYPE html>\n"));
        QVERIFY(page.contains(
                R"html(<li id="big.jpg" style="--r:1.5"><a href="big.jpg" data-size="3000x2000" data-screen="screen/1280/big.jpg 1280w, screen/2048/big.jpg 2048w" data-camera="LG" data-name="big.jpg"><img src="thumbs/1x/big.jpg" srcset="thumbs/1x/big.jpg 330w, thumbs/big.jpg 660w" sizes="calc(1.5*clamp(80px,36vw - 40px,200px))" width="330" height="220" alt="big")html"));
        QVERIFY(page.contains(
                R"html(<li id="mid.jpg" style="--r:1.5"><a href="mid.jpg" data-size="1500x1000" data-screen="screen/1280/mid.jpg 1280w, mid.jpg 1500w" data-name="mid.jpg"><img src="thumbs/1x/mid.jpg" srcset="thumbs/1x/mid.jpg 330w, thumbs/mid.jpg 660w" sizes="calc(1.5*clamp(80px,36vw - 40px,200px))" width="330" height="220" alt="mid")html"));
        // Too small for two sizes: one file, shown at the box's height.
        QVERIFY(page.contains(
                R"(<li id="small.jpg" style="--r:1.3333"><a href="small.jpg" data-size="80x60" data-name="small.jpg"><img src="thumbs/small.jpg" width="293" height="220" alt="small")"));

        outcome = run(pictures);
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.thumbnailsMade, 0);
        QCOMPARE(outcome.thumbnailsKept, 5);
        QCOMPARE(outcome.screenCopiesMade, 0);
        QCOMPARE(outcome.screenCopiesKept, 3);
    }

    // Other segments, a colour profile say, may come before a photo's EXIF.
    void date_and_camera_shown_wherever_the_exif_stands()
    {
        writeFile(path("p/far.jpg"), withExifAfterOtherSegments(jpeg({80, 60})));
        QCOMPARE(run({path("p/far.jpg")}).result, FinResult::Finished);
        const QString page = QString::fromUtf8(readFile(m_out + "/vintora.htm"));
        QVERIFY2(
                page.contains(
                        R"(<a href="far.jpg" data-size="80x60" data-taken="2024-05-01T12:33:10" data-camera="Canon" data-name="far.jpg"><img )"),
                qPrintable(page));
    }

    // Without a title the page takes the name of the pictures' folder, or
    // of the output folder when they were chosen one by one.
    void title_from_the_folder_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("pictureFolder");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the record's") << "Lisbon"
                                      << "p"
                                      << "<h1>Lisbon</h1>";
        QTest::newRow("the pictures' folder") << ""
                                              << "Summer & sea/"
                                              << "<h1>Summer &amp; sea</h1>";
        QTest::newRow("one by one") << ""
                                    << ""
                                    << "<h1>out folder</h1>";
    }
    void title_from_the_folder()
    {
        QFETCH(QString, title);
        QFETCH(QString, pictureFolder);
        QFETCH(QString, shown);
        m_out = path(QString("title-") + QTest::currentDataTag() + "/out folder");
        QDir().mkpath(m_out);
        m_settings.pageTitle = title;
        writeFile(path("p/a.jpg"), jpeg({80, 60}));
        const QString folder = pictureFolder.isEmpty() ? QString() : path(pictureFolder);
        QCOMPARE(run({path("p/a.jpg")}, "index.html", folder).result, FinResult::Finished);
        const QString page = QString::fromUtf8(readFile(m_out + "/index.html"));
        QVERIFY2(page.contains(shown), qPrintable(page.section("<body", 1).left(200)));
    }

    // A numbered name passes over the user's files in every folder the
    // modern page writes into, not only the output folder and thumbs.
    void numbered_names_pass_over_files_in_its_folders()
    {
        writeFile(m_out + "/screen/1280/x-2.jpg", "mine");
        writeFile(m_out + "/thumbs/1x/x-3.jpg", "mine too");
        writeFile(path("p/x.jpg"), jpeg({3000, 2000}));
        writeFile(path("q/x.jpg"), jpeg({2000, 3000}));
        const FinOutcome outcome = run({path("p/x.jpg"), path("q/x.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(folderNames(m_out),
                 QStringList({"screen", "thumbs", "vintora.htm", "x-4.jpg", "x.jpg"}));
        QCOMPARE(folderNames(m_out + "/screen/1280"), QStringList({"x-2.jpg", "x-4.jpg", "x.jpg"}));
        QCOMPARE(readFile(m_out + "/screen/1280/x-2.jpg"), QByteArray("mine"));
        QCOMPARE(readFile(m_out + "/thumbs/1x/x-3.jpg"), QByteArray("mine too"));
    }

    // A picture whose decode would cost more memory than its files are
    // worth is refused from its header, before any of it is read: a note,
    // and the page shows the picture itself; the other pictures get theirs.
    // So with the modern page and with thumbnails on today's page.
    void costly_picture_noted_and_shown_as_it_is_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("modern");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("link");
        using namespace crafted_pictures;
        const QString note = "it would take more memory than a thumbnail is worth (%1 pixels).";
        for (const bool modern : {true, false}) {
            const char *page = modern ? "modern" : "thumbnails";
            // The picture itself in place of its thumbnail.
            const QString link
                    = modern ? R"(<a href="%1.%2" data-name="%1.%2"><img src="%1.%2" alt="%1" decoding)"
                             : R"(<A HREF = "%1.%2"><IMG SRC = "%1.%2" width = "100")";
            QTest::addRow("%s, png of 16 bits, 9000 x 9000", page)
                    << "bomb.png" << blackSixteenBitPng({9000, 9000}, false) << modern
                    << note.arg("9000 × 9000") << link.arg("bomb", "png");
            QTest::addRow("%s, progressive jpeg, colour, 11000 x 11000", page)
                    << "bomb.jpg" << shortProgressiveJpeg({11000, 11000}, 3) << modern
                    << note.arg("11000 × 11000") << link.arg("bomb", "jpg");
            QTest::addRow("%s, progressive jpeg, grey, 19000 x 19000", page)
                    << "grey.jpg" << shortProgressiveJpeg({19000, 19000}, 1) << modern
                    << note.arg("19000 × 19000") << link.arg("grey", "jpg");
            QTest::addRow("%s, gif, screen of 14000 x 14000", page)
                    << "bomb.gif" << gifFrameOnScreen({14000, 14000}, {400, 300}) << modern
                    << note.arg("14000 × 14000") << link.arg("bomb", "gif");
        }
    }

    void costly_picture_noted_and_shown_as_it_is()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, modern);
        QFETCH(QString, note);
        QFETCH(QString, link);
        m_out = path(QString("cost-") + QTest::currentDataTag());
        QDir().mkpath(m_out);
        m_settings.modernPage = modern ? kTrue : kFalse;
        m_settings.makeThumbnails = modern ? kFalse : kTrue;
        writeFile(path("bombs/" + name), bytes);
        writeFile(path("bombs/ok.jpg"), jpeg({900, 600}));
        const FinOutcome outcome = run({path("bombs/" + name), path("bombs/ok.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.notes,
                 QStringList{"No thumbnail for \"" + path("bombs/" + name) + "\": " + note});
        QCOMPARE(folderNames(m_out + "/thumbs"),
                 modern ? QStringList({"1x", "ok.jpg"}) : QStringList({"ok.jpg"}));
        const QString page = QString::fromUtf8(readFile(m_out + "/vintora.htm"));
        QVERIFY2(page.contains(link), qPrintable(page.mid(page.indexOf(name) - 20, 300)));
    }

    void what_stands_in_the_way_stops_the_run_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QString>("status");
        QTest::newRow("page named screen")
                << ""
                << "screen"
                << "The page cannot be named \"screen\": the screen-size pictures go into a "
                   "folder of that name beside it.";
        QTest::newRow("a file named screen") << "screen"
                                             << "vintora.htm"
                                             << "screen";
        QTest::newRow("a file named screen/1280") << "screen/1280"
                                                  << "vintora.htm"
                                                  << "1280";
        QTest::newRow("a file named thumbs/1x") << "thumbs/1x"
                                                << "vintora.htm"
                                                << "1x";
    }
    void what_stands_in_the_way_stops_the_run()
    {
        QFETCH(QString, file);
        QFETCH(QString, pageName);
        QFETCH(QString, status);
        m_out = path(QString("way-") + QTest::currentDataTag());
        QDir().mkpath(m_out);
        if (!file.isEmpty())
            writeFile(m_out + "/" + file, "mine");
        writeFile(path("p/big.jpg"), jpeg({3000, 2000}));
        const FinOutcome outcome = run({path("p/big.jpg")}, pageName);
        QCOMPARE(outcome.result, FinResult::Failed);
        QVERIFY2(outcome.status.contains(status), qPrintable(outcome.status));
        QVERIFY(!QFile::exists(m_out + "/" + pageName) || pageName == file);
        QVERIFY(!QFile::exists(m_out + "/big.jpg"));
    }
};

QTEST_GUILESS_MAIN(TestFinModern)
#include "test_fin_modern.moc"
