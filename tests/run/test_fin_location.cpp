#include "run/fin_run.h"
#include "support/fixtures.h"
#include "support/metadata_bytes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;
using namespace metadata_bytes;

namespace {

// A photograph as a phone writes it: camera, date and description in
// EXIF, the position in its GPS block, in XMP, and the city in IPTC.
QByteArray phonePhotograph(QSize size)
{
    const Tags main{{0x010F, "Canon"}, {0x0110, "Canon EOS 80D"}, {0x010E, "Harbour at dawn"}};
    const Tags exif{{0x9003, "2024:05:01 12:33:10"}};
    const Tags gps{{0x0001, "N"}, rational(0x0004, 2, 1)};
    return jpegWith({exifSegment(tiff(main, exif, gps)),
                     xmpSegment(xmpPacket("<exif:GPSLongitude>2,17.67E</exif:GPSLongitude>"
                                          "<photoshop:City>Paris</photoshop:City>")),
                     iptcSegment(iptcDataSet(90, "Paris"))},
                    smallJpeg(size));
}

} // namespace

// The modern page's copies are published without where the photographs
// were taken, their pictures byte for byte; the user may keep it.
class TestFinLocation : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;
    WizardSettings m_settings;
    QStringList m_notes;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    FinOutcome run(const QStringList &entries)
    {
        m_notes.clear();
        const FinOutcome outcome = RunFin({m_settings, entries, "index.html", m_out});
        m_notes = outcome.notes;
        return outcome;
    }

private slots:
    void init()
    {
        m_out = path(QString(QTest::currentTestFunction()) + QTest::currentDataTag());
        QDir().mkpath(m_out);
        m_settings = tableSettings();
        m_settings.thumbWidth = m_settings.thumbHeight = 100;
        m_settings.modernPage = kTrue;
    }

    void removed_from_the_copies_then_kept()
    {
        const QByteArray original = phonePhotograph({64, 48});
        writeFile(path("p/phone.jpg"), original);
        FinOutcome outcome = run({path("p/phone.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.locationsRemoved, 1);
        QCOMPARE(outcome.picturesWithLocation, 0);
        QCOMPARE(outcome.copiedPictures, 1);

        const QByteArray copy = readFile(m_out + "/phone.jpg");
        const QByteArray head = copy.left(scanStart(copy));
        QVERIFY(scanStart(copy) > 0);
        QCOMPARE(copy.mid(scanStart(copy)), original.mid(scanStart(original)));
        QVERIFY(!head.contains("Paris"));
        QVERIFY(!head.contains("GPS"));
        QVERIFY(!head.contains("\x88\x25") && !head.contains("\x25\x88"));
        QVERIFY(head.contains("Canon EOS 80D"));
        QVERIFY(head.contains("Harbour at dawn"));
        QVERIFY(head.contains("2024:05:01 12:33:10"));
        QVERIFY(readFile(m_out + "/index.html").contains(R"(<a href="phone.jpg" )"));

        // An unchanged folder: nothing is written again.
        outcome = run({path("p/phone.jpg")});
        QCOMPARE(outcome.copiedPictures, 0);
        QCOMPARE(outcome.copiesInPlace, 1);
        QCOMPARE(outcome.locationsRemoved, 1);

        // A changed description of the same length is written.
        writeFile(path("p/phone.jpg"), QByteArray(original).replace("at dawn", "at dusk"));
        outcome = run({path("p/phone.jpg")});
        QCOMPARE(outcome.copiedPictures, 1);
        QVERIFY(readFile(m_out + "/phone.jpg").contains("Harbour at dusk"));
    }

    void kept_when_the_user_asks_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QString>("link");
        QTest::newRow("copied") << true << R"(<a href="phone.jpg" )";
        QTest::newRow("not copied") << false << R"(<a href="file://)";
    }
    void kept_when_the_user_asks()
    {
        QFETCH(bool, copy);
        QFETCH(QString, link);
        const QByteArray original = phonePhotograph({64, 48});
        writeFile(path("p/phone.jpg"), original);
        writeFile(path("p/plain.jpg"), smallJpeg({64, 48}));
        m_settings.keepLocation = kTrue;
        m_settings.copyPictures = copy ? kTrue : kFalse;
        const FinOutcome outcome = run({path("p/phone.jpg"), path("p/plain.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.picturesWithLocation, 1);
        QCOMPARE(outcome.locationsRemoved, 0);
        QCOMPARE(QFile::exists(m_out + "/phone.jpg"), copy);
        if (copy)
            QCOMPARE(readFile(m_out + "/phone.jpg"), original);
        QVERIFY(QString::fromUtf8(readFile(m_out + "/index.html")).contains(link));
    }

    void the_classic_page_copies_as_they_are()
    {
        const QByteArray original = phonePhotograph({64, 48});
        writeFile(path("p/phone.jpg"), original);
        m_settings.modernPage = kFalse;
        const FinOutcome outcome = run({path("p/phone.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(readFile(m_out + "/phone.jpg"), original);
        QCOMPARE(outcome.picturesWithLocation, 1);
    }

    // A second picture after the first's end (as in a phone's depth map)
    // that tells the place cannot be rewritten: the original is not
    // published, its largest screen-size copy stands in.
    void not_published_where_it_cannot_be_removed()
    {
        const QByteArray photograph = smallJpeg({2400, 1600}) + phonePhotograph({8, 8});
        writeFile(path("p/pair.jpg"), photograph);
        const FinOutcome outcome = run({path("p/pair.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.fullSizeWithheld, 1);
        QVERIFY(!QFile::exists(m_out + "/pair.jpg"));
        QCOMPARE(m_notes,
                 QStringList({"\"" + path("p/pair.jpg")
                              + "\" is not published at full size: a second picture inside it "
                                "tells where it was taken; the page links its largest "
                                "screen-size copy instead."}));
        QVERIFY(readFile(m_out + "/index.html").contains(R"(<a href="screen/2048/pair.jpg" )"));
    }

    // The copy that stands in gives the page its own size, and is offered
    // once among the screen-size copies.
    void stand_in_gives_its_own_size_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QByteArray>("link");
        QTest::newRow("two screen-size copies, the larger stands in")
                << QSize(2400, 1600)
                << QByteArray(R"(<a href="screen/2048/pair.jpg" data-size="2048x1365" )"
                              R"(data-screen="screen/1280/pair.jpg 1280w, )"
                              R"(screen/2048/pair.jpg 2048w" data-name="pair.jpg">)");
        QTest::newRow("one screen-size copy, it stands in")
                << QSize(1600, 1200)
                << QByteArray(R"(<a href="screen/1280/pair.jpg" data-size="1280x960" )"
                              R"(data-screen="screen/1280/pair.jpg 1280w" data-name="pair.jpg">)");
    }
    void stand_in_gives_its_own_size()
    {
        QFETCH(QSize, size);
        QFETCH(QByteArray, link);
        writeFile(path("p/pair.jpg"), smallJpeg(size) + phonePhotograph({8, 8}));
        const FinOutcome outcome = run({path("p/pair.jpg")});
        QCOMPARE(outcome.fullSizeWithheld, 1);
        const QByteArray page = readFile(m_out + "/index.html");
        QVERIFY2(page.contains(link), page.constData());
    }
};

QTEST_GUILESS_MAIN(TestFinLocation)
#include "test_fin_location.moc"
