// The wizard on a screen at 200 %: the artwork drawn at twice its size takes
// the places of the pictures, pixel for pixel.

#include "wizard_fixture.h"

#include "wizard/controls/artwork.h"

using namespace vintora;

namespace {

// Set before the application starts, as a desktop at 200 % would.
const bool kScaledUp = qputenv("QT_SCALE_FACTOR", "2");

} // namespace

class TestWizardHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void pictures_drawn_for_the_screen_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("place"); // in pixels of the window
        QTest::newRow("btnFore") << "btnFore" << QRect(360, 304, 89, 36);
        QTest::newRow("Image4(0)") << "Image4(0)" << QRect(24, 176, 30, 31);
        QTest::newRow("Image2") << "Image2" << QRect(16, 56, 220, 200);
        QTest::newRow("Image3(1)") << "Image3(1)" << QRect(16, 144, 60, 61);
    }
    void pictures_drawn_for_the_screen()
    {
        QFETCH(QString, control);
        QFETCH(QRect, place);
        QVERIFY(kScaledUp);
        WizardFixture w;
        QCOMPARE(w.window->devicePixelRatio(), 2.0);
        const auto *label = w.find<QLabel>(control);
        QCOMPARE(label->geometry(), place);
        QCOMPARE(label->pixmap().devicePixelRatio(), 2.0);
        QCOMPARE(label->pixmap().size(), place.size() * 2);
    }

    // The sidebar on screen is the picture drawn at twice the size, not the
    // small one enlarged.
    void sidebar_is_sharp()
    {
        WizardFixture w;
        const QImage shown = w.window->grab().toImage();
        QCOMPARE(shown.size(), QSize(928, 708));
        const QImage sharp = artworkAt("sidebar", 2).toImage();
        const QRect above(0, 0, 370, 600); // above the version label
        QCOMPARE(shown.copy(above).convertToFormat(QImage::Format_RGB32),
                 sharp.copy(above).convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestWizardHiDpi)
#include "test_wizard_hidpi.moc"
