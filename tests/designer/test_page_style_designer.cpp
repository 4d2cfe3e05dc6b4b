#include "designer/page_style_designer.h"

#include "controls/clickable_label.h"
#include "controls/color_value.h"
#include "controls/picture_box.h"
#include "pictures/picture_loading.h"

#include "support/picture_files.h"
#include "support/scripted_dialogs.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

namespace {

// The Page style page: the preview with the four colour labels on it, and
// the two captions below it.
struct Page
{
    QWidget owner;
    PictureBox *preview = new PictureBox(&owner);
    std::array<ClickableLabel *, 6> pgpref{};
    ScriptedDialogs dialogs;
    QStringList reports;
    PageStyleDesigner designer{&owner, dialogs, widgets(), [this](const QString &line) {
                                   reports.append(line);
                               }};

    PageStyleDesigner::Widgets widgets()
    {
        labels();
        return {preview, {pgpref[0], pgpref[1], pgpref[2], pgpref[3]}, pgpref[4], pgpref[5]};
    }

    std::array<ClickableLabel *, 6> labels()
    {
        owner.resize(464, 354);
        preview->setGeometry(18, 88, 217, 161);
        const ColorValue colors[] = {0x000000, 0xFF0000, 0x0000FF, 0xC000C0, 0, 0};
        for (int i = 0; i < 6; ++i) {
            pgpref[i] = new ClickableLabel(i < 4 ? static_cast<QWidget *>(preview) : &owner);
            pgpref[i]->setForeColor(colors[i]);
            pgpref[i]->setGeometry(i < 4 ? QRect(24, 32 + 24 * i, 161, 25)
                                         : QRect(i == 4 ? 176 : 8, 264, 81, 17));
        }
        return pgpref;
    }

    // A click on pgpref(index), as the label reports it.
    void click(int index) { emit pgpref[index]->clicked(); }

    WizardSettings captured() const
    {
        WizardSettings settings;
        CapturePageStyle(settings, designer.controls());
        return settings;
    }
    QImage shown() const { return preview->grab().toImage(); }
};

const std::array<ColorValue WizardSettings::*, 5> kFields
        = {&WizardSettings::textColor, &WizardSettings::linkColor, &WizardSettings::activeLinkColor,
           &WizardSettings::visitedLinkColor, &WizardSettings::pageColor};
const std::array<ColorValue, 5> kDefaults = {0x000000, 0xFF0000, 0x0000FF, 0xC000C0, 0xFFFFFF};

} // namespace

class TestPageStyleDesigner : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_tmp;
    QString m_tile;
    QByteArray m_photo; // a whole JPEG

private slots:
    void initTestCase()
    {
        // Whatever goes to the temporary folder lands where the test sees it.
        qputenv("TMPDIR", QFile::encodeName(m_tmp.path()));
        m_tile = picture_files::write(m_dir.path(), "tile.png", picture_files::pattern({100, 50}));
        QVERIFY(!m_tile.isEmpty());
        QFile photo(picture_files::write(m_dir.path(), "photo.jpg",
                                         picture_files::pattern({300, 200})));
        QVERIFY(photo.open(QIODevice::ReadOnly));
        m_photo = photo.readAll();
    }

    // Each colour caption twice: a first colour, then, opened on it, a
    // second colour, black, or a cancel.
    void colour_choices_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<std::optional<QColor>>("answer");
        QTest::addColumn<ColorValue>("expected");
        for (int i = 0; i < 5; ++i) {
            QTest::addRow("%d chosen", i)
                    << i << std::optional(QColor(0x56, 0x34, 0x12)) << ColorValue(0x123456);
            QTest::addRow("%d black", i) << i << std::optional(QColor(Qt::black)) << ColorValue(0);
            QTest::addRow("%d cancelled", i) << i << std::optional<QColor>() << ColorValue(0xAA00);
        }
    }
    void colour_choices()
    {
        QFETCH(int, index);
        QFETCH(std::optional<QColor>, answer);
        QFETCH(ColorValue, expected);
        Page page;
        page.dialogs.colors = {QColor(0, 0xAA, 0), answer};
        page.click(index);
        page.click(index);
        QCOMPARE(page.dialogs.calls.size(), 2);
        QCOMPARE(page.dialogs.calls[0].owner, &page.owner);
        QCOMPARE(page.dialogs.calls[0].initial, toQColor(kDefaults[index]));
        QCOMPARE(page.dialogs.calls[1].initial, QColor(0, 0xAA, 0));
        const WizardSettings s = page.captured();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(s.*kFields[i], i == index ? expected : kDefaults[i]);
        QVERIFY(s.backgroundPicture.isEmpty());
    }

    void labels_are_wired()
    {
        Page page;
        page.owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page.owner));
        QVERIFY(page.dialogs.calls.isEmpty());
        page.dialogs.colors = {QColor(Qt::black)};
        page.dialogs.files = {m_tile};
        QTest::mouseClick(page.pgpref[2], Qt::LeftButton);
        QTest::mouseClick(page.pgpref[5], Qt::LeftButton);
        QCOMPARE(page.captured().activeLinkColor, 0u);
        QCOMPARE(page.captured().backgroundPicture, m_tile);
    }

    void background_choice_cancel_and_page_colour()
    {
        Page page;
        page.dialogs.files = {m_tile, QString()};
        page.dialogs.colors = {QColor(0, 255, 0)};
        page.designer.chooseBackground();
        QCOMPARE(page.dialogs.calls[0].text, picturesFileFilter());
        QCOMPARE(page.captured().backgroundPicture, m_tile);

        // Tiled at the preview's outer size, shown unscaled inside its border.
        const QImage source = picture_files::pattern({100, 50});
        const QImage tiled = page.preview->picture().toImage();
        QCOMPARE(tiled.size(), QSize(217, 161));
        QCOMPARE(tiled.pixel(216, 160), source.pixel(16, 10));
        const QImage shown = page.shown();
        QCOMPARE(shown.pixel(1, 1), source.pixel(0, 0));
        QCOMPARE(shown.pixel(214, 158), source.pixel(13, 7));

        // A new page colour stays hidden but is captured ...
        page.designer.choosePageColor();
        QCOMPARE(page.shown(), shown);
        QCOMPARE(page.captured().pageColor, 0x00FF00u);
        // ... and shows once a cancel removes the background.
        page.designer.chooseBackground();
        QVERIFY(page.preview->picture().isNull());
        QCOMPARE(page.shown().pixel(5, 5), qRgb(0, 255, 0));
        QVERIFY(page.captured().backgroundPicture.isEmpty());
        QCOMPARE(page.dialogs.unexpected, 0);
    }

    void unusable_picture_changes_nothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        const QDir dir(m_dir.path());
        QTest::newRow("missing") << dir.filePath("gone.gif")
                                 << "Could not find the file \"gone.gif\".";
        QTest::newRow("not a picture") << picture_files::writeBytes(dir, "notes.txt", "words")
                                       << "\"notes.txt\" is not a picture Vintora can show.";
        QTest::newRow("no reader")
                << picture_files::writeBytes(dir, "a.webp", picture_files::webpHeader())
                << "\"a.webp\" is not a picture Vintora can show.";
        QTest::newRow("cut off after 500 bytes")
                << picture_files::writeBytes(dir, "cut.jpg", m_photo.left(500))
                << "\"cut.jpg\" is damaged or incomplete, so Vintora cannot use it.";
        QTest::newRow("named pipe") << picture_files::pipe(dir, "pipe.jpg")
                                    << "\"pipe.jpg\" is a named pipe, not a picture file.";
    }
    void unusable_picture_changes_nothing()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        Page page;
        page.dialogs.files = {m_tile, path};
        page.designer.chooseBackground();
        const qint64 picture = page.preview->picture().cacheKey();
        page.designer.chooseBackground();
        QCOMPARE(page.reports.last(), problem);
        QCOMPARE(page.preview->tag(), m_tile);
        QCOMPARE(page.preview->picture().cacheKey(), picture);
        // The next choice clears the line.
        page.dialogs.colors = {std::nullopt};
        page.click(0);
        QCOMPARE(page.reports.last(), QString());
    }

    // Only the corner the preview shows is read: a picture wider than the
    // tiling's 16-bit steps tiles like any other.
    void large_pictures_become_backgrounds_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("40000 x 1 strip") << QSize(40000, 1);
    }
    void large_pictures_become_backgrounds()
    {
        QFETCH(QSize, size);
        QImage image(size, QImage::Format_RGB32);
        image.fill(qRgb(200, 40, 40));
        for (int y = 0; y < std::min(16, size.height()); ++y)
            for (int x = 0; x < 16; ++x)
                image.setPixel(x, y, qRgb(0, 0, 255));
        const QString path = picture_files::write(m_dir.path(), "large.jpg", image);
        image = QImage();
        Page page;
        page.dialogs.files = {path};
        page.designer.chooseBackground();
        QCOMPARE(page.reports.value(0), QString());
        QCOMPARE(page.captured().backgroundPicture, path);
        const QImage tiled = page.preview->picture().toImage();
        QCOMPARE(tiled.size(), QSize(217, 161));
        QVERIFY(qBlue(tiled.pixel(4, 0)) > 200);
        QVERIFY(qRed(tiled.pixel(216, 0)) > 150);
    }

    void no_temporary_file_anywhere()
    {
        const auto listing = [](const QString &path) {
            return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        const QStringList folders = {QCoreApplication::applicationDirPath(), QDir::currentPath(),
                                     m_dir.path(), m_tmp.path()};
        QList<QStringList> before;
        for (const QString &folder : folders)
            before.append(listing(folder));

        Page page;
        page.dialogs.files = {m_tile, QString(), m_tile};
        for (int i = 0; i < 3; ++i)
            page.designer.chooseBackground();
        QVERIFY(!page.preview->picture().isNull());
        for (int i = 0; i < folders.size(); ++i)
            QCOMPARE(listing(folders[i]), before[i]);
        QVERIFY(before[3].isEmpty());
    }
};

QTEST_MAIN(TestPageStyleDesigner)
#include "test_page_style_designer.moc"
