#include "controls/clickable_label.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "wizard/fin_controller.h"
#include "wizard/picture_list.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

// The Output page's controls and the picture list on a plain window.
struct Wizard
{
    ScriptedDialogs dialogs;
    WizardSettings settings = tableSettings();
    QPointer<QWidget> window = new QWidget;
    QLineEdit *txtFilename = new QLineEdit("vintora.htm", window);
    QLabel *labStatus = new QLabel(window);
    ClickableLabel *btnFin = new ClickableLabel("Fin", window);
    PictureList *pictures = new PictureList(window, dialogs, window);
    FinController *fin
            = new FinController(window, dialogs, settings, *pictures, txtFilename, labStatus);
    QStringList statuses;
    std::function<void(const QString &)> onStatus = [](const QString &) {
    };

    Wizard()
    {
        // As the wizard window wires its Fin button.
        QObject::connect(btnFin, &ClickableLabel::clicked, fin, &FinController::run);
        QObject::connect(fin, &FinController::runningChanged, btnFin,
                         [this](bool running) { btnFin->setEnabled(!running); });
        QObject::connect(fin, &FinController::statusChanged, [this](const QString &status) {
            statuses << status;
            onStatus(status);
        });
        window->show();
    }
    ~Wizard() { delete window; }

    // Clicks Fin and waits for the run, which goes on on a thread of its
    // own, to end.
    bool runFin()
    {
        QSignalSpy ended(fin, &FinController::runningChanged);
        QTest::mouseClick(btnFin, Qt::LeftButton);
        return !fin->isRunning() || ended.wait(30000);
    }
};

const QStringList kCopyingThree{QString("Selecting output folder..."),
                                QString("Copying files: 0 of 3"),
                                QString("Copying files: 1 of 3"),
                                QString("Copying files: 2 of 3"),
                                QString("Writing header"),
                                QString("Finished!")};

} // namespace

class TestFinController : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;

    QString pics() const { return m_dir.filePath("pics"); }

private slots:
    void initTestCase()
    {
        for (const char *name : {"pics/a.jpg", "pics/b.png", "pics/c.gif", "tile.bmp"})
            writeFile(m_dir.filePath(name), name);
    }
    void init()
    {
        m_out = m_dir.filePath(QTest::currentTestFunction() + QString("-")
                               + QTest::currentDataTag());
        QDir().mkpath(m_out);
    }

    void refusals_leave_no_file_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("status");
        QTest::newRow("empty list")
                << 0 << 4 << QString("No files selected to process... no output...");
        QTest::newRow("no columns")
                << 1 << 0 << QString("A table needs at least one column... no output...");
        QTest::newRow("chooser cancelled")
                << 1 << 4 << QString("No output folder chosen... no output...");
    }
    void refusals_leave_no_file()
    {
        QFETCH(int, pictures);
        QFETCH(int, columns);
        QFETCH(QString, status);
        Wizard w;
        w.settings.tableColumns = qint16(columns);
        w.pictures->append(QStringList{pics() + "/a.jpg"}.mid(0, pictures));
        if (status != QString("No output folder chosen... no output..."))
            w.dialogs.folders = {m_out}; // there to be taken, were the chooser opened
        QVERIFY(w.runFin());
        QCOMPARE(w.labStatus->text(), status);
        QCOMPARE(w.dialogs.calls.size(),
                 status == QString("No output folder chosen... no output...") ? 1 : 0);
        if (!w.dialogs.calls.isEmpty()) {
            QCOMPARE(w.dialogs.calls.first().text, QString("Select output folder..."));
            QCOMPARE(w.dialogs.calls.first().owner, w.window.data());
        }
        QCOMPARE(folderNames(m_out), QStringList{});
    }

    // The title typed in the Page title box is the modern page's, though
    // the Output page was not left before the click on Fin.
    void typed_title_names_the_modern_page()
    {
        Wizard w;
        auto *title = new QLineEdit("Summer 2024", w.window);
        FinController fin(w.window, w.dialogs, w.settings, *w.pictures, w.txtFilename, w.labStatus,
                          title);
        w.settings.modernPage = kTrue;
        w.pictures->append({pics() + "/a.jpg"});
        w.dialogs.folders = {m_out};
        QSignalSpy ended(&fin, &FinController::runningChanged);
        fin.run();
        QVERIFY(!fin.isRunning() || ended.wait(30000));
        QVERIFY(readFile(m_out + "/vintora.htm").contains("<title>Summer 2024</title>"));
    }

    void three_pictures_copied_with_the_background()
    {
        Wizard w;
        w.settings.backgroundPicture = m_dir.filePath("tile.bmp");
        w.dialogs.folders = {pics(), m_out};
        w.pictures->addFolder();
        QVERIFY(w.runFin());
        QCOMPARE(w.statuses, kCopyingThree);
        QCOMPARE(w.labStatus->text(), QString("Finished!"));
        QCOMPARE(folderNames(m_out),
                 QStringList({"a.jpg", "b.png", "c.gif", "tile.bmp", "vintora.htm"}));
        QCOMPARE(readFile(m_out + "/c.gif"), QByteArray("pics/c.gif"));
        QCOMPARE(w.pictures->count(), 3); // the list is kept
    }

    void page_name_as_typed_without_copying_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("default") << "vintora.htm";
        QTest::newRow("no extension") << "index";
    }
    void page_name_as_typed_without_copying()
    {
        QFETCH(QString, name);
        Wizard w;
        w.settings.copyPictures = kFalse;
        w.txtFilename->setText(name);
        w.pictures->append({pics() + "/a.jpg"});
        w.dialogs.folders = {m_out};
        QVERIFY(w.runFin());
        QCOMPARE(w.statuses, QStringList({QString("Selecting output folder..."),
                                          QString("Writing header"), QString("Finished!")}));
        QCOMPARE(folderNames(m_out), QStringList{name});
    }

    // The status line is small: each status is its tooltip too, and a
    // failure is told in full in a box owned by the window.
    void failure_is_shown_in_full()
    {
        Wizard w;
        QVERIFY(QDir().mkpath(m_out + "/vintora.htm"));
        w.pictures->append({pics() + "/a.jpg"});
        w.dialogs.folders = {m_out};
        QVERIFY(w.runFin());
        const QString failure = "Could not create the page \"" + m_out
                                + "/vintora.htm\": a folder of that name is in the way.";
        QCOMPARE(w.labStatus->text(), failure);
        QCOMPARE(w.labStatus->toolTip(), failure);
        QCOMPARE(w.dialogs.calls.last().kind, QString("failure"));
        QCOMPARE(w.dialogs.calls.last().text, failure);
        QCOMPARE(w.dialogs.calls.last().owner, w.window.data());
    }

    void nothing_else_starts_or_changes_during_a_run()
    {
        Wizard w;
        w.dialogs.folders = {pics(), m_out};
        w.pictures->addFolder();
        w.dialogs.calls.clear();
        w.dialogs.files = {"/x.jpg"};
        bool busy = false;
        w.onStatus = [&](const QString &status) {
            if (status != QString("Copying files: 0 of 3"))
                return;
            busy = w.fin->isRunning() && !w.btnFin->isEnabled() && w.pictures->isLocked();
            emit w.btnFin->clicked();
            w.pictures->addFiles();
            w.pictures->removeAt(0);
        };
        QVERIFY(w.runFin());
        QVERIFY(busy);
        QCOMPARE(w.statuses, kCopyingThree);
        QCOMPARE(w.dialogs.calls.size(), 1); // the one output folder chooser
        QCOMPARE(w.pictures->count(), 3);
        QVERIFY(w.btnFin->isEnabled() && !w.pictures->isLocked() && !w.fin->isRunning());
    }

    // The run works from the record as it stood at the click: what
    // changes in it meanwhile (a page switch capturing a page anew) changes
    // nothing of the run.
    void the_run_keeps_the_record_of_the_click_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::newRow("copy") << true;
        QTest::newRow("no copy") << false;
    }
    void the_run_keeps_the_record_of_the_click()
    {
        QFETCH(bool, copy);
        Wizard w;
        w.settings.copyPictures = toFlag(copy);
        w.dialogs.folders = {pics(), m_out};
        w.pictures->addFolder();
        w.onStatus = [&](const QString &status) {
            if (status != QString("Selecting output folder..."))
                return;
            w.settings.copyPictures = toFlag(!copy);
            w.settings.pageColor = 0x0000FF;
            w.settings.backgroundPicture = m_dir.filePath("tile.bmp");
        };
        QVERIFY(w.runFin());
        QCOMPARE(w.labStatus->text(), QString("Finished!"));
        const QStringList copied{"a.jpg", "b.png", "c.gif", "vintora.htm"};
        QCOMPARE(folderNames(m_out), copy ? copied : QStringList{"vintora.htm"});
        const QString page = QString::fromUtf8(readFile(m_out + "/vintora.htm"));
        QVERIFY(page.contains(R"(<body bgcolor = "#000000" text = "#000000")"));
        QVERIFY(!page.contains("tile.bmp"));
        QCOMPARE(page.contains("file://"), !copy);
        QCOMPARE(w.settings.copyPictures, toFlag(!copy)); // the record itself did change
    }

    // The run goes on on a thread of its own: the click returns at once,
    // with the run under way, and the window stays live until it ends.
    void the_click_returns_while_the_run_goes_on()
    {
        Wizard w;
        w.dialogs.folders = {pics(), m_out};
        w.pictures->addFolder();
        QSignalSpy ended(w.fin, &FinController::runningChanged);
        QTest::mouseClick(w.btnFin, Qt::LeftButton);
        QVERIFY(w.fin->isRunning());
        QVERIFY(!w.btnFin->isEnabled() && w.pictures->isLocked());
        QVERIFY(ended.wait(30000));
        QCOMPARE(ended.last(), QVariantList{false});
        QCOMPARE(w.statuses, kCopyingThree);
        QVERIFY(w.btnFin->isEnabled() && !w.pictures->isLocked());
    }

    // Closing the window stops the run before its next file; destroying
    // it (and the controller with it) starts nothing more.
    void closing_the_window_mid_run_writes_nothing_data()
    {
        QTest::addColumn<bool>("destroy");
        QTest::newRow("closed") << false;
        QTest::newRow("destroyed") << true;
    }
    void closing_the_window_mid_run_writes_nothing()
    {
        QFETCH(bool, destroy);
        Wizard w;
        w.dialogs.folders = {pics()};
        w.pictures->addFolder();
        writeFile(m_out + "/vintora.htm", "earlier page");
        w.dialogs.folders = {m_out};
        w.dialogs.whileChoosingFolder = [&] {
            destroy ? delete w.window : (void) w.window->close();
        };
        QSignalSpy ended(w.fin, &FinController::runningChanged);
        // A widget must not be destroyed inside its own mouse event, so the
        // destroyed case starts the run the way a queued click would.
        destroy ? w.fin->run() : QTest::mouseClick(w.btnFin, Qt::LeftButton);
        if (!destroy)
            QVERIFY(ended.wait(30000));
        QCOMPARE(w.statuses.last(), destroy ? QString("Selecting output folder...")
                                            : QString("Stopped... the page was not written..."));
        QCOMPARE(folderNames(m_out), QStringList({"vintora.htm"}));
        QCOMPARE(readFile(m_out + "/vintora.htm"), QByteArray("earlier page"));
    }
};

QTEST_MAIN(TestFinController)
#include "test_fin_controller.moc"
