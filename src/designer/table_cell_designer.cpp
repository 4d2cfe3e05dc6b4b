#include "designer/table_cell_designer.h"

#include "controls/clickable_label.h"
#include "controls/color_value.h"
#include "controls/picture_box.h"
#include "designer/preview_window.h"
#include "desktop/dialogs.h"
#include "pictures/picture_loading.h"

namespace vintora {

TableCellDesigner::TableCellDesigner(QWidget *owner, Dialogs &dialogs, const Widgets &widgets,
                                     Report report, ShowPreview showPreview, QObject *parent)
    : QObject(parent)
    , m_owner(owner)
    , m_dialogs(dialogs)
    , m_widgets(widgets)
    , m_report(std::move(report))
    , m_showPreview(std::move(showPreview))
{
    if (!m_showPreview) {
        m_showPreview = [this](const QString &path) {
            return ShowPicturePreview(m_owner ? m_owner->window() : nullptr, path);
        };
    }
    connect(m_widgets.cellColorLink, &ClickableLabel::clicked, this,
            &TableCellDesigner::chooseCellColor);
    connect(m_widgets.cellPictureLink, &ClickableLabel::clicked, this,
            &TableCellDesigner::chooseCellPicture);
    connect(m_widgets.cellPictureSwatch, &PictureBox::clicked, this,
            &TableCellDesigner::previewCellPicture);
}

void TableCellDesigner::previewCellPicture()
{
    const QString path = m_widgets.cellPictureSwatch->tag();
    if (path.isEmpty())
        return;
    report({});
    const QString problem = m_showPreview(path);
    if (!problem.isEmpty())
        report(problem);
}

void TableCellDesigner::fillControls(TableControls &controls) const
{
    controls.cellBackColor = m_widgets.cellColorSwatch->backColor();
    controls.cellPictureTag = m_widgets.cellPictureSwatch->tag();
}

void TableCellDesigner::chooseCellColor()
{
    report({});
    // The dialog opens on the current colour; only its own cancel leaves the
    // colour as it was, so black can be chosen like any other colour.
    PictureBox *swatch = m_widgets.cellColorSwatch;
    if (const auto color = m_dialogs.chooseColor(m_owner, toQColor(swatch->backColor())))
        swatch->setBackColor(fromQColor(*color));
}

void TableCellDesigner::chooseCellPicture()
{
    report({});
    PictureBox *swatch = m_widgets.cellPictureSwatch;
    const QString path = m_dialogs.openFile(m_owner, picturesFileFilter());
    if (path.isEmpty()) {
        swatch->setPicture(QPixmap());
        swatch->setTag(QString());
        swatch->setToolTip(QLatin1String(kNoneSelected));
        return;
    }

    // The swatch shows only the picture's top-left corner, so only that much
    // is read; the preview reads the file again.
    const LoadedPicture picture = loadPicture(path, swatch->contentsRect().size());
    if (!picture.loaded()) {
        report(picture.problem);
        return;
    }
    swatch->setPicture(QPixmap::fromImage(picture.image));
    swatch->setTag(path);
    swatch->setToolTip(path + QLatin1String(kClickToPreview));
}

void TableCellDesigner::report(const QString &line) const
{
    if (m_report)
        m_report(line);
}

} // namespace vintora
