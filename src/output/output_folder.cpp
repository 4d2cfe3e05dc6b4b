#include "output/output_folder.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"

#include <QDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vintora {

namespace {

// The path with its last part taken off; empty at the root.
QString parentOf(const QString &path)
{
    const qsizetype cut = path.lastIndexOf(QDir::separator());
    if (cut <= 0)
        return cut == 0 && path.size() > 1 ? path.left(1) : QString();
    return path.left(cut);
}

// The nearest folder above path that exists, or what is in its way.
QString nearestExisting(const QString &path)
{
    QString above = parentOf(path);
    while (!above.isEmpty() && !StatFile(above).exists())
        above = parentOf(above);
    return above;
}

} // namespace

QString OutputFolderProblem(const QString &path)
{
    const QString above = nearestExisting(path);
    if (above.isEmpty())
        return QString();
    const QString shown = DisplayFileName(above);
    if (StatFile(above).kind != FileStatus::Kind::Folder)
        return QStringLiteral("cannot make the folder %1: %2 is not a folder")
                .arg(DisplayFileName(path), shown);
#ifdef Q_OS_UNIX
    if (::access(EncodeFileName(above).constData(), W_OK | X_OK) != 0)
        return QStringLiteral("cannot make the folder %1: %2 may not be written")
                .arg(DisplayFileName(path), shown);
#endif
    return QString();
}

QString MakeOutputFolder(const QString &path)
{
    if (path.isEmpty() || StatFile(path).kind == FileStatus::Kind::Folder)
        return QString();
    if (const QString above = parentOf(path); !above.isEmpty()) {
        if (const QString problem = MakeOutputFolder(above); !problem.isEmpty())
            return problem;
    }
#ifdef Q_OS_UNIX
    if (::mkdir(EncodeFileName(path).constData(), 0777) != 0 && errno != EEXIST)
        return QStringLiteral("Could not make the folder %1: %2.")
                .arg(DisplayFileName(path), qt_error_string(errno));
#else
    if (!QDir().mkdir(path) && StatFile(path).kind != FileStatus::Kind::Folder)
        return QStringLiteral("Could not make the folder %1.").arg(DisplayFileName(path));
#endif
    if (StatFile(path).kind != FileStatus::Kind::Folder)
        return QStringLiteral("Could not make the folder %1: something else of that name is in "
                              "the way.")
                .arg(DisplayFileName(path));
    return QString();
}

} // namespace vintora
