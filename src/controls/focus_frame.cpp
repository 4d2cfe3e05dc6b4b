#include "controls/focus_frame.h"

#include <QPainter>

namespace vintora {

FocusFrame::FocusFrame(QWidget *target) : QWidget(target->parentWidget()), m_target(target)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusFrame::showAround(const QRect &shown)
{
    // The line lies kGap pixels outside shown; the widget covers the line.
    constexpr int out = kGap + 1;
    setGeometry(shown.translated(m_target->pos()).adjusted(-out, -out, out, out));
    raise();
    show();
}

void FocusFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_target->palette().color(QPalette::Highlight), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace vintora
