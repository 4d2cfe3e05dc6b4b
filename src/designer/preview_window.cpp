#include "designer/preview_window.h"

#include "base/twips.h"
#include "controls/picture_box.h"
#include "pictures/picture_loading.h"
#include "tiling/preview_geometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vintora {

PreviewWindow::PreviewWindow(QWidget *wizard)
    : QDialog(wizard, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                              | Qt::WindowCloseButtonHint)
    , m_scrollArea(new QScrollArea(this))
    , m_picView(new PictureBox)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Picture Preview"));
    setWindowModality(Qt::ApplicationModal);

    m_picView->setObjectName(QStringLiteral("picView"));
    m_picView->setAutoSize(true);

    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->setWidget(m_picView);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollArea);
}

void PreviewWindow::present(const QPixmap &picture, const QPoint &outerTopLeft,
                            const QSize &maxClient)
{
    m_picView->setPicture(picture);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scrollArea);
    QSize client = previewClientSize(m_picView->size(), maxClient, bar);
    client.setWidth(std::min(std::max(client.width(), captionWidth()), maxClient.width()));
    setFixedSize(client);
    move(outerTopLeft);
}

int PreviewWindow::captionWidth() const
{
    // Title bars often set their caption in bold; beside it lie the close
    // box, the place of an icon and the margins, about a bar's height each.
    QFont caption = font();
    caption.setBold(true);
    const int bar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    return QFontMetrics(caption).horizontalAdvance(windowTitle()) + 3 * bar;
}

void PreviewWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized))
        return;
    const QWidget *wizard = parentWidget() ? parentWidget()->window() : nullptr;
    if (wizard && wizard->isMinimized())
        return; // minimised with the wizard, and shown again with it
    QTimer::singleShot(0, this, [this] { setWindowState(windowState() & ~Qt::WindowMinimized); });
}

QString ShowPicturePreview(QWidget *wizard, const QString &path)
{
    const LoadedPicture picture = loadPicture(path);
    if (!picture.loaded())
        return picture.problem;

    QWidget *wizardWindow = wizard ? wizard->window() : nullptr;
    const QPoint wizardTopLeft = wizardWindow ? wizardWindow->frameGeometry().topLeft() : QPoint();
    const QPoint topLeft = previewTopLeft(
            QPointF(twipsFromPixels(wizardTopLeft.x()), twipsFromPixels(wizardTopLeft.y())));

    QScreen *screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = wizardWindow ? wizardWindow->screen() : QGuiApplication::primaryScreen();
    // The preview's own frame is not known before it is shown; the wizard's
    // is at least as large, a tool window's caption bar being the smaller.
    QMargins frame;
    if (wizardWindow && wizardWindow->isVisible()) {
        const QRect outer = wizardWindow->frameGeometry();
        const QRect inner = wizardWindow->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    }
    const QSize maxClient = screen ? previewMaxClient(screen->availableGeometry(), topLeft, frame)
                                   : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    // A new window for every showing: nothing carries over from the last.
    // It may go with the wizard while it is open, so it is never on the
    // stack.
    QPointer<PreviewWindow> window = new PreviewWindow(wizardWindow);
    window->present(QPixmap::fromImage(picture.image), topLeft, maxClient);
    window->exec();
    delete window;
    // The keyboard goes back to the wizard, also where no window manager
    // gives it back (see QtDialogs).
    if (wizardWindow && wizardWindow->isVisible())
        wizardWindow->activateWindow();
    return QString();
}

} // namespace vintora
