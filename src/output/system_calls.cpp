#include "output/system_calls.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace vintora::posix {

namespace {

// The result of a call that gives -1 and sets errno when it fails.
CallResult resultOf(qint64 value)
{
    return value < 0 ? CallResult{-1, errno} : CallResult{value, 0};
}

// Makes the call again for as long as a signal interrupts it.
template<typename Call>
CallResult retried(Call call)
{
    for (;;) {
        const qint64 value = call();
        if (value >= 0 || errno != EINTR)
            return resultOf(value);
    }
}

constexpr int kWriteFlags = O_WRONLY | O_CLOEXEC;

} // namespace

CallResult OpenFolder(int folder, const QByteArray &name, bool followLinks)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
    return retried([&] { return ::openat(folder, name.constData(), flags); });
}

CallResult CreateFile(int folder, const QByteArray &name)
{
    return retried([&] {
        return ::openat(folder, name.constData(), kWriteFlags | O_CREAT | O_EXCL, 0666);
    });
}

CallResult CreateUnnamedFile(int folder)
{
#if defined(O_TMPFILE) && !defined(VINTORA_WITHOUT_TMPFILE)
    // The file gets its name through /proc, which a system may lack.
    static const bool procThere = ::access("/proc/self/fd", X_OK) == 0;
    if (!procThere)
        return {-1, EOPNOTSUPP};
    const CallResult file
            = retried([&] { return ::openat(folder, ".", kWriteFlags | O_TMPFILE, 0666); });
    // File systems without unnamed files say so in several ways.
    if (file.error == EISDIR || file.error == EINVAL)
        return {-1, EOPNOTSUPP};
    return file;
#else
    (void) folder;
    return {-1, EOPNOTSUPP};
#endif
}

CallResult LinkOpenFile(int fd, int folder, const QByteArray &name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return retried([&] {
        return ::linkat(AT_FDCWD, self.constData(), folder, name.constData(), AT_SYMLINK_FOLLOW);
    });
}

CallResult SetPermissions(int fd, quint32 permissions)
{
    return retried([&] { return ::fchmod(fd, mode_t(permissions)); });
}

CallResult WriteAll(int fd, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const CallResult put = retried(
                [&] { return ::write(fd, bytes.data() + done, size_t(bytes.size() - done)); });
        if (!put.ok())
            return put;
        if (put.value == 0) // no progress: the disk takes no more
            return {-1, ENOSPC};
        done += put.value;
    }
    return {bytes.size(), 0};
}

CallResult ReadFull(int fd, char *into, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const CallResult got
                = retried([&] { return ::read(fd, into + done, size_t(size - done)); });
        if (!got.ok())
            return got;
        if (got.value == 0)
            break;
        done += got.value;
    }
    return {done, 0};
}

CallResult CopyAll(int in, int out)
{
#ifdef Q_OS_LINUX
    for (bool first = true;; first = false) {
        const CallResult copied
                = retried([&] { return ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0); });
        if (copied.ok() && copied.value == 0)
            return copied;
        if (copied.ok())
            continue;
        // Not offered for these two files: through the buffer, from where
        // the copy started, which nothing has moved yet.
        const int e = copied.error;
        const bool unsupported
                = e == EXDEV || e == EINVAL || e == ENOSYS || e == EOPNOTSUPP || e == EBADF;
        if (first && unsupported)
            break;
        return copied;
    }
#endif
    std::vector<char> block(1 << 20);
    for (;;) {
        const CallResult got = retried([&] { return ::read(in, block.data(), block.size()); });
        if (!got.ok() || got.value == 0)
            return got;
        if (const CallResult put = WriteAll(out, QByteArrayView(block.data(), got.value));
            !put.ok())
            return put;
    }
}

CallResult SeekToStart(int fd)
{
    return resultOf(::lseek(fd, 0, SEEK_SET));
}

CallResult Close(int fd)
{
    return resultOf(::close(fd));
}

CallResult Link(int folder, const QByteArray &from, const QByteArray &to)
{
    return retried([&] { return ::linkat(folder, from.constData(), folder, to.constData(), 0); });
}

CallResult Rename(int folder, const QByteArray &from, const QByteArray &to)
{
    return retried([&] { return ::renameat(folder, from.constData(), folder, to.constData()); });
}

CallResult Remove(int folder, const QByteArray &name)
{
    return retried([&] { return ::unlinkat(folder, name.constData(), 0); });
}

CallResult MakeFolder(int folder, const QByteArray &name)
{
    return retried([&] { return ::mkdirat(folder, name.constData(), 0777); });
}

CallResult MayWrite(int folder, const QByteArray &name)
{
    return retried([&] { return ::faccessat(folder, name.constData(), W_OK, AT_EACCESS); });
}

CallResult OpenToRead(int folder, const QByteArray &name)
{
    // A pipe that took the name meanwhile does not keep the open waiting.
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    return retried([&] { return ::openat(folder, name.constData(), flags); });
}

bool IsOpenFileAt(int fd, int folder, const QByteArray &name)
{
    struct stat open
    {
    }, named{};
    return ::fstat(fd, &open) == 0
           && ::fstatat(folder, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

CallResult Lock(int fd)
{
    return retried([&] { return ::flock(fd, LOCK_EX | LOCK_NB); });
}

CallResult Duplicate(int fd)
{
    return retried([&] { return ::fcntl(fd, F_DUPFD_CLOEXEC, 0); });
}

QList<QByteArray> EntryNames(int folder)
{
    // The listing reads through a descriptor of its own, which it closes.
    const CallResult own = OpenFolder(folder, ".", true);
    if (!own.ok())
        return {};
    DIR *entries = ::fdopendir(int(own.value));
    if (!entries) {
        ::close(int(own.value));
        return {};
    }
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(entries))
        names << QByteArray(entry->d_name);
    ::closedir(entries);
    return names;
}

bool IsRegularFile(int folder, const QByteArray &name)
{
    struct stat info
    {};
    return ::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0
           && S_ISREG(info.st_mode);
}

} // namespace vintora::posix
