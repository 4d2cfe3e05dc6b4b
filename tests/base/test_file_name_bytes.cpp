#include "base/file_name_bytes.h"

#include <QTest>

using namespace vintora;

class TestFileNameBytes : public QObject
{
    Q_OBJECT

private slots:
    void decodes_and_encodes_back_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::newRow("ascii") << QByteArray("a b.jpg") << QString("a b.jpg");
        QTest::newRow("utf-8") << QByteArray("caf\xC3\xA9") << QStringView(u"caf\u00E9").toString();
        QTest::newRow("four bytes")
                << QByteArray("\xF0\x9F\x98\x80") << QStringView(u"\U0001F600").toString();
        QTest::newRow("latin-1 byte")
                << QByteArray("caf\xE9") << QStringView(u"caf\xDCE9").toString();
        QTest::newRow("encoded surrogate")
                << QByteArray("\xED\xA0\x80") << QStringView(u"\xDCED\xDCA0\xDC80").toString();
        QTest::newRow("cut sequence")
                << QByteArray("a\xE6\x97") << QStringView(u"a\xDCE6\xDC97").toString();
        QTest::newRow("byte order mark first")
                << QByteArray("\xEF\xBB\xBF\xC3\xA9") << QStringView(u"\xFEFF\u00E9").toString();
        QTest::newRow("byte order mark and a latin-1 byte")
                << QByteArray("x\xEF\xBB\xBFy\xE9") << QStringView(u"x\xFEFFy\xDCE9").toString();
    }

    void decodes_and_encodes_back()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QCOMPARE(DecodeFileName(bytes), name);
        QCOMPARE(EncodeFileName(name), bytes);
    }
};

QTEST_GUILESS_MAIN(TestFileNameBytes)
#include "test_file_name_bytes.moc"
