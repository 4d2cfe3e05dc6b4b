#include "output/replace_rules.h"

#include "base/file_name_bytes.h"
#include "output/system_calls.h"
#include "output/write_failures.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace vintora {

QString FileReplaceProblem(int folder, const QString &name, const ProtectedCheck &isProtected)
{
    const FileStatus there = StatAt(folder, name, false);
    switch (there.kind) {
    case FileStatus::Kind::Missing:
        return QString();
    case FileStatus::Kind::Link:
        // The link itself is replaced; only what it leads to could be a
        // picture of the run.
        return isProtected(StatAt(folder, name, true)) ? ProtectedFileReason() : QString();
    case FileStatus::Kind::Folder:
    case FileStatus::Kind::Other:
        return InTheWayReason(there);
    case FileStatus::Kind::Regular:
        break;
    }
    if (isProtected(there))
        return ProtectedFileReason();
    const posix::CallResult mayWrite = posix::MayWrite(folder, EncodeFileName(name));
    if (!mayWrite.ok() && mayWrite.error != ENOENT)
        return FailureReason(WriteStep::CheckExisting, mayWrite.error);
    return QString();
}

QString SubfolderProblem(int folder, const QString &name)
{
    const FileStatus there = StatAt(folder, name, false);
    return there.kind == FileStatus::Kind::Folder ? QString() : InTheWayReason(there);
}

bool CopyInPlace(int folder, const QString &name, SourceFile &source)
{
    const FileStatus there = StatAt(folder, name, false);
    const FileStatus reached
            = there.kind == FileStatus::Kind::Link ? StatAt(folder, name, true) : there;
    if (source.status().sameFileAs(reached))
        return true;
    return there.isRegular() && there.size == source.status().size
           && HoldsSameBytes(folder, name, source);
}

bool HoldsSameBytes(int folder, const QString &name, SourceFile &source)
{
    SourceFile there(folder, name);
    if (!there.isOpen() || !source.isOpen() || there.status().size != source.status().size)
        return false;
    if (!posix::SeekToStart(source.handle()).ok())
        return false;
    constexpr qint64 kBlock = 1 << 18;
    std::vector<char> a(kBlock), b(kBlock);
    for (;;) {
        const posix::CallResult gotA = posix::ReadFull(source.handle(), a.data(), kBlock);
        const posix::CallResult gotB = posix::ReadFull(there.handle(), b.data(), kBlock);
        if (!gotA.ok() || !gotB.ok() || gotA.value != gotB.value
            || std::memcmp(a.data(), b.data(), size_t(gotA.value)) != 0)
            return false;
        if (gotA.value == 0)
            return true;
    }
}

} // namespace vintora
