#pragma once

#include "base/source_file.h"

#include <QDir>
#include <QHash>
#include <QString>
#include <QStringList>

namespace vintora {

// The files of a run's pictures, known by device and inode, so that a file
// met in the output folder can be told to be one of them, whatever name or
// link leads to it.
class PictureIdentities
{
public:
    // A picture already looked at.
    void add(const QString &path, const FileStatus &status);

    // The pictures of the list, found cheaply: each folder they lie in is
    // read once, which gives every entry's inode, and only entries that are
    // links are looked at one by one. A list of many thousands of pictures
    // costs about as much as listing their folder.
    void addListed(const QStringList &paths, QChar separator = QDir::separator());

    // The picture the file is, or an empty text when it is none of them.
    QString pictureAt(const FileStatus &file) const;
    bool contains(const FileStatus &file) const { return !pictureAt(file).isEmpty(); }

private:
    struct Identity
    {
        quint64 device;
        quint64 inode;
        bool operator==(const Identity &) const = default;
    };
    friend size_t qHash(const Identity &identity, size_t seed)
    {
        return qHashMulti(seed, identity.device, identity.inode);
    }

    void addFolder(const QString &folder, const QHash<QByteArray, QString> &names);

    QHash<Identity, QString> m_files;
};

} // namespace vintora
