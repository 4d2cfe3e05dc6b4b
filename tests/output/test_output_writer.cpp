// The one writer of a run: what it replaces, what it leaves alone, and that
// nothing half-made is ever seen.

#include "output/output_writer.h"
#include "output/pending_file.h"
#include "support/fixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vintora;

namespace {

QByteArray bytesOfSize(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + i / 4096);
    return bytes;
}

} // namespace

class TestOutputWriter : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dirHolder;
    std::unique_ptr<OutputWriter> m_writerHolder;

    QTemporaryDir &dir() { return *m_dirHolder; }
    QString path(const QString &name) const { return m_dirHolder->filePath(name); }

private slots:
    void init()
    {
        m_dirHolder = std::make_unique<QTemporaryDir>();
        writeFile(path("in/a.jpg"), "new");
        writeFile(path("out/a.jpg"), "earlier");
        QString why;
        m_writerHolder = std::make_unique<OutputWriter>();
        QVERIFY2(m_writerHolder->open(path("out"), &why), qPrintable(why));
    }

    // Several blocks' worth, into a new file, over an older one and over
    // one of the same size that differs in its last byte; the copy is put
    // into place whole, so nothing else is left in the folder,
    // and a file replaced keeps its permissions as a saved file does.
    void copies_replace_whole_files()
    {
        const QByteArray bytes = bytesOfSize(3 * 1024 * 1024 + 17);
        writeFile(path("in/big.jpg"), bytes);
        writeFile(path("out/plain"), "x"); // a new file's permissions
        writeFile(path("out/b.jpg"), "an older picture, much shorter");
        QByteArray twin = bytes;
        twin.back() = char(twin.back() ^ 1);
        writeFile(path("out/twin.jpg"), twin);
        const auto ownerRead
                = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(QFile::setPermissions(path("out/b.jpg"), ownerRead));

        QString why;
        SourceFile source(path("in/big.jpg"));
        qint64 copied = 0;
        for (const char *name : {"fresh.jpg", "b.jpg", "twin.jpg"})
            QCOMPARE(
                    m_writerHolder->copyFile(source, m_writerHolder->folder(), name, &why, &copied),
                    OutputWriter::CopyOutcome::Copied);
        QCOMPARE(copied, 3 * 1024 * 1024 + 17);
        QCOMPARE(readFile(path("out/fresh.jpg")), bytes);
        QCOMPARE(readFile(path("out/b.jpg")), bytes);
        QCOMPARE(readFile(path("out/twin.jpg")), bytes);
        QCOMPARE(folderNames(path("out")),
                 QStringList({"a.jpg", "b.jpg", "fresh.jpg", "plain", "twin.jpg"}));
        QCOMPARE(QFile::permissions(path("out/fresh.jpg")), QFile::permissions(path("out/plain")));
        QCOMPARE(QFile::permissions(path("out/b.jpg")), ownerRead);
        QVERIFY(why.isEmpty());
    }

    // What lies in a file's place decides whether it may be written; a
    // refusal leaves everything as it was.
    void refusals_keep_the_earlier_file_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "mkdir out/sub"
                                << "sub"
                                << "a folder of that name is in the way";
        QTest::newRow("named pipe") << "mkfifo out/p.jpg"
                                    << "p.jpg"
                                    << "a named pipe of that name is in the way";
        QTest::newRow("a picture of the run") << "true"
                                              << "a.jpg"
                                              << "it is one of the pictures of this run";
        QTest::newRow("a link to a picture of the run") << "ln -s a.jpg out/l.jpg"
                                                        << "l.jpg"
                                                        << "it is one of the pictures of this run";
    }
    void refusals_keep_the_earlier_file()
    {
        QFETCH(QString, setup);
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QProcess::execute("/bin/sh",
                                  {"-c", "cd '" + dir().path() + "' && " + setup + " || true"})
                == 0);
        const QStringList before = folderNames(path("out"));
        const FileStatus protectedFile = StatFile(path("out/a.jpg"));
        m_writerHolder->setProtected(
                [protectedFile](const FileStatus &file) { return protectedFile.sameFileAs(file); });
        QString why;
        QVERIFY(!m_writerHolder->writeFile(m_writerHolder->folder(), name, "bytes", &why));
        QCOMPARE(why, reason);
        QCOMPARE(readFile(path("out/a.jpg")), QByteArray("earlier"));
        QCOMPARE(folderNames(path("out")), before);
    }

    // A link in a file's place is replaced itself: the file it led to,
    // outside the folder, stays as it was.
    void a_link_is_replaced_not_followed()
    {
        writeFile(path("elsewhere/page.htm"), "not ours");
        QVERIFY(QFile::link(path("elsewhere/page.htm"), path("out/page.htm")));
        QString why;
        QVERIFY2(m_writerHolder->writeFile(m_writerHolder->folder(), "page.htm", "ours", &why),
                 qPrintable(why));
        QCOMPARE(readFile(path("elsewhere/page.htm")), QByteArray("not ours"));
        QVERIFY(!QFileInfo(path("out/page.htm")).isSymLink());
        QCOMPARE(readFile(path("out/page.htm")), QByteArray("ours"));
    }

    // A copy whose place already holds its bytes is left untouched, as is
    // the picture itself.
    void copies_in_place_are_not_written_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::newRow("the same bytes") << "in/same.jpg"
                                        << "same.jpg";
        QTest::newRow("the picture itself") << "out/a.jpg"
                                            << "a.jpg";
    }
    void copies_in_place_are_not_written()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        writeFile(path("in/same.jpg"), "same");
        writeFile(path("out/same.jpg"), "same");
        const FileStatus before = StatFile(path("out/" + name));
        SourceFile picture(path(source));
        QString why;
        QCOMPARE(m_writerHolder->copyFile(picture, m_writerHolder->folder(), name, &why),
                 OutputWriter::CopyOutcome::InPlace);
        QCOMPARE(StatFile(path("out/" + name)).inode, before.inode);
        QCOMPARE(StatFile(path("out/" + name)).modifiedMs, before.modifiedMs);
    }

    // A sub-folder is opened only when it is a real folder; what an earlier
    // killed run left in a folder is removed when the writer opens it.
    void subfolders_and_leftovers()
    {
        QString why;
        QVERIFY(QFile::link(path("elsewhere"), path("out/thumbs")));
        QVERIFY(!m_writerHolder->subfolder(m_writerHolder->folder(), "thumbs", true, &why));
        QCOMPARE(why, "Could not make the folder \"" + path("out/thumbs")
                              + "\": a link of that name is in the way.");
        QVERIFY(m_writerHolder->subfolder(m_writerHolder->folder(), "new", false, &why) == nullptr);
        QVERIFY(!QFileInfo::exists(path("out/new")));

        writeFile(path("out/screen/.vintora-k2x9.part"), "half");
        writeFile(path("out/screen/.vintora-notes.txt"), "mine");
        writeFile(path("out/screen/download12345.part"), "a browser's");
        writeFile(path("notes.txt"), "mine");
        QVERIFY(QFile::link(path("notes.txt"), path("out/screen/.vintora-l1nk.part")));
        const OutputFolder *screen
                = m_writerHolder->subfolder(m_writerHolder->folder(), "screen", true, &why);
        QVERIFY(screen);
        QCOMPARE(folderNames(path("out/screen")),
                 (QStringList{".vintora-l1nk.part", ".vintora-notes.txt", "download12345.part"}));
        QVERIFY(m_writerHolder->writeFile(*screen, QString(255, 'n'), "long name", &why));
        QCOMPARE(readFile(path("out/screen/" + QString(255, 'n'))), QByteArray("long name"));
    }

    // A hidden file that another writer, here or in another program, is
    // still making is no leftover: it is removed only once no one holds it.
    void a_file_another_writer_is_making_is_left_alone()
    {
        PendingFile ours(m_writerHolder->folder().handle());
        QVERIFY(ours.create(std::nullopt).ok());
        QVERIFY(posix::WriteAll(ours.handle(), "made").ok());
        writeFile(path("out/.vintora-l1ve.part"), "in the making");
        QFile theirs(path("out/.vintora-l1ve.part"));
        QVERIFY(theirs.open(QIODevice::ReadOnly));
        QVERIFY(::flock(theirs.handle(), LOCK_EX | LOCK_NB) == 0);

        QString why;
        QVERIFY2(OutputWriter().open(path("out"), &why), qPrintable(why));
        QCOMPARE(ours.commit("made.htm", false).error, 0);
        QCOMPARE(readFile(path("out/made.htm")), QByteArray("made"));
        QCOMPARE(folderNames(path("out")),
                 QStringList({".vintora-l1ve.part", "a.jpg", "made.htm"}));
        theirs.close();
        QVERIFY2(OutputWriter().open(path("out"), &why), qPrintable(why));
        QCOMPARE(folderNames(path("out")), QStringList({"a.jpg", "made.htm"}));
    }

    // A failure says what could not be done and why, with the system's
    // words for a call that failed; for a folder, as a whole sentence. It
    // leaves nothing behind.
    void failures_say_what_could_not_be_done_data()
    {
        QTest::addColumn<QString>("setup"); // shell, in the test's folder, once out/ is open
        QTest::addColumn<QString>("call"); // "open" a folder, make a "subfolder" or "write" in out/
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said"); // DIR stands for the test's folder
        QTest::newRow("an output folder that is a file")
                << "printf x > f"
                << "open"
                << "f"
                << "Could not open the output folder \"DIR/f\": it is not a folder.";
        QTest::newRow("an output folder that is missing")
                << "true"
                << "open"
                << "none"
                << "Could not open the output folder \"DIR/none\": the folder cannot be opened (No "
                   "such file or directory).";
        QTest::newRow("a named pipe in a sub-folder's place")
                << "mkfifo out/thumbs"
                << "subfolder"
                << "thumbs"
                << "Could not make the folder \"DIR/out/thumbs\": a named pipe of that name is in "
                   "the way.";
        QTest::newRow("a sub-folder of a folder removed meanwhile")
                << "rm -r out"
                << "subfolder"
                << "thumbs"
                << "Could not make the folder \"DIR/out/thumbs\": the folder cannot be made (No "
                   "such file or directory).";
        QTest::newRow("a sub-folder name too long to open")
                << "true"
                << "subfolder" << QString(256, 'n')
                << "Could not open the folder \"DIR/out/" + QString(256, 'n')
                           + "\": the folder cannot be opened (File name too long).";
        QTest::newRow("a file name too long") << "true"
                                              << "write" << QString(256, 'n')
                                              << "the file cannot be written (File name too long)";
    }
    void failures_say_what_could_not_be_done()
    {
        QFETCH(QString, setup);
        QFETCH(QString, call);
        QFETCH(QString, name);
        QFETCH(QString, said);
        QVERIFY(QProcess::execute("/bin/sh", {"-c", "cd '" + dir().path() + "' && " + setup}) == 0);
        const QStringList before = folderNames(path("out")); // nothing is left behind
        OutputWriter &writer = *m_writerHolder;
        QString why;
        if (call == "open")
            QVERIFY(!OutputWriter().open(path(name), &why));
        else if (call == "subfolder")
            QVERIFY(!writer.subfolder(writer.folder(), name, true, &why));
        else
            QVERIFY(!writer.writeFile(writer.folder(), name, "bytes", &why));
        QCOMPARE(why, QString(said).replace("DIR", dir().path()));
        QCOMPARE(folderNames(path("out")), before);
    }

    // Files are the same only with the same inode on the same device.
    void same_file_needs_device_and_inode()
    {
        FileStatus a;
        a.kind = FileStatus::Kind::Regular;
        a.device = 1;
        a.inode = 7;
        FileStatus b = a;
        QVERIFY(a.sameFileAs(b));
        b.device = 2;
        QVERIFY(!a.sameFileAs(b));
        b = a;
        b.kind = FileStatus::Kind::Missing;
        QVERIFY(!a.sameFileAs(b));
    }

    void a_file_the_user_may_not_write_is_kept()
    {
        if (::geteuid() == 0)
            QSKIP("every file may be written as root");
        QVERIFY(QFile::setPermissions(path("out/a.jpg"), QFile::ReadOwner));
        QString why;
        QVERIFY(!m_writerHolder->writeFile(m_writerHolder->folder(), "a.jpg", "x", &why));
        QCOMPARE(why, QString("the file there may not be written (Permission denied)"));
    }
};

QTEST_GUILESS_MAIN(TestOutputWriter)
#include "test_output_writer.moc"
