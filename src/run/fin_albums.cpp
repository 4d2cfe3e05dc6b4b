#include "run/fin_albums.h"

#include "base/file_name_bytes.h"
#include "base/text_helpers.h"
#include "output/copy_plan.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <optional>

namespace vintora {

namespace {

QString withoutEndSeparators(QString folder, QChar separator)
{
    while (folder.size() > 1 && folder.endsWith(separator))
        folder.chop(1);
    return folder;
}

// The folders from root to the entry's folder, by name; nothing when root
// does not hold it.
std::optional<QStringList> foldersBelow(const QString &root, const QString &entry, QChar separator)
{
    const QString start = root.endsWith(separator) ? root : root + separator;
    if (!entry.startsWith(start))
        return std::nullopt;
    QStringList parts = entry.mid(start.size()).split(separator, Qt::SkipEmptyParts);
    if (!parts.isEmpty())
        parts.removeLast(); // the file's own name
    return parts;
}

// The folders of the entry's page below the top page.
QStringList pageFolders(const QStringList &roots, const QString &entry, QChar separator)
{
    qsizetype longest = -1;
    for (qsizetype i = 0; i < roots.size(); ++i) {
        if (foldersBelow(roots.at(i), entry, separator)
            && (longest < 0 || roots.at(i).size() > roots.at(longest).size()))
            longest = i;
    }
    if (longest < 0)
        return {};
    QStringList folders = *foldersBelow(roots.at(longest), entry, separator);
    if (roots.size() > 1)
        folders.prepend(FileNameOf(roots.at(longest), separator));
    return folders;
}

class AlbumTree
{
public:
    AlbumTree(const QStringList &reserved, Qt::CaseSensitivity nameCase)
        : m_reserved(reserved), m_case(nameCase)
    {
        m_places.append(AlbumPlace());
        m_byKey.insert(QString(), 0);
    }

    qsizetype placeOf(const QStringList &folders);
    QList<AlbumPlace> places() const { return m_places; }

private:
    QString freeFolderName(qsizetype parent, const QString &name) const;

    QStringList m_reserved;
    Qt::CaseSensitivity m_case;
    QList<AlbumPlace> m_places;
    QHash<QString, qsizetype> m_byKey; // by the source folders, joined by "/"
};

qsizetype AlbumTree::placeOf(const QStringList &folders)
{
    qsizetype place = 0;
    QString key;
    for (const QString &name : folders) {
        key += QLatin1Char('/') + name;
        if (const auto known = m_byKey.constFind(key); known != m_byKey.constEnd()) {
            place = *known;
            continue;
        }
        AlbumPlace album;
        album.folder = m_places.at(place).folder;
        album.folder.append(freeFolderName(place, name));
        album.name = DisplayFileName(name);
        album.parent = place;
        m_places.append(album);
        place = m_places.size() - 1;
        m_byKey.insert(key, place);
    }
    return place;
}

QString AlbumTree::freeFolderName(qsizetype parent, const QString &name) const
{
    const auto taken = [&](const QString &candidate) {
        if (m_reserved.contains(candidate, m_case))
            return true;
        for (const AlbumPlace &album : m_places) {
            if (album.parent == parent && album.folder.last().compare(candidate, m_case) == 0)
                return true;
        }
        return false;
    };
    QString free = name;
    for (int number = 2; taken(free); ++number)
        free = NumberedName(name, number);
    return free;
}

} // namespace

QList<AlbumPlace> AlbumPlaces(const QStringList &entries, const QStringList &roots,
                              const QStringList &singles, QChar separator,
                              const QStringList &reserved, Qt::CaseSensitivity nameCase)
{
    QStringList cleanRoots;
    for (const QString &root : roots)
        cleanRoots << withoutEndSeparators(root, separator);
    cleanRoots.removeDuplicates(); // a folder chosen twice is one root
    AlbumTree tree(reserved, nameCase);
    QList<qsizetype> placeOfEntry;
    // A picture chosen on its own and listed again in a folder chosen is on
    // both pages: each single takes one listing of its path.
    QHash<QString, int> singlesLeft;
    for (const QString &single : singles)
        ++singlesLeft[single];
    for (const QString &entry : entries) {
        if (int &left = singlesLeft[entry]; left > 0) {
            --left;
            placeOfEntry << 0;
        } else {
            placeOfEntry << tree.placeOf(pageFolders(cleanRoots, entry, separator));
        }
    }
    QList<AlbumPlace> places = tree.places();
    for (qsizetype i = 0; i < placeOfEntry.size(); ++i)
        places[placeOfEntry.at(i)].entries << i;
    return places;
}

QStringList WithoutEarlierOutput(const QStringList &entries, const QStringList &roots,
                                 const QStringList &singles, const QString &outputFolder)
{
    const QString output = QFileInfo(outputFolder).canonicalFilePath();
    if (output.isEmpty())
        return entries;
    const auto inside = [](const QString &path, const QString &folder) {
        return path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder
                                                                 : folder + QLatin1Char('/'));
    };
    bool belowRoot = false;
    for (const QString &root : roots) {
        const QString folder = QFileInfo(root).canonicalFilePath();
        belowRoot = belowRoot || (!folder.isEmpty() && inside(output, folder));
    }
    if (!belowRoot)
        return entries;
    const QSet<QString> chosen(singles.cbegin(), singles.cend());
    QStringList kept;
    for (const QString &entry : entries) {
        if (chosen.contains(entry) || !inside(QFileInfo(entry).canonicalFilePath(), output))
            kept << entry;
    }
    return kept;
}

bool LeaveOutEarlierOutput(QStringList &entries, const FinOptions &options,
                           const QString &outputFolder, FinContext &context)
{
    const qsizetype listed = entries.size();
    entries = WithoutEarlierOutput(entries, options.pictureFolders, options.singlePictures,
                                   outputFolder);
    if (const qsizetype left = listed - entries.size(); left > 0)
        context.note(QStringLiteral("Left out %1 %2 in the output folder, which an earlier run "
                                    "made.")
                             .arg(left)
                             .arg(left == 1 ? QStringLiteral("file") : QStringLiteral("files")));
    return !entries.isEmpty() || context.end(FinResult::Refused, QLatin1String(kStatusNoFiles));
}

} // namespace vintora
