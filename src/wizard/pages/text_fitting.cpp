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
    if (qobject_cast<const QRadioButton *>(widget) || qobject_cast<const QCheckBox *>(widget))
        return widget->sizeHint().width() <= visible.width();
    return true;
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
