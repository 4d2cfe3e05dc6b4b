#include "designer/table_cell_designer.h"

#include "controls/clickable_label.h"
#include "controls/picture_box.h"

#include "preview_watch.h"
#include "support/picture_files.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

// The cell controls of the Table page: two captions, each with a 33 x 17
// pixel swatch (495 x 255 twips) over its right end.
struct Page
{
    QWidget owner;
    std::array<ClickableLabel *, 2> labTable{new ClickableLabel(&owner),
                                             new ClickableLabel(&owner)};
    std::array<PictureBox *, 2> picTable{new PictureBox(&owner), new PictureBox(&owner)};
    ScriptedDialogs dialogs;
    QStringList reports;
    QStringList previews; // paths handed to a scripted preview
    TableCellDesigner designer;

    // A real preview window, or a scripted one that records the paths.
    explicit Page(bool realPreview = false)
        : designer(&owner, dialogs, {labTable[0], picTable[0], labTable[1], picTable[1]},
                   [this](const QString &line) { reports.append(line); },
                   realPreview ? TableCellDesigner::ShowPreview()
                               : [this](const QString &path) {
                                     previews.append(path);
                                     return QString();
                                 })
    {
        owner.resize(464, 354);
        labTable[0]->setGeometry(16, 256, 121, 25);
        picTable[0]->setGeometry(104, 256, 33, 17);
        labTable[1]->setGeometry(152, 256, 97, 25);
        picTable[1]->setGeometry(216, 256, 33, 17);
    }

    WizardSettings captured() const
    {
        TableControls controls;
        controls.numberTexts = {"4", "1", "1", "0"};
        designer.fillControls(controls);
        WizardSettings settings;
        CaptureTable(settings, controls);
        return settings;
    }
};

} // namespace

class TestTableCellDesigner : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_tile;

private slots:
    void initTestCase()
    {
        m_tile = picture_files::write(m_dir.path(), "tile.png", picture_files::pattern({100, 50}));
        QVERIFY(!m_tile.isEmpty());
    }

    void cell_colour_data()
    {
        QTest::addColumn<std::optional<QColor>>("answer");
        QTest::addColumn<ColorValue>("expected");
        QTest::newRow("chosen") << std::optional(QColor(0x56, 0x34, 0x12)) << ColorValue(0x123456);
        QTest::newRow("black") << std::optional(QColor(Qt::black)) << ColorValue(0);
        QTest::newRow("cancelled") << std::optional<QColor>() << ColorValue(0x00AA00);
    }
    void cell_colour()
    {
        QFETCH(std::optional<QColor>, answer);
        QFETCH(ColorValue, expected);
        Page page;
        page.dialogs.colors = {QColor(0, 0xAA, 0), answer};
        page.designer.chooseCellColor();
        page.designer.chooseCellColor();
        QCOMPARE(page.dialogs.calls[0].initial, QColor(Qt::white));
        QCOMPARE(page.dialogs.calls[1].initial, QColor(0, 0xAA, 0));
        QCOMPARE(page.dialogs.calls[1].owner, &page.owner);
        QCOMPARE(page.captured().cellColor, expected);
        QVERIFY(page.captured().cellPicture.isEmpty());
    }

    void cell_picture_and_cancel()
    {
        Page page;
        QVERIFY(page.picTable[1]->toolTip().isEmpty());
        page.dialogs.files = {m_tile, QString()};
        page.designer.chooseCellPicture();
        QCOMPARE(page.dialogs.calls[0].text, picturesFileFilter());
        QCOMPARE(page.captured().cellPicture, m_tile);
        QCOMPARE(page.picTable[1]->toolTip(), m_tile + " (click to preview)");

        // Only the top-left corner shows, unscaled, inside the border.
        const QImage source = picture_files::pattern({100, 50});
        QImage shown = page.picTable[1]->grab().toImage();
        QCOMPARE(shown.size(), QSize(33, 17));
        QCOMPARE(shown.pixel(1, 1), source.pixel(0, 0));
        QCOMPARE(shown.pixel(31, 15), source.pixel(30, 14));

        page.designer.chooseCellPicture();
        QVERIFY(page.captured().cellPicture.isEmpty());
        QCOMPARE(page.picTable[1]->toolTip(), QString("(none selected)"));
        QCOMPARE(page.picTable[1]->grab().toImage().pixel(5, 5), qRgb(255, 255, 255));
    }

    void unusable_picture_changes_nothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        const QDir dir(m_dir.path());
        QTest::newRow("missing") << dir.filePath("gone.jpg")
                                 << "Could not find the file \"gone.jpg\".";
        QTest::newRow("not a picture") << picture_files::writeBytes(dir, "notes.txt", "words")
                                       << "\"notes.txt\" is not a picture Vintora can show.";
    }
    void unusable_picture_changes_nothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        Page page;
        page.dialogs.files = {m_tile, path};
        page.designer.chooseCellPicture();
        const qint64 picture = page.picTable[1]->picture().cacheKey();
        page.designer.chooseCellPicture();
        QCOMPARE(page.reports.last(), problem);
        QCOMPARE(page.picTable[1]->tag(), m_tile);
        QCOMPARE(page.picTable[1]->toolTip(), m_tile + " (click to preview)");
        QCOMPARE(page.picTable[1]->picture().cacheKey(), picture);
    }

    void swatch_clicks_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("colour swatch") << 0 << false;
        QTest::newRow("colour swatch, picture chosen") << 0 << true;
        QTest::newRow("picture swatch") << 1 << false;
        QTest::newRow("picture swatch, picture chosen") << 1 << true;
    }
    void swatch_clicks()
    {
        QFETCH(int, index);
        QFETCH(bool, chosen);
        Page page;
        page.owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page.owner));
        page.dialogs.files = {m_tile};
        if (chosen)
            QTest::mouseClick(page.labTable[1], Qt::LeftButton, {}, {5, 20});
        QTest::mouseClick(page.picTable[index], Qt::LeftButton);
        QTest::mouseClick(page.picTable[index], Qt::LeftButton);
        const bool shows = chosen && index == 1;
        QCOMPARE(page.previews, shows ? QStringList({m_tile, m_tile}) : QStringList());
    }

    // Through the real preview window, which reads the file again at every
    // click rather than using the swatch's picture.
    void preview_reloads_from_the_path()
    {
        const QDir dir(m_dir.path());
        const QString path
                = picture_files::write(dir, "cell.png", picture_files::filled({60, 40}, Qt::red));
        Page page(true);
        page.dialogs.files = {path};
        page.designer.chooseCellPicture();
        picture_files::write(dir, "cell.png", picture_files::filled({70, 30}, Qt::blue));

        QImage shown;
        PreviewWatch watch(
                [&](PreviewWindow *window) { shown = window->picView()->picture().toImage(); });
        page.designer.previewCellPicture();
        QCOMPARE(shown.size(), QSize(70, 30));
        QCOMPARE(shown.pixel(0, 0), qRgb(0, 0, 255));

        // Once the file is gone the click says so and opens nothing.
        QVERIFY(QFile::remove(path));
        page.designer.previewCellPicture();
        QCOMPARE(page.reports.last(), QString("Could not find the file \"cell.png\"."));
        QCOMPARE(watch.seen(), 1);
    }
};

QTEST_MAIN(TestTableCellDesigner)
#include "test_table_cell_designer.moc"
