#include "controls/focus_list_view.h"

#include "controls/keyboard_activation.h"

#include <QEvent>
#include <QPainter>

namespace vintora {

FocusListView::FocusListView(QWidget *parent) : QListView(parent) {}

bool FocusListView::event(QEvent *event)
{
    // The view's own paint event draws its border (the viewport's paints
    // reach paintEvent()); the focus frame goes over that border.
    const bool handled = QListView::event(event);
    if (event->type() == QEvent::Paint && showsFocusFrame()) {
        QPainter painter(this);
        paintFocusFrame(this, painter, rect().adjusted(0, 0, -1, -1));
    }
    return handled;
}

} // namespace vintora
