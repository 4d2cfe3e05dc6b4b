#include "pictures/folder_listing.h"
#include "support/fixtures.h"

#include <QTemporaryDir>
#include <QTest>

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
