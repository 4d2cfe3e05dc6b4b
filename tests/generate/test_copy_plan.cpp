#include "generate/copy_plan.h"
#include "support/fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestCopyPlan : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("no or leading dot") << QStringList{"/a/R", "/b/R", "/a/.j", "/b/.j"} << false
                                           << QStringList{"R", "R-2", ".j", ".j-2"};
        QTest::newRow("case counts")
                << QStringList{"/a/X.JPG", "/b/x.jpg"} << false << QStringList{"X.JPG", "x.jpg"};
        QTest::newRow("case ignored") << QStringList{"/a/X.JPG", "/b/x.jpg", "/A/X.JPG"} << true
                                      << QStringList{"X.JPG", "x-2.jpg", "X.JPG"};
        QTest::newRow("page name reserved")
                << QStringList{"/a/Index.htm"} << true << QStringList{"Index-2.htm"};
    }
    void each_source_gets_its_own_name()
    {
        QFETCH(QStringList, sources);
        QFETCH(bool, ignoreCase);
        QFETCH(QStringList, expected);
        CopyNamer namer(ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive, '/');
        namer.reserve("index.htm");
        QStringList names;
        for (const QString &source : sources)
            names << namer.nameFor(source);
        QCOMPARE(names, expected);
        QCOMPARE(namer.names().value(sources.last()), expected.last());
    }

    // Several blocks' worth, into a new file and over an older one; the
    // copy is renamed into place, so nothing else is left in the folder,
    // and a file replaced keeps its permissions as a saved file does.
    void copies_replace_whole_files()
    {
        QTemporaryDir dir;
        QByteArray bytes(3 * 1024 * 1024 + 17, Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 + i / 4096);
        const QString source = dir.filePath("in/a.jpg");
        writeFile(source, bytes);
        const QString fresh = dir.filePath("out/a.jpg"), older = dir.filePath("out/b.jpg");
        writeFile(dir.filePath("out/plain"), "x"); // a new file's permissions
        writeFile(older, "an older picture, much shorter");
        const auto ownerRead
                = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(QFile::setPermissions(older, ownerRead));

        QString why;
        QCOMPARE(CopyFileReplacing(source, fresh, &why), CopyResult::Copied);
        QCOMPARE(CopyFileReplacing(source, older, &why), CopyResult::Copied);
        QCOMPARE(readFile(fresh), bytes);
        QCOMPARE(readFile(older), bytes);
        QCOMPARE(folderNames(dir.filePath("out")), QStringList({"a.jpg", "b.jpg", "plain"}));
        QCOMPARE(QFile::permissions(fresh), QFile::permissions(dir.filePath("out/plain")));
        QCOMPARE(QFile::permissions(older), ownerRead);
        QVERIFY(why.isEmpty());
    }

    void failed_copies_keep_the_earlier_file_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing source") << "gone.jpg"
                                        << "out/a.jpg"
                                        << "the file does not exist";
        QTest::newRow("folder as source") << "in"
                                          << "out/a.jpg"
                                          << "it is a folder, not a file";
        QTest::newRow("folder in the way") << "in/a.jpg"
                                           << "out/sub"
                                           << "a folder of that name is in the way";
        QTest::newRow("no such folder") << "in/a.jpg"
                                        << "nowhere/a.jpg"
                                        << "the copy cannot be created";
    }
    void failed_copies_keep_the_earlier_file()
    {
        QFETCH(QString, source);
        QFETCH(QString, destination);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        writeFile(dir.filePath("in/a.jpg"), "new");
        writeFile(dir.filePath("out/a.jpg"), "earlier");
        QDir(dir.path()).mkpath("out/sub");
        QString why;
        QCOMPARE(CopyFileReplacing(dir.filePath(source), dir.filePath(destination), &why),
                 CopyResult::Failed);
        QVERIFY2(why.startsWith(reason), qPrintable(why));
        QCOMPARE(readFile(dir.filePath("out/a.jpg")), QByteArray("earlier"));
        QCOMPARE(folderNames(dir.filePath("out")), QStringList({"a.jpg", "sub"}));
    }

    void a_file_is_never_copied_onto_itself()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.jpg"), "mine");
        QCOMPARE(CopyFileReplacing(dir.filePath("a.jpg"), dir.filePath("./a.jpg")),
                 CopyResult::SameFile);
        QCOMPARE(readFile(dir.filePath("a.jpg")), QByteArray("mine"));
        QCOMPARE(folderNames(dir.path()), QStringList({"a.jpg"}));
    }
};

QTEST_GUILESS_MAIN(TestCopyPlan)
#include "test_copy_plan.moc"
