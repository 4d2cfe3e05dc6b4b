#include "wizard/pages/page_widgets.h"

#include "base/twips.h"
#include "wizard/artwork.h"

namespace vintora {

QString catalogueName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QPoint twipsPoint(int left, int top)
{
    return QPoint(twipsToPixels(left), twipsToPixels(top));
}

QLabel *staticText(QWidget *page, int index, const QString &text, QRect geometry,
                   Qt::Alignment horizontal)
{
    auto *label = place(new QLabel(text, page), catalogueName("Label1", index), geometry);
    label->setWordWrap(true);
    label->setAlignment(horizontal | Qt::AlignTop);
    return label;
}

ClickableLabel *linkLabel(QWidget *page, const char *name, int index, const QString &text,
                          QRect geometry, Qt::Alignment horizontal)
{
    auto *label = place(new ClickableLabel(text, page), catalogueName(name, index), geometry);
    label->setAlignment(horizontal | Qt::AlignTop);
    // Only the underline is set, so that the label keeps following the
    // window's font in everything else.
    QFont font;
    font.setUnderline(true);
    label->setFont(font);
    return label;
}

QLabel *image(QWidget *parent, const QString &objectName, const char *artworkName, QPoint at)
{
    const QPixmap pixmap = artwork(artworkName);
    auto *label = place(new QLabel(parent), objectName,
                        QRect(at, pixmap.deviceIndependentSize().toSize()));
    label->setPixmap(pixmap);
    return label;
}

ClickableLabel *imageButton(QWidget *parent, const QString &objectName, const char *artworkName,
                            QPoint at)
{
    const QPixmap pixmap = artwork(artworkName);
    auto *button = place(new ClickableLabel(parent), objectName,
                         QRect(at, pixmap.deviceIndependentSize().toSize()));
    button->setPixmap(pixmap);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

ClickableLabel *linkImage(QWidget *parent, const QString &objectName, const char *artworkName,
                          QPoint at)
{
    ClickableLabel *link = imageButton(parent, objectName, artworkName, at);
    link->setFocusPolicy(Qt::TabFocus);
    return link;
}

QLineEdit *numberBox(QWidget *page, const char *name, int index, const QString &text,
                     QRect geometry)
{
    auto *box = place(new QLineEdit(text, page), catalogueName(name, index), geometry);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

void describeNumberBox(QLineEdit *box, const QString &holds)
{
    box->setToolTip(holds);
    box->setAccessibleDescription(holds);
}

QRadioButton *option(QWidget *parent, const char *name, int index, const QString &caption,
                     QRect geometry, bool chosen)
{
    auto *button = place(new QRadioButton(caption, parent), catalogueName(name, index), geometry);
    button->setChecked(chosen);
    return button;
}

} // namespace vintora
