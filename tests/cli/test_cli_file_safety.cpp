// vintora-cli among unusual files: whatever a run does, every file it was
// not asked to replace stays byte for byte as it was, it writes nothing
// outside the output folder and its own sub-folders, it never hangs, a
// killed run leaves nothing half-made, and its exit status and message
// tell the truth.

#include "file_safety_shell.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

class TestCliFileSafety : public QObject
{
    Q_OBJECT

    QTemporaryDir m_pictures; // src/: pictures the rows copy from

private slots:
    void initTestCase()
    {
        const QByteArray red = jpegOf(Qt::red, 0), blue = jpegOf(Qt::blue, 0);
        const qsizetype size = std::max(red.size(), blue.size()) + 40;
        const QByteArray photo = jpegOf(Qt::black, 0);
        const QList<std::pair<const char *, QByteArray>> files{
                {"red.jpg", jpegOf(Qt::red, size)},
                {"blue.jpg", jpegOf(Qt::blue, size)},
                {"photo.jpg", photo},
                {"cut.jpg", photo.left(photo.size() / 2)}};
        for (const auto &[name, bytes] : files) {
            QFile file(m_pictures.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        QCOMPARE(QFileInfo(m_pictures.filePath("red.jpg")).size(),
                 QFileInfo(m_pictures.filePath("blue.jpg")).size());
    }

    void runs_touch_only_what_they_make_data()
    {
        QTest::addColumn<QString>("setup");    // shell, in the row's folder; src/ holds pictures
        QTest::addColumn<QString>("command");  // shell: "$CLI" and its arguments
        QTest::addColumn<QString>("needs");    // "root" to set up, "user" to run without rights
        QTest::addColumn<int>("exitCode");     // kKilled when the run is killed
        QTest::addColumn<QString>("message");  // in standard error
        QTest::addColumn<QStringList>("made"); // entries added or changed, as find names them
        QTest::addColumn<QStringList>("gone"); // entries that must go, as patterns
        QTest::addColumn<QString>("pageHas");  // in the page written, if any

        const QString pictures = "mkdir p o; printf a > p/a.jpg; printf page > o/vintora.htm;";
        const QString photos = "mkdir p o; cp src/photo.jpg p/a.jpg; printf page > o/vintora.htm;";
        const QString cli = "\"$CLI\" ";
        const QString killAt = "strace -f -qq -o /dev/null -e inject=%1:signal=SIGKILL:when=%2 "
                               "\"$CLI\" ";
        const QString page = "f \\./o/vintora\\.htm";
        const QString part = "f \\./o/\\.vintora-[0-9a-z]+\\.part";

        QTest::newRow("named pipe") << pictures + "mkfifo p/y.jpg" << cli + "-o o p/a.jpg p/y.jpg"
                                    << "" << 1 << "p/y.jpg\": it is a named pipe, not a file."
                                    << QStringList{} << QStringList{} << "";
        QTest::newRow("named pipe with a writer waiting")
                << pictures
                           + "mkfifo p/y.jpg; (timeout 5 sh -c 'echo x > p/y.jpg && touch "
                             "p/opened' "
                             "&)"
                << cli + "-o o p/a.jpg p/y.jpg"
                << "" << 1 << "p/y.jpg\": it is a named pipe, not a file." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("named pipe with a writer waiting, thumbnails without copies")
                << pictures
                           + "mkfifo p/y.jpg; (timeout 5 sh -c 'echo x > p/y.jpg && touch "
                             "p/opened' &); sleep 0.3"
                << cli + "-o o --no-copy --thumbnails p/a.jpg p/y.jpg"
                << "" << 0 << "p/y.jpg\": it is a named pipe, not a file."
                << QStringList{page, "d \\./o/thumbs"} << QStringList{} << "";
        QTest::newRow("link to a device")
                << pictures + "ln -s /dev/zero p/z.jpg" << cli + "-o o p/a.jpg p/z.jpg"
                << "" << 1 << "p/z.jpg\": it is a device, not a file." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("page named as a picture")
                << pictures << cli + "-o p --name a.jpg --no-copy p"
                << "" << 1 << "which the page would replace" << QStringList{} << QStringList{}
                << "";
        QTest::newRow("page is a link to a picture")
                << pictures + "rm o/vintora.htm; ln -s ../p/a.jpg o/vintora.htm"
                << cli + "-o o --no-copy p"
                << "" << 1 << "which the page would replace" << QStringList{} << QStringList{}
                << "";
        QTest::newRow("a picture that is a link to the page")
                << pictures + "ln -s ../o/vintora.htm p/l.jpg" << cli + "-o o --no-copy p"
                << "" << 1 << "which the page would replace" << QStringList{} << QStringList{}
                << "";
        // The folder listing's own inode numbers tell the pictures apart: each
        // of three pictures in turn is refused as the page.
        QTest::newRow("page named as any picture of a folder")
                << "mkdir p; printf a > p/a.jpg; printf b > p/b.jpg; printf c > p/c.jpg"
                << "for n in a b c; do " + cli
                           + "-o p --no-copy --name $n.jpg p && exit 9; done; exit 1"
                << "" << 1 << "which the page would replace" << QStringList{} << QStringList{}
                << "";
        QTest::newRow("page name with a folder part")
                << pictures << cli + "-o o --name ../p/a.jpg p"
                << "" << 2 << "is not a plain file name" << QStringList{} << QStringList{} << "";
        QTest::newRow("numbered copy passes over an unlisted file")
                << "mkdir A B; printf A > A/x.jpg; printf mine > A/x-2.jpg; printf B > B/x.jpg"
                << cli + "-o A A/x.jpg B/x.jpg"
                << "" << 0 << "Finished!"
                << QStringList{"f \\./A/vintora\\.htm", "f \\./A/x-3\\.jpg"} << QStringList{}
                << "HREF = \"x-3.jpg\"";
        QTest::newRow("numbered copy passes over a dangling link")
                << "mkdir A B; printf A > A/x.jpg; ln -s gone A/x-2.jpg; printf B > B/x.jpg"
                << cli + "-o A A/x.jpg B/x.jpg"
                << "" << 0 << "Finished!"
                << QStringList{"f \\./A/vintora\\.htm", "f \\./A/x-3\\.jpg"} << QStringList{}
                << "HREF = \"x-3.jpg\"";
        QTest::newRow("named pipe at a copy's place")
                << pictures + "mkfifo o/a.jpg" << cli + "-o o p"
                << "" << 1 << "o/a.jpg\": a named pipe of that name is in the way." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("a folder at the second copy's place, found before the first copy")
                << pictures + "printf b > p/b.jpg; mkdir o/b.jpg" << cli + "-o o p"
                << "" << 1 << "o/b.jpg\": a folder of that name is in the way." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("a folder at the background's copy place, found before any copy")
                << pictures + "printf b > bg.jpg; mkdir o/bg.jpg"
                << cli + "-o o --background bg.jpg p"
                << "" << 1 << "o/bg.jpg\": a folder of that name is in the way." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("an unwritable file of the same size at the second copy's place")
                << "mkdir p o; cp src/red.jpg p/a.jpg; cp src/red.jpg p/b.jpg; cp src/blue.jpg "
                   "o/b.jpg; chmod 444 o/b.jpg; chmod 666 o/*.htm; chmod 777 o"
                << cli + "-o o p"
                << "user" << 1
                << "o/b.jpg\": the file there may not be written (Permission denied)."
                << QStringList{} << QStringList{} << "";
        QTest::newRow("an unwritable file of the same bytes is left in place")
                << "mkdir p o; cp src/red.jpg p/a.jpg; cp src/red.jpg p/b.jpg; cp src/red.jpg "
                   "o/b.jpg; chmod 444 o/b.jpg; chmod 666 o/*.htm; chmod 777 o"
                << cli + "-o o p"
                << "user" << 0 << "1 already in place" << QStringList{page, "f \\./o/a\\.jpg"}
                << QStringList{} << "";
        QTest::newRow("page named like a file in the making")
                << pictures << cli + "-o o --name .vintora-page1.part p"
                << "" << 2 << "\".vintora-page1.part\" looks like one of the files" << QStringList{}
                << QStringList{} << "";
        QTest::newRow("a picture named like a file in the making, run twice")
                << "mkdir p o; printf a > p/.vintora-0000000000abc.part"
                << cli + "-q -o o p/.vintora-0000000000abc.part && " + cli
                           + "-o o p/.vintora-0000000000abc.part"
                << "" << 0 << "Finished!"
                << QStringList{page, "f \\./o/\\.vintora-0000000000abc\\.part-2"} << QStringList{}
                << "HREF = \".vintora-0000000000abc.part-2\"";
        QTest::newRow("read-only file of another user")
                << pictures
                           + "printf root > o/a.jpg; chmod 444 o/a.jpg; chmod 666 o/*.htm; chmod "
                             "777 o"
                << cli + "-o o p/a.jpg"
                << "user" << 1
                << "o/a.jpg\": the file there may not be written (Permission denied)."
                << QStringList{} << QStringList{} << "";
        // Root copying into a shared folder: a set-user-ID file left there by
        // a user, or an earlier page of mode 6755, keeps only its read, write
        // and execute bits; a new copy gets 0666 less the umask.
        QTest::newRow("set-user-ID bits are never carried into a replaced file")
                << pictures
                           + "printf b > p/b.jpg; chmod 4755 p/b.jpg; chmod 1777 o; printf x > "
                             "o/a.jpg; chown 65534 o/a.jpg; chmod 4755 o/a.jpg; chmod 6755 "
                             "o/vintora.htm"
                << "umask 022; " + cli
                           + "-o o p/a.jpg p/b.jpg; s=$?; stat -c '%n %a' o/a.jpg o/vintora.htm "
                             "o/b.jpg; exit $s"
                << "root" << 0 << "o/a.jpg 755\no/vintora.htm 755\no/b.jpg 644\n"
                << QStringList{page, "f \\./o/a\\.jpg", "f \\./o/b\\.jpg"} << QStringList{} << "";
        QTest::newRow("latin-1 name, copied")
                << "mkdir L o; printf l > L/lat$(printf '\\351')in.jpg" << cli + "-o o L"
                << "" << 0 << "Finished!"
                << QStringList{page, QString::fromLatin1("f \\./o/lat\351in\\.jpg")}
                << QStringList{} << "HREF = \"lat%E9in.jpg\"";
        QTest::newRow("latin-1 name, linked")
                << "mkdir L o; printf l > L/lat$(printf '\\351')in.jpg" << cli + "-o o --no-copy L"
                << "" << 0 << "Finished!" << QStringList{page} << QStringList{}
                << "/L/lat%E9in.jpg\"";
        QTest::newRow("page name not valid text")
                << pictures << cli + "-o o --no-copy --name \"$(printf '\\377').htm\" p"
                << "" << 0 << "Finished!" << QStringList{QString::fromLatin1("f \\./o/\377\\.htm")}
                << QStringList{} << "";
        QTest::newRow("output folder not valid text")
                << pictures + "mkdir o$(printf '\\376')"
                << cli + "-o \"o$(printf '\\376')\" --no-copy p"
                << "" << 0 << "Finished!"
                << QStringList{QString::fromLatin1("f \\./o\376/vintora\\.htm")} << QStringList{}
                << "";
        const QString longName = QString(251, 'n') + ".jpg";
        QTest::newRow("255-byte name, with its thumbnail")
                << "mkdir N o; cp src/photo.jpg N/" + longName << cli + "-o o --thumbnails N"
                << "" << 0 << "Finished!"
                << QStringList{page, "f \\./o/" + longName, "d \\./o/thumbs",
                               "f \\./o/thumbs/" + longName}
                << QStringList{} << "";
        QTest::newRow("a name that begins with a space")
                << "mkdir p o; printf a > 'p/ lead.jpg'" << cli + "-o o p"
                << "" << 0 << "Finished!" << QStringList{page, "f \\./o/ lead\\.jpg"}
                << QStringList{} << "HREF = \"%20lead.jpg\"><IMG SRC = \"%20lead.jpg\"";
        QTest::newRow("output folder through a link and \"..\"")
                << pictures
                           + "mkdir -p real/sub made; ln -s real/sub lnk; printf mine > "
                             "made/vintora.htm"
                << cli + "-o lnk/../made --no-copy p"
                << "" << 0 << "Finished!"
                << QStringList{"d \\./real/made", "f \\./real/made/vintora\\.htm"} << QStringList{}
                << "";
        QTest::newRow("a picture through a link and \"..\"")
                << "mkdir -p o real/sub; ln -s real/sub lnk; cp src/red.jpg real/a.jpg; cp "
                   "src/blue.jpg a.jpg"
                << cli + "-o o lnk/../a.jpg && cmp o/a.jpg real/a.jpg"
                << "" << 0 << "Finished!" << QStringList{page, "f \\./o/a\\.jpg"} << QStringList{}
                << "HREF = \"a.jpg\"";
        QTest::newRow("pictures named thumbs and screen, on a page without thumbnails")
                << "mkdir p o; cp src/red.jpg p/thumbs; cp src/blue.jpg p/screen"
                << cli + "-o o p/thumbs p/screen"
                << "" << 0 << "Finished!" << QStringList{page, "f \\./o/thumbs", "f \\./o/screen"}
                << QStringList{} << "HREF = \"screen\"";
        QTest::newRow("a picture named thumbs, with thumbnails, run twice")
                << "mkdir p o; cp src/photo.jpg p/thumbs"
                << cli + "-q -o o --thumbnails p/thumbs && " + cli + "-o o --thumbnails p/thumbs"
                << "" << 0 << "Finished!"
                << QStringList{page, "f \\./o/thumbs-2", "d \\./o/thumbs",
                               "f \\./o/thumbs/thumbs-2\\.jpg"}
                << QStringList{} << "HREF = \"thumbs-2\"";
        QTest::newRow("a picture named screen, on a modern page, run twice")
                << "mkdir p o; cp src/photo.jpg p/screen"
                << cli + "-q -o o --modern p/screen && " + cli + "-o o --modern p/screen"
                << "" << 0 << "Finished!"
                << QStringList{"f \\./o/index\\.html", "f \\./o/screen-2",
                               "d \\./o/thumbs",       "f \\./o/thumbs/screen-2\\.jpg",
                               "d \\./o/thumbs/1x",    "f \\./o/thumbs/1x/screen-2\\.jpg"}
                << QStringList{} << "screen-2";
        QTest::newRow("relative folders") << pictures << cli + "-o o --no-copy p"
                                          << "" << 0 << "Finished!" << QStringList{page}
                                          << QStringList{} << "HREF = \"file:///";

        // The thumbnail folder and what lies in it.
        QTest::newRow("thumbs a link to another folder")
                << photos + "mkdir e; ln -s ../e o/thumbs" << cli + "-o o --thumbnails p"
                << "" << 1 << "o/thumbs\": a link of that name is in the way." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("thumbs a link to the output folder")
                << photos + "cp src/red.jpg o/mine.jpg; ln -s . o/thumbs"
                << cli + "-o o --thumbnails p"
                << "" << 1 << "o/thumbs\": a link of that name is in the way." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("a file named thumbs, found before any copy")
                << photos + "printf x > o/thumbs" << cli + "-o o --thumbnails p"
                << "" << 1 << "o/thumbs\": a file of that name is in the way." << QStringList{}
                << QStringList{} << "";
        QTest::newRow("page named thumbs") << photos << cli + "-o o --thumbnails --name thumbs p"
                                           << "" << 1 << "The page cannot be named \"thumbs\""
                                           << QStringList{} << QStringList{} << "";
        QTest::newRow("read-only thumbnail of another user")
                << photos
                           + "mkdir o/thumbs; printf root > o/thumbs/a.jpg; chmod 444 "
                             "o/thumbs/a.jpg; chmod 666 o/*.htm; chmod 777 o o/thumbs"
                << cli + "-o o --thumbnails p"
                << "user" << 1
                << "o/thumbs/a.jpg\" could not be written: the file there may not be written "
                   "(Permission denied).\nvintora-cli: Could not write 1 file made of the "
                   "pictures (named above), so the page was not written and the earlier page is "
                   "kept; written: 1 copied picture.\n"
                << QStringList{"f \\./o/a\\.jpg"} << QStringList{} << "";
        QTest::newRow("a thumbs folder the user may not write")
                << photos + "mkdir o/thumbs; chmod 666 o/*.htm; chmod 777 o"
                << cli + "-o o --no-copy --thumbnails p"
                << "user" << 1
                << "vintora-cli: Could not write 1 file made of the pictures (named above), so "
                   "the page was not written and the earlier page is kept; nothing else was "
                   "written.\n"
                << QStringList{} << QStringList{} << "";
        QTest::newRow("numbering looks into thumbs")
                << "mkdir A B o o/thumbs; cp src/red.jpg A/x.jpg; cp src/blue.jpg B/x.jpg; printf "
                   "mine > o/thumbs/x-2.jpg"
                << cli + "-o o --thumbnails A/x.jpg B/x.jpg"
                << "" << 0 << "Finished!"
                << QStringList{page, "f \\./o/x\\.jpg", "f \\./o/x-3\\.jpg",
                               "f \\./o/thumbs/x\\.jpg", "f \\./o/thumbs/x-3\\.jpg"}
                << QStringList{} << "HREF = \"x-3.jpg\"";
        QTest::newRow("a picture lying in thumbs")
                << "mkdir p o o/thumbs; cp src/red.jpg p/a.jpg; cp src/blue.jpg o/thumbs/a.jpg"
                << cli + "-o o --thumbnails --no-copy p/a.jpg o/thumbs/a.jpg"
                << "" << 0 << "it is one of the pictures of this run."
                << QStringList{page, "f \\./o/thumbs/a-2\\.jpg"} << QStringList{} << "";
        QTest::newRow("another camera's picture of the same name and size")
                << "mkdir A B o; cp src/red.jpg A/IMG_0001.jpg; cp src/blue.jpg B/IMG_0001.jpg; "
                   "touch -d 2001-01-01 A/* B/*; \"$CLI\" -q -o o --no-copy --thumbnails A"
                << cli + "-o o --no-copy --thumbnails B"
                << "" << 0 << "Finished!" << QStringList{page, "f \\./o/thumbs/IMG_0001\\.jpg"}
                << QStringList{} << "";
        QTest::newRow("a damaged picture, noted")
                << "mkdir p o; cp src/cut.jpg p/cut.jpg" << cli + "-o o --thumbnails p"
                << "" << 0 << "p/cut.jpg\": it is damaged or incomplete."
                << QStringList{page, "f \\./o/cut\\.jpg", "d \\./o/thumbs"} << QStringList{} << "";

        // A full disk and killed runs: the earlier files stay as they were.
        // Without unnamed files a file has its hidden name from the start,
        // and a run killed before it was put in place leaves that behind.
#ifdef VINTORA_WITHOUT_TMPFILE
        const QStringList leftInOut{part},
                leftInThumbs{"f \\./o/thumbs/\\.vintora-[0-9a-z]+\\.part"};
#else
        const QStringList leftInOut, leftInThumbs;
#endif
        QTest::newRow("full disk at the page")
                << "mkdir p o; for i in $(seq 60); do printf x > "
                   "p/a-picture-with-a-long-name-$i.jpg; done; mount -t tmpfs -o size=16k tmpfs "
                   "o && printf page > o/vintora.htm && head -c 12288 /dev/zero > o/fill"
                << cli + "-o o --no-copy p"
                << "root" << 1
                << "vintora.htm\": the file cannot be written (No space left on device)."
                << QStringList{} << QStringList{} << "";
        QTest::newRow("full disk after the copies")
                << "mkdir p o; cp src/red.jpg p/a.jpg; mount -t tmpfs -o size=16k tmpfs o && "
                   "printf page > o/vintora.htm && head -c $((12288 - ($(stat -c %s p/a.jpg) + "
                   "4095) / 4096 * 4096)) /dev/zero > o/fill"
                << cli + "-o o --thumbnails p"
                << "root" << 1
                << "(No space left on device).\nvintora-cli: Could not write 1 file made of the "
                   "pictures (named above), so the page was not written and the earlier page is "
                   "kept; written: 1 copied picture.\n"
                << QStringList{"f \\./o/a\\.jpg", "d \\./o/thumbs"} << QStringList{} << "";
        QTest::newRow("killed while copying")
                << photos << killAt.arg("copy_file_range", "1") + "-o o p"
                << "" << kKilled << "" << leftInOut << QStringList{} << "";
        QTest::newRow("killed as a copy is put in place")
                << photos << killAt.arg("linkat", "1") + "-o o p"
                << "" << kKilled << "" << leftInOut << QStringList{} << "";
        QTest::newRow("killed while a thumbnail is put in place")
                << photos << killAt.arg("linkat", "1") + "-o o --no-copy --thumbnails p"
                << "" << kKilled << "" << QStringList{"d \\./o/thumbs"} + leftInThumbs
                << QStringList{} << "";
        QTest::newRow("killed as the earlier page is replaced")
                << photos << killAt.arg("renameat", "1") + "-o o --no-copy p"
                << "" << kKilled << "" << QStringList{part} << QStringList{} << "";
        QTest::newRow("the next run removes what a killed run left")
                << photos + killAt.arg("renameat", "1") + "-o o --no-copy p"
                << cli + "-o o --no-copy p"
                << "" << 0 << "Finished!" << QStringList{page} << QStringList{part} << "";

        QTest::newRow("a background that is a folder")
                << pictures << cli + "-o o --background p p"
                << "" << 2 << "--background: no such file" << QStringList{} << QStringList{} << "";
    }
    void runs_touch_only_what_they_make()
    {
        QFETCH(QString, setup);
        QFETCH(QString, command);
        QFETCH(QString, needs);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QStringList, made);
        QFETCH(QStringList, gone);
        QFETCH(QString, pageHas);

        const bool root = ::geteuid() == 0;
        if (needs == "root" && !root)
            QSKIP("this row needs root to set up (run the suite as root, as CI does)");
        if (needs == "user") {
            if (!root)
                QSKIP("the file of another user needs root to be made");
            // As root every file may be written: run as a user without rights.
            command.prepend("setpriv --reuid=65534 --regid=65534 --clear-groups ");
        }
        if (command.contains("strace") && QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is needed to kill a run at a given call");
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        QVERIFY(QFile::link(m_pictures.path(), dir.filePath("src")));
        const auto unmount = qScopeGuard([&] {
            if (needs == "root")
                shell(dir.path(), "umount o");
        });
        shell(dir.path(), setup);
        const QList<QByteArray> before = snapshot(dir.path());

        const auto [status, said] = shell(dir.path(), command);
        QVERIFY2(status == exitCode, said.constData());
        QVERIFY2(said.contains(message.toUtf8()), said.constData());

        // Nothing that was there changed, but for what may go; and nothing
        // but what the row names was added or changed. Links and folders
        // are listed by kind alone.
        const QList<QByteArray> after = snapshot(dir.path());
        const auto named = [](const QByteArray &entry) {
            return QString::fromLatin1(entry.startsWith("d ") || entry.startsWith("l ")
                                               ? entry.trimmed()
                                               : "f " + entry.mid(entry.indexOf("./")));
        };
        // What was made anew may have changed; a run that finished replaced
        // the earlier page.
        QStringList changed = gone + made;
        if (status == 0)
            changed << "f \\./[^/]+/vintora\\.htm";
        for (const QByteArray &entry : before) {
            QStringList mayChange = changed;
            QVERIFY2(after.contains(entry) || matchesOne(named(entry), mayChange),
                     entry.constData());
        }
        QStringList added;
        for (const QByteArray &entry : after) {
            QStringList mustGo = gone;
            QVERIFY2(!matchesOne(named(entry), mustGo), qPrintable("left: " + named(entry)));
            if (!before.contains(entry) && !matchesOne(named(entry), made))
                added << named(entry);
        }
        QVERIFY2(added.isEmpty(), qPrintable("added: " + added.join(" | ")));
        QVERIFY2(made.isEmpty(), qPrintable("not made: " + made.join(" | ")));
        if (!pageHas.isEmpty()) {
            const QByteArray page
                    = shell(dir.path(), "cat */vintora.htm */index.html 2>/dev/null").second;
            QVERIFY2(page.contains(pageHas.toLatin1()), page.constData());
        }
    }

    // Ctrl+C (or SIGTERM) while a modern run of 40 camera photographs makes
    // their files: the run stops between files and says so in one line;
    // every file it made is whole under its own name, nothing hidden or
    // half-written is left, and the earlier page is as it was.
    void stopped_by_a_signal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("Ctrl+C") << int(SIGINT) << 130;
        QTest::newRow("SIGTERM") << int(SIGTERM) << 143;
    }
    void stopped_by_a_signal()
    {
        QFETCH(int, signal);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("p"));
        writeCameraPhotograph(dir.filePath("p/IMG_10.jpg"));
        shell(dir.path(), "mkdir o; printf page > o/vintora.htm; for i in $(seq 11 49); do cp "
                          "p/IMG_10.jpg p/IMG_$i.jpg; done");
        const QList<QByteArray> before = snapshot(dir.path());

        QProcess cli;
        cli.setWorkingDirectory(dir.path());
        cli.setReadChannel(QProcess::StandardError);
        cli.start(VINTORA_CLI, {"-o", "o", "--modern", "--no-copy", "p"});
        // The signal goes once the run's own progress says that the files
        // of the first picture are made.
        QByteArray said;
        while (!said.contains("Making pictures: 1 of 40") && cli.waitForReadyRead(60000))
            said += cli.readAllStandardError();
        QCOMPARE(::kill(pid_t(cli.processId()), signal), 0);
        QVERIFY(cli.waitForFinished(60000));
        said += cli.readAllStandardError();
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QVERIFY2(cli.exitCode() == exitCode, said.constData());
        const QRegularExpressionMatch closing
                = QRegularExpression("\nvintora-cli: Stopped: the page was not written; the "
                                     "(\\d+) files made before the stop are kept\\.\n$")
                          .match(QString::fromUtf8(said));
        QVERIFY2(closing.hasMatch(), said.constData());

        const QList<QByteArray> after = snapshot(dir.path());
        for (const QByteArray &entry : before)
            QVERIFY2(after.contains(entry), entry.constData());
        // The thumbnails and screen-size pictures of the pictures whose
        // files were made, each a whole JPEG.
        const QRegularExpression madeFile(QRegularExpression::anchoredPattern(
                "[0-9a-f]{32}  \\./o/((thumbs/(1x/)?|screen/(1280|2048)/)IMG_[0-9]{2}\\.jpg)"));
        const QRegularExpression madeFolder(QRegularExpression::anchoredPattern(
                "d \\./o/(thumbs|thumbs/1x|screen|screen/1280|screen/2048) "));
        int files = 0;
        for (const QByteArray &entry : after) {
            if (before.contains(entry) || madeFolder.match(QString::fromLatin1(entry)).hasMatch())
                continue;
            const QRegularExpressionMatch file = madeFile.match(QString::fromLatin1(entry));
            QVERIFY2(file.hasMatch(), entry.constData());
            const QByteArray bytes = readAll(dir.filePath("o/" + file.captured(1)));
            QVERIFY2(bytes.endsWith("\xFF\xD9") && !QImage::fromData(bytes).isNull(),
                     entry.constData());
            ++files;
        }
        QCOMPARE(files, closing.captured(1).toInt());
        QVERIFY(QDir(dir.filePath("o/thumbs")).entryList(QDir::Files).size() < 40);
    }
};

QTEST_GUILESS_MAIN(TestCliFileSafety)
#include "test_cli_file_safety.moc"
