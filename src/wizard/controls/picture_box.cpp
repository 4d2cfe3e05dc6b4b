#include "wizard/controls/picture_box.h"

#include "wizard/color_value.h"

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
}

void PictureBox::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (m_autoSize)
        fitToPicture();
    update();
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
