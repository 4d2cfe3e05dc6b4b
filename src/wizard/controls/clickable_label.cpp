#include "wizard/controls/clickable_label.h"

#include "wizard/color_value.h"
#include "wizard/controls/keyboard_activation.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace vintora {

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
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
    emit foreColorChanged();
}

bool ClickableLabel::event(QEvent *event)
{
    return claimActivationKey(this, event) || QLabel::event(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    if (!isActivationKey(event)) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    emit clicked();
}

void ClickableLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    const QRect shown
            = pixmap().isNull()
                      ? fontMetrics().boundingRect(contentsRect(), int(alignment()), text())
                      : QStyle::alignedRect(layoutDirection(), alignment(),
                                            pixmap().deviceIndependentSize().toSize(),
                                            contentsRect());
    QPainter painter(this);
    paintFocusFrame(this, painter, shown);
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
