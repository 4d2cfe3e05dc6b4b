#include "pictures/folder_listing.h"
#include "support/fixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace vintora;

Q_DECLARE_METATYPE(vintora::PictureKinds)

class TestFolderListing : public QObject
{
    Q_OBJECT

private slots:
    void pictures_only_sorted_by_name_one_separator()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.png", "A.jpg", "c.GIF", "a.gif", "d.jpe", "e.JPEG", "f.Bmp",
                                 "g.txt", "h.jpg.txt", "jpg", ".hidden.jpg", "sub/inner.jpg"})
            writeFile(dir.filePath(name), "x");
        QDir(dir.path()).mkdir("folder.jpg");
        QStringList expected;
        for (const char *name : {"a.gif", "A.jpg", "b.png", "c.GIF", "d.jpe", "e.JPEG", "f.Bmp"})
            expected << dir.path() + '|' + name;
        QCOMPARE(ListFolderPictures(dir.path(), '|').value(), expected);
        QCOMPARE(ListFolderPictures(dir.path() + '/').value().first(), dir.path() + "//a.gif");
    }

    // The names sort as QString::compare with letter case ignored sorts
    // them, ties broken by the exact text, beyond ASCII too.
    void sorted_as_a_case_insensitive_compare()
    {
        QTemporaryDir dir;
        const QStringList names{"a.jpg",
                                "A.jpg",
                                "B.jpg",
                                "b.JPG",
                                "[b.jpg",
                                "_a.jpg",
                                "z.jpg",
                                QString::fromUtf8("\u00e9.jpg"),
                                QString::fromUtf8("\u00c9.jpg"),
                                QString::fromUtf8("\u03a9.png"),
                                QString::fromUtf8("\u03c9.png"),
                                QString::fromUtf8("\u00df.gif"),
                                "SS.gif",
                                QString::fromUtf8("\U0001041F.jpg"),
                                QString::fromUtf8("\U00010447.jpg"),
                                QString::fromUtf8("\u212a.png"),
                                "k.png",
                                "10.png",
                                "9.png"};
        for (const QString &name : names)
            writeFile(dir.filePath(name), "x");
        QStringList expected = names;
        std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
            const int order = QString::compare(a, b, Qt::CaseInsensitive);
            return order != 0 ? order < 0 : a < b;
        });
        for (QString &name : expected)
            name = dir.path() + '/' + name;
        QCOMPARE(ListFolderPictures(dir.path(), '/').value(), expected);
    }

    void links_to_files_count_other_entries_do_not()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        writeFile(dir.filePath("real.jpg"), "x");
        QDir(dir.path()).mkdir("folder");
        QVERIFY(QFile::link(dir.filePath("real.jpg"), dir.filePath("link.jpg")));
        QVERIFY(QFile::link(dir.filePath("folder"), dir.filePath("folder-link.jpg")));
        QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("broken.jpg")));
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe.jpg")).constData(), 0600) == 0);
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("pipe.raw")).constData(), 0600) == 0);
        QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("broken.webp")));
        QVERIFY(QFile::link(dir.filePath("real.jpg"), dir.filePath("link.webp")));
        LeftOutFiles leftOut;
        QCOMPARE(ListFolderPictures(dir.path(), '/', &leftOut).value(),
                 QStringList({dir.filePath("link.jpg"), dir.filePath("real.jpg")}));
        // Of the rest, only the link to a file was a file left out.
        QCOMPARE(LeftOutLine(leftOut),
                 QString("Left out 1 file that is not a JPEG, GIF, PNG or BMP picture: 1 .webp"));
#else
        QSKIP("Links and pipes as on Unix");
#endif
    }

    // The files the listing passes over, by extension as the names write
    // them, most first, then by name; hidden files and subfolders are none.
    void left_out_files_by_kind_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("line");
        QTest::newRow("mixed") << QStringList{"a.jpg", "b.HEIC",  "c.HEIC",
                                              "d.mp4", ".e.webp", "f.webm/g.jpg"}
                               << "Left out 3 files that are not JPEG, GIF, PNG or BMP pictures: "
                                  "2 .HEIC, 1 .mp4";
        QTest::newRow("one") << QStringList{"a.png", "notes.txt"}
                             << "Left out 1 file that is not a JPEG, GIF, PNG or BMP picture: "
                                "1 .txt";
        QTest::newRow("none") << QStringList{"a.png", ".hidden.txt"} << "";
        QTest::newRow("no extension, ties by name")
                << QStringList{"README", "y.b", "Makefile", "x.a", "z."}
                << "Left out 5 files that are not JPEG, GIF, PNG or BMP pictures: 3 no "
                   "extension, 1 .a, 1 .b";
        QTest::newRow("letter case as written") << QStringList{"a.heic", "b.HEIC", "c.jpg.part"}
                                                << "Left out 3 files that are not JPEG, GIF, PNG "
                                                   "or BMP pictures: 1 .HEIC, 1 .heic, 1 .part";
        QTest::newRow("six kinds, all named")
                << QStringList{"a.a", "b.b", "c.c", "d.d", "e.e", "f.f"}
                << "Left out 6 files that are not JPEG, GIF, PNG or BMP pictures: 1 .a, 1 .b, "
                   "1 .c, 1 .d, 1 .e, 1 .f";
        QTest::newRow("control characters shown as replacement characters")
                << QStringList{"a.x\x1b[2Jy", "b.z\x7f"}
                << QString::fromUtf8("Left out 2 files that are not JPEG, GIF, PNG or BMP "
                                     "pictures: 1 .x\uFFFD[2Jy, 1 .z\uFFFD");
        QTest::newRow("many kinds")
                << QStringList{"1.xmp", "2.xmp", "3.xmp", "1.mov", "2.mov",
                               "a.a",   "b.b",   "c.c",   "d.d",   "e.e"}
                << "Left out 10 files that are not JPEG, GIF, PNG or BMP pictures: 3 .xmp, 2 "
                   ".mov, 1 .a, 1 .b, 1 .c, 2 others";
    }

    void left_out_files_by_kind()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, line);
        QTemporaryDir dir;
        for (const QString &name : names)
            writeFile(dir.filePath(name), "x");
        LeftOutFiles leftOut;
        QVERIFY(ListFolderPictures(dir.path(), '/', &leftOut));
        QCOMPARE(LeftOutLine(leftOut), line);
    }

    // Where pictures are made into thumbnails, the phones' formats are
    // listed too, in any letter case; elsewhere they are left out.
    void phone_formats_listed_with_thumbnails_data()
    {
        QTest::addColumn<PictureKinds>("kinds");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("line");
        QTest::newRow("classic") << PictureKinds::Classic << QStringList{"a.jpg"}
                                 << "Left out 5 files that are not JPEG, GIF, PNG or BMP "
                                    "pictures: 1 .avif, 1 .HEIC, 1 .heif, 1 .mp4, 1 .WebP";
        QTest::newRow("with the phones' formats")
                << PictureKinds::WithPhoneFormats
                << QStringList{"a.jpg", "b.HEIC", "c.heif", "d.avif", "e.WebP"}
                << "Left out 1 file that is not a JPEG, GIF, PNG, BMP, HEIC, AVIF or WebP "
                   "picture: 1 .mp4";
    }

    void phone_formats_listed_with_thumbnails()
    {
        QFETCH(PictureKinds, kinds);
        QFETCH(QStringList, listed);
        QFETCH(QString, line);
        QTemporaryDir dir;
        for (const char *name : {"a.jpg", "b.HEIC", "c.heif", "d.avif", "e.WebP", "f.mp4"})
            writeFile(dir.filePath(name), "x");
        for (QString &name : listed)
            name = dir.path() + '/' + name;
        LeftOutFiles leftOut;
        QCOMPARE(ListFolderPictures(dir.path(), '/', &leftOut, kinds).value(), listed);
        QCOMPARE(LeftOutLine(leftOut, kinds), line);
        QCOMPARE(MatchesPicturePattern("IMG_1.HEIC", kinds), kinds != PictureKinds::Classic);
    }

    void unlistable_folders_give_nothing()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("file.jpg"), "x");
        QVERIFY(!ListFolderPictures(dir.filePath("gone")));
        QVERIFY(!ListFolderPictures(dir.filePath("file.jpg")));
        QVERIFY(!ListFolderPictures(QString()));
        QDir(dir.path()).mkdir("empty");
        QCOMPARE(ListFolderPictures(dir.filePath("empty")), std::optional(QStringList{}));
    }
};

QTEST_GUILESS_MAIN(TestFolderListing)
#include "test_folder_listing.moc"
