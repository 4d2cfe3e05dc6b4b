#include "run/fin_run.h"
#include "support/fixtures.h"
#include "support/metadata_bytes.h"
#include "support/zip_listing.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vintora;
using namespace metadata_bytes;

namespace {

// A small photograph taken on the day given ("2024:05:01").
QByteArray takenOn(const QByteArray &day)
{
    return jpegWith({exifSegment(tiff({}, {{0x9003, day + " 12:00:00"}}))}, smallJpeg({80, 60}));
}

// Each file's identity and last change: what a rewrite changes.
QStringList fileStamps(const QString &folder)
{
    QStringList stamps;
    for (const QString &name : filesBelow(folder)) {
        struct stat info
        {};
        ::stat(QFile::encodeName(folder + '/' + name).constData(), &info);
        stamps << QStringLiteral("%1 %2 %3.%4")
                          .arg(name)
                          .arg(info.st_ino)
                          .arg(info.st_mtim.tv_sec)
                          .arg(info.st_mtim.tv_nsec);
    }
    return stamps;
}

} // namespace

// The modern page of a tree of folders: a page for each album, with cards
// leading down and a trail leading back up.
class TestFinAlbums : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;
    WizardSettings m_settings;
    QStringList m_statuses;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The pictures, made under a folder of the test's own; the roots are
    // folders of it too.
    FinOutcome run(const QStringList &pictures, const QStringList &roots)
    {
        QStringList entries;
        for (const QString &picture : pictures) {
            const QByteArray day = "2024:05:0" + QByteArray::number(entries.size() + 1);
            if (!QFile::exists(path(picture)))
                writeFile(path(picture), takenOn(day));
            entries << path(picture);
        }
        FinOptions options;
        for (const QString &root : roots)
            options.pictureFolders << path(root);
        if (!roots.isEmpty())
            options.pictureFolder = options.pictureFolders.first();
        m_statuses.clear();
        return RunFin(
                {m_settings, entries, "index.html", m_out},
                [this](const FinProgress &step) { m_statuses << StatusText(step); }, StopRequest(),
                options);
    }

    QString page(const QString &name) const
    {
        return QString::fromUtf8(readFile(m_out + '/' + name));
    }

private slots:
    void init()
    {
        m_out = path(QStringLiteral("out-") + QTest::currentTestFunction()
                     + QTest::currentDataTag());
        QDir().mkpath(m_out);
        m_settings = tableSettings();
        m_settings.modernPage = kTrue;
        m_settings.makeAlbums = kTrue;
        m_settings.pictureOrder = kOrderByDate;
    }

    void files_of_a_tree_data()
    {
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<QStringList>("roots");
        QTest::addColumn<bool>("albums");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("two levels") << QStringList{"t1/a.jpg", "t1/Day 1/b.jpg",
                                                   "t1/Day 1/Morning/c.jpg", "t1/Day 2/d.jpg"}
                                    << QStringList{"t1"} << true
                                    << QStringList{"Day 1/Morning/c.jpg",
                                                   "Day 1/Morning/index.html",
                                                   "Day 1/Morning/thumbs/c.jpg",
                                                   "Day 1/b.jpg",
                                                   "Day 1/index.html",
                                                   "Day 1/thumbs/b.jpg",
                                                   "Day 2/d.jpg",
                                                   "Day 2/index.html",
                                                   "Day 2/thumbs/d.jpg",
                                                   "a.jpg",
                                                   "index.html",
                                                   "thumbs/a.jpg"};
        QTest::newRow("a folder named thumbs")
                << QStringList{"t2/a.jpg", "t2/thumbs/b.jpg", "t2/screen/c.jpg"}
                << QStringList{"t2"} << true
                << QStringList{"a.jpg",
                               "index.html",
                               "screen-2/c.jpg",
                               "screen-2/index.html",
                               "screen-2/thumbs/c.jpg",
                               "thumbs-2/b.jpg",
                               "thumbs-2/index.html",
                               "thumbs-2/thumbs/b.jpg",
                               "thumbs/a.jpg"};
        QTest::newRow("several folders and a single file")
                << QStringList{"x/a.jpg", "y/b.jpg", "loose/c.jpg"} << QStringList{"x", "y"} << true
                << QStringList{"c.jpg",   "index.html",   "thumbs/c.jpg",
                               "x/a.jpg", "x/index.html", "x/thumbs/a.jpg",
                               "y/b.jpg", "y/index.html", "y/thumbs/b.jpg"};
        QTest::newRow("albums off")
                << QStringList{"t3/a.jpg", "t3/Day 1/b.jpg"} << QStringList{"t3"} << false
                << QStringList{"a.jpg", "b.jpg", "index.html", "thumbs/a.jpg", "thumbs/b.jpg"};
    }

    void files_of_a_tree()
    {
        QFETCH(QStringList, pictures);
        QFETCH(QStringList, roots);
        QFETCH(bool, albums);
        QFETCH(QStringList, written);
        m_settings.makeAlbums = albums ? kTrue : kFalse;
        const FinOutcome outcome = run(pictures, roots);
        QCOMPARE(outcome.status, "Finished!");
        QCOMPARE(filesBelow(m_out), written);
    }

    // Each page's zip holds its own pictures, lies in its folder and is
    // linked from its page.
    void zip_of_each_album_data()
    {
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QByteArrayList>("entries");
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QString>("link");
        QTest::newRow("top page") << "t6.zip" << QByteArrayList{"a.jpg", "e.jpg"} << "index.html"
                                  << "<a href=\"t6.zip\" download>Download all 2 pictures (zip, ";
        QTest::newRow("album") << "Day 1/Day 1.zip" << QByteArrayList{"b.jpg"} << "Day 1/index.html"
                               << "<a href=\"Day%201.zip\" download>Download 1 picture (zip, ";
        QTest::newRow("album in an album")
                << "Day 1/Morning/Morning.zip" << QByteArrayList{"c.jpg", "d.jpg"}
                << "Day 1/Morning/index.html"
                << "<a href=\"Morning.zip\" download>Download all 2 pictures (zip, ";
    }

    void zip_of_each_album()
    {
        QFETCH(QString, zip);
        QFETCH(QByteArrayList, entries);
        QFETCH(QString, pageName);
        QFETCH(QString, link);
        m_settings.makeZips = kTrue;
        const FinOutcome outcome = run({"t6/a.jpg", "t6/Day 1/b.jpg", "t6/Day 1/Morning/c.jpg",
                                        "t6/Day 1/Morning/d.jpg", "t6/e.jpg"},
                                       {"t6"});
        QCOMPARE(outcome.status, "Finished!");
        QByteArrayList names;
        for (const zip_listing::Entry &entry : zip_listing::entriesOf(readFile(m_out + '/' + zip)))
            names << entry.name;
        QCOMPARE(names, entries);
        QVERIFY2(page(pageName).contains(link), qPrintable(page(pageName)));
    }

    // A zip that would take an album folder's name stops the run before
    // anything is written.
    void zip_named_like_an_album_folder_data()
    {
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<QString>("ending");
        QTest::newRow("top page's zip") << QStringList{"t7/a.jpg", "t7/t7.zip/b.jpg"}
                                        << "t7.zip\": an album's folder has that name.";
    }

    void zip_named_like_an_album_folder()
    {
        QFETCH(QStringList, pictures);
        QFETCH(QString, ending);
        m_settings.makeZips = kTrue;
        const FinOutcome outcome = run(pictures, {"t7"});
        QCOMPARE(outcome.result, FinResult::Failed);
        QVERIFY2(outcome.status.endsWith(ending), qPrintable(outcome.status));
        QCOMPARE(filesBelow(m_out), QStringList());
    }

    // An output folder inside the tree: what an earlier run made there, which
    // a listing of the tree finds again, is no picture of the tree.
    void earlier_output_inside_the_tree_data()
    {
        QTest::addColumn<QStringList>("listedAgain");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("copies and thumbnails")
                << QStringList{"t9/web/a.jpg", "t9/web/thumbs/a.jpg", "t9/web/Day 1/b.jpg"}
                << QStringList{"Day 1/b.jpg", "Day 1/index.html", "Day 1/thumbs/b.jpg",
                               "a.jpg",       "index.html",       "thumbs/a.jpg"}
                << QStringList{"Left out 3 files in the output folder, which an earlier run made."};
    }

    void earlier_output_inside_the_tree()
    {
        QFETCH(QStringList, listedAgain);
        QFETCH(QStringList, written);
        QFETCH(QStringList, notes);
        m_out = path("t9/web");
        QDir().mkpath(m_out);
        const QStringList pictures{"t9/a.jpg", "t9/Day 1/b.jpg"};
        QCOMPARE(run(pictures, {"t9"}).status, "Finished!");
        const FinOutcome outcome = run(pictures + listedAgain, {"t9"});
        QCOMPARE(outcome.status, "Finished!");
        QCOMPARE(outcome.notes, notes);
        QCOMPARE(filesBelow(m_out), written);
    }

    // One status line for the pictures of every album.
    void one_count_for_the_whole_tree()
    {
        run({"t4/a.jpg", "t4/Day 1/b.jpg", "t4/Day 2/c.jpg"}, {"t4"});
        QCOMPARE(m_statuses.filter("Making"),
                 QStringList({"Making pictures: 0 of 3", "Making pictures: 1 of 3",
                              "Making pictures: 2 of 3"}));
    }

    void cards_and_trails_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("pageName");
        QTest::addColumn<QString>("html");
        // Taken on 1, 2, 3 and 4 May 2024, in the list's order.
        QTest::newRow("top page: the newest album first")
                << "date"
                << "index.html"
                << "<ul class=\"albums\">\n"
                   "<li><a href=\"Day%202/index.html\"><img src=\"Day%202/thumbs/d.jpg\" "
                   "width=\"293\" height=\"220\" alt=\"\" decoding=\"async\"><span "
                   "class=\"name\">Day 2</span><span class=\"about\">1 picture · 4 May "
                   "2024</span></a></li>\n"
                   "<li><a href=\"Day%201/index.html\"><img src=\"Day%201/thumbs/b.jpg\" "
                   "width=\"293\" height=\"220\" alt=\"\" decoding=\"async\"><span "
                   "class=\"name\">Day 1</span><span class=\"about\">2 pictures · 2–3 May "
                   "2024</span></a></li>\n</ul>\n";
        QTest::newRow("top page: by name")
                << "name"
                << "index.html"
                << "<li><a href=\"Day%201/index.html\"><img src=\"Day%201/thumbs/b.jpg\" "
                   "width=\"293\" height=\"220\" alt=\"\" decoding=\"async\"><span "
                   "class=\"name\">Day 1</span><span class=\"about\">2 pictures · 2–3 May "
                   "2024</span></a></li>\n"
                   "<li><a href=\"Day%202/index.html\">";
        QTest::newRow("album: the card of the album below it")
                << "date"
                << "Day 1/index.html"
                << "<li><a href=\"Morning/index.html\"><img src=\"Morning/thumbs/c.jpg\" "
                   "width=\"293\" height=\"220\" alt=\"\" decoding=\"async\"><span "
                   "class=\"name\">Morning</span><span class=\"about\">1 picture · 3 May "
                   "2024</span></a></li>";
        QTest::newRow("album: trail to the top")
                << "date"
                << "Day 1/index.html"
                << "<nav class=\"trail\" aria-label=\"Albums\"><ol><li><a "
                   "href=\"../index.html\">t5</a></li><li aria-current=\"page\">Day "
                   "1</li></ol></nav>";
        QTest::newRow("album two down: trail through its parent")
                << "date"
                << "Day 1/Morning/index.html"
                << "<ol><li><a href=\"../../index.html\">t5</a></li><li><a "
                   "href=\"../index.html\">Day 1</a></li><li aria-current=\"page\">Morning</li>"
                   "</ol>";
        QTest::newRow("album: titled by its name") << "date"
                                                   << "Day 1/Morning/index.html"
                                                   << "<title>Morning</title>";
    }

    void cards_and_trails()
    {
        QFETCH(QString, order);
        QFETCH(QString, pageName);
        QFETCH(QString, html);
        m_settings.pictureOrder = order;
        const FinOutcome outcome = run(
                {"t5/a.jpg", "t5/Day 1/b.jpg", "t5/Day 1/Morning/c.jpg", "t5/Day 2/d.jpg"}, {"t5"});
        QCOMPARE(outcome.status, "Finished!");
        const QString written = page(pageName);
        if (!written.contains(html))
            QCOMPARE(written, html);
    }

    // Nothing shown where there is nothing: no grid without pictures.
    void top_page_of_albums_alone_shows_no_grid()
    {
        QCOMPARE(run({"t8/Day 1/a.jpg", "t8/Day 2/b.jpg"}, {"t8"}).status, "Finished!");
        QVERIFY(page("index.html")
                        .contains("<span class=\"about\">1 picture · 1 May 2024</span></a></li>\n"
                                  "</ul>\n<footer>"));
    }

    void rerun_of_an_unchanged_tree_rewrites_nothing()
    {
        const QStringList pictures{"t6/a.jpg", "t6/Day 1/b.jpg", "t6/Day 1/Morning/c.jpg"};
        QCOMPARE(run(pictures, {"t6"}).status, "Finished!");
        const QStringList before = fileStamps(m_out);
        const FinOutcome again = run(pictures, {"t6"});
        QCOMPARE(again.status, "Finished!");
        QCOMPARE(again.filesMade(), 0);
        QCOMPARE(fileStamps(m_out), before);
    }

    // Every album's folder is checked before the first byte is written.
    void album_folder_in_the_way_stops_before_writing()
    {
        writeFile(m_out + "/Day 2", "not a folder");
        const FinOutcome outcome = run({"t7/a.jpg", "t7/Day 1/b.jpg", "t7/Day 2/c.jpg"}, {"t7"});
        QCOMPARE(outcome.result, FinResult::Failed);
        QCOMPARE(filesBelow(m_out), QStringList{"Day 2"});
    }
};

QTEST_GUILESS_MAIN(TestFinAlbums)
#include "test_fin_albums.moc"
