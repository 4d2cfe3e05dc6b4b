// A gallery made through the wizard's own controls, from the Welcome page to
// "Finished!".

#include "wizard_fixture.h"

#include "generate/index_page_writer.h"
#include "pictures/picture_list.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QTemporaryDir>

using namespace vintora;

class TestWizardEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void folder_to_page()
    {
        QTemporaryDir dir;
        const QString pictures = dir.filePath("pictures");
        const QString out = dir.filePath("out");
        for (const char *name : {"b.jpg", "a.png", "c.gif", "readme.txt"})
            writeFile(pictures + "/" + name, name);
        QVERIFY(QDir().mkpath(out));

        WizardFixture w;
        for (int i = 0; i < 5; ++i)
            w.fore(); // page 5
        w.dialogs.folders = {QDir::toNativeSeparators(pictures)};
        w.click(w.c().labGetFile[0]);
        QCOMPARE(w.c().lstFiles->model()->rowCount(), 3);
        QCOMPARE(w.c().lstFiles->model()->index(0, 0).data().toString(),
                 QDir::toNativeSeparators(pictures + "/a.png"));
        w.fore();
        w.fore(); // page 7
        w.type(w.c().txtFilename, "gallery.html");

        w.dialogs.folders = {QDir::toNativeSeparators(out)};
        w.click(w.c().btnFin);
        QCOMPARE(w.c().labStatus->text(), QString("Finished!"));
        QCOMPARE(folderNames(out), (QStringList{"a.png", "b.jpg", "c.gif", "gallery.html"}));

        QBuffer expected;
        expected.open(QIODevice::WriteOnly);
        QVERIFY(WriteIndexPage(w.settings, w.window->pictureList().entries(), 2, 0, expected));
        QCOMPARE(readFile(out + "/gallery.html"), expected.data());
        QCOMPARE(w.c().lstFiles->model()->rowCount(), 3); // the list stays
        QCOMPARE(w.dialogs.unexpected, 0);
    }

    void closing_the_wizard_mid_run_leaves_no_page()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        QVERIFY(QDir().mkpath(out));
        writeFile(dir.filePath("p/a.jpg"), "a");

        WizardFixture w;
        for (int i = 0; i < 5; ++i)
            w.fore();
        w.dialogs.folders = {dir.filePath("p"), out};
        w.click(w.c().labGetFile[0]);
        w.fore();
        w.fore();
        // Close the window as soon as the run pumps its first events.
        QMetaObject::invokeMethod(
                w.window.get(), [&w] { w.window->close(); }, Qt::QueuedConnection);
        w.click(w.c().btnFin);
        QVERIFY(!w.c().labStatus->text().startsWith("Finished"));
        QVERIFY(!QFile::exists(out + "/vintora.htm"));
    }
};

QTEST_MAIN(TestWizardEndToEnd)
#include "test_wizard_end_to_end.moc"
