#include "output/page_name.h"

#include "output/pending_file.h"

namespace vintora {

QString PageNameProblem(const QString &name, QChar separator)
{
    if (name.isEmpty())
        return QStringLiteral("No file name for the page... no output...");
    if (name.contains(QLatin1Char('/')) || name.contains(separator) || name == QLatin1String(".")
        || name == QLatin1String(".."))
        return QStringLiteral("The page name \"%1\" is not a plain file name: the page always goes "
                              "into the chosen folder, so type a name without a folder part, "
                              "such as vintora.htm.")
                .arg(name);
    if (LooksLikePendingFileName(name))
        return QStringLiteral("The page name \"%1\" looks like one of the files this program "
                              "leaves only while it makes them, which a later run may remove: "
                              "type another name, such as vintora.htm.")
                .arg(name);
    return QString();
}

} // namespace vintora
