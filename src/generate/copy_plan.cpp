#include "generate/copy_plan.h"

#include "generate/text_helpers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

QString CopyNamer::folded(const QString &text) const
{
    return m_case == Qt::CaseInsensitive ? text.toCaseFolded() : text;
}

QString CopyNamer::identityOf(const QString &source) const
{
    // Another path to a file already named (a link, "." segments) is the
    // same source; a missing file can only be known by its text.
    const QString canonical = QFileInfo(source).canonicalFilePath();
    return folded(canonical.isEmpty() ? source : canonical);
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
        while (m_taken.contains(folded(name)));
    }
    m_taken.insert(folded(name));
    m_byFile.insert(identity, name);
    m_names.insert(source, name);
    return name;
}

bool SameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    struct stat first
    {};
    struct stat second
    {};
    if (::stat(QFile::encodeName(a).constData(), &first) != 0
        || ::stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#else
    const QString first = QFileInfo(a).canonicalFilePath();
    const QString second = QFileInfo(b).canonicalFilePath();
    return !first.isEmpty() && first.compare(second, kFileNameCase) == 0;
#endif
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

// Creates a new file beside the destination under a name of its own, with
// the permissions a new file gets (or those of the file it will replace).
// Its descriptor, or -1 with errno set.
int createBeside(const QByteArray &destination, QByteArray &tempName)
{
    struct stat existing
    {};
    const bool replaces = ::stat(destination.constData(), &existing) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = destination + ".part-"
                   + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (replaces)
                ::fchmod(fd, existing.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

#endif

} // namespace

CopyResult CopyFileReplacing(const QString &source, const QString &destination, QString *error)
{
    if (SameFile(source, destination))
        return CopyResult::SameFile;

    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists())
        return failed(error, QStringLiteral("the file does not exist"));
    if (sourceInfo.isDir())
        return failed(error, QStringLiteral("it is a folder, not a file"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failed(error, QStringLiteral("it cannot be read (%1)").arg(in.errorString()));
    if (QFileInfo(destination).isDir())
        return failed(error, QStringLiteral("a folder of that name is in the way"));

#ifdef Q_OS_UNIX
    // The copy is made under a name of its own beside the destination and
    // renamed over it once complete, like a save file, but without forcing
    // each copy to the disk before the next: cp does not either, and doing
    // so made copying a folder of pictures several times slower.
    const QByteArray target = QFile::encodeName(destination);
    QByteArray tempName;
    const int out = createBeside(target, tempName);
    if (out < 0)
        return failed(
                error,
                QStringLiteral("the copy cannot be created (%1)").arg(qt_error_string(errno)));
    const auto giveUp = [&](int code) {
        ::unlink(tempName.constData());
        return failed(error,
                      QStringLiteral("the copy cannot be written (%1)").arg(qt_error_string(code)));
    };
    if (!copyContents(in.handle(), out)) {
        const int code = errno;
        ::close(out);
        return giveUp(code);
    }
    if (::close(out) != 0)
        return giveUp(errno);
    if (::rename(tempName.constData(), target.constData()) != 0)
        return giveUp(errno);
    return CopyResult::Copied;
#else
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return failed(error,
                      QStringLiteral("the copy cannot be created (%1)").arg(out.errorString()));
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0)
            return failed(error, QStringLiteral("it cannot be read (%1)").arg(in.errorString()));
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got)
            return failed(error,
                          QStringLiteral("the copy cannot be written (%1)").arg(out.errorString()));
    }
    if (!out.commit())
        return failed(error,
                      QStringLiteral("the copy cannot be written (%1)").arg(out.errorString()));
    return CopyResult::Copied;
#endif
}

} // namespace vintora
