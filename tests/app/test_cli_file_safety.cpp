// vintora-cli among unusual files: whatever a run does, every file it was
// not asked to replace stays byte for byte as it was, it never hangs, and
// its exit status and message tell the truth.

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs a shell command in the folder; its standard output.
QByteArray shell(const QString &folder, const QString &command)
{
    QProcess sh;
    sh.setWorkingDirectory(folder);
    sh.start("/bin/sh", {"-c", command});
    sh.waitForFinished(20000);
    return sh.readAllStandardOutput();
}

// Every entry of the tree: its kind, path, and for files their checksum;
// names are kept as the bytes they are.
QList<QByteArray> snapshot(const QString &folder)
{
    QList<QByteArray> lines
            = shell(folder,
                    "find . ! -type f -printf '%y %p %l\\n'; find . -type f -exec md5sum {} +")
                      .split('\n');
    lines.removeAll(QByteArray());
    std::sort(lines.begin(), lines.end());
    return lines;
}

} // namespace

class TestCliFileSafety : public QObject
{
    Q_OBJECT

private slots:
    void runs_touch_only_what_they_make_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("unprivileged");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");  // in the last line of standard error
        QTest::addColumn<QStringList>("made"); // entries the run adds, as find names them
        QTest::addColumn<QString>("pageHas");  // in the page written, if any

        const QString pictures = "mkdir p o; printf a > p/a.jpg; printf page > o/vintora.htm;";
        QTest::newRow("named pipe")
                << pictures + "mkfifo p/y.jpg" << QStringList{"-o", "o", "p/a.jpg", "p/y.jpg"}
                << false << 1 << "p/y.jpg\": it is a named pipe, not a file." << QStringList{}
                << "";
        QTest::newRow("link to a device")
                << pictures + "ln -s /dev/zero p/z.jpg"
                << QStringList{"-o", "o", "p/a.jpg", "p/z.jpg"} << false << 1
                << "p/z.jpg\": it is a device, not a file." << QStringList{} << "";
        QTest::newRow("page named as a picture")
                << pictures << QStringList{"-o", "p", "--name", "a.jpg", "--no-copy", "p"} << false
                << 1 << "which the page would replace" << QStringList{} << "";
        QTest::newRow("page is a link to a picture")
                << pictures + "rm o/vintora.htm; ln -s ../p/a.jpg o/vintora.htm"
                << QStringList{"-o", "o", "--no-copy", "p"} << false << 1
                << "which the page would replace" << QStringList{} << "";
        QTest::newRow("page name with a folder part")
                << pictures << QStringList{"-o", "o", "--name", "../p/a.jpg", "p"} << false << 2
                << "is not a plain file name" << QStringList{} << "";
        QTest::newRow("numbered copy passes over an unlisted file")
                << "mkdir A B; printf A > A/x.jpg; printf mine > A/x-2.jpg; printf B > B/x.jpg"
                << QStringList{"-o", "A", "A/x.jpg", "B/x.jpg"} << false << 0 << "Finished!"
                << QStringList{"f ./A/vintora.htm", "f ./A/x-3.jpg"} << "HREF = \"x-3.jpg\"";
        QTest::newRow("read-only file of another user")
                << pictures
                           + "printf root > o/a.jpg; chmod 444 o/a.jpg; chmod 666 o/*.htm; chmod "
                             "777 o"
                << QStringList{"-o", "o", "p/a.jpg"} << true << 1
                << "o/a.jpg\": the file there may not be written (Permission denied)."
                << QStringList{} << "";
        QTest::newRow("latin-1 name, copied")
                << "mkdir L o; printf l > L/lat$(printf '\\351')in.jpg"
                << QStringList{"-o", "o", "L"} << false << 0 << "Finished!"
                << QStringList{"f ./o/vintora.htm", QString::fromLatin1("f ./o/lat\351in.jpg")}
                << "HREF = \"lat%E9in.jpg\"";
        QTest::newRow("latin-1 name, linked")
                << "mkdir L o; printf l > L/lat$(printf '\\351')in.jpg"
                << QStringList{"-o", "o", "--no-copy", "L"} << false << 0 << "Finished!"
                << QStringList{"f ./o/vintora.htm"} << "/L/lat%E9in.jpg\"";
        const QString longName = QString(251, 'n') + ".jpg";
        QTest::newRow("255-byte name")
                << "mkdir N o; printf n > N/" + longName << QStringList{"-o", "o", "N"} << false
                << 0 << "Finished!" << QStringList{"f ./o/vintora.htm", "f ./o/" + longName} << "";
        QTest::newRow("relative folders")
                << pictures << QStringList{"-o", "o", "--no-copy", "p"} << false << 0 << "Finished!"
                << QStringList{"f ./o/vintora.htm"} << "HREF = \"file:///";
    }
    void runs_touch_only_what_they_make()
    {
        QFETCH(QString, setup);
        QFETCH(QStringList, arguments);
        QFETCH(bool, unprivileged);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QStringList, made);
        QFETCH(QString, pageHas);

        QStringList command{VINTORA_CLI};
        if (unprivileged && ::geteuid() == 0) {
            // As root every file may be written: run as a user without rights.
            if (QStandardPaths::findExecutable("setpriv").isEmpty())
                QSKIP("setpriv is needed to run vintora-cli without rights");
            command = QStringList{"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                                  VINTORA_CLI};
        } else if (unprivileged) {
            QSKIP("the file of another user needs root to be made");
        }
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        shell(dir.path(), setup);
        const QList<QByteArray> before = snapshot(dir.path());

        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        const QString program = command.takeFirst();
        cli.start(program, command + arguments);
        const bool ended = cli.waitForFinished(20000);
        if (!ended)
            cli.kill();
        QVERIFY2(ended, "the run hung");
        const QList<QByteArray> errors = cli.readAllStandardError().trimmed().split('\n');
        QCOMPARE(cli.exitCode(), exitCode);
        const QByteArray said = errors.join('\n');
        QVERIFY2(said.contains(message.toUtf8()), said.constData());

        // Nothing that was there changed, and nothing but the page and the
        // copies named was added; links and folders listed by kind alone.
        const QList<QByteArray> after = snapshot(dir.path());
        for (const QByteArray &entry : before) {
            const bool earlierPage = entry.endsWith("/vintora.htm") && exitCode == 0;
            QVERIFY2(after.contains(entry) || earlierPage, entry.constData());
        }
        QStringList added;
        for (const QByteArray &entry : after) {
            if (!before.contains(entry))
                added << QString::fromLatin1(entry.startsWith("d ") || entry.startsWith("l ")
                                                     ? entry
                                                     : "f " + entry.mid(entry.indexOf("./")));
        }
        added.sort();
        made.sort();
        QVERIFY2(added == made, qPrintable(added.join(" | ")));
        if (!pageHas.isEmpty()) {
            const QByteArray page = shell(dir.path(), "cat */vintora.htm");
            QVERIFY2(page.contains(pageHas.toLatin1()), page.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestCliFileSafety)
#include "test_cli_file_safety.moc"
