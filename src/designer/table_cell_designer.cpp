#include "designer/table_cell_designer.h"

#include "designer/picture_loading.h"
#include "designer/preview_window.h"
#include "shell/dialogs.h"
#include "wizard/color_value.h"
#include "wizard/controls/clickable_label.h"
#include "wizard/controls/picture_box.h"

namespace vintora {

TableCellDesigner::TableCellDesigner(QWidget *owner, Dialogs &dialogs,
                                     const std::array<ClickableLabel *, 2> &labTable,
                                     const std::array<PictureBox *, 2> &picTable, Report report,
                                     ShowPreview showPreview, QObject *parent)
    : QObject(parent)
    , m_owner(owner)
    , m_dialogs(dialogs)
    , m_swatches(picTable)
    , m_report(std::move(report))
    , m_showPreview(std::move(showPreview))
{
    if (!m_showPreview) {
        m_showPreview = [this](const QString &path) {
            return ShowPicturePreview(m_owner ? m_owner->window() : nullptr, path);
        };
    }
    for (int i = 0; i < int(labTable.size()); ++i)
        connect(labTable[i], &ClickableLabel::clicked, this, [this, i] { labelClick(i); });
    for (int i = 0; i < int(picTable.size()); ++i)
        connect(picTable[i], &PictureBox::clicked, this, [this, i] { swatchClick(i); });
}

void TableCellDesigner::labelClick(int index)
{
    if (index == 0) {
        report({});
        chooseCellColor();
    } else if (index == 1) {
        report({});
        chooseCellPicture();
    }
}

void TableCellDesigner::swatchClick(int index)
{
    const QString path = m_swatches[1]->tag();
    if (path.isEmpty() || index != 1)
        return;
    report({});
    const QString problem = m_showPreview(path);
    if (!problem.isEmpty())
        report(problem);
}

void TableCellDesigner::fillControls(TableControls &controls) const
{
    controls.cellBackColor = m_swatches[0]->backColor();
    controls.cellPictureTag = m_swatches[1]->tag();
}

void TableCellDesigner::chooseCellColor()
{
    // The dialog opens on the current colour; only its own cancel leaves the
    // colour as it was, so black can be chosen like any other colour.
    PictureBox *swatch = m_swatches[0];
    if (const auto color = m_dialogs.chooseColor(m_owner, toQColor(swatch->backColor())))
        swatch->setBackColor(fromQColor(*color));
}

void TableCellDesigner::chooseCellPicture()
{
    PictureBox *swatch = m_swatches[1];
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
