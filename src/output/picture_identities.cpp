#include "output/picture_identities.h"

#include "base/file_name_bytes.h"
#include "base/text_helpers.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace vintora {

void PictureIdentities::add(const QString &path, const FileStatus &status)
{
    if (status.exists())
        m_files.insert({status.device, status.inode}, path);
}

void PictureIdentities::addListed(const QStringList &paths, QChar separator)
{
    // By folder, each name as the bytes the folder holds.
    QHash<QString, QHash<QByteArray, QString>> byFolder;
    for (const QString &path : paths) {
        const qsizetype start = FileNameStart(path, separator);
        if (start == 0 || start == path.size())
            continue;
        byFolder[path.left(start)].insert(EncodeFileName(QStringView(path).mid(start)), path);
    }
    for (auto folder = byFolder.cbegin(); folder != byFolder.cend(); ++folder)
        addFolder(folder.key(), folder.value());
}

void PictureIdentities::addFolder(const QString &folder, const QHash<QByteArray, QString> &names)
{
    const int fd = ::open(EncodeFileName(folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat self
    {};
    DIR *entries = ::fstat(fd, &self) == 0 ? ::fdopendir(fd) : nullptr;
    if (!entries) {
        ::close(fd);
        return;
    }
    const int folderFd = ::dirfd(entries);
    // Some file systems (overlays, say) give entries inode numbers other
    // than their files': the first file is checked, and if so, each one is
    // looked at instead.
    enum class Trust { Unknown, Yes, No } trust = Trust::Unknown;
    while (const dirent *entry = ::readdir(entries)) {
        const auto listed = names.constFind(
                QByteArray::fromRawData(entry->d_name, qsizetype(std::strlen(entry->d_name))));
        if (listed == names.constEnd())
            continue;
        const bool file = entry->d_type == DT_REG;
        if (file && trust == Trust::Yes) {
            m_files.insert({quint64(self.st_dev), quint64(entry->d_ino)}, *listed);
            continue;
        }
        if (!file && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        struct stat info
        {};
        if (::fstatat(folderFd, entry->d_name, &info, 0) != 0)
            continue;
        m_files.insert({quint64(info.st_dev), quint64(info.st_ino)}, *listed);
        if (file && trust == Trust::Unknown)
            trust = info.st_dev == self.st_dev && info.st_ino == entry->d_ino ? Trust::Yes
                                                                              : Trust::No;
    }
    ::closedir(entries);
}

QString PictureIdentities::pictureAt(const FileStatus &file) const
{
    if (!file.exists())
        return QString();
    return m_files.value({file.device, file.inode});
}

} // namespace vintora
