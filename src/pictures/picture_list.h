#pragma once

#include "pictures/picture_list_model.h"
#include "shell/dialogs.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

class QAbstractItemModel;
class QListView;
class QWidget;

namespace vintora {

// The list of pictures the page will show (lstFiles) with the actions of the
// Pictures page: add a folder's pictures, add one chosen file, remove the
// entry under a double click. Entries are never checked for duplicates or
// existence. While locked (during a Fin run) nothing changes the list.
class PictureList : public QObject
{
    Q_OBJECT

public:
    // The owner is the window the dialogs are modal to.
    PictureList(QWidget *owner, Dialogs &dialogs, QObject *parent = nullptr);

    QAbstractItemModel *model() { return &m_model; }
    const QStringList &entries() const { return m_model.entries(); }
    qsizetype count() const { return m_model.entries().size(); }

    bool isLocked() const { return m_locked; }
    void setLocked(bool locked);

    // Shows the list in a view: single selection, no editing, uniform rows
    // (so that a long list lays out at once), double click removes.
    void connectView(QListView *view);

    // Appends paths as they are, all in one insertion. False when locked.
    bool append(const QStringList &paths);

public slots:
    // "Select a folder": the folder chooser, then every matching picture of
    // the folder appended, sorted by name. A cancelled chooser or a folder
    // that cannot be listed leaves the list as it was. Returns the number of
    // entries added.
    qsizetype addFolder();
    // "Select files": one file from the open-file dialog, appended as the
    // dialog returned it. False on cancel.
    bool addFile();
    // Removes the entry at the row; the later ones move up. False when
    // locked or there is no such row.
    bool removeAt(qsizetype row);
    // Removes the view's selected entry, if any.
    bool removeSelected(QListView *view);

signals:
    void lockedChanged(bool locked);

private:
    QPointer<QWidget> m_owner;
    Dialogs &m_dialogs;
    PictureListModel m_model;
    bool m_locked = false;
};

} // namespace vintora
