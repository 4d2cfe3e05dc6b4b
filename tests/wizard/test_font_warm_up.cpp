#include "wizard/font_warm_up.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>

using namespace vintora;

class TestFontWarmUp : public QObject
{
    Q_OBJECT

private slots:
    // Made before the application as main() does; waiting again, or
    // leaving without waiting, is harmless.
    void reads_ahead_then_text_lays_out()
    {
        FontWarmUp fonts;
        int argc = 1;
        char name[] = "test_font_warm_up";
        char *argv[] = {name, nullptr};
        QApplication app(argc, argv);
        fonts.wait();
        fonts.wait();
        {
            FontWarmUp another;
        }
        QLabel label(QStringLiteral("Welcome"));
        QVERIFY(QFontMetrics(label.font()).horizontalAdvance(label.text()) > 0);
    }
};

QTEST_APPLESS_MAIN(TestFontWarmUp)
#include "test_font_warm_up.moc"
