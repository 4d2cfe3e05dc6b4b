#include "pictures/picture_list.h"

#include "pictures/folder_listing.h"
#include "shell/folder_chooser.h"

#include <QListView>

namespace vintora {

PictureList::PictureList(QWidget *owner, Dialogs &dialogs, QObject *parent)
    : QObject(parent), m_owner(owner), m_dialogs(dialogs)
{}

void PictureList::setLocked(bool locked)
{
    if (m_locked == locked)
        return;
    m_locked = locked;
    emit lockedChanged(locked);
}

void PictureList::connectView(QListView *view)
{
    view->setModel(&m_model);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setUniformItemSizes(true);
    connect(view, &QAbstractItemView::doubleClicked, this, [this, view] { removeSelected(view); });
}

bool PictureList::append(const QStringList &paths)
{
    if (m_locked)
        return false;
    m_model.append(paths);
    return true;
}

qsizetype PictureList::addFolder()
{
    if (m_locked)
        return 0;
    const QString folder = BrowseForFolder(m_dialogs, m_owner, QLatin1String(kPictureFolderTitle));
    if (folder.isEmpty())
        return 0;
    const std::optional<QStringList> paths = ListFolderPictures(folder);
    if (!paths || !append(*paths))
        return 0;
    return paths->size();
}

bool PictureList::addFile()
{
    if (m_locked)
        return false;
    const QString path = m_dialogs.openFile(m_owner, picturesFileFilter());
    return !path.isEmpty() && append({path});
}

bool PictureList::removeAt(qsizetype row)
{
    return !m_locked && m_model.removeAt(row);
}

bool PictureList::removeSelected(QListView *view)
{
    if (view->model() != &m_model || !view->selectionModel())
        return false;
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    return !selected.isEmpty() && removeAt(selected.first().row());
}

} // namespace vintora
