// The pages as classes: built when first needed, their snapshots, and the
// choices they copy into the record themselves.

#include "wizard_fixture.h"

using namespace vintora;

namespace {

// A page with one on/off choice that goes into the record as it is.
class FlagPage : public WizardPage
{
public:
    QCheckBox *check = new QCheckBox(this);
    explicit FlagPage(QWidget *window) : WizardPage(kThumbnailsPage, window)
    {
        copyIntoRecord(check, &WizardSettings::imageBorders);
    }
};

} // namespace

class TestWizardPages : public QObject
{
    Q_OBJECT

private slots:
    void pages_are_built_when_first_needed()
    {
        WizardFixture w;
        QVERIFY(w.w().isBuilt(kWelcomePage));
        for (int page = 1; page < kPageCount; ++page)
            QVERIFY2(!w.w().isBuilt(page), qPrintable(QString::number(page)));
        // The generic layout skips the Table page but captures it.
        w.fore();
        w.fore();
        w.click(w.w().layoutStylePage().genericOption());
        w.fore();
        QVERIFY(w.w().isBuilt(kTablePage));
        QVERIFY(!w.w().page(kTablePage)->isVisible());
        QCOMPARE(w.settings.cellVAlign, QString("Middle"));
    }

    void borders_check_state_data()
    {
        QTest::addColumn<Qt::CheckState>("state");
        QTest::addColumn<CheckState>("expected");
        QTest::newRow("unticked") << Qt::Unchecked << CheckState::Unchecked;
        QTest::newRow("ticked") << Qt::Checked << CheckState::Checked;
        QTest::newRow("grayed") << Qt::PartiallyChecked << CheckState::Grayed;
    }
    void borders_check_state()
    {
        QFETCH(Qt::CheckState, state);
        QFETCH(CheckState, expected);
        WizardFixture w;
        QCheckBox *borders = w.w().thumbnailsPage().bordersCheck();
        borders->setTristate(true);
        borders->setCheckState(state);
        QCOMPARE(w.w().thumbnailsPage().controls().borders, expected);
    }

    void plain_choice_is_copied_into_the_record()
    {
        QWidget window;
        FlagPage page(&window);
        WizardSettings settings;
        page.check->setChecked(true);
        QVERIFY(page.capture(settings));
        QCOMPARE(settings.imageBorders, kTrue);
        page.check->setChecked(false);
        QVERIFY(page.capture(settings));
        QCOMPARE(settings.imageBorders, kFalse);
    }
};

QTEST_MAIN(TestWizardPages)
#include "test_wizard_pages.moc"
