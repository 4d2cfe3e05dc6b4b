#pragma once

#include <QMouseEvent>
#include <QWidget>

namespace vintora {

// Tells a click, a left-button press and release inside the widget, from
// other mouse events, for widgets that have no clicked signal of their own.
// The second press of a double click starts no click: a double click is one
// click, so that it neither switches two pages nor opens a link twice.
class ClickTracker
{
public:
    void press(const QMouseEvent *event)
    {
        m_pressed = event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton;
    }

    // True when this release completes a click.
    bool release(const QWidget *widget, const QMouseEvent *event)
    {
        const bool click = m_pressed && event->button() == Qt::LeftButton
                           && widget->rect().contains(event->position().toPoint());
        m_pressed = false;
        return click;
    }

private:
    bool m_pressed = false;
};

} // namespace vintora
