#include "generate/copy_plan.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestCopyPlan : public QObject
{
    Q_OBJECT

private slots:
    void numbered_names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("extension") << "IMG_0001.jpg"
                                   << "IMG_0001-2.jpg";
        QTest::newRow("last dot") << "a.tar.gz"
                                  << "a.tar-2.gz";
        QTest::newRow("no extension") << "README"
                                      << "README-2";
        QTest::newRow("leading dot") << ".jpg"
                                     << ".jpg-2";
    }
    void numbered_names()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(NumberedName(name, 2), expected);
    }

    void each_source_gets_its_own_name_data()
    {
        QTest::addColumn<QStringList>("sources");
        QTest::addColumn<bool>("ignoreCase");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two of a name") << QStringList{"/a/IMG_0001.jpg", "/b/IMG_0001.jpg"} << false
                                       << QStringList{"IMG_0001.jpg", "IMG_0001-2.jpg"};
        QTest::newRow("same path twice") << QStringList{"/a/x.jpg", "/b/x.jpg", "/a/x.jpg"} << false
                                         << QStringList{"x.jpg", "x-2.jpg", "x.jpg"};
        QTest::newRow("taken names passed over")
                << QStringList{"/a/x.jpg", "/b/x-2.jpg", "/c/x.jpg", "/d/x.jpg"} << false
                << QStringList{"x.jpg", "x-2.jpg", "x-3.jpg", "x-4.jpg"};
        QTest::newRow("case counts")
                << QStringList{"/a/X.JPG", "/b/x.jpg"} << false << QStringList{"X.JPG", "x.jpg"};
        QTest::newRow("case ignored") << QStringList{"/a/X.JPG", "/b/x.jpg", "/A/X.JPG"} << true
                                      << QStringList{"X.JPG", "x-2.jpg", "X.JPG"};
        QTest::newRow("page name reserved")
                << QStringList{"/a/vintora.htm"} << false << QStringList{"vintora-2.htm"};
    }
    void each_source_gets_its_own_name()
    {
        QFETCH(QStringList, sources);
        QFETCH(bool, ignoreCase);
        QFETCH(QStringList, expected);
        CopyNamer namer(ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive, '/');
        namer.reserve("vintora.htm");
        QStringList names;
        for (const QString &source : sources)
            names << namer.nameFor(source);
        QCOMPARE(names, expected);
        QCOMPARE(namer.names().value(sources.last()), expected.last());
    }

    void another_path_to_the_same_file_is_the_same_source()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a/x.jpg"), "x");
        QVERIFY(QFile::link(dir.filePath("a/x.jpg"), dir.filePath("link.jpg")));
        CopyNamer namer(Qt::CaseSensitive, '/');
        QCOMPARE(namer.nameFor(dir.filePath("a/x.jpg")), QString("x.jpg"));
        QCOMPARE(namer.nameFor(dir.filePath("link.jpg")), QString("x.jpg"));
        QCOMPARE(namer.nameFor(dir.path() + "/a/../a/x.jpg"), QString("x.jpg"));
    }

    void copies_replace_but_never_destroy()
    {
        QTemporaryDir dir;
        const QString source = dir.filePath("src/a.jpg"), target = dir.filePath("out/a.jpg");
        writeFile(source, "new");
        writeFile(target, "old");

        QString why;
        QCOMPARE(CopyFileReplacing(dir.filePath("src/gone.jpg"), target, &why), CopyResult::Failed);
        QCOMPARE(why, QString("the file does not exist"));
        QCOMPARE(CopyFileReplacing(dir.filePath("src"), target, &why), CopyResult::Failed);
        QCOMPARE(readFile(target), QByteArray("old"));

        // The same file under another spelling is left alone, not emptied.
        QCOMPARE(CopyFileReplacing(source, dir.path() + "/out/../src/./a.jpg"),
                 CopyResult::SameFile);
        QCOMPARE(readFile(source), QByteArray("new"));

        QCOMPARE(CopyFileReplacing(source, target), CopyResult::Copied);
        QCOMPARE(readFile(target), QByteArray("new"));
        QCOMPARE(folderNames(dir.filePath("out")), QStringList{"a.jpg"}); // no temporary left
        QVERIFY(QFileInfo(target).permissions() & QFile::ReadOther);
    }
};

QTEST_GUILESS_MAIN(TestCopyPlan)
#include "test_copy_plan.moc"
