#include "wizard_fixture.h"

#include "support/default_settings.h"

#include "wizard/picture_list.h"

using namespace vintora;

class TestWizardNavigation : public QObject
{
    Q_OBJECT

private:
    // After every switch exactly one page shows, the buttons match the page
    // and Fore and Fin are never both visible.
    static void checkShown(const WizardFixture &w, int page)
    {
        QCOMPARE(w.page(), page);
        QCOMPARE(w.visiblePages(), 1);
        QVERIFY(w.w().page(page)->isVisible());
        QCOMPARE(w.w().backButton()->isVisible(), page != kWelcomePage);
        QCOMPARE(w.w().foreButton()->isVisible(), page != kOutputPage);
        QCOMPARE(w.w().finButton()->isVisible(), page == kOutputPage);
    }

private slots:
    void start_state()
    {
        WizardFixture w;
        QVERIFY(w.window->isVisible());
        checkShown(w, kWelcomePage);
        QCOMPARE(w.w().versionLabel()->text(), QString("Version 2.0.4"));
        QCOMPARE(w.window->windowTitle(), QString("Quendry's Vintora"));
        QCOMPARE(w.window->size(), QSize(464, 354));
        QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
        QVERIFY(!(w.window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.window->windowFlags() & Qt::WindowMinimizeButtonHint);
    }

    void tables_walk_forward_and_back()
    {
        WizardFixture w;
        for (int page = 1; page <= 7; ++page) {
            w.fore();
            checkShown(w, page);
        }
        QCOMPARE(w.settings.layoutStyle, QString("table"));
        for (int page = 6; page >= 0; --page) {
            w.back();
            checkShown(w, page);
        }
    }

    void generic_layout_skips_table_page_both_ways()
    {
        WizardFixture w;
        w.fore();
        w.fore();
        w.click(w.w().layoutStylePage().genericOption());
        w.fore();
        checkShown(w, kThumbnailsPage);
        QCOMPARE(w.settings.layoutStyle, QString("generic"));
        // Page 3 was skipped but its start values are captured all the same.
        QCOMPARE(w.settings.tableColumns, 4);
        QCOMPARE(w.settings.cellSpacing, 1);
        QCOMPARE(w.settings.cellPadding, 1);
        QCOMPARE(w.settings.tableBorder, 0);
        QCOMPARE(w.settings.cellAlign, QString("Center"));
        QCOMPARE(w.settings.cellVAlign, QString("Middle"));
        w.back();
        checkShown(w, kLayoutStylePage);
    }

    void changing_layout_after_going_back()
    {
        WizardFixture w;
        w.fore();
        w.fore();
        w.fore();                                           // 3, tables
        w.fore();                                           // 4
        w.back();                                           // 3
        w.back();                                           // 2
        QCOMPARE(w.settings.layoutStyle, QString("table")); // Back never changes it
        w.click(w.w().layoutStylePage().genericOption());
        w.fore();
        checkShown(w, kThumbnailsPage);
        w.back();
        checkShown(w, kLayoutStylePage);
    }

    void default_record_on_output_page()
    {
        WizardFixture w;
        for (int i = 0; i < 7; ++i)
            w.fore();
        const WizardSettings expected = defaultSettings();
        QCOMPARE(w.settings, expected);
        QCOMPARE(w.w().outputPage().fileNameBox()->text(), QString("vintora.htm"));
    }

    // The modern-page box goes into the record with the layout word, when
    // Fore leaves its page, with either layout; Back leaves it as it was.
    void modern_page_taken_with_the_layout()
    {
        WizardFixture w;
        w.fore();
        w.fore(); // page 2
        w.click(w.w().layoutStylePage().modernCheck());
        w.click(w.w().layoutStylePage().genericOption());
        QCOMPARE(w.settings.modernPage, kFalse);
        w.fore();
        QCOMPARE(w.settings.modernPage, kTrue);
        w.back();
        w.click(w.w().layoutStylePage().modernCheck());
        w.back();
        QCOMPARE(w.settings.modernPage, kTrue);
    }

    // The record takes the title box on entering the Output page, and again
    // when Fin is clicked.
    void page_title_taken_on_entry_and_at_fin()
    {
        WizardFixture w;
        for (int i = 0; i < 7; ++i)
            w.fore();
        QCOMPARE(w.settings.pageTitle, QString());
        w.type(w.w().outputPage().titleBox(), "Summer 2024");
        w.back();
        w.fore();
        QCOMPARE(w.settings.pageTitle, QString("Summer 2024"));
        w.type(w.w().outputPage().titleBox(), "Holiday");
        w.click(w.w().finButton()); // refused: no pictures
        QCOMPARE(w.settings.pageTitle, QString("Holiday"));
    }

    void going_back_recaptures()
    {
        WizardFixture w;
        for (int i = 0; i < 5; ++i)
            w.fore();                                // page 5
        w.type(w.w().tablePage().spacingBox(), "7"); // a change on page 3 while on page 5
        w.back();                                    // 5 -> 4 captures the Table page again
        QCOMPARE(w.settings.cellSpacing, 7);
        w.back(); // 3
        w.w().pageStylePage().colorLabels()[0]->setForeColor(0x00ABCDEF);
        w.back(); // 3 -> 2 captures the Page style page again
        QCOMPARE(w.settings.textColor, 0x00ABCDEFu);

        for (int i = 0; i < 5; ++i)
            w.fore(); // page 7
        QCOMPARE(w.settings.copyPictures, kTrue);
        w.back();
        checkShown(w, kPackagingPage);
        w.click(w.w().packagingPage().noCopyOption());
        w.fore();
        checkShown(w, kOutputPage);
        QCOMPARE(w.settings.copyPictures, kFalse);
    }

    void sizing_rows_and_borders()
    {
        WizardFixture w;
        for (int i = 0; i < 4; ++i)
            w.fore(); // page 4
        w.click(w.w().thumbnailsPage().percentSizeOption());
        w.click(w.w().thumbnailsPage().bordersCheck());
        QCOMPARE(w.settings.makeThumbnails, kFalse);
        w.click(w.w().thumbnailsPage().thumbnailFilesCheck());
        w.fore();
        QCOMPARE(w.settings.makeThumbnails, kTrue);
        QCOMPARE(w.settings.thumbHeight, 0);
        QCOMPARE(w.settings.thumbWidth, 0);
        QCOMPARE(w.settings.thumbHeightPercent, 25);
        QCOMPARE(w.settings.thumbWidthPercent, 25);
        QCOMPARE(w.settings.imageBorders, kTrue);
        w.back();
        w.click(w.w().thumbnailsPage().uniformSizeOption());
        w.type(w.w().thumbnailsPage().uniformHeightBox(), "80");
        w.type(w.w().thumbnailsPage().uniformWidthBox(), "120");
        w.fore();
        QCOMPARE(w.settings.thumbHeight, 80);
        QCOMPARE(w.settings.thumbWidth, 120);
        QCOMPARE(w.settings.thumbHeightPercent, 0);
        QCOMPARE(w.settings.thumbWidthPercent, 0);
    }

    void bad_number_stays_on_its_page_data()
    {
        QTest::addColumn<int>("fromPage");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("boxPage");
        QTest::addColumn<QString>("message");
        const QString number = "Type a whole number from -32768 to 32767.";
        QTest::newRow("columns garbage")
                << 3 << "Text1(0)"
                << "four" << 3 << "Type a whole number of columns, at least 1.";
        QTest::newRow("border too large") << 3 << "Text1(3)"
                                          << "40000" << 3 << number;
        QTest::newRow("empty spacing") << 3 << "Text1(1)"
                                       << "" << 3 << number;
        QTest::newRow("height garbage") << 4 << "txtSize(0)"
                                        << "1OO" << 4 << number;
        QTest::newRow("width too small") << 4 << "txtSize(1)"
                                         << "-40000" << 4 << number;
    }

    void bad_number_stays_on_its_page()
    {
        QFETCH(int, fromPage);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(int, boxPage);
        QFETCH(QString, message);
        WizardFixture w;
        for (int i = 0; i < fromPage; ++i)
            w.fore();
        const WizardSettings before = w.settings;
        auto *edit = w.w().page(boxPage)->findChild<QLineEdit *>(box);
        w.type(edit, text);
        w.fore();

        checkShown(w, boxPage);
        QCOMPARE(w.w().page(boxPage)->problemText(), message);
        QVERIFY(w.w().page(boxPage)->showsProblem());
        QVERIFY(edit->property("problem").toBool());
        QCOMPARE(QApplication::focusWidget(), edit);
        WizardSettings expected = before;
        QCOMPARE(w.settings, expected);

        // Correcting the box takes the mark and the line away at once and
        // lets the user go on.
        w.type(edit, "5");
        QVERIFY(!edit->property("problem").toBool());
        QVERIFY(!w.w().page(boxPage)->showsProblem());
        w.fore();
        checkShown(w, boxPage + 1);
        QVERIFY(!w.w().page(boxPage)->showsProblem());
    }

    void bad_table_box_found_on_entering_thumbnails_from_generic()
    {
        WizardFixture w;
        w.fore();
        w.fore();
        w.fore(); // page 3
        w.type(w.w().tablePage().paddingBox(), "x");
        w.back(); // to 2: Page style is captured, the Table page is not
        checkShown(w, kLayoutStylePage);
        w.click(w.w().layoutStylePage().genericOption());
        w.fore(); // generic: 2 -> 4 captures page 3 and meets the bad box
        checkShown(w, kTablePage);
        QVERIFY(w.w().tablePage().paddingBox()->property("problem").toBool());
        QCOMPARE(w.w().page(kTablePage)->problemText(),
                 QString("The table settings are read even without tables. Type a whole number "
                         "from -32768 to 32767."));
    }

    void table_needs_a_column_data()
    {
        QTest::addColumn<QString>("columns");
        QTest::newRow("zero") << "0";
        QTest::newRow("negative") << "-2";
        QTest::newRow("rounds to zero") << "0.4";
    }

    void table_needs_a_column()
    {
        QFETCH(QString, columns);
        WizardFixture w;
        for (int i = 0; i < 3; ++i)
            w.fore();
        const WizardSettings before = w.settings;
        w.type(w.w().tablePage().columnsBox(), columns);
        w.fore();
        checkShown(w, kTablePage);
        QCOMPARE(w.w().page(kTablePage)->problemText(),
                 QString("A table needs at least one column."));
        QCOMPARE(w.settings, before);
        w.type(w.w().tablePage().columnsBox(), "1");
        w.fore();
        checkShown(w, kThumbnailsPage);
        QCOMPARE(w.settings.tableColumns, 1);
    }

    void generic_layout_ignores_column_count()
    {
        WizardFixture w;
        for (int i = 0; i < 3; ++i)
            w.fore();
        w.type(w.w().tablePage().columnsBox(), "0");
        w.back();
        w.click(w.w().layoutStylePage().genericOption());
        w.fore();
        checkShown(w, kThumbnailsPage);
        QCOMPARE(w.settings.tableColumns, 0);
    }

    // A double click on Fore switches one page. On page 6 the second press
    // lands on Fin, which has just taken Fore's place, and must not start
    // the run.
    void double_click_is_one_click_data()
    {
        QTest::addColumn<int>("fromPage");
        QTest::newRow("page 1") << 1;
        QTest::newRow("page 6") << 6;
    }
    void double_click_is_one_click()
    {
        QFETCH(int, fromPage);
        WizardFixture w;
        for (int i = 0; i < fromPage; ++i)
            w.fore();
        w.w().picturesPage().pictureList().append({"/pictures/a.jpg"}); // Fin would go on
        QWidget *fore = w.w().foreButton();
        QTest::mouseDClick(w.window->windowHandle(), Qt::LeftButton, {},
                           fore->mapTo(w.window.get(), fore->rect().center()));
        checkShown(w, fromPage + 1);
        QVERIFY(w.dialogs.calls.isEmpty());
    }

    void buttons_take_no_focus()
    {
        WizardFixture w;
        for (QWidget *button : {w.w().backButton(), w.w().foreButton(), w.w().finButton()})
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(w.w().foreButton()->geometry(), w.w().finButton()->geometry());
    }
};

QTEST_MAIN(TestWizardNavigation)
#include "test_wizard_navigation.moc"
