#include "pictures/folder_listing.h"

#include "generate/text_helpers.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace vintora {

QStringList NameFiltersOf(const QString &pattern)
{
    QStringList filters;
    for (const QString &element : pattern.split(QLatin1Char(';'))) {
        const QString filter = element.trimmed();
        if (!filter.isEmpty())
            filters.append(filter);
    }
    return filters;
}

std::optional<QStringList> ListFolderPictures(const QString &folder, const QString &pattern,
                                              QChar separator)
{
    if (folder.isEmpty())
        return std::nullopt;
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;

    // Collect the names first and sort once: QDir would stat and sort
    // through heavier items, and a folder may hold tens of thousands.
    QStringList names;
    QDirIterator it(folder, NameFiltersOf(pattern), QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
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
