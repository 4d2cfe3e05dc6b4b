#include "wizard/pages/text_fitting.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace vintora {

bool textFits(const QWidget *widget, QSize visible)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            return true;
        if (label->wordWrap())
            return label->heightForWidth(visible.width()) <= visible.height();
        return label->fontMetrics().horizontalAdvance(label->text()) <= visible.width();
    }
    if (qobject_cast<const QRadioButton *>(widget) || qobject_cast<const QCheckBox *>(widget)) {
        if (widget->hasHeightForWidth()) // a caption that wraps
            return widget->heightForWidth(visible.width()) <= visible.height();
        return widget->sizeHint().width() <= visible.width();
    }
    return true;
}

qsizetype textLength(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text().size();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text().size();
    return 0;
}

void setPointSize(QWidget *widget, double size)
{
    QFont font = widget->font();
    font.setPointSizeF(size);
    widget->setFont(font);
}

void shrinkUntilFits(QWidget *text, QSize visible)
{
    for (double size = text->font().pointSizeF() - kTextSizeStep;
         size >= kSmallestTextSize && !textFits(text, visible); size -= kTextSizeStep)
        setPointSize(text, size);
}

} // namespace vintora
