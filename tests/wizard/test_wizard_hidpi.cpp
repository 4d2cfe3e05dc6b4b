// The wizard on a screen at 200 %: the artwork drawn at twice its size takes
// the places of the pictures, pixel for pixel; the texts fit and the focus
// frames stay clear of them.

#include "wizard_fixture.h"

#include "wizard/artwork.h"

using namespace vintora;

// Set before the application starts, as a desktop at 200 % would.
static const bool kScaledUp = qputenv("QT_SCALE_FACTOR", "2");

class TestWizardHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void pictures_drawn_for_the_screen()
    {
        QVERIFY(kScaledUp);
        WizardFixture w;
        const auto *fore = w.find<QLabel>("btnFore");
        QCOMPARE(fore->geometry(), QRect(360, 304, 89, 36));
        QCOMPARE(fore->pixmap().size(), QSize(178, 72));
        QCOMPARE(w.find<QLabel>("Image2")->pixmap().size(), QSize(440, 400));
        // The sidebar as shown (above the version label) is the picture
        // drawn at twice the size, not the small one enlarged.
        const QImage shown = w.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect above(0, 0, 370, 600);
        QCOMPARE(shown.copy(above), artworkAt("sidebar", 2).toImage().copy(above));
    }

    void every_text_fits()
    {
        WizardFixture w;
        for (int page = 0; page < kPageCount; ++page)
            QVERIFY2(w.w().page(page)->everyTextFits(), qPrintable(QString::number(page)));
    }

    // A focused link's frame goes around its text, clear of the letters,
    // also where the text ends at the link's edge.
    void link_frames_clear_the_text_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("page");
        QTest::newRow("Page Color") << "pgpref(4)" << 1;
        QTest::newRow("Cell Background") << "labTable(0)" << 3;
        QTest::newRow("Select files") << "labGetFile(1)" << 5;
    }
    void link_frames_clear_the_text()
    {
        QFETCH(QString, link);
        QFETCH(int, page);
        WizardFixture w;
        w.w().ShowPage(page);
        QCOMPARE(WizardFixture::framePixelsOnText(w.find(link)), 0);
    }
};

QTEST_MAIN(TestWizardHiDpi)
#include "test_wizard_hidpi.moc"
