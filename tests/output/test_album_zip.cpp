// The zip of an album's pictures: what it holds, that it is written whole
// or not at all, and that an unchanged album keeps its zip.

#include "output/album_zip.h"
#include "output/output_writer.h"
#include "support/fixtures.h"
#include "support/zip_listing.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/time.h>

#include <ctime>

using namespace vintora;

namespace {

// 2024-05-01 12:00:00 UTC.
constexpr qint64 kMayFirstNoon = 1714564800;

void setModified(const QString &path, qint64 seconds)
{
    const timeval times[2] = {{time_t(seconds), 0}, {time_t(seconds), 0}};
    utimes(QFile::encodeName(path).constData(), times);
}

QStringList listing(const QString &zipPath)
{
    QStringList lines;
    for (const zip_listing::Entry &entry : zip_listing::entriesOf(readFile(zipPath)))
        lines << QString::fromUtf8(entry.name) + " " + QString::number(entry.size);
    return lines;
}

} // namespace

class TestAlbumZip : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<OutputWriter> m_writer;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // The pictures a.jpg (1000 bytes), b.jpg ("abc") and été.jpg (7 bytes)
    // in the output folder, all last changed at noon on 1 May 2024.
    QList<ZipEntry> album()
    {
        const QList<std::pair<QString, QByteArray>> files{
                {"a.jpg", QByteArray(1000, 'a')}, {"b.jpg", "abc"}, {"été.jpg", "7 bytes"}};
        QList<ZipEntry> entries;
        for (const auto &[name, bytes] : files) {
            writeFile(path("out/" + name), bytes);
            setModified(path("out/" + name), kMayFirstNoon);
            entries.append({name, &m_writer->folder(), name});
        }
        return entries;
    }

    AlbumZipOutcome write(const QList<ZipEntry> &entries, const std::function<bool()> &stop = {})
    {
        return WriteAlbumZip(*m_writer, m_writer->folder(), "Album.zip", entries, stop);
    }

private slots:
    void initTestCase()
    {
        // Entry dates are local times: the rows give them in UTC.
        qputenv("TZ", "UTC");
        tzset();
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QDir().mkpath(path("out"));
        m_writer = std::make_unique<OutputWriter>();
        QString why;
        QVERIFY2(m_writer->open(path("out"), &why), qPrintable(why));
    }

    void lists_each_distinct_name_once_in_order_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the album") << QStringList{"a.jpg", "b.jpg", "été.jpg"}
                                   << QStringList{"a.jpg 1000", "b.jpg 3", "été.jpg 7"};
        QTest::newRow("in the order given")
                << QStringList{"été.jpg", "a.jpg"} << QStringList{"été.jpg 7", "a.jpg 1000"};
        QTest::newRow("a name given twice")
                << QStringList{"b.jpg", "a.jpg", "b.jpg"} << QStringList{"b.jpg 3", "a.jpg 1000"};
    }

    void lists_each_distinct_name_once_in_order()
    {
        QFETCH(QStringList, names);
        album();
        QList<ZipEntry> entries;
        for (const QString &name : names)
            entries.append({name, &m_writer->folder(), name});
        const AlbumZipOutcome outcome = write(entries);
        QCOMPARE(outcome.result, AlbumZipOutcome::Result::Written);
        QTEST(listing(path("out/Album.zip")), "expected");
        QCOMPARE(outcome.bytes, QFileInfo(path("out/Album.zip")).size());
    }

    // Stored, named in UTF-8, with the file's bytes, CRC and time.
    void entries_are_stored_as_the_files_are()
    {
        QCOMPARE(write(album()).result, AlbumZipOutcome::Result::Written);
        const QList<zip_listing::Entry> entries
                = zip_listing::entriesOf(readFile(path("out/Album.zip")));
        QCOMPARE(entries.size(), 3);
        const zip_listing::Entry &b = entries.at(1);
        QCOMPARE(b.method, 0);
        QCOMPARE(b.flags, 0x0800);
        QCOMPARE(b.storedSize, 3);
        QCOMPARE(b.bytes, QByteArray("abc"));
        QCOMPARE(b.crc, 0x352441C2U);
        QCOMPARE(b.unixTime, kMayFirstNoon);
        QCOMPARE(b.dosDate, (44 << 9) | (5 << 5) | 1); // 2024-05-01
        QCOMPARE(b.dosTime, 12 << 11);                 // 12:00:00
        QCOMPARE(entries.at(0).bytes, QByteArray(1000, 'a'));
        QCOMPARE(entries.at(2).name, QByteArray("\xC3\xA9t\xC3\xA9.jpg"));
        // Its size: each entry's local header (30 bytes, the name, the
        // 9-byte time field) and central record (46, the name, 9), the end
        // record (22): 3 * 30 + 3 * 46 + 2 * (5 + 5 + 9) + 6 * 9 + 22 = 342,
        // and the 1010 bytes of the files.
        QCOMPARE(QFileInfo(path("out/Album.zip")).size(), 1352);
    }

    void unzip_finds_no_error()
    {
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("needs unzip; run.sh test installs it");
        QCOMPARE(write(album()).result, AlbumZipOutcome::Result::Written);
        QProcess unzip;
        unzip.start("unzip", {"-t", path("out/Album.zip")});
        QVERIFY(unzip.waitForFinished(60000));
        const QString said = QString::fromUtf8(unzip.readAllStandardOutput());
        QVERIFY2(said.contains("No errors detected in compressed data"), qPrintable(said));
        QCOMPARE(unzip.exitCode(), 0);
    }

    // 65,536 entries: more than the plain end record counts, so the zip64
    // end records follow the central directory, and a rerun still reads it.
    void more_entries_than_the_plain_form_counts()
    {
        // One file under every name: what is counted is the entries.
        writeFile(path("out/x.jpg"), "x");
        QList<ZipEntry> entries;
        for (int i = 0; i < 65536; ++i)
            entries.append({QString::number(i) + ".jpg", &m_writer->folder(), "x.jpg"});
        QCOMPARE(write(entries).result, AlbumZipOutcome::Result::Written);
        const QByteArray zip = readFile(path("out/Album.zip"));
        const QByteArray tail = zip.right(56 + 20 + 22);
        QCOMPARE(tail.left(4), QByteArray("PK\x06\x06", 4));
        QCOMPARE(tail.mid(24, 16), QByteArray("\0\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0", 16));
        QCOMPARE(tail.mid(56, 4), QByteArray("PK\x06\x07", 4));
        QCOMPARE(tail.mid(76, 12), QByteArray("PK\x05\x06\0\0\0\0\xff\xff\xff\xff", 12));
        if (!QStandardPaths::findExecutable("unzip").isEmpty()) {
            QProcess unzip;
            unzip.start("unzip", {"-t", "-q", path("out/Album.zip")});
            QVERIFY(unzip.waitForFinished(60000));
            QCOMPARE(unzip.exitCode(), 0);
        }
        QCOMPARE(write(entries).result, AlbumZipOutcome::Result::Kept);
    }

    void rerun_keeps_an_unchanged_zip_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<AlbumZipOutcome::Result>("expected");
        QTest::newRow("nothing changed") << "" << AlbumZipOutcome::Result::Kept;
        QTest::newRow("a file's size") << "size" << AlbumZipOutcome::Result::Written;
        QTest::newRow("a file's time") << "time" << AlbumZipOutcome::Result::Written;
        QTest::newRow("a file more") << "more" << AlbumZipOutcome::Result::Written;
        QTest::newRow("a file less") << "less" << AlbumZipOutcome::Result::Written;
        QTest::newRow("the zip damaged") << "damaged" << AlbumZipOutcome::Result::Written;
    }

    void rerun_keeps_an_unchanged_zip()
    {
        QFETCH(QString, change);
        QFETCH(AlbumZipOutcome::Result, expected);
        QList<ZipEntry> entries = album();
        QCOMPARE(write(entries).result, AlbumZipOutcome::Result::Written);
        const ino_t first = inodeOf(path("out/Album.zip"));
        if (change == "size") {
            writeFile(path("out/b.jpg"), "abcd");
            setModified(path("out/b.jpg"), kMayFirstNoon);
        } else if (change == "time") {
            setModified(path("out/b.jpg"), kMayFirstNoon + 1);
        } else if (change == "more") {
            writeFile(path("out/c.jpg"), "c");
            entries.append({"c.jpg", &m_writer->folder(), "c.jpg"});
        } else if (change == "less") {
            entries.removeLast();
        } else if (change == "damaged") {
            QFile zip(path("out/Album.zip"));
            QVERIFY(zip.open(QIODevice::ReadWrite));
            zip.resize(zip.size() - 22); // no end record
        }
        const AlbumZipOutcome again = write(entries);
        QCOMPARE(again.result, expected);
        QCOMPARE(inodeOf(path("out/Album.zip")) == first,
                 expected == AlbumZipOutcome::Result::Kept);
        QCOMPARE(again.bytes, QFileInfo(path("out/Album.zip")).size());
    }

    // Stopped after the first entry: no zip, and no hidden file of one in
    // the making; an earlier zip stays as it was.
    void stop_between_entries_leaves_no_zip_data()
    {
        QTest::addColumn<bool>("earlier");
        QTest::newRow("no zip before") << false;
        QTest::newRow("an earlier zip") << true;
    }

    void stop_between_entries_leaves_no_zip()
    {
        QFETCH(bool, earlier);
        const QList<ZipEntry> entries = album();
        if (earlier)
            writeFile(path("out/Album.zip"), "earlier");
        int asked = 0;
        const AlbumZipOutcome outcome = write(entries, [&asked] { return ++asked > 1; });
        QCOMPARE(outcome.result, AlbumZipOutcome::Result::Stopped);
        QCOMPARE(asked, 2);
        const QStringList expected = earlier ? QStringList{"a.jpg", "Album.zip", "b.jpg", "été.jpg"}
                                             : QStringList{"a.jpg", "b.jpg", "été.jpg"};
        QCOMPARE(folderNames(path("out")), expected);
        if (earlier)
            QCOMPARE(readFile(path("out/Album.zip")), QByteArray("earlier"));
    }

    void a_missing_file_fails_with_no_zip()
    {
        QList<ZipEntry> entries = album();
        entries.append({"gone.jpg", &m_writer->folder(), "gone.jpg"});
        const AlbumZipOutcome outcome = write(entries);
        QCOMPARE(outcome.result, AlbumZipOutcome::Result::Failed);
        QCOMPARE(outcome.error, "\"" + path("out/gone.jpg")
                                        + "\" could not be put into it: the file does not exist");
        QVERIFY(!QFile::exists(path("out/Album.zip")));
    }

    void name_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "Holiday 2024"
                               << "Holiday 2024.zip";
        QTest::newRow("not in names") << "a/b\\c:d*e?f\"g<h>i|j"
                                      << "a_b_c_d_e_f_g_h_i_j.zip";
        QTest::newRow("a control") << "tab\there"
                                   << "tab_here.zip";
        QTest::newRow("dots and blanks at the ends") << " .hidden. "
                                                     << "hidden.zip";
        QTest::newRow("nothing left") << " .. "
                                      << "photos.zip";
        QTest::newRow("none") << ""
                              << "photos.zip";
        QTest::newRow("letters kept") << "Été à Kyōto"
                                      << "Été à Kyōto.zip";
    }

    void name()
    {
        QFETCH(QString, folder);
        QTEST(AlbumZipName(folder), "expected");
    }
};

QTEST_GUILESS_MAIN(TestAlbumZip)
#include "test_album_zip.moc"
