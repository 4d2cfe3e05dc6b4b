// vintora-artwork draws the pictures the wizard is built with and the
// icons the desktop shows: what it draws is what the tree holds, so that
// redrawing them (./run.sh artwork) changes nothing a user sees.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class TestArtworkTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_drawn.isValid());
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // In a sanitized build: Qt's own allocations at exit are no leak of ours.
        environment.insert(QStringLiteral("ASAN_OPTIONS"),
                           environment.value(QStringLiteral("ASAN_OPTIONS"))
                                   + QStringLiteral(":detect_leaks=0"));
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(VINTORA_ARTWORK),
                   {m_drawn.filePath(QStringLiteral("artwork")), QStringLiteral("--icons"),
                    m_drawn.filePath(QStringLiteral("icons"))});
        QVERIFY(tool.waitForFinished(60000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
    }

    void draws_the_pictures_of_the_tree_data()
    {
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("wizard pictures")
                << QStringLiteral(VINTORA_SOURCE_DIR "/src/wizard/artwork")
                << QStringLiteral("artwork")
                << QStringList{"browser_window.png",   "browser_window@2x.png",
                               "button_back.png",      "button_back@2x.png",
                               "button_fin.png",       "button_fin@2x.png",
                               "button_fore.png",      "button_fore@2x.png",
                               "icon_mail.png",        "icon_mail@2x.png",
                               "icon_readme.png",      "icon_readme@2x.png",
                               "icon_web.png",         "icon_web@2x.png",
                               "layout_generic.png",   "layout_generic@2x.png",
                               "layout_table.png",     "layout_table@2x.png",
                               "packaging_copy.png",   "packaging_copy@2x.png",
                               "packaging_nocopy.png", "packaging_nocopy@2x.png",
                               "sidebar.png",          "sidebar@2x.png",
                               "vintora_icon.png",     "vintora_icon@2x.png",
                               "vintora_icon_128.png", "vintora_icon_128@2x.png"};
        QTest::newRow("desktop icons")
                << QStringLiteral(VINTORA_SOURCE_DIR "/src/app/icons") << QStringLiteral("icons")
                << QStringList{"vintora-128.png", "vintora-16.png", "vintora-256.png",
                               "vintora-32.png",  "vintora-48.png", "vintora-64.png",
                               "vintora.svg"};
    }

    // The same files, each picture the same size with the same pixels: a
    // channel may be off by one level, where blurred shadows round the
    // other way. The scalable icon is the same text.
    void draws_the_pictures_of_the_tree()
    {
        QFETCH(QString, committed);
        QFETCH(QString, drawn);
        QFETCH(QStringList, files);
        const QDir committedDir(committed);
        const QDir drawnDir(m_drawn.filePath(drawn));
        QCOMPARE(committedDir.entryList(QDir::Files, QDir::Name), files);
        QCOMPARE(drawnDir.entryList(QDir::Files, QDir::Name), files);
        for (const QString &file : std::as_const(files)) {
            if (file.endsWith(QLatin1String(".svg"))) {
                QCOMPARE(readAll(drawnDir.filePath(file)), readAll(committedDir.filePath(file)));
                continue;
            }
            const QImage expected(committedDir.filePath(file));
            const QImage actual(drawnDir.filePath(file));
            QVERIFY2(!expected.isNull() && !actual.isNull(), qPrintable(file));
            QCOMPARE(actual.size(), expected.size());
            QCOMPARE(actual.hasAlphaChannel(), expected.hasAlphaChannel());
            QVERIFY2(largestDifference(actual, expected) <= 1, qPrintable(file));
        }
    }

private:
    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The largest difference of one channel of one pixel, in levels of 255.
    static int largestDifference(const QImage &a, const QImage &b)
    {
        const QImage first = a.convertToFormat(QImage::Format_ARGB32);
        const QImage second = b.convertToFormat(QImage::Format_ARGB32);
        int largest = 0;
        for (int y = 0; y < first.height(); ++y) {
            const auto *one = reinterpret_cast<const QRgb *>(first.constScanLine(y));
            const auto *other = reinterpret_cast<const QRgb *>(second.constScanLine(y));
            for (int x = 0; x < first.width(); ++x) {
                largest = std::max({largest, std::abs(qRed(one[x]) - qRed(other[x])),
                                    std::abs(qGreen(one[x]) - qGreen(other[x])),
                                    std::abs(qBlue(one[x]) - qBlue(other[x])),
                                    std::abs(qAlpha(one[x]) - qAlpha(other[x]))});
            }
        }
        return largest;
    }

    QTemporaryDir m_drawn;
};

QTEST_GUILESS_MAIN(TestArtworkTool)
#include "test_artwork_tool.moc"
