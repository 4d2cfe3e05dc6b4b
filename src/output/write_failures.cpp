#include "output/write_failures.h"

#include "base/file_name_bytes.h"

namespace vintora {

QString FailureReason(WriteStep step, int error)
{
    const char *what = "";
    switch (step) {
    case WriteStep::CreateFile:
        what = "the file cannot be created";
        break;
    case WriteStep::WriteFile:
        what = "the file cannot be written";
        break;
    case WriteStep::CheckExisting:
        what = "the file there may not be written";
        break;
    case WriteStep::ReadSource:
        what = "it cannot be read";
        break;
    case WriteStep::MakeFolder:
        what = "the folder cannot be made";
        break;
    case WriteStep::OpenFolder:
        what = "the folder cannot be opened";
        break;
    }
    return QStringLiteral("%1 (%2)").arg(QLatin1String(what), qt_error_string(error));
}

QString InTheWayReason(const FileStatus &there)
{
    QString what;
    switch (there.kind) {
    case FileStatus::Kind::Folder:
        what = QStringLiteral("a folder");
        break;
    case FileStatus::Kind::Link:
        what = QStringLiteral("a link");
        break;
    case FileStatus::Kind::Regular:
        what = QStringLiteral("a file");
        break;
    case FileStatus::Kind::Other:
        what = there.what;
        break;
    case FileStatus::Kind::Missing:
        return QString();
    }
    return QStringLiteral("%1 of that name is in the way").arg(what);
}

QString ProtectedFileReason()
{
    return QStringLiteral("it is one of the pictures of this run");
}

QString NotAFolderReason()
{
    return QStringLiteral("it is not a folder");
}

QString FolderFailure(FolderAction action, const QString &path, const QString &reason)
{
    const char *what = "";
    switch (action) {
    case FolderAction::MakeFolder:
        what = "make the folder";
        break;
    case FolderAction::OpenFolder:
        what = "open the folder";
        break;
    case FolderAction::OpenOutputFolder:
        what = "open the output folder";
        break;
    }
    return QStringLiteral("Could not %1 \"%2\": %3.")
            .arg(QLatin1String(what), DisplayFileName(path), reason);
}

} // namespace vintora
