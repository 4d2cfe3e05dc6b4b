#include "controls/keyboard_activation.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace vintora {

bool isActivationKey(const QKeyEvent *event)
{
    const int key = event->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
           && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isActivationClick(const QKeyEvent *event)
{
    return isActivationKey(event) && !event->isAutoRepeat();
}

bool claimActivationKey(const QWidget *widget, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !widget->hasFocus()
        || !isActivationKey(static_cast<QKeyEvent *>(event)))
        return false;
    event->accept();
    return true;
}

void paintFocusFrame(const QWidget *widget, QPainter &painter, const QRect &frame)
{
    if (!widget->hasFocus())
        return;
    // A plain frame in the selection colour: clearer on the white pages
    // than the faint frames some styles draw.
    const QRect inside = frame.intersected(widget->rect().adjusted(0, 0, -1, -1));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(inside);
    painter.restore();
}

} // namespace vintora
