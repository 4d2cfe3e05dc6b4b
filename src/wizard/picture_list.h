#pragma once

#include "desktop/dialogs.h"
#include "pictures/folder_listing.h"
#include "wizard/picture_list_model.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

class QAbstractItemModel;
class QListView;
class QWidget;

namespace vintora {

// The list of pictures the page will show (lstFiles) with the actions of the
// Pictures page: add a folder's pictures, add chosen files, add files and
// folders dropped on the list, remove the selected entry (a double click or
// Delete). Paths are kept exactly as given; entries are never checked for
// duplicates, and a file that does not exist is added all the same. A file
// added by itself that is not a regular file (a named pipe, a device, a
// socket) is refused, with a line for the page that names it. While locked
// (during a Fin run) nothing changes the list.
class PictureList : public QObject
{
    Q_OBJECT

public:
    // The owner is the window the dialogs are modal to.
    PictureList(QWidget *owner, Dialogs &dialogs, QObject *parent = nullptr);

    QAbstractItemModel *model() { return &m_model; }
    const QStringList &entries() const { return m_model.entries(); }
    qsizetype count() const { return m_model.entries().size(); }
    // The first folder whose pictures were added (by "Select a folder" or a
    // drop) since the list was last empty; empty when there is none. The
    // modern page takes its name as title when it is given none.
    const QString &firstFolder() const { return m_firstFolder; }
    // Every folder whose pictures were added since the list was last
    // empty, in order: the roots of the modern page's albums.
    const QStringList &folders() const { return m_folders; }
    // Asked at each folder added: when it says yes (the modern page with
    // albums), a folder adds the pictures of every folder below it too (see
    // ListPictureTree); else only its own.
    void setTreeWanted(std::function<bool()> wanted) { m_treeWanted = std::move(wanted); }

    bool isLocked() const { return m_locked; }
    void setLocked(bool locked);

    // Which pictures a folder adds from now on: with thumbnails made (and
    // so with the modern page), the phones' formats too.
    void setPictureKinds(PictureKinds kinds) { m_kinds = kinds; }

    // Shows the list in a view: single selection, no editing, uniform rows
    // (so that a long list lays out at once); a double click or Delete
    // removes the selected entry, and files and folders dropped on the view
    // are added (addDropped).
    void connectView(QListView *view);

    // Appends paths as they are, all in one insertion. False when locked.
    bool append(const QStringList &paths);

public slots:
    // "Select a folder": the folder chooser, then every matching picture of
    // the folder appended, sorted by name, and a line for the page on the
    // files it left out (see LeftOutLine). A cancelled chooser or a folder
    // that cannot be listed leaves the list as it was. Returns the number of
    // entries added.
    qsizetype addFolder();
    // "Select files": the files chosen in the open-file dialog, appended in
    // the dialog's order, but for those that are no regular file. Returns
    // the number of entries added.
    qsizetype addFiles();
    // Files and folders dropped on the list, in the order given: a folder
    // adds its pictures as "Select a folder" does, a file is added as
    // "Select files" adds it. Addresses of no local file are passed over.
    // Returns the number of entries added.
    qsizetype addDropped(const QList<QUrl> &urls);
    // Removes the entry at the row; the later ones move up. False when
    // locked or there is no such row.
    bool removeAt(qsizetype row);
    // Removes the view's selected entry, if any.
    bool removeSelected(QListView *view);

signals:
    void lockedChanged(bool locked);
    // Lines for the page about files of the last choice that were not
    // added: one per file refused, one for the files a folder left out;
    // empty when there were none.
    void reported(const QString &lines);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The paths that may be added, in order; a line for each refused one.
    QStringList acceptFiles(const QStringList &paths, QStringList &refused) const;
    void removeByKey(QListView *view);
    void noteFolder(const QString &folder);
    std::optional<QStringList> listFolder(const QString &folder, LeftOutFiles &leftOut,
                                          QStringList &notes) const;

    QPointer<QWidget> m_owner;
    Dialogs &m_dialogs;
    PictureListModel m_model;
    // The view and its viewport, watched for keys and drops. Kept as widgets:
    // the view sends events while it is being destroyed.
    QPointer<QWidget> m_view;
    QPointer<QWidget> m_viewport;
    bool m_locked = false;
    PictureKinds m_kinds = PictureKinds::Classic;
    QString m_firstFolder;
    QStringList m_folders;
    std::function<bool()> m_treeWanted;
};

} // namespace vintora
