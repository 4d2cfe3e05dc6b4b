#include "designer/page_style_designer.h"

#include "base/twips.h"
#include "controls/clickable_label.h"
#include "controls/color_value.h"
#include "controls/picture_box.h"
#include "desktop/dialogs.h"
#include "pictures/picture_loading.h"
#include "tiling/tile_picture.h"

#include <QApplication>
#include <QPalette>

namespace vintora {

PageStyleDesigner::PageStyleDesigner(QWidget *owner, Dialogs &dialogs, const Widgets &widgets,
                                     Report report, QObject *parent)
    : QObject(parent)
    , m_owner(owner)
    , m_dialogs(dialogs)
    , m_widgets(widgets)
    , m_report(std::move(report))
{
    for (ClickableLabel *label : m_widgets.colorLabels)
        connect(label, &ClickableLabel::clicked, this, [this, label] { chooseLabelColor(label); });
    connect(m_widgets.pageColorLink, &ClickableLabel::clicked, this,
            &PageStyleDesigner::choosePageColor);
    connect(m_widgets.backgroundLink, &ClickableLabel::clicked, this,
            &PageStyleDesigner::chooseBackground);
}

PageStyleControls PageStyleDesigner::controls() const
{
    PageStyleControls c;
    for (std::size_t i = 0; i < c.labelColors.size(); ++i)
        c.labelColors[i] = m_widgets.colorLabels[i]->foreColor();
    c.previewBackColor = m_widgets.preview->backColor();
    c.previewTag = m_widgets.preview->tag();
    return c;
}

void PageStyleDesigner::chooseLabelColor(ClickableLabel *label)
{
    // The line speaks of the last choice only.
    report({});
    // The dialog opens on the current colour; only its own cancel leaves the
    // colour as it was, so black can be chosen like any other colour.
    if (const auto color = m_dialogs.chooseColor(m_owner, toQColor(label->foreColor())))
        label->setForeColor(fromQColor(*color));
}

void PageStyleDesigner::choosePageColor()
{
    report({});
    // Under a background picture the new colour stays hidden, but it is the
    // page colour that is captured and shows again once the picture goes.
    if (const auto color = m_dialogs.chooseColor(m_owner, toQColor(m_widgets.preview->backColor())))
        m_widgets.preview->setBackColor(fromQColor(*color));
}

void PageStyleDesigner::chooseBackground()
{
    report({});
    PictureBox *preview = m_widgets.preview;
    const QString path = m_dialogs.openFile(m_owner, picturesFileFilter());
    if (path.isEmpty()) {
        // Cancelling means no background picture: the page colour shows again.
        preview->setPicture(QPixmap());
        preview->setTag(QString());
        return;
    }

    // Composed once per choice, over the system's window colour, at the
    // preview's outer size; repainting the preview only draws the result.
    // Tiles are drawn from the picture's top-left corner and clipped by the
    // preview, so no more of a large picture is read than the preview shows.
    const QSizeF outer(twipsFromPixels(preview->width()), twipsFromPixels(preview->height()));
    const QSize shown = tileSurfaceSize(outer).value_or(QSize()) + QSize(1, 1);
    const LoadedPicture picture = loadPicture(path, shown);
    if (!picture.loaded()) {
        report(picture.problem);
        return;
    }
    const auto tiled
            = TilePicture(outer, picture.image, QApplication::palette().color(QPalette::Base));
    if (!tiled) {
        report(tooLargeToTileMessage(path));
        return;
    }
    preview->setPicture(QPixmap::fromImage(*tiled));
    // The path is stored last, once the preview shows the picture.
    preview->setTag(path);
}

void PageStyleDesigner::report(const QString &line) const
{
    if (m_report)
        m_report(line);
}

} // namespace vintora
