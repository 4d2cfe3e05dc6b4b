#include "designer/preview_window.h"

#include "designer/picture_loading.h"
#include "designer/preview_geometry.h"
#include "wizard/controls/picture_box.h"
#include "wizard/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace vintora {

PreviewWindow::PreviewWindow()
    : QDialog(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_scrollArea(new QScrollArea(this))
    , m_picView(new PictureBox)
{
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(QStringLiteral("Picture Preview"));
    setWindowModality(Qt::ApplicationModal);
    // A tool window would otherwise hide whenever the program is inactive.
    setAttribute(Qt::WA_MacAlwaysShowToolWindow);

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
    setFixedSize(previewClientSize(m_picView->size(), maxClient, bar));
    move(outerTopLeft);
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
    PreviewWindow window;
    window.present(QPixmap::fromImage(picture.image), topLeft, maxClient);
    window.exec();
    return QString();
}

} // namespace vintora
