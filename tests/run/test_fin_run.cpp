#include "run/fin_run.h"
#include "support/fixtures.h"

#include <QDateTime>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <tuple>

using namespace vintora;

class TestFinRun : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_out;
    WizardSettings m_settings;
    QStringList m_statuses;
    QList<FinProgress> m_progress;
    std::function<void(const QString &status)> m_onStatus;
    std::unique_ptr<StopRequest> m_stop;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString page() const { return QString::fromUtf8(readFile(m_out + "/vintora.htm")); }

    FinOutcome run(const QStringList &entries, const QString &fileName = "vintora.htm")
    {
        const auto progress = [this](const FinProgress &step) {
            m_progress << step;
            m_statuses << StatusText(step);
            if (m_onStatus)
                m_onStatus(m_statuses.last());
        };
        return RunFin({m_settings, entries, fileName, m_out}, progress, *m_stop);
    }

private slots:
    void init()
    {
        m_out = path(QTest::currentTestFunction() + QString("-") + QTest::currentDataTag());
        QDir().mkpath(m_out);
        for (const char *name :
             {"x/a.jpg", "x/b.jpg", "x/IMG_0001.jpg", "y/IMG_0001.jpg", "bg.gif"})
            writeFile(path(name), name);
        m_settings = tableSettings();
        m_statuses.clear();
        m_progress.clear();
        m_onStatus = nullptr;
        m_stop = std::make_unique<StopRequest>();
    }

    void a_picture_in_the_output_folder_is_never_copied_over()
    {
        // Listed under another spelling: the same file all the same.
        writeFile(m_out + "/a.jpg", "mine");
        QCOMPARE(run({path("x/a.jpg"), m_out + "/./a.jpg"}).result, FinResult::Finished);
        QCOMPARE(readFile(m_out + "/a.jpg"), QByteArray("mine"));
        QCOMPARE(readFile(m_out + "/a-2.jpg"), QByteArray("x/a.jpg"));
        QVERIFY(page().indexOf(R"(HREF = "a-2.jpg")") < page().indexOf(R"(HREF = "a.jpg")"));
    }

    void pictures_of_one_name_are_all_kept()
    {
        const QString x = path("x/IMG_0001.jpg"), y = path("y/IMG_0001.jpg");
        m_settings.backgroundPicture = y;
        m_settings.cellPicture = path("z/IMG_0001.jpg");
        writeFile(m_settings.cellPicture, "z");
        QCOMPARE(run({x, y, x}).result, FinResult::Finished);
        QCOMPARE(readFile(m_out + "/IMG_0001-2.jpg"), QByteArray("y/IMG_0001.jpg"));
        QCOMPARE(readFile(m_out + "/IMG_0001-3.jpg"), QByteArray("z"));
        QCOMPARE(folderNames(m_out).size(), 4);
        QCOMPARE(page().count(R"(HREF = "IMG_0001.jpg")"), 2);
        QVERIFY(page().contains(R"(<body background = "IMG_0001-2.jpg")"));
        QVERIFY(page().contains(R"(background = "IMG_0001-3.jpg">)"));
    }

    void failures_stop_and_keep_the_earlier_page_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("missing source")
                << "vintora.htm"
                << "gone.jpg"
                << "gone.jpg\": the file does not exist." << QStringList{"vintora.htm"};
        QTest::newRow("folder in the way") << "page"
                                           << "x/b.jpg"
                                           << "page\": a folder of that name is in the way."
                                           << QStringList{"page", "vintora.htm"};
        QTest::newRow("no file name")
                << ""
                << "x/b.jpg" << QString("No file name for the page... no output...")
                << QStringList{"vintora.htm"};
        QTest::newRow("folder part in the name")
                << "sub/p.htm"
                << "x/b.jpg"
                << "The page name \"sub/p.htm\" is not a plain file name"
                << QStringList{"vintora.htm"};
    }
    void failures_stop_and_keep_the_earlier_page()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, second);
        QFETCH(QString, status);
        QFETCH(QStringList, left);
        writeFile(m_out + "/vintora.htm", "earlier page");
        if (fileName == "page")
            QDir(m_out).mkdir("page");
        const FinOutcome outcome = run({path("x/a.jpg"), path(second)}, fileName);
        QCOMPARE(outcome.result, FinResult::Failed);
        QVERIFY2(outcome.status.contains(status), qPrintable(outcome.status));
        QVERIFY(!m_statuses.contains(QString("Finished!")));
        QCOMPARE(readFile(m_out + "/vintora.htm"), QByteArray("earlier page"));
        QCOMPARE(folderNames(m_out), left);
    }

    // A name that lost its bytes before it reached the list (shown with
    // U+FFFD, no such file) is left out with a note; the run goes on.
    void picture_with_a_lost_name_is_left_out()
    {
        const QString lost = path("x/lat") + QChar(0xFFFD) + "in.jpg";
        const FinOutcome outcome = run({lost, path("x/a.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.notes,
                 QStringList{"Left out \"" + lost
                             + "\": its name could not be read exactly, so the file cannot be "
                               "found."});
        QCOMPARE(m_statuses.mid(1, 2), QStringList({"Copying files: 0 of 1", "Writing header"}));
        QCOMPARE(page().count("<IMG SRC"), 1);
        QCOMPARE(folderNames(m_out), QStringList({"a.jpg", "vintora.htm"}));
    }

    // So is a background or cell picture whose name was lost: the page
    // goes without it.
    void background_with_a_lost_name_is_left_out()
    {
        const QString lost = path("bg") + QChar(0xFFFD) + ".gif";
        m_settings.backgroundPicture = lost;
        const FinOutcome outcome = run({path("x/a.jpg")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QCOMPARE(outcome.notes,
                 QStringList{"Left out \"" + lost
                             + "\": its name could not be read exactly, so the file cannot be "
                               "found."});
        QVERIFY(page().contains("<body bgcolor = "));
        QCOMPARE(folderNames(m_out), QStringList({"a.jpg", "vintora.htm"}));
    }

    // Thumbnails go to thumbs/ under the copies' names, one per picture; a
    // damaged picture is shown as it is, with a note, and the run goes on.
    // Each thumbnail is named by what it holds, and no two pictures share a
    // thumbnail name: "y" made PNG is "y.png", which the small PNG "y.png"
    // kept as it is would be too.
    void thumbnails_named_by_what_they_hold()
    {
        QImage opaque(400, 200, QImage::Format_RGB32);
        opaque.fill(Qt::darkCyan);
        QImage clear(400, 200, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QVERIFY(QDir().mkpath(path("n")));
        QVERIFY(opaque.save(path("n/a.png"), "PNG"));
        QVERIFY(opaque.save(path("n/a.png.jpg"), "JPEG"));
        QVERIFY(opaque.save(path("n/b.JPG"), "JPEG"));
        QVERIFY(clear.save(path("n/y"), "PNG"));
        QVERIFY(opaque.scaled(8, 4).save(path("n/y.png"), "PNG"));
        m_settings.makeThumbnails = kTrue;
        m_settings.thumbWidth = m_settings.thumbHeight = 10;
        const QStringList names{"a.png", "a.png.jpg", "b.JPG", "y", "y.png"};
        QStringList pictures;
        for (const QString &name : names)
            pictures << path("n/" + name);
        QCOMPARE(run(pictures).result, FinResult::Finished);
        QStringList thumbnails = folderNames(m_out + "/thumbs");
        thumbnails.sort();
        QCOMPARE(thumbnails,
                 QStringList({"a.png-2.jpg", "a.png.jpg", "b.JPG", "y-2.png", "y.png"}));
        QCOMPARE(QImageReader(m_out + "/thumbs/a.png.jpg").format(), QByteArray("jpeg"));
        QCOMPARE(QImageReader(m_out + "/thumbs/y.png").format(), QByteArray("png"));
        QCOMPARE(QImage(m_out + "/thumbs/y.png").size(), QSize(20, 10));
        QCOMPARE(readFile(m_out + "/thumbs/y-2.png"), readFile(path("n/y.png")));
    }

    // Two paths to one file are one picture: copied once, under one name.
    void one_file_by_two_paths_copied_once()
    {
        writeFile(path("d/one.jpg"), "one");
        QVERIFY(QFile::link(path("d/one.jpg"), path("d/link.jpg")));
        QCOMPARE(run({path("d/one.jpg"), path("d/link.jpg")}).result, FinResult::Finished);
        QCOMPARE(folderNames(m_out), QStringList({"one.jpg", "vintora.htm"}));
        QCOMPARE(page().count("<A HREF = \"one.jpg\">"), 2);
    }

    void thumbnails_beside_the_page()
    {
        QImage wide(400, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 400; ++x)
                wide.setPixel(x, y, qRgb(x % 256, y, (x * y) % 256));
        QVERIFY(wide.save(path("x/wide.png")));
        QVERIFY(wide.save(path("x/cut.jpg")));
        QFile cut(path("x/cut.jpg"));
        QVERIFY(cut.resize(cut.size() / 2));
        m_settings.makeThumbnails = kTrue;
        m_settings.thumbWidth = 10;
        m_settings.thumbHeight = 10;
        const FinOutcome outcome = run({path("x/wide.png"), path("x/cut.jpg"), path("x/wide.png")});
        QCOMPARE(outcome.result, FinResult::Finished);
        QVERIFY(m_statuses.contains("Making thumbnails: 0 of 2"));
        QVERIFY(m_statuses.contains("Making thumbnails: 1 of 2"));
        QVERIFY(!m_statuses.contains("Making thumbnails: 2 of 2"));
        QCOMPARE(outcome.notes, QStringList{"No thumbnail for \"" + path("x/cut.jpg")
                                            + "\": it is damaged or incomplete."});
        // An opaque PNG gets a JPEG thumbnail, named as what it holds.
        QCOMPARE(folderNames(m_out + "/thumbs"), QStringList{"wide.png.jpg"});
        QCOMPARE(QImage(m_out + "/thumbs/wide.png.jpg").size(), QSize(20, 10));
        const QString cell = "<TD ALIGN = \"\" VALIGN = \"\" bgcolor = \"#000000\"><A HREF = \"";
        const QString wideLine = cell
                                 + "wide.png\"><IMG SRC = \"thumbs/wide.png.jpg\" width = \"10\" "
                                   "height = \"5\" border = \"0\"></a></TD>";
        const QString cutLine = cell
                                + "cut.jpg\"><IMG SRC = \"cut.jpg\" width = \"10\" height = "
                                  "\"10\" border = \"0\"></a></TD>";
        QCOMPARE(page().count(wideLine), 2);
        QCOMPARE(page().count(cutLine), 1);
    }

    // A second run finds the copies and thumbnails in place: nothing is
    // written again, and the outcome counts them as such.
    void second_run_finds_everything_in_place()
    {
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QVERIFY(picture.save(path("x/c.png")));
        m_settings.makeThumbnails = kTrue;
        m_settings.thumbWidth = m_settings.thumbHeight = 50;
        const QStringList pictures{path("x/a.jpg"), path("x/c.png")};
        const FinOutcome first = run(pictures);
        QCOMPARE(std::tuple(first.copiedPictures, first.copiesInPlace, first.thumbnailsMade,
                            first.thumbnailsKept),
                 std::tuple(2, 0, 1, 0));
        const QDateTime copied = QFileInfo(m_out + "/a.jpg").lastModified();
        const FinOutcome second = run(pictures);
        QCOMPARE(std::tuple(second.copiedPictures, second.copiesInPlace, second.thumbnailsMade,
                            second.thumbnailsKept),
                 std::tuple(0, 2, 0, 1));
        QCOMPARE(second.copiedBytes, 0);
        QCOMPARE(QFileInfo(m_out + "/a.jpg").lastModified(), copied);
    }

    // Stopping while thumbnails are made stops them: no further one is
    // started, and no page is written.
    void cancel_stops_the_thumbnails()
    {
        // Noise, slow to decode, in 30 files.
        QImage picture(1600, 1200, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb((x * 7919 + y * 104729) % 251, x % 256, y % 256));
        QDir().mkpath(path("many"));
        QVERIFY(picture.save(path("many/p0.png")));
        QStringList pictures{path("many/p0.png")};
        for (int i = 1; i < 30; ++i) {
            pictures << path(QString("many/p%1.png").arg(i));
            QVERIFY(QFile::copy(pictures.first(), pictures.last()));
        }
        m_settings.makeThumbnails = kTrue;
        m_settings.thumbWidth = m_settings.thumbHeight = 50;
        m_onStatus = [this](const QString &status) {
            if (status.startsWith("Making thumbnails: ") && status != "Making thumbnails: 0 of 30")
                m_stop->request();
        };
        QCOMPARE(run(pictures).result, FinResult::Cancelled);
        QCOMPARE(m_statuses.last(), QString("Stopped... the page was not written..."));
        QVERIFY(folderNames(m_out + "/thumbs").size() < 30);
        QVERIFY(!QFile::exists(m_out + "/vintora.htm"));
    }

    // Stopped between files: the files made so far are kept, nothing
    // half-written is left, and the earlier page stays as it was.
    void stop_between_files_commits_no_page_data()
    {
        QTest::addColumn<QString>("at"); // the status at which the stop is asked
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QStringList>("left");
        const QString stopped("Stopped... the page was not written...");
        QTest::newRow("before it starts")
                << QString() << QStringList{stopped} << QStringList{"vintora.htm"};
        QTest::newRow("copying") << QString("Copying files: 1 of 3")
                                 << QStringList{"Copying files: 0 of 3", "Copying files: 1 of 3",
                                                stopped}
                                 << QStringList{"a.jpg", "vintora.htm"};
        QTest::newRow("writing") << QString("Writing header")
                                 << QStringList{"Copying files: 0 of 3", "Copying files: 1 of 3",
                                                "Copying files: 2 of 3", "Writing header", stopped}
                                 << QStringList{"a.jpg", "b.jpg", "bg.gif", "vintora.htm"};
    }
    void stop_between_files_commits_no_page()
    {
        QFETCH(QString, at);
        QFETCH(QStringList, statuses);
        QFETCH(QStringList, left);
        writeFile(m_out + "/vintora.htm", "earlier page");
        if (at.isEmpty())
            m_stop->request();
        m_onStatus = [this, at](const QString &status) {
            if (status == at)
                m_stop->request();
        };
        QCOMPARE(run({path("x/a.jpg"), path("x/b.jpg"), path("bg.gif")}).result,
                 FinResult::Cancelled);
        QCOMPARE(m_statuses, statuses);
        QCOMPARE(readFile(m_out + "/vintora.htm"), QByteArray("earlier page"));
        QCOMPARE(folderNames(m_out), left);
    }

    // Progress is told as data: the phase, how many of how many, and the
    // file the step is about.
    void progress_is_told_as_data()
    {
        m_settings.backgroundPicture = path("bg.gif");
        QCOMPARE(run({path("x/a.jpg"), path("x/b.jpg"), path("x/a.jpg")}).result,
                 FinResult::Finished);
        QList<std::tuple<FinProgress::Phase, qsizetype, qsizetype, QString>> told;
        for (const FinProgress &step : std::as_const(m_progress))
            told.append({step.phase, step.done, step.total, step.file});
        using Phase = FinProgress::Phase;
        QCOMPARE(told, (QList<std::tuple<Phase, qsizetype, qsizetype, QString>>{
                               {Phase::Copying, 0, 3, path("x/a.jpg")},
                               {Phase::Copying, 1, 3, path("x/b.jpg")},
                               {Phase::Copying, 2, 3, path("x/a.jpg")},
                               {Phase::WritingPage, 0, 0, QString()},
                               {Phase::Finished, 0, 0, QString()}}));
    }

    // One function makes the status line of every step, for the command
    // line and the wizard alike.
    void status_texts_data()
    {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("done");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        using Phase = FinProgress::Phase;
        const auto row = [](const char *name, Phase phase, int done, int total, const char *text,
                            const char *status) {
            QTest::newRow(name) << int(phase) << done << total << QString(text) << QString(status);
        };
        row("selecting", Phase::SelectingFolder, 0, 0, "", "Selecting output folder...");
        row("copying", Phase::Copying, 0, 3, "", "Copying files: 0 of 3");
        row("thumbnails", Phase::MakingThumbnails, 1, 5, "", "Making thumbnails: 1 of 5");
        row("modern pictures", Phase::MakingPictures, 3, 40, "", "Making pictures: 3 of 40");
        row("zip", Phase::MakingZip, 0, 0, "", "Making the zip file");
        row("page", Phase::WritingPage, 0, 0, "", "Writing header");
        row("finished", Phase::Finished, 0, 0, "", "Finished!");
        row("note", Phase::Note, 0, 0, "Left out \"a\".", "Left out \"a\".");
        row("ended", Phase::Ended, 0, 0, "No output folder chosen... no output...",
            "No output folder chosen... no output...");
    }
    void status_texts()
    {
        QFETCH(int, phase);
        QFETCH(int, done);
        QFETCH(int, total);
        QFETCH(QString, text);
        QFETCH(QString, status);
        QCOMPARE(StatusText({FinProgress::Phase(phase), done, total, path("x/a.jpg"), text}),
                 status);
    }
};

QTEST_GUILESS_MAIN(TestFinRun)
#include "test_fin_run.moc"
