#include "controls/picture_box.h"

#include "controls/color_value.h"
#include "controls/keyboard_activation.h"

#include <QMouseEvent>
#include <QPainter>

namespace vintora {

PictureBox::PictureBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setBackColor(0xFFFFFF);
}

void PictureBox::setBackColor(ColorValue color)
{
    m_backColor = color;
    update();
    emit changed();
}

void PictureBox::setTag(const QString &tag)
{
    m_tag = tag;
    emit changed();
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (m_autoSize)
        fitToPicture();
    update();
    emit changed();
}

void PictureBox::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        fitToPicture();
}

void PictureBox::fitToPicture()
{
    const int border = 2 * frameWidth();
    resize(m_picture.deviceIndependentSize().toSize() + QSize(border, border));
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        const QRect inner = contentsRect();
        painter.fillRect(inner, toQColor(m_backColor));
        if (!m_picture.isNull()) {
            painter.setClipRect(inner);
            painter.drawPixmap(inner.topLeft(), m_picture);
        }
    }
    QFrame::paintEvent(event); // the border
    if (hasFocus()) {
        QPainter painter(this);
        paintFocusFrame(this, painter, contentsRect().adjusted(0, 0, -1, -1));
    }
}

bool PictureBox::event(QEvent *event)
{
    return claimActivationKey(this, event) || QFrame::event(event);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    if (!isActivationKey(event)) {
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
    if (isActivationClick(event))
        emit clicked();
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    m_click.press(event);
    QFrame::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_click.release(this, event);
    QFrame::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

} // namespace vintora
