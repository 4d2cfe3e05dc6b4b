#include "pictures/folder_listing.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestFolderListing : public QObject
{
    Q_OBJECT

private slots:
    void which_names_match_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("listed");
        for (const char *name :
             {"a.jpg", "b.jpe", "c.jpeg", "d.gif", "e.png", "f.bmp", "G.JPG", "h.Bmp", "i.JpEg"})
            QTest::newRow(name) << name << true;
        for (const char *name : {"j.txt", "k.jpg.txt", "jpg", "l.tif", "m.jpgx", ".hidden.jpg"})
            QTest::newRow(name) << name << false;
    }
    void which_names_match()
    {
        QFETCH(QString, name);
        QFETCH(bool, listed);
        QTemporaryDir dir;
        writeFile(dir.filePath(name), "x");
        const auto paths = ListFolderPictures(dir.path());
        QVERIFY(paths);
        QCOMPARE(*paths, listed ? QStringList{dir.path() + '/' + name} : QStringList{});
    }

    void other_patterns_match_by_wildcards()
    {
        QTemporaryDir dir;
        for (const char *name :
             {"IMG_1.jpg", "IMG_2.jpeg", "img_3.JPG", "x.jpg", "y.Png", "z.pngs"})
            writeFile(dir.filePath(name), "x");
        const QStringList found = ListFolderPictures(dir.path(), "IMG_?.j*g; *.png", '|').value();
        QCOMPARE(found, QStringList({dir.path() + "|IMG_1.jpg", dir.path() + "|IMG_2.jpeg",
                                     dir.path() + "|img_3.JPG", dir.path() + "|y.Png"}));
    }

    void files_only_sorted_by_name_one_separator()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.png", "A.jpg", "c.GIF", "a.gif", "sub/inner.jpg"})
            writeFile(dir.filePath(name), "x");
        QDir(dir.path()).mkdir("folder.jpg");
        const QStringList names{"a.gif", "A.jpg", "b.png", "c.GIF"};
        QStringList expected;
        for (const QString &name : names)
            expected << dir.path() + '/' + name;
        QCOMPARE(ListFolderPictures(dir.path()).value(), expected);

        // A folder that already ends with a separator gets one more.
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
