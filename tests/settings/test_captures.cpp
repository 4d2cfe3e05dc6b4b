#include "settings/captures.h"
#include "settings/start_values.h"

#include <QTest>

using namespace vintora;

namespace {

TableControls defaultTable()
{
    TableControls t;
    t.numberTexts = {"4", "1", "1", "0"};
    t.cellBackColor = 0xFFFFFF;
    const char *captions[] = {"Left", "Center", "Right", "Top", "Middle", "Bottom"};
    for (int i = 0; i < 6; ++i)
        t.alignOptions[i] = {i == 1 || i == 4, QString::fromLatin1(captions[i])};
    return t;
}

ThumbnailControls defaultThumbnails()
{
    ThumbnailControls t;
    t.sizeTexts = {"100", "100", "25", "25"};
    return t;
}

} // namespace

class TestCaptures : public QObject
{
    Q_OBJECT

private slots:
    void record_starts_empty()
    {
        const WizardSettings s;
        QCOMPARE(s.currentPage, 0);
        QVERIFY(s.layoutStyle.isEmpty());
        QCOMPARE(s.copyPictures, kFalse);
        QCOMPARE(s.tableColumns, 0);
        QVERIFY(s.cellAlign.isEmpty());
    }

    // The start values, written out: the default page of the wizard.
    void start_settings_are_the_default_page()
    {
        const WizardSettings s = StartSettings();
        QCOMPARE(s.currentPage, 0);
        QCOMPARE(s.layoutStyle, QString("table"));
        QCOMPARE(s.textColor, 0x000000u);
        QCOMPARE(s.linkColor, 0xFF0000u);
        QCOMPARE(s.activeLinkColor, 0x0000FFu);
        QCOMPARE(s.visitedLinkColor, 0xC000C0u);
        QCOMPARE(s.pageColor, 0xFFFFFFu);
        QVERIFY(s.backgroundPicture.isEmpty());
        QCOMPARE(s.tableColumns, 4);
        QCOMPARE(s.cellSpacing, 1);
        QCOMPARE(s.cellPadding, 1);
        QCOMPARE(s.tableBorder, 0);
        QCOMPARE(s.thumbHeight, 100);
        QCOMPARE(s.thumbWidth, 100);
        QCOMPARE(s.thumbHeightPercent, 0);
        QCOMPARE(s.thumbWidthPercent, 0);
        QCOMPARE(s.imageBorders, 0);
        QCOMPARE(s.cellColor, 0xFFFFFFu);
        QVERIFY(s.cellPicture.isEmpty());
        QCOMPARE(s.cellAlign, QString("Center"));
        QCOMPARE(s.cellVAlign, QString("Middle"));
        QCOMPARE(s.copyPictures, -1);
        QCOMPARE(s.makeThumbnails, 0);
        QCOMPARE(QString(kStartValues.pageName), QString("vintora.htm"));
    }

    void page_style_copies_colours_and_path()
    {
        WizardSettings s;
        PageStyleControls c;
        c.labelColors = {0x000000, 0xFF0000, 0x0000FF, 0xC000C0};
        c.previewBackColor = 0x123456;
        c.previewTag = "/pics/tile.gif";
        CapturePageStyle(s, c);
        QCOMPARE(s.textColor, 0x000000u);
        QCOMPARE(s.linkColor, 0xFF0000u);
        QCOMPARE(s.activeLinkColor, 0x0000FFu);
        QCOMPARE(s.visitedLinkColor, 0xC000C0u);
        QCOMPARE(s.pageColor, 0x123456u);
        QCOMPARE(s.backgroundPicture, QString("/pics/tile.gif"));

        c.previewTag.clear();
        CapturePageStyle(s, c);
        QVERIFY(s.backgroundPicture.isEmpty());
    }

    void table_defaults()
    {
        WizardSettings s;
        QVERIFY(!CaptureTable(s, defaultTable()));
        QCOMPARE(s.tableColumns, 4);
        QCOMPARE(s.cellSpacing, 1);
        QCOMPARE(s.cellPadding, 1);
        QCOMPARE(s.tableBorder, 0);
        QCOMPARE(s.cellColor, 0xFFFFFFu);
        QVERIFY(s.cellPicture.isEmpty());
        QCOMPARE(s.cellAlign, QString("Center"));
        QCOMPARE(s.cellVAlign, QString("Middle"));
    }

    void table_takes_chosen_captions_and_clears_stale_picture()
    {
        WizardSettings s;
        auto t = defaultTable();
        t.cellPictureTag = "/pics/cell.gif";
        for (auto &o : t.alignOptions)
            o.chosen = false;
        t.alignOptions[2].chosen = true;
        t.alignOptions[5].chosen = true;
        t.numberTexts = {" 3 ", "2.5", "-1", "7.5"};
        QVERIFY(!CaptureTable(s, t));
        QCOMPARE(s.cellAlign, QString("Right"));
        QCOMPARE(s.cellVAlign, QString("Bottom"));
        QCOMPARE(s.cellPicture, QString("/pics/cell.gif"));
        QCOMPARE(s.tableColumns, 3);
        QCOMPARE(s.cellSpacing, 2);
        QCOMPARE(s.cellPadding, -1);
        QCOMPARE(s.tableBorder, 8);

        // A later capture with an empty tag must not keep the old path.
        t.cellPictureTag.clear();
        QVERIFY(!CaptureTable(s, t));
        QVERIFY(s.cellPicture.isEmpty());
    }

    void table_group_without_choice_keeps_previous_word()
    {
        WizardSettings s;
        QVERIFY(!CaptureTable(s, defaultTable()));
        auto t = defaultTable();
        for (int i = 3; i < 6; ++i)
            t.alignOptions[i].chosen = false;
        t.alignOptions[1].chosen = false;
        t.alignOptions[0].chosen = true;
        QVERIFY(!CaptureTable(s, t));
        QCOMPARE(s.cellAlign, QString("Left"));
        QCOMPARE(s.cellVAlign, QString("Middle"));
    }

    void table_bad_number_changes_nothing_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("columns garbage") << 0 << "four";
        QTest::newRow("spacing too big") << 1 << "40000";
        QTest::newRow("padding empty") << 2 << "";
        QTest::newRow("border too small") << 3 << "-32769";
    }

    void table_bad_number_changes_nothing()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        WizardSettings s;
        QVERIFY(!CaptureTable(s, defaultTable()));
        const WizardSettings before = s;

        auto t = defaultTable();
        t.numberTexts = {"9", "9", "9", "9"};
        t.numberTexts[box] = text;
        t.cellBackColor = 0x00FF00;
        t.cellPictureTag = "/x.gif";
        const auto bad = CaptureTable(s, t);
        QVERIFY(bad.has_value());
        QCOMPARE(*bad, (BadNumberBox{"Text1", box}));
        QCOMPARE(s, before);
    }

    void thumbnails_uniform_left_is_height()
    {
        WizardSettings s;
        auto t = defaultThumbnails();
        t.sizeTexts[0] = "80";
        t.sizeTexts[1] = "120";
        QVERIFY(!CaptureThumbnails(s, t));
        QCOMPARE(s.thumbHeight, 80);
        QCOMPARE(s.thumbWidth, 120);
        QCOMPARE(s.thumbHeightPercent, 0);
        QCOMPARE(s.thumbWidthPercent, 0);
    }

    void thumbnails_switch_between_rows()
    {
        WizardSettings s;
        auto t = defaultThumbnails();
        t.uniformChosen = false;
        t.sizeTexts[3] = "30"; // left box of the percentage row: height
        QVERIFY(!CaptureThumbnails(s, t));
        QCOMPARE(s.thumbHeight, 0);
        QCOMPARE(s.thumbWidth, 0);
        QCOMPARE(s.thumbHeightPercent, 30);
        QCOMPARE(s.thumbWidthPercent, 25);

        t.uniformChosen = true;
        QVERIFY(!CaptureThumbnails(s, t));
        QCOMPARE(s.thumbHeight, 100);
        QCOMPARE(s.thumbWidth, 100);
        QCOMPARE(s.thumbHeightPercent, 0);
        QCOMPARE(s.thumbWidthPercent, 0);
    }

    void thumbnails_only_chosen_row_is_read()
    {
        WizardSettings s;
        auto t = defaultThumbnails();
        t.sizeTexts[2] = "not a number";
        QVERIFY(!CaptureThumbnails(s, t));

        t.uniformChosen = false;
        const WizardSettings before = s;
        const auto bad = CaptureThumbnails(s, t);
        QVERIFY(bad.has_value());
        QCOMPARE(*bad, (BadNumberBox{"txtSize", 2}));
        QCOMPARE(s, before);
    }

    void thumbnails_borders_for_checked_or_grayed_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("expected");
        QTest::newRow("unchecked") << 0 << int(kFalse);
        QTest::newRow("checked") << 1 << int(kTrue);
        QTest::newRow("grayed") << 2 << int(kTrue);
    }

    void thumbnails_borders_for_checked_or_grayed()
    {
        QFETCH(int, state);
        QFETCH(int, expected);
        WizardSettings s;
        auto t = defaultThumbnails();
        t.borders = static_cast<CheckState>(state);
        QVERIFY(!CaptureThumbnails(s, t));
        QCOMPARE(int(s.imageBorders), expected);
    }

    void packaging()
    {
        WizardSettings s;
        CapturePackaging(s, {true});
        QCOMPARE(s.copyPictures, kTrue);
        CapturePackaging(s, {false});
        QCOMPARE(s.copyPictures, kFalse);
    }
};

QTEST_APPLESS_MAIN(TestCaptures)
#include "test_captures.moc"
