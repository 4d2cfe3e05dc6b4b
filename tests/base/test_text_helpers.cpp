#include "base/text_helpers.h"
#include "settings/html_color.h"

#include <QTest>

using namespace vintora;

class TestTextHelpers : public QObject
{
    Q_OBJECT

private slots:
    void htmlColor_data()
    {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("black") << 0x0u << "000000";
        QTest::newRow("white") << 0xFFFFFFu << "FFFFFF";
        QTest::newRow("purple") << 0xC000C0u << "C000C0";
        QTest::newRow("blue") << 0xFF0000u << "0000FF";
        QTest::newRow("red") << 0x0000FFu << "FF0000";
        QTest::newRow("green padded") << 0x00FF00u << "00FF00";
        QTest::newRow("one red step") << 0x000001u << "010000";
        QTest::newRow("mixed") << 0x123456u << "563412";
        QTest::newRow("top bit set") << 0x8000000Fu << "0F0080";
        QTest::newRow("seven digits") << 0x1ABCDEFu << "EFBC1A";
    }

    void htmlColor()
    {
        QFETCH(quint32, value);
        QFETCH(QString, expected);
        QCOMPARE(HtmlColor(value), expected);
    }

    void fileNameOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("expected");
        const QChar bs('\\'), sl('/');
        QTest::newRow("windows path") << "C:\\pics\\a.jpg" << bs << "a.jpg";
        QTest::newRow("no separator") << "a.jpg" << bs << "a.jpg";
        QTest::newRow("ends with separator") << "C:\\pics\\" << bs << "";
        QTest::newRow("drive relative") << "C:a.jpg" << bs << "C:a.jpg";
        QTest::newRow("slash is no separator on windows") << "C:\\x/y.jpg" << bs << "x/y.jpg";
        QTest::newRow("double separator") << "C:\\\\a.jpg" << bs << "a.jpg";
        QTest::newRow("unix path") << "/home/me/a.jpg" << sl << "a.jpg";
        QTest::newRow("backslash is a name character on unix") << "/p/a\\b.jpg" << sl << "a\\b.jpg";
        QTest::newRow("empty") << "" << sl << "";
    }

    void fileNameOf()
    {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        QCOMPARE(FileNameOf(path, separator), expected);
    }

    // The start of the name is found in steps of several characters from
    // the end; every position of the last separator must come out the same
    // as a plain search.
    void fileNameStart_at_every_position()
    {
        for (int length = 0; length <= 40; ++length) {
            for (int at = -1; at < length; ++at) {
                QString path(length, QChar('a'));
                if (at >= 0) {
                    path[at] = '/';
                    if (at > 3)
                        path[at / 2] = '/'; // an earlier one that does not count
                }
                QCOMPARE(FileNameStart(path, '/'), path.lastIndexOf('/') + 1);
                QCOMPARE(FileNameStart(path, '\\'), 0);
            }
        }
    }

    void joinPath_always_inserts_one()
    {
        QCOMPARE(JoinPath("C:\\pics", "a.jpg", '\\'), QString("C:\\pics\\a.jpg"));
        QCOMPARE(JoinPath("C:\\", "a.jpg", '\\'), QString("C:\\\\a.jpg"));
        QCOMPARE(JoinPath("/", "a.jpg", '/'), QString("//a.jpg"));
    }
};

QTEST_APPLESS_MAIN(TestTextHelpers)
#include "test_text_helpers.moc"
