#include "desktop/recent_folders.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vintora;

class TestRecentFolders : public QObject
{
    Q_OBJECT

private slots:
    // Each dialog keeps its own folder for the next run; a cancel keeps the
    // last one, and a folder that has gone is forgotten. A name that is not
    // valid text keeps its bytes.
    void each_dialog_remembers_its_folder()
    {
        QTemporaryDir settings, dir;
        const QString file = settings.filePath("Quendry/Vintora.conf");
        const QString latin1 = dir.filePath("lat") + QChar(0xDCE9) + "in";
        QVERIFY(::mkdir((QFile::encodeName(dir.path()) + "/lat\351in").constData(), 0700) == 0);
        using Dialog = RecentFolders::Dialog;
        RecentFolders(file).remember(Dialog::PictureFolder, dir.path());
        RecentFolders(file).remember(Dialog::OutputFolder, dir.filePath("out"));
        RecentFolders(file).remember(Dialog::PictureFolder, QString());
        RecentFolders(file).remember(Dialog::PictureFiles, latin1);
        QCOMPARE(RecentFolders(file).folderFor(Dialog::PictureFolder), dir.path());
        QCOMPARE(RecentFolders(file).folderFor(Dialog::OutputFolder), QString()); // never made
        QCOMPARE(RecentFolders(file).folderFor(Dialog::PictureFiles), latin1);
    }

    // Only a regular file is read or written: whatever else stands at the
    // file's place stays as it is, the wizard never waits on it, and the
    // folder is simply not remembered.
    void only_a_regular_file_is_used_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("left"); // what `ls -l` shows of the place afterwards
        QTest::addColumn<bool>("remembered");
        QTest::newRow("named pipe") << "mkfifo Vintora.conf"
                                    << "p" << false;
        QTest::newRow("link to a device") << "ln -s /dev/null Vintora.conf"
                                          << "l" << false;
        QTest::newRow("folder") << "mkdir Vintora.conf"
                                << "d" << false;
        QTest::newRow("link to a file")
                << "printf '[other]\\n' > real.conf; ln -s real.conf Vintora.conf"
                << "l" << true;
    }
    void only_a_regular_file_is_used()
    {
        QFETCH(QString, setup);
        QFETCH(QString, left);
        QFETCH(bool, remembered);
        QTemporaryDir settings, dir;
        QVERIFY(QProcess::execute("/bin/sh", {"-c", "cd '" + settings.path() + "' && " + setup})
                == 0);
        const QString file = settings.filePath("Vintora.conf");
        RecentFolders(file).remember(RecentFolders::Dialog::OutputFolder, dir.path());
        QCOMPARE(RecentFolders(file).folderFor(RecentFolders::Dialog::OutputFolder),
                 remembered ? dir.path() : QString());
        QProcess ls;
        ls.start("ls", {"-ld", file});
        QVERIFY(ls.waitForFinished());
        QCOMPARE(QString::fromLatin1(ls.readAllStandardOutput().left(1)), left);
        QCOMPARE(QFileInfo("/dev/null").isFile(), false);
    }

    // Remembering the output folder (here, the settings folder itself,
    // shown as HERE) changes only its own key: every other part and key of
    // the file is kept, and a file that is not ours to read (over 64 KB) is
    // never written, not even through a link.
    void remembering_keeps_the_rest_of_the_file_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("show"); // shell, its output compared
        QTest::addColumn<QByteArray>("shown");
        const QString conf = "sed \"s|$PWD|HERE|\" Vintora.conf";
        QTest::newRow("no file yet")
                << "true" << conf << QByteArray("[folders]\noutputFolder=\"HERE\"\n");
        QTest::newRow("other parts and keys are kept")
                << "printf "
                   "'[window]\\nsize=3\\n\\n[folders]\\npictureFolder=\"/nowhere\"\\nzoom=2\\n' "
                   "> Vintora.conf"
                << conf
                << QByteArray("[window]\nsize=3\n\n[folders]\noutputFolder=\"HERE\"\n"
                              "pictureFolder=\"/nowhere\"\nzoom=2\n");
        QTest::newRow("its own key is replaced")
                << "printf '[folders]\\noutputFolder=\"/old\"\\n[other]\\nx=1\\n' > Vintora.conf"
                << conf << QByteArray("[folders]\noutputFolder=\"HERE\"\n[other]\nx=1\n");
        QTest::newRow("a file without folders gains them at its end")
                << "printf '[other]\\nx=1' > Vintora.conf" << conf
                << QByteArray("[other]\nx=1\n[folders]\noutputFolder=\"HERE\"\n");
        QTest::newRow("a file over 64 KB is left as it was")
                << "head -c 70000 /dev/zero | tr '\\0' t > Vintora.conf"
                << "wc -c < Vintora.conf; tr -d t < Vintora.conf" << QByteArray("70000\n");
        QTest::newRow("a link to a text file over 64 KB is left as it was")
                << "head -c 72000 /dev/zero | tr '\\0' t > notes.txt; ln -s notes.txt Vintora.conf"
                << "wc -c < notes.txt; tr -d t < notes.txt; ls -l Vintora.conf | cut -c1"
                << QByteArray("72000\nl\n");
    }
    void remembering_keeps_the_rest_of_the_file()
    {
        QFETCH(QString, setup);
        QFETCH(QString, show);
        QFETCH(QByteArray, shown);
        QTemporaryDir settings;
        const auto inSettings = [&](const QString &command) {
            QProcess sh;
            sh.start("/bin/sh", {"-c", "cd '" + settings.path() + "' && " + command});
            sh.waitForFinished();
            return sh.readAllStandardOutput();
        };
        inSettings(setup);
        RecentFolders(settings.filePath("Vintora.conf"))
                .remember(RecentFolders::Dialog::OutputFolder, settings.path());
        QCOMPARE(inSettings(show), shown);
    }
};

QTEST_MAIN(TestRecentFolders)
#include "test_recent_folders.moc"
