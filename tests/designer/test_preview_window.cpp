#include "designer/preview_window.h"

#include "base/twips.h"
#include "controls/clickable_label.h"
#include "controls/picture_box.h"

#include "preview_watch.h"
#include "support/picture_files.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace vintora;

class TestPreviewWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QWidget m_wizard;
    ClickableLabel *m_fore = new ClickableLabel(&m_wizard);
    int m_foreClicks = 0;

    QString write(const QString &name, const QSize &size, const QColor &color)
    {
        return picture_files::write(m_dir.path(), name, picture_files::filled(size, color));
    }

private slots:
    void initTestCase()
    {
        // A wizard at 1000, 2000 twips lies at 67, 133 pixels (66.67 and
        // 133.33 rounded), that is at 1005, 1995 twips; the preview then
        // belongs at 1105, 2095 twips: 74, 140 pixels.
        m_wizard.move(pixelsFromTwips(1000), pixelsFromTwips(2000));
        m_wizard.resize(464, 354);
        m_fore->setGeometry(10, 10, 80, 20);
        connect(m_fore, &ClickableLabel::clicked, this, [this] { ++m_foreClicks; });
        m_wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_wizard));
        QCOMPARE(m_wizard.frameGeometry().topLeft(), QPoint(67, 133));
    }

    void showings_place_and_size_the_window()
    {
        const QStringList paths = {write("small.png", {200, 100}, Qt::red),
                                   write("huge.png", {3000, 2000}, Qt::green),
                                   write("second.bmp", {50, 40}, Qt::blue)};
        struct Look
        {
            QRect frame;
            QSize client, picture, picView, viewport;
            QRgb corner;
            bool bars;
        };
        QList<Look> looks;
        int captionText = 0;
        PreviewWatch watch([&](PreviewWindow *w) {
            QCOMPARE(w->windowTitle(), QString("Picture Preview"));
            QCOMPARE(w->windowModality(), Qt::ApplicationModal);
            // A dialog of the wizard's, which the window manager keeps above it.
            QCOMPARE(w->parentWidget(), &m_wizard);
            QCOMPARE(w->windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
            QVERIFY(!(w->windowFlags() & Qt::WindowMinMaxButtonsHint));
            QFont bold = w->font();
            bold.setBold(true);
            captionText = QFontMetrics(bold).horizontalAdvance("Picture Preview");
            const QScrollArea *area = w->scrollArea();
            looks.append({w->frameGeometry(), w->size(), w->picView()->picture().size(),
                          w->picView()->size(), area->viewport()->size(),
                          w->picView()->picture().toImage().pixel(0, 0),
                          area->horizontalScrollBar()->isVisible()
                                  || area->verticalScrollBar()->isVisible()});
        });
        for (const QString &path : paths)
            QCOMPARE(ShowPicturePreview(&m_wizard, path), QString());
        QCOMPARE(looks.size(), 3);
        for (const Look &look : looks)
            QCOMPARE(look.frame.topLeft(), QPoint(74, 140));

        // Small: the whole picture and its border, nothing to scroll.
        QCOMPARE(looks[0].picture, QSize(200, 100));
        QCOMPARE(looks[0].picView, QSize(202, 102));
        QCOMPARE(looks[0].client, QSize(202, 102));
        QCOMPARE(looks[0].viewport, QSize(202, 102));
        QVERIFY(!looks[0].bars);
        // Huge: never scaled, scrolled inside a window that ends at the
        // screen's corner.
        QCOMPARE(looks[1].picView, QSize(3002, 2002));
        QCOMPARE(looks[1].frame.bottomRight(),
                 m_wizard.screen()->availableGeometry().bottomRight());
        QVERIFY(looks[1].bars);
        // Second picture after a first: only the second, at its own size,
        // in a window wide enough for its caption and a close box.
        QCOMPARE(looks[2].picture, QSize(50, 40));
        QCOMPARE(looks[2].corner, qRgb(0, 0, 255));
        QCOMPARE(looks[2].picView, QSize(52, 42));
        QCOMPARE(looks[2].client.height(), 42);
        QVERIFY(looks[2].client.width() >= captionText + 40);
    }

    void wizard_takes_no_input_while_open_and_escape_closes()
    {
        // Clicks go through the window system, where a modal window blocks
        // the others.
        const auto clickFore = [this] {
            QTest::mouseClick(m_wizard.windowHandle(), Qt::LeftButton, {},
                              m_fore->geometry().center());
        };
        int clicksWhileOpen = -1;
        bool closedByEscape = false;
        PreviewWatch watch([&](PreviewWindow *window) {
            clickFore();
            clicksWhileOpen = m_foreClicks;
            QTest::keyClick(window, Qt::Key_Escape);
            closedByEscape = !window->isVisible();
        });
        QCOMPARE(ShowPicturePreview(&m_wizard, write("a.png", {20, 10}, Qt::red)), QString());
        QCOMPARE(clicksWhileOpen, 0);
        QVERIFY(closedByEscape);
        clickFore();
        QCOMPARE(m_foreClicks, 1);
    }

    void minimised_alone_it_comes_back()
    {
        bool shownAgain = false;
        PreviewWatch watch([&](PreviewWindow *window) {
            window->setWindowState(Qt::WindowMinimized);
            shownAgain = QTest::qWaitFor([window] { return !window->isMinimized(); });
        });
        QCOMPARE(ShowPicturePreview(&m_wizard, write("b.png", {20, 10}, Qt::red)), QString());
        QVERIFY(shownAgain);
    }

    void unloadable_picture_opens_no_window_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << m_dir.filePath("gone.png")
                                 << "Could not find the file \"gone.png\".";
        QTest::newRow("named pipe") << picture_files::pipe(m_dir.path(), "pipe.png")
                                    << "\"pipe.png\" is a named pipe, not a picture file.";
    }
    void unloadable_picture_opens_no_window()
    {
        QFETCH(QString, path);
        QFETCH(QString, problem);
        PreviewWatch watch([](PreviewWindow *) {});
        QCOMPARE(ShowPicturePreview(&m_wizard, path), problem);
        QTest::qWait(30);
        QCOMPARE(watch.seen(), 0);
    }

    // 45 megapixels, beyond Qt's default memory limit for one picture.
    void camera_picture_shows_whole()
    {
        QSize shown;
        PreviewWatch watch([&](PreviewWindow *w) { shown = w->picView()->picture().size(); });
        const QString path = picture_files::write(
                m_dir.path(), "camera.jpg", picture_files::filled({8256, 5504}, Qt::darkCyan));
        QCOMPARE(ShowPicturePreview(&m_wizard, path), QString());
        QCOMPARE(shown, QSize(8256, 5504));
    }
};

QTEST_MAIN(TestPreviewWindow)
#include "test_preview_window.moc"
