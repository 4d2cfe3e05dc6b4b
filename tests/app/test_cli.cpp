// vintora-cli as a user runs it: exit status, status lines, the page.

#include "generate/index_page_writer.h"
#include "pictures/folder_listing.h"
#include "support/default_settings.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

struct CliRun
{
    int exitCode = -1;
    QStringList errorLines;
    QString output;
};

CliRun runCli(const QStringList &arguments)
{
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY"); // it needs no display
    environment.remove("QT_QPA_PLATFORM");
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(VINTORA_CLI), arguments);
    cli.waitForFinished(60000);
    CliRun run;
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.errorLines = QString::fromUtf8(cli.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    run.output = QString::fromUtf8(cli.readAllStandardOutput());
    return run;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_pictures;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_pictures = m_dir.filePath("pictures");
        for (const char *name : {"b.jpg", "a.png", "c.gif", "notes.txt"})
            writeFile(m_pictures + "/" + name, QByteArray("picture ") + name);
    }

    void defaults_make_the_wizards_page()
    {
        const QString out = m_dir.filePath("defaults");
        QVERIFY(QDir().mkpath(out));
        const CliRun run = runCli({"-o", out, m_pictures});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errorLines,
                 (QStringList{"Copying files: 0 of 3", "Copying files: 1 of 3",
                              "Copying files: 2 of 3", "Writing header", "Finished!"}));
        // The page the wizard writes for its start values and this folder.
        QBuffer expected;
        expected.open(QIODevice::WriteOnly);
        QVERIFY(WriteIndexPage(defaultSettings(), *ListFolderPictures(m_pictures), 2, 0, expected));
        QCOMPARE(readFile(out + "/vintora.htm"), expected.data());
        QCOMPARE(folderNames(out), (QStringList{"a.png", "b.jpg", "c.gif", "vintora.htm"}));
    }

    void files_and_folders_in_the_order_given()
    {
        const QString out = m_dir.filePath("order");
        QVERIFY(QDir().mkpath(out));
        const QString relative = QDir::current().relativeFilePath(m_pictures + "/notes.txt");
        const CliRun run = runCli({"--output", out, "--no-copy", "--layout", "generic", "--name",
                                   "index", relative, m_pictures});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errorLines, (QStringList{"Writing header", "Finished!"}));
        const QString page = QString::fromUtf8(readFile(out + "/index"));
        const qsizetype notes = page.indexOf("file://" + m_pictures + "/notes.txt");
        const qsizetype a = page.indexOf("file://" + m_pictures + "/a.png");
        QVERIFY(notes > 0); // made absolute
        QVERIFY(a > notes);
        QCOMPARE(folderNames(out), QStringList{"index"});
    }

    void refusals_exit_with_one()
    {
        const QString empty = m_dir.filePath("empty");
        QVERIFY(QDir().mkpath(empty));
        CliRun run = runCli({"-o", empty, empty});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.errorLines, QStringList{"No files selected to process... no output..."});

        run = runCli({"-o", empty, "--columns", "0", m_pictures});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(folderNames(empty).isEmpty());
    }

    void failures_exit_with_one()
    {
        const QString out = m_dir.filePath("blocked");
        QVERIFY(QDir().mkpath(out + "/vintora.htm")); // a folder in the way of the page
        const CliRun run = runCli({"-o", out, "--no-copy", m_pictures});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(!run.errorLines.contains("Finished!"));
        QVERIFY(run.errorLines.last().contains("vintora.htm"));
    }

    void bad_usage_exits_with_two_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("no output") << QStringList{"PICTURES"} << "--output";
        QTest::newRow("bad number")
                << QStringList{"-o", "OUT", "--padding", "x", "PICTURES"} << "--padding";
        QTest::newRow("bad colour")
                << QStringList{"-o", "OUT", "--link-color", "blue", "PICTURES"} << "--link-color";
        QTest::newRow("missing path")
                << QStringList{"-o", "OUT", "/no/such/picture.jpg"} << "/no/such/picture.jpg";
        QTest::newRow("unknown option") << QStringList{"-o", "OUT", "--fast", "PICTURES"} << "fast";
    }

    void bad_usage_exits_with_two()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        arguments.replaceInStrings("PICTURES", m_pictures);
        arguments.replaceInStrings("OUT", m_dir.path());
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, 2);
        const QString errors = run.errorLines.join('\n');
        QVERIFY2(errors.contains(named), qPrintable(errors));
        QVERIFY(errors.contains("Usage:"));
    }

    void help_and_version()
    {
        CliRun run = runCli({"--help"});
        QCOMPARE(run.exitCode, 0);
        for (const char *option : {"--output",
                                   "--name",
                                   "--layout",
                                   "--columns",
                                   "--spacing",
                                   "--padding",
                                   "--border",
                                   "--align",
                                   "--valign",
                                   "--cell-color",
                                   "--cell-picture",
                                   "--width",
                                   "--height",
                                   "--width-percent",
                                   "--height-percent",
                                   "--image-borders",
                                   "--text-color",
                                   "--link-color",
                                   "--active-link-color",
                                   "--visited-link-color",
                                   "--page-color",
                                   "--background",
                                   "--no-copy",
                                   "--version"})
            QVERIFY2(run.output.contains(option), option);
        run = runCli({"--version"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output.trimmed(), QString("vintora-cli 2.0.4"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
