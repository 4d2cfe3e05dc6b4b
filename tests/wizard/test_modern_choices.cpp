#include "wizard_fixture.h"

using namespace vintora;

namespace {

// Where the box draws its cursor, in its own pixels, once it has painted
// (painting scrolls the text to show the cursor).
int cursorX(QLineEdit *box)
{
    (void) box->grab();
    return box->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
}

// Ticks or unticks the modern page's check box on its page, as a user does.
void chooseModern(WizardFixture &w, bool modern)
{
    w.w().ShowPage(kLayoutStylePage);
    QCheckBox *check = w.w().layoutStylePage().modernCheck();
    if (check->isChecked() != modern)
        WizardFixture::click(check);
    QCOMPARE(check->isChecked(), modern);
}

} // namespace

// The wizard's side of the modern page: the title box, and what the
// Thumbnails and Output pages show while the modern page is chosen.
class TestModernChoices : public QObject
{
    Q_OBJECT

private slots:
    void title_box_starts_empty_with_its_hint()
    {
        WizardFixture w;
        QLineEdit *title = w.w().outputPage().titleBox();
        QCOMPARE(title->text(), QString());
        QCOMPARE(title->placeholderText(), QString("The folder's name"));
    }

    void title_box_shows_thirty_characters_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("words") << "A summer by the sea, July 2024";
        QTest::newRow("a name") << "Grandmother's 90th, Lyon 2024.";
    }

    void title_box_shows_thirty_characters()
    {
        QFETCH(QString, title);
        WizardFixture w;
        w.w().ShowPage(kOutputPage);
        QLineEdit *box = w.w().outputPage().titleBox();
        box->setText(title);
        const int end = cursorX(box);
        box->setCursorPosition(0);
        const int start = cursorX(box);
        // Scrolled, the end's cursor would stop at the box's right edge.
        QCOMPARE(end - start, box->fontMetrics().horizontalAdvance(title));
    }

    void thumbnail_files_follow_the_modern_page_data()
    {
        QTest::addColumn<bool>("own");
        QTest::newRow("left unticked") << false;
        QTest::newRow("ticked") << true;
    }

    void thumbnail_files_follow_the_modern_page()
    {
        QFETCH(bool, own);
        WizardFixture w;
        w.w().ShowPage(kThumbnailsPage);
        QCheckBox *files = w.w().thumbnailsPage().thumbnailFilesCheck();
        if (own)
            WizardFixture::click(files);
        chooseModern(w, true);
        w.w().ShowPage(kThumbnailsPage);
        QCOMPARE(files->checkState(), Qt::Checked);
        QVERIFY(!files->isEnabled());
        WizardFixture::click(files); // a disabled box takes no click
        w.w().ShowPage(kPicturesPage);
        QCOMPARE(w.settings.makeThumbnails, qint16(own ? -1 : 0));

        chooseModern(w, false);
        w.w().ShowPage(kThumbnailsPage);
        QCOMPARE(files->checkState(), own ? Qt::Checked : Qt::Unchecked);
        QVERIFY(files->isEnabled());
        WizardFixture::click(files);
        w.w().ShowPage(kPicturesPage);
        QCOMPARE(w.settings.makeThumbnails, qint16(own ? 0 : -1));
    }

    void page_name_follows_the_modern_page_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("modernName");
        QTest::addColumn<QString>("classicName");
        QTest::newRow("untyped") << ""
                                 << "index.html"
                                 << "vintora.htm";
        QTest::newRow("typed") << "pictures.htm"
                               << "pictures.htm"
                               << "pictures.htm";
    }

    void page_name_follows_the_modern_page()
    {
        QFETCH(QString, typed);
        QFETCH(QString, modernName);
        QFETCH(QString, classicName);
        WizardFixture w;
        w.w().ShowPage(kOutputPage);
        QLineEdit *name = w.w().outputPage().fileNameBox();
        QCOMPARE(name->text(), QString("vintora.htm"));
        if (!typed.isEmpty())
            w.type(name, typed);
        chooseModern(w, true);
        QCOMPARE(name->text(), modernName);
        chooseModern(w, false);
        QCOMPARE(name->text(), classicName);
    }
};

QTEST_MAIN(TestModernChoices)
#include "test_modern_choices.moc"
