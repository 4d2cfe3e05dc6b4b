// A gallery made through the wizard's own controls, from the Welcome page to
// "Finished!".

#include "wizard_fixture.h"

#include "page/index_page_writer.h"
#include "support/default_settings.h"
#include "support/fixtures.h"
#include "support/screen_reader.h"
#include "wizard/fin_controller.h"
#include "wizard/picture_list.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <sys/stat.h>

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
        const QListView *list = w.w().picturesPage().fileList();
        w.click(w.w().picturesPage().addFolderLink());
        QCOMPARE(list->model()->rowCount(), 3);
        QCOMPARE(list->model()->index(0, 0).data().toString(),
                 QDir::toNativeSeparators(pictures + "/a.png"));
        QCOMPARE(w.w().page(kPicturesPage)->problemText(),
                 QString("Left out 1 file that is not a JPEG, GIF, PNG or BMP picture: 1 .txt"));
        w.fore();
        w.fore(); // page 7
        w.type(w.w().outputPage().fileNameBox(), "gallery.html");

        w.dialogs.folders = {QDir::toNativeSeparators(out)};
        w.click(w.w().finButton());
        QCOMPARE(w.w().outputPage().statusLine()->text(), QString("Finished!"));
        QCOMPARE(folderNames(out), (QStringList{"a.png", "b.jpg", "c.gif", "gallery.html"}));

        QBuffer expected;
        expected.open(QIODevice::WriteOnly);
        QVERIFY(WriteIndexPage(w.settings, w.w().picturesPage().pictureList().entries(), 2, 0,
                               expected));
        QCOMPARE(readFile(out + "/gallery.html"), expected.data());
        QCOMPARE(w.settings, defaultSettings()); // the new controls at their start values
        QCOMPARE(list->model()->rowCount(), 3);  // the list stays
        QCOMPARE(w.dialogs.unexpected, 0);
    }

    // A name with a folder part is refused on the Output page before any
    // folder is asked for, said to screen readers at once, with the focus
    // on the name; a plain name lets Fin go on.
    void page_name_with_a_folder_part_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../x.html";
        QTest::newRow("subfolder") << "a/b.html";
    }
    void page_name_with_a_folder_part()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        WizardFixture w;
        for (int i = 0; i < 7; ++i)
            w.fore();
        w.w().picturesPage().pictureList().append({dir.filePath("a.jpg")});
        QLineEdit *box = w.w().outputPage().fileNameBox();
        w.type(box, name);
        const ScreenReader reader;
        w.click(w.w().finButton());
        const QString problem
                = "The page name \"" + name
                  + "\" is not a plain file name: the page always goes into the chosen "
                    "folder, so type a name without a folder part, such as vintora.htm.";
        QCOMPARE(w.w().page(kOutputPage)->problemText(), problem);
        QCOMPARE(reader.alerts(), QStringList{problem});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(box));
        QVERIFY(box->property("problem").toBool());
        QVERIFY(w.dialogs.calls.isEmpty());
        QCOMPARE(folderNames(dir.path()), QStringList());

        w.type(box, "x.html");
        QVERIFY(!w.w().page(kOutputPage)->showsProblem());
        w.click(w.w().finButton());
        QCOMPARE(w.dialogs.count("folder"), 1);
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
        w.click(w.w().picturesPage().addFolderLink());
        w.fore();
        w.fore();
        // Close the window as soon as the run pumps its first events.
        QMetaObject::invokeMethod(
                w.window.get(), [&w] { w.window->close(); }, Qt::QueuedConnection);
        w.click(w.w().finButton());
        QVERIFY(!w.w().outputPage().statusLine()->text().startsWith("Finished"));
        QVERIFY(!QFile::exists(out + "/vintora.htm"));
    }

    // A named pipe in the list, pictures copied as they start: the run
    // refuses it before it writes anything, and the window stays live.
    void named_pipe_in_the_list_fails_the_run()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out"), pipe = dir.filePath("y.jpg");
        QVERIFY(QDir().mkpath(out));
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        WizardFixture w;
        for (int i = 0; i < 7; ++i)
            w.fore();
        QVERIFY(w.w().picturesPage().pictureList().append({pipe}));
        w.dialogs.folders = {out};
        w.click(w.w().finButton());
        QCOMPARE(w.dialogs.calls.last().kind, QString("failure"));
        QCOMPARE(w.dialogs.calls.last().text,
                 "Could not copy \"" + pipe + "\": it is a named pipe, not a file.");
        QCOMPARE(folderNames(out), QStringList());
        QVERIFY(!w.w().outputPage().finController().isRunning());
    }
};

QTEST_MAIN(TestWizardEndToEnd)
#include "test_wizard_end_to_end.moc"
