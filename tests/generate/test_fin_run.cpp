#include "generate/fin_run.h"
#include "support/default_settings.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

// Runs the Fin run with recording hooks.
struct Harness
{
    WizardSettings settings = defaultSettings();
    QString folder;
    QStringList statuses;
    int chooserCalls = 0;
    bool cancel = false;
    std::function<void(const QString &status)> onPump;

    FinOutcome run(const QStringList &entries, const QString &fileName = "vintora.htm")
    {
        FinHooks hooks;
        hooks.setStatus = [this](const QString &text) {
            statuses << text;
        };
        hooks.pumpEvents = [this] {
            if (onPump)
                onPump(statuses.last());
        };
        hooks.chooseOutputFolder = [this] {
            ++chooserCalls;
            return folder;
        };
        hooks.cancelRequested = [this] {
            return cancel;
        };
        return RunFin(settings, entries, fileName, hooks);
    }
};

} // namespace

class TestFinRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString page() const { return QString::fromUtf8(readFile(m_out + "/vintora.htm")); }

private slots:
    void init()
    {
        m_out = path(QTest::currentTestFunction() + QString("/") + QTest::currentDataTag());
        QDir().mkpath(m_out);
        for (const char *name :
             {"x/a.jpg", "x/b.jpg", "x/IMG_0001.jpg", "y/IMG_0001.jpg", "bg.gif"})
            writeFile(path(name), name);
    }

    void refusals_create_nothing_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<bool>("chooseFolder");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("status");
        QTest::addColumn<int>("chooserCalls");
        QTest::newRow("empty list") << 0 << true << 4 << kStatusNoFiles << 0;
        QTest::newRow("chooser cancelled") << 1 << false << 4 << kStatusNoFolder << 1;
        QTest::newRow("no columns") << 1 << true << 0 << kStatusNoColumns << 0;
        QTest::newRow("negative columns") << 1 << true << -1 << kStatusNoColumns << 0;
    }
    void refusals_create_nothing()
    {
        QFETCH(int, pictures);
        QFETCH(bool, chooseFolder);
        QFETCH(int, columns);
        QFETCH(QString, status);
        QFETCH(int, chooserCalls);
        Harness h;
        h.folder = chooseFolder ? m_out : QString();
        h.settings.tableColumns = qint16(columns);
        const FinOutcome outcome = h.run(QStringList{path("x/a.jpg")}.mid(0, pictures));
        QCOMPARE(outcome.result, FinResult::Refused);
        QCOMPARE(h.statuses.last(), status);
        QCOMPARE(h.chooserCalls, chooserCalls);
        QCOMPARE(folderNames(m_out), QStringList{});
    }

    void pictures_in_the_output_folder_are_never_overwritten()
    {
        writeFile(m_out + "/a.jpg", "mine");
        Harness h;
        h.folder = m_out;
        QCOMPARE(h.run({path("x/a.jpg"), m_out + "/a.jpg"}).result, FinResult::Finished);
        QCOMPARE(readFile(m_out + "/a.jpg"), QByteArray("mine"));
        QCOMPARE(readFile(m_out + "/a-2.jpg"), QByteArray("x/a.jpg"));
        QVERIFY(page().indexOf(R"(HREF = "a-2.jpg")") < page().indexOf(R"(HREF = "a.jpg")"));
    }

    void same_names_from_different_folders_are_all_kept()
    {
        Harness h;
        h.folder = m_out;
        h.settings.backgroundPicture = path("x/a.jpg");
        h.settings.cellPicture = path("bg.gif");
        const QString x = path("x/IMG_0001.jpg"), y = path("y/IMG_0001.jpg");
        QCOMPARE(h.run({x, y, x, path("x/a.jpg")}).result, FinResult::Finished);
        QCOMPARE(readFile(m_out + "/IMG_0001.jpg"), QByteArray("x/IMG_0001.jpg"));
        QCOMPARE(readFile(m_out + "/IMG_0001-2.jpg"), QByteArray("y/IMG_0001.jpg"));
        QCOMPARE(folderNames(m_out),
                 QStringList({"IMG_0001-2.jpg", "IMG_0001.jpg", "a.jpg", "bg.gif", "vintora.htm"}));
        QCOMPARE(page().count(R"(HREF = "IMG_0001.jpg")"), 2);
        QCOMPARE(page().count(R"(HREF = "IMG_0001-2.jpg")"), 1);
        QVERIFY(page().contains(R"(<body background = "a.jpg")"));
        QVERIFY(page().contains(R"(background = "bg.gif">)"));
    }

    void failures_stop_the_run_and_keep_the_earlier_page_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("missing source")
                << "vintora.htm"
                << "x/gone.jpg"
                << "gone.jpg\": the file does not exist." << QStringList{"a.jpg", "vintora.htm"};
        QTest::newRow("source is a folder")
                << "vintora.htm"
                << "y"
                << "it is a folder" << QStringList{"a.jpg", "vintora.htm"};
        QTest::newRow("folder in the way") << "page"
                                           << "x/b.jpg"
                                           << "page\": a folder of that name is in the way."
                                           << QStringList{"page", "vintora.htm"};
        QTest::newRow("no file name")
                << ""
                << "x/b.jpg" << kStatusNoFileName << QStringList{"vintora.htm"};
        QTest::newRow("no such folder")
                << "sub/vintora.htm"
                << "x/b.jpg"
                << "sub/vintora.htm\": No such file or directory." << QStringList{"vintora.htm"};
    }
    void failures_stop_the_run_and_keep_the_earlier_page()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, source);
        QFETCH(QString, status);
        QFETCH(QStringList, left);
        writeFile(m_out + "/vintora.htm", "earlier page");
        if (fileName == "page")
            QDir(m_out).mkdir("page");
        Harness h;
        h.folder = m_out;
        const FinOutcome outcome = h.run({path("x/a.jpg"), path(source)}, fileName);
        QCOMPARE(outcome.result, FinResult::Failed);
        QVERIFY2(outcome.status.contains(status), qPrintable(outcome.status));
        QVERIFY(!h.statuses.contains(kStatusFinished));
        QCOMPARE(readFile(m_out + "/vintora.htm"), QByteArray("earlier page"));
        QCOMPARE(folderNames(m_out), left);
    }

    // The copy choice the run acted on decides the references, whatever
    // happens to it meanwhile; the rest is read when the page is written.
    void copy_choice_read_once_other_fields_at_writing_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::newRow("copy") << true;
        QTest::newRow("no copy") << false;
    }
    void copy_choice_read_once_other_fields_at_writing()
    {
        QFETCH(bool, copy);
        Harness h;
        h.folder = m_out;
        h.settings.copyPictures = toFlag(copy);
        h.onPump = [&h, copy, this](const QString &status) {
            if (status == kStatusSelectingFolder)
                return;
            h.settings.copyPictures = toFlag(!copy);
            h.settings.pageColor = 0x0000FF;
            h.settings.backgroundPicture = path("bg.gif");
        };
        QCOMPARE(h.run({path("x/a.jpg"), path("x/b.jpg")}).result, FinResult::Finished);
        const QStringList copied{"a.jpg", "b.jpg", "bg.gif", "vintora.htm"};
        QCOMPARE(folderNames(m_out), copy ? copied : QStringList{"vintora.htm"});
        QCOMPARE(page().contains(R"(HREF = "a.jpg")"), copy);
        QCOMPARE(page().contains(R"(<body background = "bg.gif" bgcolor = "#FF0000")"), copy);
        QCOMPARE(page().contains("file://"), !copy);
    }

    void cancel_commits_no_page_data()
    {
        QTest::addColumn<QString>("at");
        QTest::newRow("selecting") << kStatusSelectingFolder;
        QTest::newRow("copying") << CopyingStatus(1, 3);
        QTest::newRow("writing") << kStatusWritingHeader;
    }
    void cancel_commits_no_page()
    {
        QFETCH(QString, at);
        writeFile(m_out + "/vintora.htm", "earlier page");
        Harness h;
        h.folder = m_out;
        h.onPump = [&h, at](const QString &status) {
            h.cancel = h.cancel || status == at;
        };
        const FinOutcome outcome = h.run({path("x/a.jpg"), path("x/b.jpg"), path("bg.gif")});
        QCOMPARE(outcome.result, FinResult::Cancelled);
        QCOMPARE(h.statuses.last(), kStatusCancelled);
        QCOMPARE(h.statuses.at(h.statuses.size() - 2), at);
        QCOMPARE(h.chooserCalls, at == kStatusSelectingFolder ? 0 : 1);
        QCOMPARE(readFile(m_out + "/vintora.htm"), QByteArray("earlier page"));
        QVERIFY(!folderNames(m_out).join(' ').contains("vintora.htm."));
    }
};

QTEST_GUILESS_MAIN(TestFinRun)
#include "test_fin_run.moc"
