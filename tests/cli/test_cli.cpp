// vintora-cli as a user runs it: exit status, status lines, the page.

#include "page/index_page_writer.h"
#include "pictures/folder_listing.h"
#include "support/default_settings.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QImage>
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

CliRun runCli(const QStringList &arguments, const QString &workingFolder = QString())
{
    QProcess cli;
    cli.setWorkingDirectory(workingFolder);
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

// CRC-32 as PNG chunks carry it.
quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    return QByteArray(bytes, 4);
}

// A 2 × 2 PNG with an iCCP chunk whose profile is no colour profile, just
// after the header chunk, where libpng warns of it.
QByteArray pngWithBadProfile()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    QByteArray png = buffer.data();
    const QByteArray content
            = "iCCP" + QByteArray("bad\0\0", 5) + qCompress(QByteArray(200, 'x')).mid(4);
    const QByteArray chunk
            = bigEndian(quint32(content.size() - 4)) + content + bigEndian(crc32(content));
    const qsizetype afterHeader = 8 + 4 + 4 + 13 + 4; // signature, then IHDR
    png.insert(afterHeader, chunk);
    return png;
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
                 (QStringList{"vintora-cli: Left out 1 file that is not a JPEG, GIF, PNG or BMP "
                              "picture: 1 .txt",
                              "Copying files: 0 of 3", "Copying files: 1 of 3",
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
        QCOMPARE(run.errorLines,
                 (QStringList{"vintora-cli: Left out 1 file that is not a JPEG, GIF, PNG or BMP "
                              "picture: 1 .txt",
                              "vintora-cli: \"" + relative
                                      + "\" is not a JPEG, GIF, PNG or BMP picture; it is on the "
                                        "page as given.",
                              "Writing header", "Finished!"}));
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
        QCOMPARE(run.errorLines,
                 QStringList{"vintora-cli: No files selected to process... no output..."});

        // A table without columns can never be written: bad usage.
        run = runCli({"-o", empty, "--columns", "0", m_pictures});
        QCOMPARE(run.exitCode, 2);
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
        QVERIFY(run.errorLines.last().startsWith("vintora-cli: "));
    }

    // What was typed can never work: 2; what went wrong while running: 1.
    // Either way one line says what, and bad usage adds one hint.
    void bad_invocations_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("firstLine");
        const auto row = [](const char *name, const QStringList &arguments, int exitCode,
                            const char *firstLine) {
            QTest::newRow(name) << arguments << exitCode << QString(firstLine);
        };
        row("no output", {"PICTURES"}, 2, "vintora-cli: --output: an output folder is required");
        row("output folder under a file", {"-o", "PICTURES/notes.txt/new", "PICTURES"}, 2,
            "vintora-cli: --output: cannot make the folder PICTURES/notes.txt/new: "
            "PICTURES/notes.txt is not a folder");
        row("output is a file", {"-o", "PICTURES/notes.txt", "PICTURES"}, 2,
            "vintora-cli: --output: PICTURES/notes.txt is not a folder");
        row("bad number", {"-o", "OUT", "--padding", "x", "PICTURES"}, 2,
            "vintora-cli: --padding: \"x\" is not a whole number from -32768 to 32767");
        row("no columns", {"-o", "OUT", "--columns", "0", "PICTURES"}, 2,
            "vintora-cli: --columns: \"0\" is too few; a table needs at least 1 column");
        row("bad colour", {"-o", "OUT", "--link-color", "blue", "PICTURES"}, 2,
            "vintora-cli: --link-color: \"blue\" is not a colour; use #RRGGBB or RRGGBB");
        row("bad word", {"-o", "OUT", "--layout", "grid", "PICTURES"}, 2,
            "vintora-cli: --layout: \"grid\" is not one of table, generic");
        row("no such path", {"-o", "OUT", "/no/such/picture.jpg"}, 2,
            "vintora-cli: /no/such/picture.jpg: no such file or folder");
        row("unknown option", {"-o", "OUT", "--fast", "PICTURES"}, 2,
            "vintora-cli: Unknown option 'fast'.");
        row("missing value", {"-o", "OUT", "PICTURES", "--columns"}, 2,
            "vintora-cli: Missing value after '--columns'.");
        row("name leaves the folder", {"-o", "OUT", "--name", "../x.html", "PICTURES"}, 2,
            "vintora-cli: --name: The page name \"../x.html\" is not a plain file name: the "
            "page always goes into the chosen folder, so type a name without a folder part, "
            "such as vintora.htm.");
        row("name in a subfolder", {"-o", "OUT", "--name", "a/b.html", "PICTURES"}, 2,
            "vintora-cli: --name: The page name \"a/b.html\" is not a plain file name: the "
            "page always goes into the chosen folder, so type a name without a folder part, "
            "such as vintora.htm.");
        row("no pictures", {"-o", "OUT", "OUT"}, 1,
            "vintora-cli: No files selected to process... no output...");
        row("no pictures, quiet", {"-q", "-o", "OUT", "OUT"}, 1,
            "vintora-cli: No files selected to process... no output...");
    }

    void bad_invocations()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, firstLine);
        const QString out = m_dir.filePath("untouched");
        QVERIFY(QDir().mkpath(out));
        arguments.replaceInStrings("PICTURES", m_pictures);
        arguments.replaceInStrings("OUT", out);
        firstLine.replace("PICTURES", m_pictures);
        const CliRun run = runCli(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(!run.errorLines.isEmpty());
        QCOMPARE(run.errorLines.first(), firstLine);
        QVERIFY2(run.errorLines.size() <= 2, qPrintable(run.errorLines.join('\n')));
        if (exitCode == 2)
            QCOMPARE(run.errorLines.last(),
                     QString("Try 'vintora-cli --help' for more information."));
        QVERIFY(run.output.isEmpty());
        QVERIFY(folderNames(out).isEmpty());
    }

    void summary_on_success_and_nothing_when_quiet()
    {
        const QString out = m_dir.filePath("summary");
        QVERIFY(QDir().mkpath(out));
        // A picture named twice is copied once.
        CliRun run = runCli({"-o", out, m_pictures, m_pictures + "/a.png"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, "Wrote " + out
                                     + "/vintora.htm (1,230 bytes) and 3 copied pictures "
                                       "(39 bytes).\n");

        QVERIFY(QFile::remove(out + "/vintora.htm"));
        run = runCli({"--quiet", "-o", out, m_pictures});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errorLines, QStringList());
        QCOMPARE(run.output, QString());
        QVERIFY(QFile::exists(out + "/vintora.htm"));
    }

    // A missing output folder is made, with the folders above it, once the
    // run gets that far: a refused run makes none.
    void missing_output_folder_is_made()
    {
        const QString out = m_dir.filePath("made/two/levels");
        CliRun run = runCli({"-o", out, m_pictures});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output, "Made the folder " + out + ". Wrote " + out
                                     + "/vintora.htm (1,017 bytes) and 3 copied pictures "
                                       "(39 bytes).\n");
        QCOMPARE(folderNames(out), (QStringList{"a.png", "b.jpg", "c.gif", "vintora.htm"}));

        const QString empty = m_dir.filePath("nothing-here");
        QVERIFY(QDir().mkpath(empty));
        run = runCli({"-o", m_dir.filePath("never"), empty});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.errorLines,
                 QStringList{"vintora-cli: No files selected to process... no output..."});
        QVERIFY(!QFileInfo::exists(m_dir.filePath("never")));
    }

    // On a terminal the statuses share one line, each written over the one
    // before; the last stays. The terminal turns "\n" into "\r\n".
    void status_line_in_place_on_a_terminal()
    {
        const QString out = m_dir.filePath("terminal");
        QVERIFY(QDir().mkpath(out));
        QProcess terminal;
        terminal.start("script", {"-q", "-e", "-c",
                                  QString("'%1' -o '%2' '%3'").arg(VINTORA_CLI, out, m_pictures),
                                  "/dev/null"});
        terminal.closeWriteChannel();
        QVERIFY(terminal.waitForFinished(60000));
        QCOMPARE(terminal.exitCode(), 0);
        QCOMPARE(terminal.readAllStandardOutput(),
                 "vintora-cli: Left out 1 file that is not a JPEG, GIF, PNG or BMP picture: 1 "
                 ".txt\r\n"
                 "\rCopying files: 0 of 3\x1b[K\rCopying files: 1 of 3\x1b[K"
                 "\rCopying files: 2 of 3\x1b[K\rWriting header\x1b[K\rFinished!\x1b[K\r\n"
                 "Wrote " + out.toUtf8()
                         + "/vintora.htm (1,017 bytes) and 3 copied pictures (39 bytes).\r\n");
    }

    // What the image library says of a picture (libpng of a broken colour
    // profile) is a note of the run; --quiet keeps it quiet.
    void image_library_warnings_are_notes()
    {
        const QString png = m_dir.filePath("profile/bad-profile.png");
        writeFile(png, pngWithBadProfile());
        const QString out = m_dir.filePath("profile/out");
        QVERIFY(QDir().mkpath(out));
        CliRun run = runCli({"-q", "--thumbnails", "-o", out, png});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errorLines, QStringList());
        QVERIFY(QFile::exists(out + "/thumbs/bad-profile.png"));

        QVERIFY(QDir(out).removeRecursively() && QDir().mkpath(out));
        run = runCli({"--thumbnails", "-o", out, png});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.errorLines.filter("libpng"),
                 QStringList{"vintora-cli: image library: libpng warning: iCCP: too short"});
    }

    // Relative folders are made absolute: "file://pictures/a.png" would name
    // a host "pictures" to a browser.
    void relative_folders_give_absolute_references()
    {
        QVERIFY(QDir().mkpath(m_dir.filePath("relative")));
        const CliRun run = runCli({"-o", "relative", "--no-copy", "-q", "pictures"}, m_dir.path());
        QCOMPARE(run.exitCode, 0);
        const QString page = QString::fromUtf8(readFile(m_dir.filePath("relative/vintora.htm")));
        QVERIFY2(page.contains("<A HREF = \"file://" + m_pictures + "/a.png\">"), qPrintable(page));
        QCOMPARE(page.count("file://"), page.count("file://" + m_pictures + "/"));
    }

    void modern_page_with_its_title()
    {
        const QString out = m_dir.filePath("modern");
        QVERIFY(QDir().mkpath(out));
        const CliRun run
                = runCli({"-o", out, "-q", "--modern", "--title", "Tom & Jerry", m_pictures});
        QCOMPARE(run.exitCode, 0);
        const QString page = QString::fromUtf8(readFile(out + "/vintora.htm"));
        QVERIFY(page.startsWith("<!DOCTYPE html>\n"));
        QVERIFY(page.contains("<title>Tom &amp; Jerry</title>"));
        QVERIFY(QDir(out + "/thumbs").exists());
    }

    void help_and_version()
    {
        CliRun run = runCli({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.output.startsWith("Usage: vintora-cli [options] PATH...\n"));
        QCOMPARE(run.output.count("(default:"), 25);
        QVERIFY(run.output.contains("Exit status:\n  0  The page is written.\n"));
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
                                   "--thumbnails",
                                   "--modern",
                                   "--title",
                                   "--text-color",
                                   "--link-color",
                                   "--active-link-color",
                                   "--visited-link-color",
                                   "--page-color",
                                   "--background",
                                   "--no-copy",
                                   "--quiet",
                                   "--version"})
            QVERIFY2(run.output.contains(option), option);
        run = runCli({"--version"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output.trimmed(), QString("vintora-cli 2.0.4"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
