// vintora-cli making the modern page of a folder of folders: a page for
// each album, and what is never listed.

#include "cli_process.h"
#include "support/crafted_pictures.h"
#include "support/fixtures.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

// A trip by days: pictures at two levels, a hidden folder, a folder
// without pictures, and a link back to the top.
void makeTrip(const QString &trip)
{
    const QByteArray jpeg
            = crafted_pictures::uniformGreyJpeg({16, 16}, crafted_pictures::JpegKind::Baseline);
    writeFile(trip + "/a.jpg", jpeg);
    writeFile(trip + "/Day 1/b.jpg", jpeg);
    writeFile(trip + "/Day 1/Morning/c.jpg", jpeg);
    writeFile(trip + "/Day 2/d.jpg", jpeg);
    writeFile(trip + "/.hidden/h.jpg", jpeg);
    writeFile(trip + "/empty/notes.txt", "notes");
    QFile::link("..", trip + "/Day 2/loop");
}

} // namespace

class TestCliAlbums : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void tree_of_albums_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("output"); // relative to the trip's folder
        QTest::addColumn<QStringList>("written");
        const QStringList tree{"Day 1/Morning/c.jpg",
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
        QTest::newRow("a tree") << QStringList{"--modern"} << "../site" << tree;
        QTest::newRow("output folder inside the tree") << QStringList{"--modern"} << "site" << tree;
        QTest::newRow("no albums") << QStringList{"--modern", "--no-albums"} << "../site"
                                   << QStringList{"a.jpg", "index.html", "thumbs/a.jpg"};
    }

    // Run twice: the second run lists nothing the first one wrote.
    void tree_of_albums()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, output);
        QFETCH(QStringList, written);
        const QString trip = m_dir.filePath(QTest::currentDataTag()) + "/trip";
        makeTrip(trip);
        const QString out = QDir::cleanPath(trip + '/' + output);
        for (int run = 1; run <= 2; ++run) {
            const CliRun cli = runCli(QStringList{"-o", out} + options + QStringList{trip});
            QCOMPARE(cli.exitCode, 0);
            QCOMPARE(filesBelow(out), written);
        }
    }

    void link_back_into_the_tree_refused_with_a_note()
    {
        const QString trip = m_dir.filePath("loop/trip");
        makeTrip(trip);
        const CliRun cli = runCli({"-o", m_dir.filePath("loop/site"), "--modern", trip});
        QCOMPARE(cli.exitCode, 0);
        QCOMPARE(cli.errorLines.filter("link"),
                 QStringList{"vintora-cli: Left out \"" + trip
                             + "/Day 2/loop\": the link leads back to a folder already listed."});
    }

    // A picture chosen on its own stays on the top page, whatever folder
    // holds it; the folders chosen become its albums.
    void files_and_folders_chosen()
    {
        const QString trip = m_dir.filePath("chosen/trip");
        makeTrip(trip);
        const QString out = m_dir.filePath("chosen/site");
        const CliRun cli = runCli(
                {"-o", out, "--modern", trip + "/Day 1/b.jpg", trip + "/Day 1", trip + "/Day 2"});
        QCOMPARE(cli.exitCode, 0);
        QCOMPARE(filesBelow(out),
                 QStringList({"Day 1/Morning/c.jpg", "Day 1/Morning/index.html",
                              "Day 1/Morning/thumbs/c.jpg", "Day 1/b.jpg", "Day 1/index.html",
                              "Day 1/thumbs/b.jpg", "Day 2/d.jpg", "Day 2/index.html",
                              "Day 2/thumbs/d.jpg", "b.jpg", "index.html", "thumbs/b.jpg"}));
    }
};

QTEST_GUILESS_MAIN(TestCliAlbums)
#include "test_cli_albums.moc"
