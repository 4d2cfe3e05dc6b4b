// What stands above the thumbnails of the modern page: its title, the
// trail of the pages above it, the link to the zip of its pictures and the
// album cards, with the days an album spans in words.

#include "page/modern_page_albums.h"
#include "page/modern_page_writer.h"
#include "support/default_settings.h"

#include <QBuffer>
#include <QTest>

using namespace vintora;

namespace {

ModernPageItem item(const QString &name)
{
    ModernPageItem item;
    item.name = name;
    item.picture = name;
    item.thumbnail = {"thumbs/" + name, QSize(100, 75)};
    return item;
}

QString write(const WizardSettings &settings, const ModernPageContents &contents)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!WriteModernPage(settings, {}, contents, 2, 0, buffer, &error))
        return "FAILED: " + error;
    return QString::fromUtf8(buffer.data());
}

} // namespace

class TestModernPageWriterTop : public QObject
{
    Q_OBJECT

private slots:
    void title_escaped_or_the_folders_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the record's") << "Tom & Jerry <3"
                                      << "Lisbon"
                                      << "Tom &amp; Jerry &lt;3";
        QTest::newRow("blank: the folder's") << "  "
                                             << "Lisbon & Porto"
                                             << "Lisbon &amp; Porto";
        QTest::newRow("no folder name") << ""
                                        << ""
                                        << "Pictures";
    }
    void title_escaped_or_the_folders()
    {
        QFETCH(QString, title);
        QFETCH(QString, folder);
        QFETCH(QString, shown);
        WizardSettings s = defaultSettings();
        s.pageTitle = title;
        ModernPageContents contents;
        contents.items = {item("a.jpg")};
        contents.folderName = folder;
        const QString page = write(s, contents);
        QVERIFY(page.contains("<title>" + shown + "</title>"));
        QVERIFY(page.contains("<h1>" + shown + "</h1>"));
        QVERIFY(page.contains("content=\"" + shown + ", a page of 1 picture.\""));
    }

    void albums_as_cards_and_the_trail_above()
    {
        ModernPageContents contents;
        contents.folderName = "Lisbon";
        contents.trail = {{"Travels", "../../index.html"}, {"Portugal & Spain", "../index.html"}};
        contents.albums = {
                {{"Tram <28>", "Tram%20&lt;28&gt;/index.html"},
                 {"Tram &lt;28&gt;/thumbs/1x/a.jpg", {330, 220}},
                 12,
                 "2024-05-01T09:00:00",
                 "2024-05-03T18:00:00"},
                {{"Empty", "Empty/index.html"}, {}, 1, {}, {}},
        };
        contents.items = {item("a.jpg")};
        const QString page = write(defaultSettings(), contents);
        QVERIFY2(page.contains(
                         "<body>\n<nav class=\"trail\" aria-label=\"Albums\"><ol><li><a "
                         "href=\"../../index.html\">Travels</a></li><li><a "
                         "href=\"../index.html\">Portugal &amp; Spain</a></li><li "
                         "aria-current=\"page\">Lisbon</li></ol></nav>\n<h1>Lisbon</h1>\n"
                         "<ul class=\"albums\">\n<li><a href=\"Tram%20%3C28%3E/index.html\"><img "
                         "src=\"Tram%20%3C28%3E/thumbs/1x/a.jpg\" width=\"330\" height=\"220\" "
                         "alt=\"\" decoding=\"async\"><span class=\"name\">Tram &lt;28&gt;</span>"
                         "<span class=\"about\">12 pictures \u00b7 1\u20133 May 2024</span></a>"
                         "</li>\n<li><a href=\"Empty/index.html\"><span class=\"cover\"></span>"
                         "<span class=\"name\">Empty</span><span class=\"about\">1 picture</span>"
                         "</a></li>\n</ul>\n<ul class=\"gallery\">\n"),
                 qPrintable(page.section("<body>", 1).left(900)));
        QVERIFY(page.contains("content=\"Lisbon, a page of 2 albums and 1 picture.\""));
    }

    void a_top_page_has_no_trail_and_no_cards()
    {
        ModernPageContents contents;
        contents.folderName = "Lisbon";
        contents.items = {item("a.jpg")};
        const QString page = write(defaultSettings(), contents);
        QVERIFY(!page.contains("<nav"));
        QVERIFY(!page.contains("class=\"albums\""));
    }

    void days_taken_in_words_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("words");
        QTest::newRow("one day") << "2024-05-01T09:00:00"
                                 << "2024-05-01T18:00:00"
                                 << "1 May 2024";
        QTest::newRow("one month") << "2024-05-01"
                                   << "2024-05-03" << QString::fromUtf8("1\u20133 May 2024");
        QTest::newRow("one year") << "2024-04-30"
                                  << "2024-05-02"
                                  << QString::fromUtf8("30 April \u2013 2 May 2024");
        QTest::newRow("over New Year")
                << "2024-12-30"
                << "2025-01-02" << QString::fromUtf8("30 December 2024 \u2013 2 January 2025");
        QTest::newRow("the wrong way round")
                << "2024-05-03"
                << "2024-05-01" << QString::fromUtf8("1\u20133 May 2024");
        QTest::newRow("first alone") << "2024-09-15"
                                     << ""
                                     << "15 September 2024";
        QTest::newRow("last alone") << ""
                                    << "2024-09-15"
                                    << "15 September 2024";
        QTest::newRow("none") << ""
                              << ""
                              << "";
        QTest::newRow("not a date") << "2024-13-01"
                                    << "2024-05-01"
                                    << "";
    }
    void days_taken_in_words()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, words);
        QCOMPARE(TakenSpanText(first, last), words);
    }

    // A title over 200 characters is cut to 199 and "…", in the tab and
    // the heading alike; an emoji counts as one character.
    void long_titles_are_shortened_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shown");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7");
        QTest::newRow("200 characters, kept") << QString(200, 'a') << QString(200, 'a');
        QTest::newRow("201 characters, shortened")
                << QString(201, 'a') << QString(199, 'a') + QString::fromUtf8("\xE2\x80\xA6");
        QTest::newRow("200 emoji, kept") << emoji.repeated(200) << emoji.repeated(200);
        QTest::newRow("201 emoji, shortened")
                << emoji.repeated(201) << emoji.repeated(199) + QString::fromUtf8("\xE2\x80\xA6");
        QTest::newRow("runs of spaces count once")
                << "a" + QString(300, ' ') + QString(198, 'b') << "a " + QString(198, 'b');
    }
    void long_titles_are_shortened()
    {
        QFETCH(QString, title);
        QFETCH(QString, shown);
        WizardSettings s = defaultSettings();
        s.pageTitle = title;
        const QString page = write(s, ModernPageContents());
        QVERIFY(page.contains("<title>" + shown + "</title>"));
        QVERIFY(page.contains("<h1>" + shown + "</h1>"));
    }

    void the_zip_linked_under_the_title_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("megabytes") << "Holiday.zip" << 12 << qint64(48213456)
                                   << "<h1>Holiday</h1>\n<p class=\"zip\"><a href=\"Holiday.zip\" "
                                      "download>Download all 12 pictures (zip, 48.2 MB)</a></p>\n";
        QTest::newRow("one picture, kilobytes") << "Holiday.zip" << 1 << qint64(950400)
                                                << "download>Download 1 picture (zip, 950.4 kB)<";
        QTest::newRow("bytes") << "Holiday.zip" << 2 << qint64(999)
                               << "download>Download all 2 pictures (zip, 999 bytes)<";
        QTest::newRow("rounded up to the next unit") << "Holiday.zip" << 2 << qint64(999960)
                                                     << ">Download all 2 pictures (zip, 1.0 MB)<";
        QTest::newRow("gigabytes") << "Holiday.zip" << 300 << qint64(5368709120)
                                   << ">Download all 300 pictures (zip, 5.4 GB)<";
        QTest::newRow("a name escaped") << "Tom%20%26%20Jerry.zip" << 2 << qint64(5000)
                                        << "<a href=\"Tom%20%26%20Jerry.zip\" download>";
    }
    void the_zip_linked_under_the_title()
    {
        QFETCH(QString, link);
        QFETCH(int, pictures);
        QFETCH(qint64, bytes);
        QFETCH(QString, shown);
        ModernPageContents contents;
        contents.folderName = "Holiday";
        contents.items = {item("a.jpg")};
        contents.download = {link, pictures, bytes};
        const QString page = write(defaultSettings(), contents);
        QVERIFY2(page.contains(shown), qPrintable(page.mid(page.indexOf("<h1>"), 200)));
        QVERIFY(page.contains(".zip{margin:0 0 1rem;text-align:center}\n"
                              ".zip a:focus-visible{outline:3px solid var(--link);"
                              "outline-offset:2px}\n</style>"));
    }

    void no_zip_no_link()
    {
        ModernPageContents contents;
        contents.folderName = "Holiday";
        contents.items = {item("a.jpg")};
        const QString page = write(defaultSettings(), contents);
        QVERIFY(page.contains("<h1>Holiday</h1>\n<ul class=\"gallery\">"));
        QVERIFY(!page.contains("zip"));
    }
};

QTEST_GUILESS_MAIN(TestModernPageWriterTop)
#include "test_modern_page_writer_top.moc"
