#include "run/fin_naming.h"

#include "output/output_writer.h"
#include "renditions/rendition_files.h"
#include "renditions/thumbnail_names.h"

namespace vintora {

RunNames::RunNames(const OutputFolder *folder, const QHash<QString, FileStatus> &looks, bool copy,
                   const FinOptions &options)
    : m_folder(folder)
    , m_copy(copy)
    , m_case(options.nameCase)
    , m_namer(options.nameCase, options.separator)
{
    if (copy)
        m_namer.setLook([&looks](const QString &source) {
            const auto known = looks.constFind(source);
            return known != looks.constEnd() ? *known : StatFile(source);
        });
    m_namer.setFreeCheck([this](const QString &name, const QString &source) {
        return nameIsFree(name, source);
    });
}

QString RunNames::stemFor(const QString &name)
{
    const auto clashes = [this](const QString &stem) {
        for (const QString &candidate : ThumbnailFileNames(stem)) {
            if (m_madeNames.contains(candidate))
                return true;
        }
        return false;
    };
    QString stem = name;
    for (int number = 2;
         clashes(stem) || (stem != name && (!nameIsFree(stem, QString()) || isCopyName(stem)));
         ++number)
        stem = NumberedName(name, number);
    for (const QString &candidate : ThumbnailFileNames(stem))
        m_madeNames.insert(candidate);
    return stem;
}

// A copy of this run will take the name in the output folder.
bool RunNames::isCopyName(const QString &name) const
{
    if (!m_copy)
        return false;
    for (const QString &given : names()) {
        if (given.compare(name, m_case) == 0)
            return true;
    }
    return false;
}

// A numbered name is free for a source when nothing of that name lies in
// any folder it would be written into, or only what an earlier run made of
// this very picture: its copy (the same bytes) or its thumbnail.
bool RunNames::nameIsFree(const QString &name, const QString &source) const
{
    const auto holdsSource = [&source](const OutputFolder &folder, const QString &there) {
        SourceFile picture(source);
        return OutputWriter::holdsSameBytes(folder, there, picture);
    };
    if (m_copy && m_folder) {
        const FileStatus there = m_folder->look(name);
        // A link counts as a file there, even when it leads nowhere.
        if (there.exists() && !(there.isRegular() && holdsSource(*m_folder, name)))
            return false;
    }
    for (const OutputFolder *folder : m_madeFolders) {
        for (const QString &candidate : ThumbnailFileNames(name)) {
            const FileStatus there = folder->look(candidate);
            if (there.exists()
                && !(there.isRegular()
                     && (IsMadeThumbnail(*folder, candidate) || holdsSource(*folder, candidate))))
                return false;
        }
    }
    return true;
}

} // namespace vintora
