#include "output/output_writer.h"

#include "base/file_name_bytes.h"
#include "base/text_helpers.h"

#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>
#else
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#endif

namespace vintora {

namespace {

bool failed(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QString quoted(const QString &path)
{
    return QLatin1Char('"') + DisplayFileName(path) + QLatin1Char('"');
}

// What is in the way of a file or folder of a name, or empty when nothing
// (or a regular file) is there.
QString inTheWay(const FileStatus &there)
{
    switch (there.kind) {
    case FileStatus::Kind::Folder:
        return QStringLiteral("a folder of that name is in the way");
    case FileStatus::Kind::Other:
        return QStringLiteral("%1 of that name is in the way").arg(there.what);
    default:
        return QString();
    }
}

} // namespace

#ifdef Q_OS_UNIX

namespace {

// The hidden name of a file in the making, whatever the length of the name
// it will take: ".vintora-" and a random number, ".part".
QByteArray temporaryName()
{
    return ".vintora-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".part";
}

bool isTemporaryName(const char *name)
{
    const size_t length = std::strlen(name);
    constexpr size_t prefix = 9, suffix = 5; // ".vintora-", ".part"
    if (length <= prefix + suffix || std::strncmp(name, ".vintora-", prefix) != 0
        || std::strcmp(name + length - suffix, ".part") != 0)
        return false;
    for (size_t i = prefix; i < length - suffix; ++i) {
        const char c = name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// Unnamed files get their name through /proc, which a system without it
// lacks; files with a hidden name of their own work everywhere.
bool unnamedFilesWork()
{
    static const bool works = ::access("/proc/self/fd", X_OK) == 0;
    return works;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t put = ::write(fd, data + done, size_t(size - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return false;
        if (put == 0) {
            errno = ENOSPC;
            return false;
        }
        done += put;
    }
    return true;
}

// Copies everything from one descriptor to another; false with errno set
// when a read or a write fails. The system copies within the kernel where
// it can (copy_file_range on Linux, which on some file systems shares the
// blocks instead), else through a buffer.
bool copyContents(int in, int out)
{
#ifdef Q_OS_LINUX
    for (bool first = true;; first = false) {
        const ssize_t copied = ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (copied == 0)
            return true;
        if (copied < 0) {
            // Not offered for these two files: copy through the buffer,
            // from the start, which nothing has moved yet.
            const bool unsupported = errno == EXDEV || errno == EINVAL || errno == ENOSYS
                                     || errno == EOPNOTSUPP || errno == EBADF;
            if (first && unsupported)
                break;
            if (errno == EINTR)
                continue;
            return false;
        }
    }
#endif
    std::vector<char> block(1 << 20);
    for (;;) {
        const ssize_t got = ::read(in, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got == 0;
        if (!writeAll(out, block.data(), got))
            return false;
    }
}

// A file in the making in a folder: unnamed while its bytes are written
// where the system allows it, else under a hidden name of its own. It is
// removed unless it was put in place.
class PendingFile
{
public:
    explicit PendingFile(int folder) : m_folder(folder) {}
    ~PendingFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_tempName.isEmpty())
            ::unlinkat(m_folder, m_tempName.constData(), 0);
    }

    // False with errno set.
    bool create(std::optional<quint32> permissions)
    {
#ifdef O_TMPFILE
        if (unnamedFilesWork()) {
            m_fd = ::openat(m_folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (m_fd >= 0)
                return keep(permissions);
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                return false;
        }
#endif
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray name = temporaryName();
            m_fd = ::openat(m_folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                            0666);
            if (m_fd >= 0) {
                m_tempName = name;
                return keep(permissions);
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    int handle() const
    {
        return m_fd;
    }

    // Closes the file and puts it in place as name: linked straight there
    // when nothing was there (and nothing is now: a file that appeared
    // meanwhile is not replaced), else through a hidden name renamed over
    // the earlier file. False with errno set; the earlier file is then as
    // it was.
    bool commit(const QByteArray &name, bool replacing)
    {
        if (m_tempName.isEmpty()) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
            if (!replacing) {
                if (::linkat(AT_FDCWD, self.constData(), m_folder, name.constData(),
                             AT_SYMLINK_FOLLOW)
                    != 0)
                    return false;
                return closeLinked(name);
            }
            for (int attempt = 0; attempt < 100 && m_tempName.isEmpty(); ++attempt) {
                const QByteArray temp = temporaryName();
                if (::linkat(AT_FDCWD, self.constData(), m_folder, temp.constData(),
                             AT_SYMLINK_FOLLOW)
                    == 0)
                    m_tempName = temp;
                else if (errno != EEXIST)
                    return false;
            }
            if (m_tempName.isEmpty())
                return false;
        }
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) != 0)
            return false;
        if (!replacing) {
            if (::linkat(m_folder, m_tempName.constData(), m_folder, name.constData(), 0) != 0)
                return false;
        } else if (::renameat(m_folder, m_tempName.constData(), m_folder, name.constData()) == 0) {
            m_tempName.clear();
            return true;
        } else {
            return false;
        }
        // Linked under both names: the hidden one goes.
        ::unlinkat(m_folder, std::exchange(m_tempName, QByteArray()).constData(), 0);
        return true;
    }

private:
    bool keep(std::optional<quint32> permissions)
    {
        if (permissions && ::fchmod(m_fd, mode_t(*permissions)) != 0)
            return false;
        return true;
    }

    // The file took its name at once: closing it is all that is left, and
    // a close that fails takes the name away again.
    bool closeLinked(const QByteArray &name)
    {
        const int fd = std::exchange(m_fd, -1);
        if (::close(fd) == 0)
            return true;
        const int code = errno;
        ::unlinkat(m_folder, name.constData(), 0);
        errno = code;
        return false;
    }

    int m_folder;
    int m_fd = -1;
    QByteArray m_tempName;
};

int openFolder(int parent, const QByteArray &name, bool followLinks)
{
    int fd;
    do
        fd = ::openat(parent, name.constData(),
                      O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

OutputFolder::OutputFolder(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}

OutputFolder::~OutputFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

FileStatus OutputFolder::look(const QString &name) const
{
    return StatAt(m_fd, name, false);
}

FileStatus OutputFolder::lookThrough(const QString &name) const
{
    return StatAt(m_fd, name, true);
}

OutputWriter::OutputWriter() = default;
OutputWriter::~OutputWriter() = default;

bool OutputWriter::open(const QString &path, QString *error)
{
    const int fd = openFolder(AT_FDCWD, EncodeFileName(path), true);
    if (fd < 0) {
        const int code = errno;
        const FileStatus there = StatFile(path);
        if (there.exists() && there.kind != FileStatus::Kind::Folder)
            return failed(
                    error,
                    QStringLiteral("The output folder %1 is not a folder.").arg(quoted(path)));
        return failed(error, QStringLiteral("The output folder %1 cannot be opened (%2).")
                                     .arg(quoted(path), qt_error_string(code)));
    }
    m_folder.reset(new OutputFolder(fd, path));
    removeLeftovers(*m_folder);
    return true;
}

QString OutputWriter::subfolderProblem(const OutputFolder &parent, const QString &name) const
{
    const FileStatus there = parent.look(name);
    if (there.kind == FileStatus::Kind::Folder || !there.exists())
        return QString();
    const QString what = there.kind == FileStatus::Kind::Link    ? QStringLiteral("a link")
                         : there.kind == FileStatus::Kind::Other ? there.what
                                                                 : QStringLiteral("a file");
    return QStringLiteral("Could not make the folder %1: %2 of that name is in the way.")
            .arg(quoted(parent.pathOf(name)), what);
}

const OutputFolder *OutputWriter::subfolder(const OutputFolder &parent, const QString &name,
                                            bool create, QString *error)
{
    const auto key = std::make_pair(&parent, name);
    if (const auto open = m_subfolders.find(key); open != m_subfolders.end())
        return open->second.get();
    // Opened first, never followed through a link; only when that fails is
    // the name looked at, to make the folder or to say what is in the way.
    const QByteArray bytes = EncodeFileName(name);
    int fd = openFolder(parent.handle(), bytes, false);
    if (fd < 0 && errno == ENOENT) {
        if (!create)
            return nullptr;
        if (::mkdirat(parent.handle(), bytes.constData(), 0777) != 0 && errno != EEXIST) {
            failed(error, QStringLiteral("Could not make the folder %1: %2.")
                                  .arg(quoted(parent.pathOf(name)), qt_error_string(errno)));
            return nullptr;
        }
        fd = openFolder(parent.handle(), bytes, false);
    }
    if (fd < 0) {
        const int code = errno;
        const QString problem = subfolderProblem(parent, name);
        failed(error, !problem.isEmpty()
                              ? problem
                              : QStringLiteral("Could not open the folder %1: %2.")
                                        .arg(quoted(parent.pathOf(name)), qt_error_string(code)));
        return nullptr;
    }
    auto &folder = m_subfolders[key];
    folder.reset(new OutputFolder(fd, parent.pathOf(name)));
    removeLeftovers(*folder);
    return folder.get();
}

void OutputWriter::removeLeftovers(const OutputFolder &folder) const
{
    const int fd = ::openat(folder.handle(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    DIR *entries = ::fdopendir(fd);
    if (!entries) {
        ::close(fd);
        return;
    }
    QList<QByteArray> leftovers;
    while (const dirent *entry = ::readdir(entries)) {
        if (isTemporaryName(entry->d_name))
            leftovers << QByteArray(entry->d_name);
    }
    ::closedir(entries);
    for (const QByteArray &name : std::as_const(leftovers)) {
        struct stat info
        {};
        if (::fstatat(folder.handle(), name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(info.st_mode))
            ::unlinkat(folder.handle(), name.constData(), 0);
    }
}

QString OutputWriter::problemWith(const OutputFolder &folder, const QString &name) const
{
    FileStatus there = folder.look(name);
    if (there.kind == FileStatus::Kind::Link) {
        // The link itself is replaced; only what it leads to could be a
        // picture of the run.
        return isProtected(folder.lookThrough(name))
                       ? QStringLiteral("it is one of the pictures of this run")
                       : QString();
    }
    if (const QString way = inTheWay(there); !way.isEmpty())
        return way;
    if (!there.isRegular())
        return QString();
    if (isProtected(there))
        return QStringLiteral("it is one of the pictures of this run");
    if (::faccessat(folder.handle(), EncodeFileName(name).constData(), W_OK, AT_EACCESS) != 0
        && errno != ENOENT)
        return QStringLiteral("the file there may not be written (%1)").arg(qt_error_string(errno));
    return QString();
}

bool OutputWriter::writeWith(const OutputFolder &folder, const QString &name,
                             const std::function<bool(int)> &fill, QString *error) const
{
    if (const QString problem = problemWith(folder, name); !problem.isEmpty())
        return failed(error, problem);
    const FileStatus there = folder.look(name);
    // A file replaced keeps its permissions, as a saved file does.
    std::optional<quint32> permissions;
    if (there.isRegular())
        permissions = there.permissions;
    PendingFile file(folder.handle());
    if (!file.create(permissions))
        return failed(
                error,
                QStringLiteral("the file cannot be created (%1)").arg(qt_error_string(errno)));
    if (!fill(file.handle()) || !file.commit(EncodeFileName(name), there.exists()))
        return failed(
                error,
                QStringLiteral("the file cannot be written (%1)").arg(qt_error_string(errno)));
    return true;
}

bool OutputWriter::writeFile(const OutputFolder &folder, const QString &name, QByteArrayView bytes,
                             QString *error) const
{
    return writeWith(
            folder, name, [bytes](int fd) { return writeAll(fd, bytes.data(), bytes.size()); },
            error);
}

bool OutputWriter::holdsSameBytes(const OutputFolder &folder, const QString &name,
                                  SourceFile &source)
{
    SourceFile there(folder.handle(), name);
    if (!there.isOpen() || !source.isOpen() || there.status().size != source.status().size)
        return false;
    if (::lseek(source.handle(), 0, SEEK_SET) != 0)
        return false;
    std::vector<char> a(1 << 18), b(1 << 18);
    const auto readFull = [](int fd, char *into, size_t size) -> ssize_t {
        size_t done = 0;
        while (done < size) {
            const ssize_t got = ::read(fd, into + done, size - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return -1;
            if (got == 0)
                break;
            done += size_t(got);
        }
        return ssize_t(done);
    };
    for (;;) {
        const ssize_t gotA = readFull(source.handle(), a.data(), a.size());
        const ssize_t gotB = readFull(there.handle(), b.data(), b.size());
        if (gotA < 0 || gotA != gotB || std::memcmp(a.data(), b.data(), size_t(gotA)) != 0)
            return false;
        if (gotA == 0)
            return true;
    }
}

OutputWriter::CopyOutcome OutputWriter::copyFile(SourceFile &source, const OutputFolder &folder,
                                                 const QString &name, QString *error,
                                                 qint64 *copiedBytes) const
{
    const FileStatus there = folder.look(name);
    const FileStatus reached
            = there.kind == FileStatus::Kind::Link ? folder.lookThrough(name) : there;
    if (source.status().sameFileAs(reached))
        return CopyOutcome::InPlace;
    if (there.isRegular() && there.size == source.status().size
        && holdsSameBytes(folder, name, source))
        return CopyOutcome::InPlace;
    if (::lseek(source.handle(), 0, SEEK_SET) != 0) {
        failed(error, QStringLiteral("it cannot be read (%1)").arg(qt_error_string(errno)));
        return CopyOutcome::Failed;
    }
    const int in = source.handle();
    if (!writeWith(
                folder, name, [in](int out) { return copyContents(in, out); }, error))
        return CopyOutcome::Failed;
    if (copiedBytes)
        *copiedBytes = source.status().size;
    return CopyOutcome::Copied;
}

#else

// Elsewhere the folder is known by its path, and files are saved beside
// their place and renamed over it.

OutputFolder::OutputFolder(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
OutputFolder::~OutputFolder() = default;

FileStatus OutputFolder::look(const QString &name) const
{
    return StatLink(pathOf(name));
}

FileStatus OutputFolder::lookThrough(const QString &name) const
{
    return StatFile(pathOf(name));
}

OutputWriter::OutputWriter() = default;
OutputWriter::~OutputWriter() = default;

bool OutputWriter::open(const QString &path, QString *error)
{
    if (!QFileInfo(path).isDir())
        return failed(error,
                      QStringLiteral("The output folder %1 is not a folder.").arg(quoted(path)));
    m_folder.reset(new OutputFolder(0, path));
    return true;
}

QString OutputWriter::subfolderProblem(const OutputFolder &parent, const QString &name) const
{
    const FileStatus there = parent.look(name);
    if (there.kind == FileStatus::Kind::Folder || !there.exists())
        return QString();
    return QStringLiteral("Could not make the folder %1: a file of that name is in the way.")
            .arg(quoted(parent.pathOf(name)));
}

const OutputFolder *OutputWriter::subfolder(const OutputFolder &parent, const QString &name,
                                            bool create, QString *error)
{
    const auto key = std::make_pair(&parent, name);
    if (const auto open = m_subfolders.find(key); open != m_subfolders.end())
        return open->second.get();
    if (const QString problem = subfolderProblem(parent, name); !problem.isEmpty()) {
        failed(error, problem);
        return nullptr;
    }
    if (!create && !parent.look(name).exists())
        return nullptr;
    if (!QDir(parent.path()).mkpath(name)) {
        failed(error,
               QStringLiteral("Could not make the folder %1.").arg(quoted(parent.pathOf(name))));
        return nullptr;
    }
    auto &folder = m_subfolders[key];
    folder.reset(new OutputFolder(0, parent.pathOf(name)));
    return folder.get();
}

void OutputWriter::removeLeftovers(const OutputFolder &) const {}

QString OutputWriter::problemWith(const OutputFolder &folder, const QString &name) const
{
    const FileStatus there = folder.lookThrough(name);
    if (const QString way = inTheWay(there); !way.isEmpty())
        return way;
    if (isProtected(there))
        return QStringLiteral("it is one of the pictures of this run");
    if (there.exists() && !QFileInfo(folder.pathOf(name)).isWritable())
        return QStringLiteral("the file there may not be written");
    return QString();
}

bool OutputWriter::writeWith(const OutputFolder &folder, const QString &name,
                             const std::function<bool(int)> &, QString *error) const
{
    return failed(error, problemWith(folder, name));
}

bool OutputWriter::writeFile(const OutputFolder &folder, const QString &name, QByteArrayView bytes,
                             QString *error) const
{
    if (const QString problem = problemWith(folder, name); !problem.isEmpty())
        return failed(error, problem);
    QSaveFile file(folder.pathOf(name));
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return failed(error,
                      QStringLiteral("the file cannot be created (%1)").arg(file.errorString()));
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit())
        return failed(error,
                      QStringLiteral("the file cannot be written (%1)").arg(file.errorString()));
    return true;
}

bool OutputWriter::holdsSameBytes(const OutputFolder &folder, const QString &name,
                                  SourceFile &source)
{
    QFile there(folder.pathOf(name));
    QFile &from = source.device();
    if (!there.open(QIODevice::ReadOnly) || there.size() != source.status().size || !from.seek(0))
        return false;
    while (!from.atEnd()) {
        const QByteArray a = from.read(1 << 18);
        if (a != there.read(a.size()))
            return false;
    }
    return there.atEnd();
}

OutputWriter::CopyOutcome OutputWriter::copyFile(SourceFile &source, const OutputFolder &folder,
                                                 const QString &name, QString *error,
                                                 qint64 *copiedBytes) const
{
    if (source.status().sameFileAs(folder.lookThrough(name))
        || holdsSameBytes(folder, name, source))
        return CopyOutcome::InPlace;
    QFile &from = source.device();
    if (!from.seek(0) || !writeFile(folder, name, from.readAll(), error))
        return CopyOutcome::Failed;
    if (copiedBytes)
        *copiedBytes = source.status().size;
    return CopyOutcome::Copied;
}

#endif

QString OutputFolder::pathOf(const QString &name) const
{
    return JoinPath(m_path, name);
}

void OutputWriter::setProtected(std::function<bool(const FileStatus &)> isProtected)
{
    m_protected = std::move(isProtected);
}

bool OutputWriter::isProtected(const FileStatus &file) const
{
    return file.exists() && m_protected && m_protected(file);
}

} // namespace vintora
