#include "designer/page_style_designer.h"

#include "designer/picture_loading.h"
#include "designer/tile_picture.h"
#include "shell/dialogs.h"
#include "wizard/color_value.h"
#include "wizard/controls/clickable_label.h"
#include "wizard/controls/picture_box.h"
#include "wizard/twips.h"

#include <QApplication>
#include <QPalette>

namespace vintora {

PageStyleDesigner::PageStyleDesigner(QWidget *owner, Dialogs &dialogs,
                                     const std::array<ClickableLabel *, 6> &pgpref,
                                     PictureBox *picPreview, Report report, QObject *parent)
    : QObject(parent)
    , m_owner(owner)
    , m_dialogs(dialogs)
    , m_pgpref(pgpref)
    , m_preview(picPreview)
    , m_report(std::move(report))
{
    for (int i = 0; i < int(m_pgpref.size()); ++i)
        connect(m_pgpref[i], &ClickableLabel::clicked, this, [this, i] { click(i); });
}

void PageStyleDesigner::click(int index)
{
    if (index < 0 || index > 5)
        return;
    // The line speaks of the last choice only.
    report({});
    if (index <= 3)
        chooseLabelColor(index);
    else if (index == 4)
        choosePageColor();
    else
        chooseBackground();
}

PageStyleControls PageStyleDesigner::controls() const
{
    PageStyleControls c;
    for (int i = 0; i < 4; ++i)
        c.labelColors[i] = m_pgpref[i]->foreColor();
    c.previewBackColor = m_preview->backColor();
    c.previewTag = m_preview->tag();
    return c;
}

void PageStyleDesigner::chooseLabelColor(int index)
{
    // The dialog opens on the current colour; only its own cancel leaves the
    // colour as it was, so black can be chosen like any other colour.
    ClickableLabel *label = m_pgpref[index];
    if (const auto color = m_dialogs.chooseColor(m_owner, toQColor(label->foreColor())))
        label->setForeColor(fromQColor(*color));
}

void PageStyleDesigner::choosePageColor()
{
    // Under a background picture the new colour stays hidden, but it is the
    // page colour that is captured and shows again once the picture goes.
    if (const auto color = m_dialogs.chooseColor(m_owner, toQColor(m_preview->backColor())))
        m_preview->setBackColor(fromQColor(*color));
}

void PageStyleDesigner::chooseBackground()
{
    const QString path = m_dialogs.openFile(m_owner, picturesFileFilter());
    if (path.isEmpty()) {
        // Cancelling means no background picture: the page colour shows again.
        m_preview->setPicture(QPixmap());
        m_preview->setTag(QString());
        return;
    }

    // Composed once per choice, over the system's window colour, at the
    // preview's outer size; repainting the preview only draws the result.
    // Tiles are drawn from the picture's top-left corner and clipped by the
    // preview, so no more of a large picture is read than the preview shows.
    const QSizeF outer(twipsFromPixels(m_preview->width()), twipsFromPixels(m_preview->height()));
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
    m_preview->setPicture(QPixmap::fromImage(*tiled));
    // The path is stored last, once the preview shows the picture.
    m_preview->setTag(path);
}

void PageStyleDesigner::report(const QString &line) const
{
    if (m_report)
        m_report(line);
}

} // namespace vintora
