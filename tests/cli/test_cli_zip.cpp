// vintora-cli --modern --zip: the zip of the page's pictures beside it,
// and what the summary says of it.

#include "cli_process.h"
#include "support/crafted_pictures.h"
#include "support/fixtures.h"
#include "support/zip_listing.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestCliZip : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void zip_beside_the_page_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("zips");
        QTest::addColumn<QString>("summary");
        QTest::newRow("asked") << QStringList{"--zip"} << QStringList{"Lisbon.zip"}
                               << " and 1 zip file (1 made, 0 kept).";
        QTest::newRow("asked again") << QStringList{"--zip"} << QStringList{"Lisbon.zip"}
                                     << " and 1 zip file (0 made, 1 kept).";
        QTest::newRow("not asked") << QStringList{} << QStringList{} << " thumbnails (";
    }
    void zip_beside_the_page()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, zips);
        QFETCH(QString, summary);
        const QString pictures = m_dir.filePath("Lisbon");
        for (const char *name : {"tram.jpg", "castle.jpg"})
            writeFile(pictures + "/" + name,
                      crafted_pictures::uniformGreyJpeg({16, 12},
                                                        crafted_pictures::JpegKind::Baseline));
        const QString out = m_dir.filePath(zips.isEmpty() ? "plain" : "zipped");
        QVERIFY(QDir().mkpath(out));
        const CliRun run = runCli(QStringList{"-o", out, "--modern", "--order", "name"} + options
                                  + QStringList{pictures});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.output.contains(summary), qPrintable(run.output));
        QCOMPARE(QDir(out).entryList({"*.zip"}, QDir::Files), zips);
        if (zips.isEmpty())
            return;
        QStringList names;
        for (const zip_listing::Entry &entry :
             zip_listing::entriesOf(readFile(out + "/Lisbon.zip")))
            names << QString::fromUtf8(entry.name);
        QCOMPARE(names, QStringList({"castle.jpg", "tram.jpg"}));
        QVERIFY(readFile(out + "/index.html")
                        .contains("<p class=\"zip\"><a href=\"Lisbon.zip\" download>Download all 2 "
                                  "pictures (zip, "));
    }
};

QTEST_GUILESS_MAIN(TestCliZip)
#include "test_cli_zip.moc"
