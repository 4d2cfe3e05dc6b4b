#include "output/output_writer.h"

#include "base/file_name_bytes.h"
#include "base/text_helpers.h"
#include "output/pending_file.h"
#include "output/replace_rules.h"
#include "output/system_calls.h"
#include "output/write_failures.h"

#include <fcntl.h>

#include <cerrno>
#include <optional>
#include <utility>

namespace vintora {

namespace {

// The bits a replaced file passes on: read, write and execute.
constexpr quint32 kCarriedPermissions = 0777;

bool failed(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

OutputFolder::OutputFolder(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}

OutputFolder::~OutputFolder()
{
    if (m_fd >= 0)
        posix::Close(m_fd);
}

QString OutputFolder::pathOf(const QString &name) const
{
    return JoinPath(m_path, name);
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
    // Links in the path are followed: it is the user's own choice.
    const posix::CallResult opened = posix::OpenFolder(AT_FDCWD, EncodeFileName(path), true);
    if (!opened.ok()) {
        const FileStatus there = StatFile(path);
        const QString reason = there.exists() && there.kind != FileStatus::Kind::Folder
                                       ? NotAFolderReason()
                                       : FailureReason(WriteStep::OpenFolder, opened.error);
        return failed(error, FolderFailure(FolderAction::OpenOutputFolder, path, reason));
    }
    m_folder.reset(new OutputFolder(int(opened.value), path));
    RemoveLeftovers(m_folder->handle());
    return true;
}

QString OutputWriter::subfolderProblem(const OutputFolder &parent, const QString &name) const
{
    const QString reason = SubfolderProblem(parent.handle(), name);
    return reason.isEmpty() ? QString()
                            : FolderFailure(FolderAction::MakeFolder, parent.pathOf(name), reason);
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
    posix::CallResult opened = posix::OpenFolder(parent.handle(), bytes, false);
    if (opened.error == ENOENT) {
        if (!create)
            return nullptr;
        const posix::CallResult made = posix::MakeFolder(parent.handle(), bytes);
        if (!made.ok() && made.error != EEXIST) {
            failed(error, FolderFailure(FolderAction::MakeFolder, parent.pathOf(name),
                                        FailureReason(WriteStep::MakeFolder, made.error)));
            return nullptr;
        }
        opened = posix::OpenFolder(parent.handle(), bytes, false);
    }
    if (!opened.ok()) {
        QString problem = subfolderProblem(parent, name);
        if (problem.isEmpty())
            problem = FolderFailure(FolderAction::OpenFolder, parent.pathOf(name),
                                    FailureReason(WriteStep::OpenFolder, opened.error));
        failed(error, problem);
        return nullptr;
    }
    auto &folder = m_subfolders[key];
    folder.reset(new OutputFolder(int(opened.value), parent.pathOf(name)));
    RemoveLeftovers(folder->handle());
    return folder.get();
}

void OutputWriter::setProtected(std::function<bool(const FileStatus &)> isProtected)
{
    m_protected = std::move(isProtected);
}

bool OutputWriter::isProtected(const FileStatus &file) const
{
    return file.exists() && m_protected && m_protected(file);
}

QString OutputWriter::problemWith(const OutputFolder &folder, const QString &name) const
{
    return FileReplaceProblem(folder.handle(), name,
                              [this](const FileStatus &file) { return isProtected(file); });
}

bool OutputWriter::writeWith(const OutputFolder &folder, const QString &name,
                             const std::function<int(int)> &fill, QString *error) const
{
    if (const QString problem = problemWith(folder, name); !problem.isEmpty())
        return failed(error, problem);
    const FileStatus there = folder.look(name);
    // A file replaced keeps its read, write and execute bits, as a saved
    // file does; never the set-user-ID, set-group-ID or sticky bits, which
    // would make the new bytes run as the old file's owner, or as whoever
    // writes it (root, say). A new file gets 0666 less the umask.
    std::optional<quint32> permissions;
    if (there.isRegular())
        permissions = there.permissions & kCarriedPermissions;
    PendingFile file(folder.handle());
    if (const posix::CallResult made = file.create(permissions); !made.ok())
        return failed(error, FailureReason(WriteStep::CreateFile, made.error));
    int code = fill(file.handle());
    if (code == 0)
        code = file.commit(EncodeFileName(name), there.exists()).error;
    if (code != 0)
        return failed(error, FailureReason(WriteStep::WriteFile, code));
    return true;
}

bool OutputWriter::writeFile(const OutputFolder &folder, const QString &name, QByteArrayView bytes,
                             QString *error) const
{
    return writeWith(
            folder, name, [bytes](int fd) { return posix::WriteAll(fd, bytes).error; }, error);
}

bool OutputWriter::writeStreamed(const OutputFolder &folder, const QString &name,
                                 const std::function<int(int)> &fill, QString *error) const
{
    return writeWith(folder, name, fill, error);
}

bool OutputWriter::holdsSameBytes(const OutputFolder &folder, const QString &name,
                                  SourceFile &source)
{
    return HoldsSameBytes(folder.handle(), name, source);
}

OutputWriter::CopyOutcome OutputWriter::copyFile(SourceFile &source, const OutputFolder &folder,
                                                 const QString &name, QString *error,
                                                 qint64 *copiedBytes) const
{
    if (CopyInPlace(folder.handle(), name, source))
        return CopyOutcome::InPlace;
    if (const posix::CallResult start = posix::SeekToStart(source.handle()); !start.ok()) {
        failed(error, FailureReason(WriteStep::ReadSource, start.error));
        return CopyOutcome::Failed;
    }
    const int in = source.handle();
    if (!writeWith(
                folder, name, [in](int out) { return posix::CopyAll(in, out).error; }, error))
        return CopyOutcome::Failed;
    if (copiedBytes)
        *copiedBytes = source.status().size;
    return CopyOutcome::Copied;
}

OutputWriter::CopyOutcome OutputWriter::writeUnlessHeld(const OutputFolder &folder,
                                                        const QString &name, QByteArrayView bytes,
                                                        QString *error) const
{
    if (HoldsBytes(folder.handle(), name, bytes))
        return CopyOutcome::InPlace;
    return writeFile(folder, name, bytes, error) ? CopyOutcome::Copied : CopyOutcome::Failed;
}

} // namespace vintora
