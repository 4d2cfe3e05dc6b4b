#include "page/picture_reference.h"

#include <QTest>

using namespace vintora;

class TestPictureReference : public QObject
{
    Q_OBJECT

private slots:
    void escapes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("copied");
        QTest::addColumn<QString>("notCopied");
        // Paths are /p/<name> with the slash separator.
        QTest::newRow("plain") << "a.jpg"
                               << "a.jpg"
                               << "file:///p/a.jpg";
        QTest::newRow("space stays") << "my cat.jpg"
                                     << "my cat.jpg"
                                     << "file:///p/my cat.jpg";
        QTest::newRow("apostrophe stays") << "it's.jpg"
                                          << "it's.jpg"
                                          << "file:///p/it's.jpg";
        QTest::newRow("hash") << "Party #1.jpg"
                              << "Party %231.jpg"
                              << "file:///p/Party %231.jpg";
        QTest::newRow("percent") << "100%.jpg"
                                 << "100%25.jpg"
                                 << "file:///p/100%25.jpg";
        QTest::newRow("question") << "why?.jpg"
                                  << "why%3F.jpg"
                                  << "file:///p/why%3F.jpg";
        QTest::newRow("ampersand") << "a&b.jpg"
                                   << "a&amp;b.jpg"
                                   << "file:///p/a&amp;b.jpg";
        QTest::newRow("less") << "a<b.jpg"
                              << "a&lt;b.jpg"
                              << "file:///p/a&lt;b.jpg";
        QTest::newRow("greater") << "a>b.jpg"
                                 << "a&gt;b.jpg"
                                 << "file:///p/a&gt;b.jpg";
        QTest::newRow("quote") << "\"><script>.jpg"
                               << "&quot;&gt;&lt;script&gt;.jpg"
                               << "file:///p/&quot;&gt;&lt;script&gt;.jpg";
        QTest::newRow("e acute") << QString::fromUtf8("caf\u00e9.jpg") << "caf%C3%A9.jpg"
                                 << "file:///p/caf%C3%A9.jpg";
        QTest::newRow("japanese") << QString::fromUtf8("\u65e5\u672c.jpg")
                                  << "%E6%97%A5%E6%9C%AC.jpg"
                                  << "file:///p/%E6%97%A5%E6%9C%AC.jpg";
        QTest::newRow("emoji pair") << QString::fromUtf8("\U0001F600.png") << "%F0%9F%98%80.png"
                                    << "file:///p/%F0%9F%98%80.png";
        QTest::newRow("lone surrogate")
                << QString("a") + QChar(0xD800) + QString(".jpg") << "a%3F.jpg"
                << "file:///p/a%3F.jpg";
        QTest::newRow("latin-1 byte kept")
                << QString("lat") + QChar(0xDCE9) + QString("in.jpg") << "lat%E9in.jpg"
                << "file:///p/lat%E9in.jpg";
        QTest::newRow("first and last raw bytes kept")
                << QString("a") + QChar(0xDC80) + QChar(0xDCFF) + QString(".jpg") << "a%80%FF.jpg"
                << "file:///p/a%80%FF.jpg";
        QTest::newRow("newline") << "a\nb.jpg"
                                 << "a%0Ab.jpg"
                                 << "file:///p/a%0Ab.jpg";
        QTest::newRow("backslash in a unix name") << "a\\b.jpg"
                                                  << "a%5Cb.jpg"
                                                  << "file:///p/a%5Cb.jpg";
        QTest::newRow("scheme-like name") << "http:x.jpg"
                                          << "http%3Ax.jpg"
                                          << "file:///p/http:x.jpg";
        QTest::newRow("colon later stays") << "1:2.jpg"
                                           << "1:2.jpg"
                                           << "file:///p/1:2.jpg";
        // Browsers trim spaces off the ends of an address.
        QTest::newRow("leading space") << " lead.jpg"
                                       << "%20lead.jpg"
                                       << "file:///p/ lead.jpg";
        QTest::newRow("trailing space") << "trail.jpg "
                                        << "trail.jpg%20"
                                        << "file:///p/trail.jpg%20";
        QTest::newRow("spaces at both ends, one inside") << "  a b.jpg  "
                                                         << "%20%20a b.jpg%20%20"
                                                         << "file:///p/  a b.jpg%20%20";
        QTest::newRow("space at the end of a long name") << "a #long name of a picture.png "
                                                         << "a %23long name of a picture.png%20"
                                                         << "file:///p/a %23long name of a "
                                                            "picture.png%20";
        QTest::newRow("only spaces") << "  "
                                     << "%20%20"
                                     << "file:///p/%20%20";
    }

    void escapes()
    {
        QFETCH(QString, name);
        QFETCH(QString, copied);
        QFETCH(QString, notCopied);
        QCOMPARE(PictureReference("/p/" + name, true, name, '/'), copied);
        QCOMPARE(PictureReference("/p/" + name, false, QString(), '/'), notCopied);
    }

    void windows_paths_keep_their_backslashes()
    {
        QCOMPARE(PictureReference("C:\\pics\\a.jpg", false, QString(), '\\'),
                 QString("file://C:\\pics\\a.jpg"));
        QCOMPARE(PictureReference("C:\\pics\\a #2.jpg", false, QString(), '\\'),
                 QString("file://C:\\pics\\a %232.jpg"));
    }

    // Plain names are checked several characters at a time; a character
    // that needs escaping is found wherever it stands.
    void one_special_character_anywhere()
    {
        const QList<QPair<QChar, QString>> specials{{'#', "%23"},
                                                    {'%', "%25"},
                                                    {'?', "%3F"},
                                                    {'&', "&amp;"},
                                                    {'<', "&lt;"},
                                                    {'>', "&gt;"},
                                                    {'"', "&quot;"},
                                                    {'\\', "%5C"},
                                                    {'\x7F', "%7F"},
                                                    {'\x1F', "%1F"},
                                                    {QChar(0xE9), "%C3%A9"},
                                                    {QChar(0x2028), "%E2%80%A8"}};
        for (int length = 1; length <= 20; ++length) {
            for (int at = 0; at < length; ++at) {
                for (const auto &[c, escaped] : specials) {
                    QString name(length, QChar('b'));
                    name[at] = c;
                    QString expected = QString(length, QChar('b'));
                    expected.replace(at, 1, escaped);
                    QCOMPARE(EscapeReference(name, true, '/'), expected);
                }
            }
        }
        QCOMPARE(EscapeReference(QString(19, QChar('b')), true, '/'), QString(19, QChar('b')));
    }
};

QTEST_APPLESS_MAIN(TestPictureReference)
#include "test_picture_reference.moc"
