#include "output/copy_plan.h"
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
};

QTEST_GUILESS_MAIN(TestCopyPlan)
#include "test_copy_plan.moc"
