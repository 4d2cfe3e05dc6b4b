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
#include <QSignalSpy>
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
        QVERIFY(w.runFin());
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

    // Left without a title, the modern page is called after the folder its
    // pictures were chosen from.
    void modern_page_takes_the_folders_name()
    {
        QTemporaryDir dir;
        const QString pictures = dir.filePath("Lisbon 2026");
        const QString out = dir.filePath("out");
        writeFile(pictures + "/a.jpg", "a");
        QVERIFY(QDir().mkpath(out));

        WizardFixture w;
        w.fore();
        w.fore(); // page 2
        w.click(w.w().layoutStylePage().modernCheck());
        for (int i = 2; i < 5; ++i)
            w.fore(); // page 5
        w.dialogs.folders = {QDir::toNativeSeparators(pictures)};
        w.click(w.w().picturesPage().addFolderLink());
        w.fore();
        w.fore(); // page 7
        QCOMPARE(w.w().outputPage().titleBox()->text(), QString());
        w.dialogs.folders = {QDir::toNativeSeparators(out)};
        QVERIFY(w.runFin());
        QCOMPARE(w.w().outputPage().statusLine()->text(), QString("Finished!"));
        // Untyped, the name is the modern page's own.
        const QString page = QString::fromUtf8(readFile(out + "/index.html"));
        QVERIFY2(page.contains("<title>Lisbon 2026</title>"), qPrintable(page.left(600)));
    }

    // A name with a folder part, or one like the hidden names of files in
    // the making, is refused on the Output page before any folder is asked
    // for, said to screen readers at once, with the focus
    // on the name; a plain name lets Fin go on.
    void page_name_with_a_folder_part_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        const QString folderPart
                = "\" is not a plain file name: the page always goes into the chosen "
                  "folder, so type a name without a folder part, such as vintora.htm.";
        QTest::newRow("parent") << "../x.html"
                                << "The page name \"../x.html" + folderPart;
        QTest::newRow("subfolder") << "a/b.html"
                                   << "The page name \"a/b.html" + folderPart;
        QTest::newRow("like a file in the making")
                << ".vintora-page1.part"
                << "The page name \".vintora-page1.part\" looks like one of the files this "
                   "program leaves only while it makes them, which a later run may remove: type "
                   "another name, such as vintora.htm.";
    }
    void page_name_with_a_folder_part()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        WizardFixture w;
        for (int i = 0; i < 7; ++i)
            w.fore();
        w.w().picturesPage().pictureList().append({dir.filePath("a.jpg")});
        QLineEdit *box = w.w().outputPage().fileNameBox();
        w.type(box, name);
        const ScreenReader reader;
        w.click(w.w().finButton());
        QCOMPARE(w.w().page(kOutputPage)->problemText(), problem);
        QCOMPARE(reader.alerts(), QStringList{problem});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(box));
        QVERIFY(box->property("problem").toBool());
        QVERIFY(w.dialogs.calls.isEmpty());
        QCOMPARE(folderNames(dir.path()), QStringList());

        w.type(box, "x.html");
        QVERIFY(!w.w().page(kOutputPage)->showsProblem());
        QVERIFY(w.runFin());
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
        // The window is closed while the output folder is being chosen.
        w.dialogs.whileChoosingFolder = [&w] {
            w.window->close();
        };
        QVERIFY(w.runFin());
        QCOMPARE(w.w().outputPage().statusLine()->text(),
                 QString("Stopped... the page was not written..."));
        QVERIFY(!QFile::exists(out + "/vintora.htm"));
    }

    // Back and Fore during a run switch pages and capture them anew, as
    // always; the run, which took the record at the click, goes on as it
    // was asked: the pictures copied, the page referring to the copies.
    void page_switch_during_a_run_leaves_it_as_clicked()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath("out");
        QVERIFY(QDir().mkpath(out));
        for (const char *name : {"a.jpg", "b.png"})
            writeFile(dir.filePath("p/") + name, name);
        WizardFixture w;
        for (int i = 0; i < 5; ++i)
            w.fore();
        w.dialogs.folders = {dir.filePath("p"), out};
        w.click(w.w().picturesPage().addFolderLink());
        w.fore();
        w.fore(); // page 7, the pictures to be copied
        const vintora::FinController &fin = w.w().outputPage().finController();
        QSignalSpy ended(&fin, &FinController::runningChanged);
        w.click(w.w().finButton());
        QVERIFY(fin.isRunning());
        w.back();
        w.click(w.find<QRadioButton>("optCopy(1)"));
        w.fore();
        QCOMPARE(w.page(), int(kOutputPage));
        QCOMPARE(w.settings.copyPictures, kFalse); // captured anew
        QVERIFY(ended.wait(30000));
        QCOMPARE(w.w().outputPage().statusLine()->text(), QString("Finished!"));
        QCOMPARE(folderNames(out), (QStringList{"a.jpg", "b.png", "vintora.htm"}));
        const QString page = QString::fromUtf8(readFile(out + "/vintora.htm"));
        QVERIFY(page.contains(R"(<A HREF = "a.jpg"><IMG SRC = "a.jpg")"));
        QVERIFY(!page.contains("file://"));
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
        QVERIFY(w.runFin());
        QCOMPARE(w.dialogs.calls.last().kind, QString("failure"));
        QCOMPARE(w.dialogs.calls.last().text,
                 "Could not copy \"" + pipe + "\": it is a named pipe, not a file.");
        QCOMPARE(folderNames(out), QStringList());
        QVERIFY(!w.w().outputPage().finController().isRunning());
    }
};

QTEST_MAIN(TestWizardEndToEnd)
#include "test_wizard_end_to_end.moc"
