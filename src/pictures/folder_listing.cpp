#include "pictures/folder_listing.h"

#include "generate/text_helpers.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace vintora {

namespace {

// The endings the pattern asks for (".jpg", ...): every element is "*."
// and an extension, so a name matches when it ends with one of them.
QStringList patternEndings()
{
    QStringList endings;
    for (const QString &element : QString::fromLatin1(kFolderPicturePattern).split(u';')) {
        const QString filter = element.trimmed();
        if (filter.startsWith(u'*'))
            endings.append(filter.mid(1));
    }
    return endings;
}

bool matchesPattern(const QString &name, const QStringList &endings)
{
    return std::any_of(endings.begin(), endings.end(), [&name](const QString &ending) {
        return name.endsWith(ending, Qt::CaseInsensitive);
    });
}

} // namespace

std::optional<QStringList> ListFolderPictures(const QString &folder, QChar separator)
{
    if (folder.isEmpty())
        return std::nullopt;
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;

    // Plain endings and one sort at the end: QDir's own name filters and
    // sorting are several times slower, and a folder may hold tens of
    // thousands of pictures. Without QDir::Hidden, hidden files stay out.
    static const QStringList endings = patternEndings();
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (matchesPattern(name, endings))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });

    for (QString &name : names)
        name = JoinPath(folder, name, separator);
    return names;
}

} // namespace vintora
