#include "generate/copy_plan.h"

#include "generate/text_helpers.h"
#include "pictures/file_name_bytes.h"
#include "pictures/source_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>
#endif

namespace vintora {

QString NumberedName(const QString &name, int number)
{
    const QString suffix = QLatin1Char('-') + QString::number(number);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return name + suffix;
    return name.left(dot) + suffix + name.mid(dot);
}

CopyNamer::CopyNamer(Qt::CaseSensitivity nameCase, QChar separator)
    : m_case(nameCase), m_separator(separator)
{}

void CopyNamer::setFolder(const QString &folder)
{
    m_folder = folder;
}

QString CopyNamer::folded(const QString &text) const
{
    return m_case == Qt::CaseInsensitive ? text.toCaseFolded() : text;
}

QString CopyNamer::identityOf(const QString &source) const
{
    // Another path to a file already named (a link, "." segments, a hard
    // link) is the same source; a missing file can only be known by its text.
    const FileStatus status = StatFile(source);
    if (!status.exists())
        return QLatin1String("path:") + folded(source);
    return QStringLiteral("file:%1:%2").arg(status.device).arg(status.inode);
}

bool CopyNamer::freeInFolder(const QString &name, const QString &source) const
{
    if (m_folder.isEmpty())
        return true;
    const QString there = JoinPath(m_folder, name, m_separator);
    // A link counts as a file there, even when it leads nowhere.
    return !StatLink(there).exists() || SameContents(source, there);
}

void CopyNamer::reserve(const QString &name)
{
    m_taken.insert(folded(name));
}

QString CopyNamer::nameFor(const QString &source)
{
    if (const auto known = m_names.constFind(source); known != m_names.constEnd())
        return *known;
    const QString identity = identityOf(source);
    if (const auto same = m_byFile.constFind(identity); same != m_byFile.constEnd()) {
        m_names.insert(source, *same);
        return *same;
    }

    const QString own = FileNameOf(source, m_separator);
    QString name = own;
    if (m_taken.contains(folded(name))) {
        // Numbers go on from where this name's last search stopped, so a
        // long run of equal names costs no rescans.
        int &next = m_nextNumber[folded(own)];
        next = std::max(next, 2);
        do
            name = NumberedName(own, next++);
        while (m_taken.contains(folded(name)) || !freeInFolder(name, source));
    }
    m_taken.insert(folded(name));
    m_byFile.insert(identity, name);
    m_names.insert(source, name);
    return name;
}

bool SameContents(const QString &a, const QString &b)
{
    SourceFile first(a);
    SourceFile second(b);
    if (!first.isOpen() || !second.isOpen() || first.status().size != second.status().size)
        return false;
    QFile &x = first.device();
    QFile &y = second.device();
    QByteArray blockX(1 << 16, Qt::Uninitialized);
    QByteArray blockY(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 gotX = x.read(blockX.data(), blockX.size());
        if (gotX < 0)
            return false;
        // Once the first has ended, the second must end too.
        const qint64 gotY = y.read(blockY.data(), gotX == 0 ? 1 : gotX);
        if (gotX == 0)
            return gotY == 0;
        if (gotY != gotX || std::memcmp(blockX.constData(), blockY.constData(), size_t(gotX)) != 0)
            return false;
    }
}

namespace {

CopyResult failed(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return CopyResult::Failed;
}

#ifdef Q_OS_UNIX

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
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, block.data() + done, size_t(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                return false;
            done += put;
        }
    }
}

// The folder part of an encoded path: everything before its last "/", or
// "." when there is none.
QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// A copy in the making: a file beside the destination that nobody sees
// until it is complete. Where the system offers unnamed files (O_TMPFILE)
// a run that is killed leaves nothing behind; elsewhere the file has a
// short hidden name of its own, whatever the length of the picture's name.
class PendingCopy
{
public:
    explicit PendingCopy(const QByteArray &destination)
        : m_destination(destination), m_folder(folderOf(destination))
    {}
    ~PendingCopy()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_tempName.isEmpty())
            ::unlink(m_tempName.constData());
    }

    // Creates the file; with a mode, it gets exactly those permissions (of
    // the file it replaces), else those of any new file. False with errno set.
    bool create(std::optional<mode_t> mode)
    {
#ifdef O_TMPFILE
        if (unnamedFilesWork()) {
            m_fd = ::open(m_folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                if (mode)
                    ::fchmod(m_fd, *mode);
                return true;
            }
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                return false;
        }
#endif
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_tempName = m_folder + "/.vintora-"
                         + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".part";
            m_fd = ::open(m_tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                if (mode)
                    ::fchmod(m_fd, *mode);
                return true;
            }
            m_tempName.clear();
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    int handle() const
    {
        return m_fd;
    }

    // Closes the file and puts it in the destination's place; false with
    // errno set.
    bool commit()
    {
        if (m_tempName.isEmpty()) {
            // An unnamed file gets a name of its own first, then takes the
            // destination's place in one step.
            for (int attempt = 0; attempt < 100 && m_tempName.isEmpty(); ++attempt) {
                const QByteArray name
                        = m_folder + "/.vintora-"
                          + QByteArray::number(QRandomGenerator::global()->generate(), 36)
                          + ".part";
                const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
                if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(),
                             AT_SYMLINK_FOLLOW)
                    == 0)
                    m_tempName = name;
                else if (errno != EEXIST)
                    return false;
            }
            if (m_tempName.isEmpty())
                return false;
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            return false;
        if (::rename(m_tempName.constData(), m_destination.constData()) != 0)
            return false;
        m_tempName.clear();
        return true;
    }

private:
    // An unnamed file is given its name through /proc, which a system
    // without it lacks; the named way works everywhere.
    static bool unnamedFilesWork()
    {
        static const bool works = ::access("/proc/self/fd", X_OK) == 0;
        return works;
    }

    QByteArray m_destination;
    QByteArray m_folder;
    QByteArray m_tempName;
    int m_fd = -1;
};

#endif

} // namespace

CopyResult CopyFileReplacing(const QString &source, const QString &destination, QString *error,
                             qint64 *copiedBytes)
{
    SourceFile in(source);
    if (!in.isOpen())
        return failed(error, in.problem());

    // Usually nothing is there yet, which one look tells; only a link needs
    // a second look at what it leads to.
    const FileStatus link = StatLink(destination);
    const FileStatus there = link.kind == FileStatus::Kind::Link ? StatFile(destination) : link;
    if (in.status().sameFileAs(there))
        return CopyResult::SameFile;
    if (there.kind == FileStatus::Kind::Folder)
        return failed(error, QStringLiteral("a folder of that name is in the way"));
    if (link.kind == FileStatus::Kind::Other)
        return failed(error, QStringLiteral("%1 of that name is in the way")
                                     .arg(link.what.at(0).toUpper() + link.what.mid(1)));

#ifdef Q_OS_UNIX
    const QByteArray target = EncodeFileName(destination);
    // A file the user may not write is not replaced behind its back (the
    // rename below would not ask): it stays exactly as it was.
    std::optional<mode_t> mode;
    if (link.isRegular()) {
        if (::access(target.constData(), W_OK) != 0)
            return failed(error, QStringLiteral("the file there may not be written (%1)")
                                         .arg(qt_error_string(errno)));
        struct stat existing
        {};
        if (::stat(target.constData(), &existing) == 0)
            mode = existing.st_mode & 07777;
    }

    // Copied without forcing each copy to the disk before the next: cp does
    // not either, and doing so made copying a folder of pictures several
    // times slower.
    PendingCopy out(target);
    if (!out.create(mode))
        return failed(
                error,
                QStringLiteral("the copy cannot be created (%1)").arg(qt_error_string(errno)));
    if (!copyContents(in.handle(), out.handle()) || !out.commit())
        return failed(
                error,
                QStringLiteral("the copy cannot be written (%1)").arg(qt_error_string(errno)));
    if (copiedBytes)
        *copiedBytes = in.status().size;
    return CopyResult::Copied;
#else
    if (there.exists() && !QFileInfo(destination).isWritable())
        return failed(error, QStringLiteral("the file there may not be written"));
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return failed(error,
                      QStringLiteral("the copy cannot be created (%1)").arg(out.errorString()));
    QFile &from = in.device();
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(block.data(), block.size());
        if (got < 0)
            return failed(error, QStringLiteral("it cannot be read (%1)").arg(from.errorString()));
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got)
            return failed(error,
                          QStringLiteral("the copy cannot be written (%1)").arg(out.errorString()));
    }
    if (!out.commit())
        return failed(error,
                      QStringLiteral("the copy cannot be written (%1)").arg(out.errorString()));
    if (copiedBytes)
        *copiedBytes = in.status().size;
    return CopyResult::Copied;
#endif
}

} // namespace vintora
