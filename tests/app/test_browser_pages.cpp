// Opens generated pages in a real browser (headless Chromium) and checks in
// the browser itself that every thumbnail loads and shows at its size and
// that every link and background reaches its picture.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

// Each picture has a size of its own, so that the browser's natural size
// tells which file it loaded.
struct Picture
{
    QString name;
    QSize size;
};

QList<Picture> trickyPictures()
{
    QList<Picture> pictures{
            {"plain.png", {11, 7}},
            {"with space.png", {12, 7}},
            {"hash#1.png", {13, 7}},
            {"percent%20.png", {14, 7}},
            {"amp&ersand.png", {15, 7}},
            {"apo'strophe.png", {16, 7}},
            {"quest?ion.png", {17, 7}},
            {QString::fromUtf8("caf\u00e9.png"), {18, 7}},
            {QString::fromUtf8("gr\u00fcn.png"), {19, 7}},
            {QString::fromUtf8("\u65e5\u672c.png"), {20, 7}},
            {"less<more>.png", {21, 7}},
            {"colon:name.png", {22, 7}},
    };
#ifndef Q_OS_WIN
    pictures.append({"quo\"te.png", {23, 7}});
    // Spaces that a browser would trim off the ends of an address.
    pictures.append({" lead.png", {24, 7}});
    pictures.append({"trail.png ", {25, 7}});
#endif
    return pictures;
}

const Picture kBackground{"back ground#.png", {31, 9}};
const Picture kCell{"cell&pic.png", {32, 9}};

const char *kCheckPage = R"(<html><body>
<iframe id="page" src="%1" width="900" height="600"></iframe>
<pre id="result">pending</pre>
<script>
function probe(url) {
  return new Promise(done => {
    const image = new Image();
    image.onload = () => done([image.naturalWidth, image.naturalHeight]);
    image.onerror = () => done([-1, -1]);
    image.src = url;
  });
}
window.addEventListener('load', async () => {
  const doc = document.getElementById('page').contentDocument;
  const result = {images: [], links: [], backgrounds: []};
  for (const img of doc.images)
    result.images.push({src: img.src, complete: img.complete, natural: [img.naturalWidth, img.naturalHeight], shown: [img.width, img.height], link: img.parentElement.href});
  for (const a of doc.links)
    if (a.href.startsWith('file:'))
      result.links.push({href: a.href, natural: await probe(a.href)});
  for (const element of doc.querySelectorAll('[background]')) {
    const url = new URL(element.getAttribute('background'), doc.baseURI).href;
    result.backgrounds.push({href: url, natural: await probe(url)});
  }
  document.getElementById('result').textContent = JSON.stringify(result);
});
</script></body></html>
)";

// A JPEG whose EXIF orientation asks for a quarter turn clockwise (6):
// stored landscape, shown portrait.
QByteArray jpegTurnedClockwise(const QImage &image)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08", 14)
                            + QByteArray("\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 18);
    const QByteArray segment = QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QString fileNameOfUrl(const QString &url)
{
    return QUrl(url).fileName(QUrl::FullyDecoded);
}

} // namespace

class TestBrowserPages : public QObject
{
    Q_OBJECT

    QString m_chromium;
    QTemporaryDir m_dir;
    QString m_pictures;
    QMap<QString, QSize> m_sizes;

    QJsonObject openInBrowser(const QString &folder, const QString &page)
    {
        const QString check = folder + "/check.html";
        QFile file(check);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(QString::fromLatin1(kCheckPage).arg(page).toUtf8());
        file.close();

        QProcess browser;
        browser.start(m_chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                                   "--no-first-run", "--disable-background-networking",
                                   "--disable-component-update", "--disable-sync",
                                   "--user-data-dir=" + m_dir.filePath("profile"),
                                   "--allow-file-access-from-files", "--virtual-time-budget=10000",
                                   "--dump-dom", QUrl::fromLocalFile(check).toString()});
        if (!browser.waitForFinished(60000))
            return {};
        const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
        const qsizetype start = dom.indexOf("<pre id=\"result\">");
        const qsizetype end = dom.indexOf("</pre>", start);
        if (start < 0 || end < 0)
            return {};
        QString json = dom.mid(start + 17, end - start - 17);
        json.replace("&quot;", "\"")
                .replace("&lt;", "<")
                .replace("&gt;", ">")
                .replace("&amp;", "&");
        return QJsonDocument::fromJson(json.toUtf8()).object();
    }

    int runCli(const QStringList &arguments)
    {
        QProcess cli;
        cli.start(QStringLiteral(VINTORA_CLI), arguments);
        if (!cli.waitForFinished(60000))
            return -1;
        if (cli.exitCode() != 0)
            qWarning("%s", cli.readAllStandardError().constData());
        return cli.exitCode();
    }

    void expectLoaded(const QJsonArray &entries, const char *urlKey, int expectedCount)
    {
        QCOMPARE(entries.size(), expectedCount);
        for (const QJsonValue &value : entries) {
            const QJsonObject entry = value.toObject();
            const QString name = fileNameOfUrl(entry[urlKey].toString());
            QVERIFY2(m_sizes.contains(name),
                     qPrintable("unexpected target " + entry[urlKey].toString()));
            const QJsonArray natural = entry["natural"].toArray();
            QCOMPARE(QSize(natural[0].toInt(), natural[1].toInt()), m_sizes[name]);
        }
    }

private slots:
    void initTestCase()
    {
        m_chromium = qEnvironmentVariable("CHROMIUM");
        if (m_chromium.isEmpty())
            m_chromium = QStandardPaths::findExecutable("chromium");
        if (m_chromium.isEmpty()) {
            if (qEnvironmentVariableIsSet("CI"))
                QFAIL("Chromium is needed for this test and is not installed");
            QSKIP("Chromium is not installed");
        }
        QVERIFY(m_dir.isValid());
        m_pictures = m_dir.filePath("pictures");
        QVERIFY(QDir().mkpath(m_pictures));
        QList<Picture> all = trickyPictures();
        all << kBackground << kCell;
        for (const Picture &picture : all) {
            QImage image(picture.size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            QVERIFY2(image.save(m_pictures + "/" + picture.name, "PNG"), qPrintable(picture.name));
            m_sizes.insert(picture.name, picture.size);
        }
    }

    void every_picture_shows_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("copy");
        QTest::newRow("table, copied") << "table" << true;
        QTest::newRow("table, not copied") << "table" << false;
        QTest::newRow("generic, copied") << "generic" << true;
        QTest::newRow("generic, not copied") << "generic" << false;
    }

    void every_picture_shows()
    {
        QFETCH(QString, layout);
        QFETCH(bool, copy);
        const QString out = m_dir.filePath(QString("out-%1-%2").arg(layout).arg(copy));
        QVERIFY(QDir().mkpath(out));
        QStringList arguments{"--output",       out,
                              "--layout",       layout,
                              "--width",        "40",
                              "--height",       "30",
                              "--background",   m_pictures + "/" + kBackground.name,
                              "--cell-picture", m_pictures + "/" + kCell.name};
        if (!copy)
            arguments << "--no-copy";
        for (const Picture &picture : trickyPictures())
            arguments << m_pictures + "/" + picture.name;
        QCOMPARE(runCli(arguments), 0);

        const QJsonObject result = openInBrowser(out, "vintora.htm");
        QVERIFY2(!result.isEmpty(), "the browser gave no result");
        const int count = int(trickyPictures().size());
        expectLoaded(result["images"].toArray(), "src", count);
        for (const QJsonValue &value : result["images"].toArray()) {
            const QJsonArray shown = value.toObject()["shown"].toArray();
            QCOMPARE(QSize(shown[0].toInt(), shown[1].toInt()), QSize(40, 30));
        }
        expectLoaded(result["links"].toArray(), "href", count);
        // The body's background, and the cell picture in every real cell.
        const int cells = layout == "table" ? count : 0;
        expectLoaded(result["backgrounds"].toArray(), "href", 1 + cells);
    }

    // Small thumbnail files: each loads from thumbs/, keeps its picture's
    // proportions (orientation applied) within a pixel, and links to the
    // full picture.
    void thumbnails_keep_proportions_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("pixels, copied") << QStringList{"--width", "100", "--height", "100"};
        QTest::newRow("pixels, not copied")
                << QStringList{"--width", "90", "--height", "60", "--no-copy"};
        QTest::newRow("percent, copied")
                << QStringList{"--width-percent", "20", "--height-percent", "10"};
    }
    void thumbnails_keep_proportions()
    {
        QFETCH(QStringList, options);
        const QString pictures = m_dir.filePath("photos");
        // name -> the picture as shown: stored size, or turned by EXIF
        const QMap<QString, QSize> shown{{"landscape.png", {600, 240}},
                                         {"portrait.jpg", {180, 480}},
                                         {"square.png", {300, 300}},
                                         {"turned.jpg", {270, 480}}};
        if (!QDir(pictures).exists()) {
            QVERIFY(QDir().mkpath(pictures));
            for (auto it = shown.begin(); it != shown.end(); ++it) {
                QImage image(it.value(), QImage::Format_RGB32);
                image.fill(Qt::darkMagenta);
                QVERIFY(image.save(pictures + "/" + it.key()));
            }
            QImage stored(480, 270, QImage::Format_RGB32);
            stored.fill(Qt::darkYellow);
            QFile turned(pictures + "/turned.jpg");
            QVERIFY(turned.open(QIODevice::WriteOnly));
            turned.write(jpegTurnedClockwise(stored));
        }
        const QString out
                = m_dir.filePath("out-thumbs-" + QString::number(QTest::currentDataTag()[0])
                                 + options.join("").remove('-'));
        QVERIFY(QDir().mkpath(out));
        QCOMPARE(runCli(QStringList{"--output", out, "--thumbnails"} + options
                        + QStringList{pictures}),
                 0);

        const QJsonObject result = openInBrowser(out, "vintora.htm");
        const QJsonArray images = result["images"].toArray();
        QCOMPARE(images.size(), int(shown.size()));
        for (const QJsonValue &value : images) {
            const QJsonObject image = value.toObject();
            QVERIFY2(image["src"].toString().contains("/thumbs/"),
                     qPrintable(image["src"].toString()));
            // The thumbnail is named by the picture, and by its own type
            // where the picture's name says another ("landscape.png.jpg").
            const QString name = fileNameOfUrl(image["link"].toString());
            const QString thumbnail = fileNameOfUrl(image["src"].toString());
            QVERIFY2(thumbnail == name || thumbnail == name + ".jpg", qPrintable(thumbnail));
            const QJsonArray natural = image["natural"].toArray();
            QVERIFY2(natural[0].toInt() > 0, qPrintable(name + " did not load"));
            const QJsonArray size = image["shown"].toArray();
            const QSize picture = shown.value(name);
            // The shorter side against the one the picture's ratio gives.
            const int width = size[0].toInt(), height = size[1].toInt();
            const double off
                    = picture.width() >= picture.height()
                              ? height - double(width) * picture.height() / picture.width()
                              : width - double(height) * picture.width() / picture.height();
            QVERIFY2(qAbs(off) <= 1.0, qPrintable(QString("%1 shown %2 x %3")
                                                          .arg(name)
                                                          .arg(size[0].toInt())
                                                          .arg(size[1].toInt())));
            QVERIFY(!image["link"].toString().contains("/thumbs/"));
        }
        const QJsonArray links = result["links"].toArray();
        QCOMPARE(links.size(), int(shown.size()));
        for (const QJsonValue &value : links) {
            const QJsonObject link = value.toObject();
            const QString name = fileNameOfUrl(link["href"].toString());
            const QJsonArray natural = link["natural"].toArray();
            // The full picture, as stored (a browser turns it by its EXIF).
            const QSize full(natural[0].toInt(), natural[1].toInt());
            QVERIFY2(full == shown.value(name) || full == shown.value(name).transposed(),
                     qPrintable(name));
        }
    }

    void percentage_sizing_scales_with_the_page()
    {
        const QString out = m_dir.filePath("out-percent");
        QVERIFY(QDir().mkpath(out));
        QCOMPARE(runCli({"--output", out, "--layout", "generic", "--width-percent", "10",
                         "--height-percent", "5", m_pictures}),
                 0);
        const QJsonObject result = openInBrowser(out, "vintora.htm");
        const QJsonArray images = result["images"].toArray();
        // The folder gives every picture but "trail.png ", whose name does
        // not end in ".png".
        const int unlisted = m_sizes.contains("trail.png ") ? 1 : 0;
        QCOMPARE(images.size(), int(m_sizes.size()) - unlisted);
        for (const QJsonValue &value : images) {
            const QJsonArray natural = value.toObject()["natural"].toArray();
            QVERIFY(natural[0].toInt() > 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestBrowserPages)
#include "test_browser_pages.moc"
