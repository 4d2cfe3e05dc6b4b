#include "base/source_file.h"

#include "base/file_name_bytes.h"

#include <QDateTime>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vintora {

bool FileStatus::sameFileAs(const FileStatus &other) const
{
    return exists() && other.exists() && device == other.device && inode == other.inode;
}

#ifdef Q_OS_UNIX

namespace {

FileStatus fromStat(const struct stat &info)
{
    FileStatus status;
    status.size = qint64(info.st_size);
    status.modifiedMs = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
    status.device = quint64(info.st_dev);
    status.inode = quint64(info.st_ino);
    status.permissions = quint32(info.st_mode & 07777);
    if (S_ISREG(info.st_mode)) {
        status.kind = FileStatus::Kind::Regular;
    } else if (S_ISDIR(info.st_mode)) {
        status.kind = FileStatus::Kind::Folder;
    } else if (S_ISLNK(info.st_mode)) {
        status.kind = FileStatus::Kind::Link;
    } else {
        status.kind = FileStatus::Kind::Other;
        if (S_ISFIFO(info.st_mode))
            status.what = QStringLiteral("a named pipe");
        else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
            status.what = QStringLiteral("a device");
        else if (S_ISSOCK(info.st_mode))
            status.what = QStringLiteral("a socket");
        else
            status.what = QStringLiteral("not a file");
    }
    return status;
}

FileStatus statWith(const QString &path, int (*look)(const char *, struct stat *))
{
    struct stat info
    {};
    if (path.isEmpty() || look(EncodeFileName(path).constData(), &info) != 0) {
        FileStatus missing;
        missing.error = path.isEmpty() ? ENOENT : errno;
        return missing;
    }
    return fromStat(info);
}

} // namespace

FileStatus StatFile(const QString &path)
{
    return statWith(path, ::stat);
}

FileStatus StatLink(const QString &path)
{
    return statWith(path, ::lstat);
}

FileStatus StatAt(int folder, const QString &name, bool followLinks)
{
    struct stat info
    {};
    if (name.isEmpty()
        || ::fstatat(folder, EncodeFileName(name).constData(), &info,
                     followLinks ? 0 : AT_SYMLINK_NOFOLLOW)
                   != 0) {
        FileStatus missing;
        missing.error = name.isEmpty() ? ENOENT : errno;
        return missing;
    }
    return fromStat(info);
}

#else

FileStatus StatFile(const QString &path)
{
    const QFileInfo info(path);
    FileStatus status;
    if (!info.exists()) {
        status.error = 2;
        return status;
    }
    status.kind = info.isDir()    ? FileStatus::Kind::Folder
                  : info.isFile() ? FileStatus::Kind::Regular
                                  : FileStatus::Kind::Other;
    status.size = info.size();
    status.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    const QByteArray canonical = info.canonicalFilePath().toCaseFolded().toUtf8();
    status.inode = qHash(canonical);
    return status;
}

FileStatus StatLink(const QString &path)
{
    return StatFile(path);
}

FileStatus StatAt(int, const QString &, bool)
{
    return FileStatus();
}

#endif

QString NotAPictureFileReason(const FileStatus &status)
{
    switch (status.kind) {
    case FileStatus::Kind::Regular:
        return QString();
    case FileStatus::Kind::Folder:
        return QStringLiteral("it is a folder, not a file");
    case FileStatus::Kind::Other:
        return QStringLiteral("it is %1, not a file").arg(status.what);
    case FileStatus::Kind::Link:
        return QStringLiteral("it is a link");
    case FileStatus::Kind::Missing:
        break;
    }
#ifdef Q_OS_UNIX
    if (status.error != ENOENT && status.error != ENOTDIR && status.error != 0)
        return QStringLiteral("it cannot be read (%1)").arg(qt_error_string(status.error));
#endif
    return QStringLiteral("the file does not exist");
}

SourceFile::SourceFile(const QString &path)
{
#ifdef Q_OS_UNIX
    openChecked(AT_FDCWD, EncodeFileName(path), 0);
#else
    m_status = StatFile(path);
    m_problem = NotAPictureFileReason(m_status);
    if (!m_problem.isEmpty())
        return;
    m_device = std::make_unique<QFile>(path);
    if (!m_device->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        m_problem = QStringLiteral("it cannot be read (%1)").arg(m_device->errorString());
        m_device.reset();
        return;
    }
    m_fd = m_device->handle();
#endif
}

SourceFile::SourceFile(int folder, const QString &name)
{
#ifdef Q_OS_UNIX
    openChecked(folder, EncodeFileName(name), O_NOFOLLOW);
#else
    Q_UNUSED(folder);
    m_problem = NotAPictureFileReason(m_status);
#endif
}

void SourceFile::openChecked(int folder, const QByteArray &name, int extraFlags)
{
#ifdef Q_OS_UNIX
    // A device is not even opened (opening some has effects of its own);
    // O_NONBLOCK makes opening a pipe return at once all the same, and the
    // open file is looked at again, in case it changed in between. The flag
    // is cleared once the file is known to be regular, where it means nothing.
    const bool follow = !(extraFlags & O_NOFOLLOW);
    const auto look = [&] {
        struct stat info
        {};
        if (name.isEmpty()
            || ::fstatat(folder, name.constData(), &info, follow ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
            FileStatus missing;
            missing.error = name.isEmpty() ? ENOENT : errno;
            return missing;
        }
        return fromStat(info);
    };
    m_status = look();
    if (m_status.exists() && !m_status.isRegular()) {
        m_problem = NotAPictureFileReason(m_status);
        return;
    }
    do
        m_fd = ::openat(folder, name.constData(),
                        O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | extraFlags);
    while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) {
        const int code = errno;
        m_status = look();
        if (m_status.exists() && !m_status.isRegular()) {
            m_problem = NotAPictureFileReason(m_status);
        } else if (code == ENOENT || code == ENOTDIR) {
            m_problem = QStringLiteral("the file does not exist");
        } else {
            m_problem = QStringLiteral("it cannot be read (%1)").arg(qt_error_string(code));
        }
        return;
    }
    struct stat info
    {};
    if (::fstat(m_fd, &info) != 0) {
        m_problem = QStringLiteral("it cannot be read (%1)").arg(qt_error_string(errno));
    } else {
        m_status = fromStat(info);
        m_problem = NotAPictureFileReason(m_status);
    }
    if (!m_problem.isEmpty()) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
#else
    Q_UNUSED(folder);
    Q_UNUSED(name);
    Q_UNUSED(extraFlags);
#endif
}

SourceFile::~SourceFile()
{
    m_device.reset();
#ifdef Q_OS_UNIX
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

QFile &SourceFile::device()
{
    if (!m_device) {
        m_device = std::make_unique<QFile>();
        if (m_fd >= 0)
            m_device->open(m_fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    }
    return *m_device;
}

} // namespace vintora
