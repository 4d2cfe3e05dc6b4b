#include "wizard/picture_list.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "desktop/folder_chooser.h"
#include "pictures/folder_listing.h"
#include "pictures/picture_tree.h"

#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMimeData>

#include <algorithm>

namespace vintora {

namespace {

// The path of a dropped local file, exactly as the file system names it:
// QUrl turns bytes of a name that are not valid UTF-8 into U+FFFD, so such
// a name is decoded from its percent-encoded bytes instead.
QString localPath(const QUrl &url)
{
    const QString path = url.toLocalFile();
    if (!url.host().isEmpty())
        return path;
    const QString exact = DecodeFileName(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
    return HasRawBytes(exact) ? exact : path;
}

bool hasLocalFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(),
                       [](const QUrl &url) { return url.isLocalFile(); });
}

// "\"y.jpg\" is a named pipe, not a picture file."
QString refusedLine(const QString &path, const FileStatus &status)
{
    const QString name = FileNameOf(path);
    return QStringLiteral("\"%1\" is %2, not a picture file.")
            .arg(DisplayFileName(name.isEmpty() ? path : name), status.what);
}

} // namespace

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
    view->setAcceptDrops(true);
    view->viewport()->setAcceptDrops(true);
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    m_view = view;
    m_viewport = view->viewport();
}

bool PictureList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        auto *view = qobject_cast<QListView *>(watched);
        if (view && (key->key() == Qt::Key_Delete || key->matches(QKeySequence::Delete))) {
            removeByKey(view);
            return true;
        }
    } else if (watched == m_viewport) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDropEvent *>(event);
            if (!m_locked && hasLocalFiles(drag->mimeData())) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (m_locked || !hasLocalFiles(drop->mimeData())) {
                drop->ignore();
                return true;
            }
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            addDropped(drop->mimeData()->urls());
            return true;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
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
    emit reported(QString());
    const QString folder = BrowseForFolder(m_dialogs, m_owner, QLatin1String(kPictureFolderTitle));
    if (folder.isEmpty())
        return 0;
    LeftOutFiles leftOut;
    QStringList lines;
    const std::optional<QStringList> paths = listFolder(folder, leftOut, lines);
    if (!paths || !append(*paths))
        return 0;
    if (!paths->isEmpty())
        noteFolder(folder);
    if (const QString line = LeftOutLine(leftOut, m_kinds); !line.isEmpty())
        lines.prepend(line);
    emit reported(lines.join(u'\n'));
    return paths->size();
}

// The folder's pictures, or with albums those of the folders below it too;
// the links to folders the tree refused go to notes.
std::optional<QStringList> PictureList::listFolder(const QString &folder, LeftOutFiles &leftOut,
                                                   QStringList &notes) const
{
    if (!m_treeWanted || !m_treeWanted())
        return ListFolderPictures(folder, QDir::separator(), &leftOut, m_kinds);
    std::optional<PictureTree> tree
            = ListPictureTree(folder, QString(), QDir::separator(), &leftOut);
    if (!tree)
        return std::nullopt;
    notes += tree->notes;
    return std::move(tree->pictures);
}

QStringList PictureList::acceptFiles(const QStringList &paths, QStringList &refused) const
{
    QStringList accepted;
    for (const QString &path : paths) {
        const FileStatus status = StatFile(path);
        if (status.kind == FileStatus::Kind::Other)
            refused.append(refusedLine(path, status));
        else
            accepted.append(path);
    }
    return accepted;
}

qsizetype PictureList::addFiles()
{
    if (m_locked)
        return 0;
    emit reported(QString());
    const QStringList chosen = m_dialogs.openFiles(m_owner, picturesFileFilter());
    QStringList refused;
    const QStringList paths = acceptFiles(chosen, refused);
    const bool added = append(paths);
    emit reported(refused.join(u'\n'));
    return added ? paths.size() : 0;
}

qsizetype PictureList::addDropped(const QList<QUrl> &urls)
{
    if (m_locked)
        return 0;
    QStringList paths;
    QStringList refused;
    QStringList folders; // that gave pictures
    LeftOutFiles leftOut;
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = QDir::toNativeSeparators(localPath(url));
        if (StatFile(path).kind == FileStatus::Kind::Folder) {
            // File managers may give a folder with a closing separator,
            // which the chooser never does; without it the entries read
            // as "Select a folder" makes them.
            QString folder = path;
            while (folder.size() > 1 && folder.endsWith(QDir::separator()))
                folder.chop(1);
            LeftOutFiles folderLeftOut;
            if (const std::optional<QStringList> pictures
                = listFolder(folder, folderLeftOut, refused)) {
                if (!pictures->isEmpty())
                    folders.append(folder);
                paths.append(*pictures);
                leftOut.add(folderLeftOut);
            }
        } else {
            paths.append(acceptFiles({path}, refused));
        }
    }
    const bool added = append(paths);
    for (const QString &folder : std::as_const(folders)) {
        if (added)
            noteFolder(folder);
    }
    if (const QString line = LeftOutLine(leftOut, m_kinds); added && !line.isEmpty())
        refused.append(line);
    emit reported(refused.join(u'\n'));
    return added ? paths.size() : 0;
}

bool PictureList::removeAt(qsizetype row)
{
    if (m_locked || !m_model.removeAt(row))
        return false;
    if (m_model.entries().isEmpty()) {
        m_firstFolder.clear();
        m_folders.clear();
    }
    return true;
}

void PictureList::noteFolder(const QString &folder)
{
    if (m_firstFolder.isEmpty())
        m_firstFolder = folder;
    m_folders << folder;
}

bool PictureList::removeSelected(QListView *view)
{
    if (view->model() != &m_model || !view->selectionModel())
        return false;
    const QModelIndexList selected = view->selectionModel()->selectedIndexes();
    return !selected.isEmpty() && removeAt(selected.first().row());
}

void PictureList::removeByKey(QListView *view)
{
    const QModelIndexList selected = view->selectionModel()
                                             ? view->selectionModel()->selectedIndexes()
                                             : QModelIndexList();
    if (selected.isEmpty())
        return;
    const int row = selected.first().row();
    if (!removeSelected(view) || m_model.rowCount() == 0)
        return;
    // The entry that took its place is selected, so that Delete goes on
    // down the list.
    const QModelIndex next = m_model.index(std::min(row, m_model.rowCount() - 1));
    view->selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
}

} // namespace vintora
