#include "controls/clickable_label.h"

#include "controls/color_value.h"
#include "controls/focus_frame.h"
#include "controls/keyboard_activation.h"

#include <QMouseEvent>
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

ClickableLabel::~ClickableLabel()
{
    delete m_focusFrame;
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
    if (isActivationClick(event))
        emit clicked();
}

void ClickableLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    if (!parentWidget())
        return;
    if (!m_focusFrame)
        m_focusFrame = new FocusFrame(this);
    m_focusFrame->showAround(shownRect());
}

void ClickableLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    if (m_focusFrame)
        m_focusFrame->hide();
}

QRect ClickableLabel::shownRect() const
{
    if (!pixmap().isNull())
        return QStyle::alignedRect(layoutDirection(), alignment(),
                                   pixmap().deviceIndependentSize().toSize(), contentsRect());
    return fontMetrics().boundingRect(contentsRect(), int(alignment()), text());
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
