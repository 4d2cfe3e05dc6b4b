#include "settings/number_reading.h"

#include <QTest>

using vintora::readNumber;

class TestNumberReading : public QObject
{
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");

        QTest::newRow("plain") << "4" << 4;
        QTest::newRow("blanks around") << "  12  " << 12;
        QTest::newRow("tab around") << "\t7\t" << 7;
        QTest::newRow("half to even down") << "6.5" << 6;
        QTest::newRow("half to even up") << "7.5" << 8;
        QTest::newRow("negative half") << "-2.5" << -2;
        QTest::newRow("fraction rounds") << "3.49" << 3;
        QTest::newRow("fraction up") << "3.51" << 4;
        QTest::newRow("negative") << "-3" << -3;
        QTest::newRow("plus sign") << "+9" << 9;
        QTest::newRow("leading dot") << ".6" << 1;
        QTest::newRow("trailing dot") << "5." << 5;
        QTest::newRow("exponent") << "1e2" << 100;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("upper limit") << "32767" << 32767;
        QTest::newRow("lower limit") << "-32768" << -32768;
        QTest::newRow("rounds into range") << "32767.4" << 32767;
        QTest::newRow("rounds into lower range") << "-32768.5" << -32768;
        QTest::newRow("leading zeros") << "007" << 7;
    }

    void reads()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto value = readNumber(text);
        QVERIFY2(value.has_value(), qPrintable(text));
        QCOMPARE(int(*value), expected);
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("text");

        QTest::newRow("empty") << "";
        QTest::newRow("only blanks") << "   ";
        QTest::newRow("letters") << "abc";
        QTest::newRow("trailing letters") << "12px";
        QTest::newRow("two numbers") << "1 2";
        QTest::newRow("just above") << "32768";
        QTest::newRow("just below") << "-32769";
        QTest::newRow("rounds out of range") << "32767.5";
        QTest::newRow("huge") << "1e30";
        QTest::newRow("hex") << "0x10";
        QTest::newRow("inf") << "inf";
        QTest::newRow("nan") << "nan";
        QTest::newRow("comma fraction") << "6,5";
        QTest::newRow("lone sign") << "-";
        QTest::newRow("lone dot") << ".";
    }

    void refuses()
    {
        QFETCH(QString, text);
        QVERIFY2(!readNumber(text).has_value(), qPrintable(text));
    }
};

QTEST_APPLESS_MAIN(TestNumberReading)
#include "test_number_reading.moc"
