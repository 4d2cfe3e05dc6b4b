#include "wizard/controls/clickable_label.h"

#include "wizard/color_value.h"

#include <QMouseEvent>

namespace vintora {

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

ColorValue ClickableLabel::foreColor() const
{
    return fromQColor(palette().color(QPalette::WindowText));
}

void ClickableLabel::setForeColor(ColorValue color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, toQColor(color));
    setPalette(p);
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_click.release(this, event);
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

} // namespace vintora
