#include "support/fixtures.h"
#include "wizard_fixture.h"

#include "wizard/pages/modern_options_dialog.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QPushButton>

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

// Opens "Modern page options" from its link by the keyboard: Tab from the
// modern page's check box, then the key.
ModernOptionsDialog *openOptions(WizardFixture &w, Qt::Key key)
{
    chooseModern(w, true);
    LayoutStylePage &layout = w.w().layoutStylePage();
    layout.modernCheck()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    if (QApplication::focusWidget() != layout.optionsLink())
        return nullptr;
    QTest::keyClick(layout.optionsLink(), key);
    return qobject_cast<ModernOptionsDialog *>(QApplication::activeModalWidget());
}

// Clicks a choice on its box, where a user aims (a short caption leaves
// the middle of its row empty).
void click(ModernOptionsDialog *dialog, const char *name)
{
    auto *button = dialog->findChild<QAbstractButton *>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
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

    // A folder chosen on the Pictures page adds a phone's HEIC with the
    // modern page or thumbnail files, and leaves it out otherwise.
    void phone_formats_follow_the_thumbnail_files_data()
    {
        QTest::addColumn<bool>("modern");
        QTest::addColumn<bool>("thumbnails");
        QTest::addColumn<int>("added");
        QTest::newRow("classic") << false << false << 1;
        QTest::newRow("thumbnail files") << false << true << 2;
        QTest::newRow("modern") << true << false << 2;
    }

    void phone_formats_follow_the_thumbnail_files()
    {
        QFETCH(bool, modern);
        QFETCH(bool, thumbnails);
        QFETCH(int, added);
        QTemporaryDir dir;
        for (const char *name : {"a.jpg", "IMG_1.HEIC"})
            writeFile(dir.filePath(name), "x");
        WizardFixture w;
        if (thumbnails) {
            w.w().ShowPage(kThumbnailsPage);
            WizardFixture::click(w.w().thumbnailsPage().thumbnailFilesCheck());
        }
        chooseModern(w, modern);
        w.w().ShowPage(kPicturesPage);
        w.dialogs.folders = {QDir::toNativeSeparators(dir.path())};
        w.click(w.w().picturesPage().addFolderLink());
        QCOMPARE(w.w().picturesPage().fileList()->model()->rowCount(), added);
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

    void options_link_shows_with_the_modern_page()
    {
        WizardFixture w;
        chooseModern(w, false);
        ClickableLabel *link = w.w().layoutStylePage().optionsLink();
        QVERIFY(!link->isVisible());
        chooseModern(w, true);
        QVERIFY(link->isVisible());
        QCOMPARE(link->text(), QString("Modern page options"));
    }

    void options_dialog_starts_with_the_start_values()
    {
        WizardFixture w;
        ModernOptionsDialog *dialog = openOptions(w, Qt::Key_Space);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("Modern page options"));
        const auto box = [dialog](const char *name) {
            return dialog->findChild<QAbstractButton *>(name);
        };
        QCOMPARE(box("chkKeepLocation")->text(),
                 QString("Keep where the photographs were taken (GPS)"));
        QVERIFY(!box("chkKeepLocation")->isChecked());
        QCOMPARE(box("chkMakeAlbums")->text(), QString("Make an album of each sub-folder"));
        QVERIFY(box("chkMakeAlbums")->isChecked());
        QCOMPARE(box("optOrder(0)")->text(), QString("By date taken"));
        QVERIFY(box("optOrder(0)")->isChecked());
        QCOMPARE(box("optOrder(1)")->text(), QString("By name"));
        QCOMPARE(box("optOrder(2)")->text(), QString("As listed"));
        QCOMPARE(box("chkMakeZips")->text(), QString("Make a zip of each album"));
        QVERIFY(!box("chkMakeZips")->isChecked());
        // Screen readers hear every control by its name.
        for (const char *name : {"chkKeepLocation", "chkMakeAlbums", "optOrder(0)", "optOrder(1)",
                                 "optOrder(2)", "chkMakeZips"}) {
            QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(box(name));
            QCOMPARE(heard->text(QAccessible::Name), box(name)->text());
        }
        dialog->reject();
    }

    void options_go_into_the_record_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("close"); // 0 OK, 1 Cancel, 2 Escape
        QTest::addColumn<qint16>("keepLocation");
        QTest::addColumn<qint16>("makeAlbums");
        QTest::addColumn<QString>("pictureOrder");
        QTest::addColumn<qint16>("makeZips");
        const QStringList all{"chkKeepLocation", "chkMakeAlbums", "optOrder(1)", "chkMakeZips"};
        QTest::newRow("nothing changed")
                << QStringList{} << 0 << qint16(0) << qint16(-1) << "date" << qint16(0);
        QTest::newRow("all changed, OK")
                << all << 0 << qint16(-1) << qint16(0) << "name" << qint16(-1);
        QTest::newRow("as listed") << QStringList{"optOrder(2)"} << 0 << qint16(0) << qint16(-1)
                                   << "list" << qint16(0);
        QTest::newRow("all changed, Cancel")
                << all << 1 << qint16(0) << qint16(-1) << "date" << qint16(0);
        QTest::newRow("all changed, Escape")
                << all << 2 << qint16(0) << qint16(-1) << "date" << qint16(0);
    }

    void options_go_into_the_record()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, close);
        WizardFixture w;
        ModernOptionsDialog *dialog = openOptions(w, Qt::Key_Return);
        QVERIFY(dialog);
        for (const QString &name : clicks)
            click(dialog, qPrintable(name));
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        if (close == 0)
            WizardFixture::click(buttons->button(QDialogButtonBox::Ok));
        else if (close == 1)
            WizardFixture::click(buttons->button(QDialogButtonBox::Cancel));
        else
            QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        w.fore();
        QTEST(w.settings.keepLocation, "keepLocation");
        QTEST(w.settings.makeAlbums, "makeAlbums");
        QTEST(w.settings.pictureOrder, "pictureOrder");
        QTEST(w.settings.makeZips, "makeZips");
    }

    // A second opening shows what OK took the first time.
    void options_dialog_shows_the_accepted_choices()
    {
        WizardFixture w;
        ModernOptionsDialog *first = openOptions(w, Qt::Key_Space);
        QVERIFY(first);
        click(first, "optOrder(2)");
        click(first, "chkMakeZips");
        first->accept();
        ModernOptionsDialog *second = w.w().layoutStylePage().showOptions();
        QVERIFY(second->findChild<QAbstractButton *>("optOrder(2)")->isChecked());
        QVERIFY(second->findChild<QAbstractButton *>("chkMakeZips")->isChecked());
        second->reject();
    }
};

QTEST_MAIN(TestModernChoices)
#include "test_modern_choices.moc"
