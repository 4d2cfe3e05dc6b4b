#include "cli/cli_paths.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>

namespace vintora {

namespace {

// The absolute path with "." and ".." taken out as the system takes them:
// ".." after a link leads up from the folder the link leads to, never back
// to the link's own folder. Only such a link is resolved; every other part
// keeps its text, and its bytes (see EncodeFileName).
QString withDotsResolved(const QString &absolute)
{
    QString path; // empty at the root
    for (const QString &part : absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part != QLatin1String("..")) {
            path += QLatin1Char('/') + part;
            continue;
        }
        if (StatLink(path).kind == FileStatus::Kind::Link) {
            if (char *real = ::realpath(EncodeFileName(path).constData(), nullptr)) {
                path = DecodeFileName(QByteArray(real));
                std::free(real);
            }
        }
        path.truncate(std::max<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
    }
    return path.isEmpty() ? QStringLiteral("/") : path;
}

} // namespace

QString absoluteCliPath(const QString &path)
{
    if (path.isEmpty())
        return path;
    // Text alone, never through QFileInfo, which would lose the bytes of a
    // name that is not valid text.
    const QString absolute
            = QDir::isAbsolutePath(path) ? path : QDir::currentPath() + QLatin1Char('/') + path;
    return withDotsResolved(absolute);
}

} // namespace vintora
