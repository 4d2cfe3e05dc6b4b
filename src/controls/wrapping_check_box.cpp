#include "controls/wrapping_check_box.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>

namespace vintora {

namespace {

constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

} // namespace

WrappingCheckBox::WrappingCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent)
{
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QSize WrappingCheckBox::indicatorSize() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return {style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this),
            style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this)};
}

int WrappingCheckBox::captionLeft() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return indicatorSize().width()
           + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
}

QRect WrappingCheckBox::captionBounds(int captionWidth) const
{
    return fontMetrics().boundingRect(QRect(0, 0, std::max(1, captionWidth), QWIDGETSIZE_MAX),
                                      kCaptionFlags, text());
}

bool WrappingCheckBox::hasHeightForWidth() const
{
    return true;
}

int WrappingCheckBox::heightForWidth(int width) const
{
    const int line = fontMetrics().height();
    const int indicator = indicatorSize().height();
    // The box is centred on the first line; the lines below add their height.
    return std::max(indicator, line) + captionBounds(width - captionLeft()).height() - line;
}

QSize WrappingCheckBox::sizeHint() const
{
    const int oneLine = captionLeft() + fontMetrics().horizontalAdvance(text());
    const int width = oneLine <= this->width() ? oneLine : this->width();
    return {width, heightForWidth(width)};
}

QSize WrappingCheckBox::minimumSizeHint() const
{
    return sizeHint();
}

WrappingCheckBox::Places WrappingCheckBox::placesFor(QSize size) const
{
    const int line = fontMetrics().height();
    const QSize indicator = indicatorSize();
    const int firstLine = std::max(indicator.height(), line);
    const QRect bounds = captionBounds(size.width() - captionLeft());
    const int top = std::max(0, (size.height() - heightForWidth(size.width())) / 2);
    Places places;
    places.box = QRect(QPoint(0, top + (firstLine - indicator.height()) / 2), indicator);
    places.caption
            = QRect(captionLeft(), top + (firstLine - line) / 2, bounds.width(), bounds.height());
    return places;
}

bool WrappingCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void WrappingCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const Places places = placesFor(size());

    QStyleOptionButton box = option;
    box.rect = places.box;
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
    painter.drawItemText(places.caption, kCaptionFlags, palette(), isEnabled(), text(),
                         foregroundRole());
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = places.caption.adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace vintora
