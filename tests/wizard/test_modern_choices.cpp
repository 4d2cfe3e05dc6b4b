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
};

QTEST_MAIN(TestModernChoices)
#include "test_modern_choices.moc"
