// The modern page's zip: the published pictures, linked from the page,
// kept when nothing changed, refused before anything is written when its
// place is taken.

#include "run/fin_run.h"
#include "support/fixtures.h"
#include "support/metadata_bytes.h"
#include "support/zip_listing.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vintora;
using namespace metadata_bytes;

namespace {

// A photograph that tells where it was taken: in its GPS block, in XMP
// and in IPTC.
QByteArray phonePhotograph(QSize size)
{
    const Tags main{{0x010F, "Canon"}, {0x0110, "Canon EOS 80D"}};
    const Tags gps{{0x0001, "N"}, rational(0x0004, 2, 1)};
    return jpegWith({exifSegment(tiff(main, {}, gps)),
                     xmpSegment(xmpPacket("<photoshop:City>Paris</photoshop:City>")),
                     iptcSegment(iptcDataSet(90, "Paris"))},
                    smallJpeg(size));
}

// A picture of exactly 2000 bytes: a small JPEG and zeros after its end.
QByteArray twoThousandBytes()
{
    QByteArray jpeg = smallJpeg({48, 32});
    return jpeg.append(QByteArray(2000 - jpeg.size(), '\0'));
}

QStringList entryNames(const QString &zipPath)
{
    QStringList names;
    for (const zip_listing::Entry &entry : zip_listing::entriesOf(readFile(zipPath)))
        names << QString::fromUtf8(entry.name);
    return names;
}

} // namespace

class TestFinZip : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;
    WizardSettings m_settings;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    FinOutcome run(const QStringList &entries, const QString &pageName = "index.html",
                   const FinProgressSink &progress = {}, const StopRequest &stop = StopRequest())
    {
        FinOptions options;
        options.pictureFolder = path("Holiday");
        return RunFin({m_settings, entries, pageName, m_out}, progress, stop, options);
    }

    // a.jpg and b.jpg, 2000 bytes each, in the folder Holiday.
    QStringList twoPictures()
    {
        writeFile(path("Holiday/a.jpg"), twoThousandBytes());
        writeFile(path("Holiday/b.jpg"), twoThousandBytes());
        return {path("Holiday/b.jpg"), path("Holiday/a.jpg")};
    }

private slots:
    void init()
    {
        m_out = path(QString("out-") + QTest::currentTestFunction() + QTest::currentDataTag());
        QDir().mkpath(m_out);
        m_settings = tableSettings();
        m_settings.thumbWidth = m_settings.thumbHeight = 100;
        m_settings.modernPage = kTrue;
        m_settings.makeZips = kTrue;
        m_settings.pictureOrder = kOrderByName;
    }

    // The copies as published, in the page's order: without where the
    // photograph was taken; the picture whose full size is withheld is
    // left out.
    void holds_the_published_copies()
    {
        const QStringList entries = twoPictures();
        writeFile(path("Holiday/phone.jpg"), phonePhotograph({64, 48}));
        writeFile(path("Holiday/pair.jpg"), smallJpeg({2400, 1600}) + phonePhotograph({8, 8}));
        const FinOutcome outcome
                = run(entries + QStringList{path("Holiday/phone.jpg"), path("Holiday/pair.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.zipsMade, 1);
        const QString zipPath = m_out + "/Holiday.zip";
        QCOMPARE(entryNames(zipPath), QStringList({"a.jpg", "b.jpg", "phone.jpg"}));
        for (const zip_listing::Entry &entry : zip_listing::entriesOf(readFile(zipPath))) {
            QCOMPARE(entry.method, 0);
            QCOMPARE(entry.bytes, readFile(m_out + "/" + QString::fromUtf8(entry.name)));
        }
        const QByteArray phone = zip_listing::entriesOf(readFile(zipPath)).at(2).bytes;
        QVERIFY(phone.contains("Canon EOS 80D"));
        QVERIFY(!phone.contains("Paris"));
        QVERIFY(!phone.contains("\x88\x25") && !phone.contains("\x25\x88"));
        QCOMPARE(zip_listing::entriesOf(readFile(zipPath)).at(0).size, 2000);
    }

    void the_page_links_it_with_its_size()
    {
        QCOMPARE(run(twoPictures()).result, FinResult::Finished);
        // 2 * (30 + 46 + 2 * (5 + 9)) header bytes, 2 * 2000 of the
        // pictures, 22 of the end record: 4230.
        QCOMPARE(QFileInfo(m_out + "/Holiday.zip").size(), 4230);
        const QString page = QString::fromUtf8(readFile(m_out + "/index.html"));
        QVERIFY(page.contains("<h1>Holiday</h1>\n<p class=\"zip\"><a href=\"Holiday.zip\" "
                              "download>Download all 2 pictures (zip, 4.2 kB)</a></p>\n"));
        QVERIFY(page.contains(".zip{margin:0 0 1rem;text-align:center}\n"));
    }

    void none_without_the_choice()
    {
        m_settings.makeZips = kFalse;
        QCOMPARE(run(twoPictures()).result, FinResult::Finished);
        QCOMPARE(folderNames(m_out), QStringList({"a.jpg", "b.jpg", "index.html", "thumbs"}));
        QVERIFY(!readFile(m_out + "/index.html").contains("zip"));
    }

    void a_rerun_rewrites_nothing()
    {
        const QStringList entries = twoPictures();
        QCOMPARE(run(entries).zipsMade, 1);
        const ino_t zip = inodeOf(m_out + "/Holiday.zip");
        const QByteArray page = readFile(m_out + "/index.html");
        const FinOutcome again = run(entries);
        QCOMPARE(again.result, FinResult::Finished);
        QCOMPARE(again.zipsMade, 0);
        QCOMPARE(again.zipsKept, 1);
        QCOMPARE(inodeOf(m_out + "/Holiday.zip"), zip);
        QCOMPARE(readFile(m_out + "/index.html"), page);
    }

    // Stopped while the zip is being made: no zip, no hidden file of one,
    // and no page.
    void stopped_at_the_zip_leaves_none()
    {
        StopRequest stop;
        QStringList statuses;
        const FinOutcome outcome = run(
                twoPictures(), "index.html",
                [&](const FinProgress &step) {
                    statuses << StatusText(step);
                    if (step.phase == FinProgress::Phase::MakingZip)
                        stop.request();
                },
                stop);
        QCOMPARE(outcome.result, FinResult::Cancelled);
        QVERIFY(statuses.contains("Making the zip file"));
        QCOMPARE(folderNames(m_out), QStringList({"a.jpg", "b.jpg", "thumbs"}));
    }

    void refused_before_anything_is_written_data()
    {
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QString>("why");
        QTest::newRow("a folder there") << "folder"
                                        << "index.html"
                                        << "a folder of that name is in the way.";
        QTest::newRow("the page's name") << ""
                                         << "Holiday.zip"
                                         << "the page has that name. Choose another name for "
                                            "the page.";
        QTest::newRow("a picture there") << "picture"
                                         << "index.html"
                                         << "it is the picture \"%1/Holiday.zip\", which the zip "
                                            "would replace.";
    }

    void refused_before_anything_is_written()
    {
        QFETCH(QString, taken);
        QFETCH(QString, pageName);
        QFETCH(QString, why);
        QStringList entries = twoPictures();
        if (taken == "folder")
            QDir().mkpath(m_out + "/Holiday.zip");
        if (taken == "picture") {
            writeFile(m_out + "/Holiday.zip", twoThousandBytes());
            entries << m_out + "/Holiday.zip";
        }
        const QStringList before = folderNames(m_out);
        const FinOutcome outcome = run(entries, pageName);
        QCOMPARE(outcome.result, FinResult::Failed);
        QCOMPARE(outcome.status, "Could not write the zip file \"" + m_out
                                         + "/Holiday.zip\": " + why.replace("%1", m_out));
        QCOMPARE(folderNames(m_out), before);
    }
};

QTEST_GUILESS_MAIN(TestFinZip)
#include "test_fin_zip.moc"
