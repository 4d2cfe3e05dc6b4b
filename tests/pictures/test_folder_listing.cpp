#include "pictures/folder_listing.h"
#include "support/fixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace vintora;

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
        QCOMPARE(ListFolderPictures(dir.path(), '/').value(),
                 QStringList({dir.filePath("link.jpg"), dir.filePath("real.jpg")}));
#else
        QSKIP("Links and pipes as on Unix");
#endif
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
