#include "pictures/picture_tree.h"

#include "base/file_name_bytes.h"

#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vintora {

namespace {

// A folder as the system knows it, whatever path leads to it.
struct FolderIdentity
{
    dev_t device = 0;
    ino_t inode = 0;

    bool operator==(const FolderIdentity &) const = default;
};

size_t qHash(const FolderIdentity &identity, size_t seed = 0)
{
    return ::qHash(quint64(identity.inode), seed) ^ ::qHash(quint64(identity.device), seed);
}

std::optional<FolderIdentity> identityOf(const QString &path)
{
    struct stat info
    {};
    if (::stat(EncodeFileName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return FolderIdentity{info.st_dev, info.st_ino};
}

QString realPath(const QString &path)
{
    char *real = ::realpath(EncodeFileName(path).constData(), nullptr);
    if (!real)
        return QString();
    QString resolved = DecodeFileName(QByteArray(real));
    std::free(real);
    return resolved;
}

// The folders directly in folder that are not hidden, links to folders
// among them, sorted by name with letter case ignored, then exactly.
QStringList subfolderNames(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(EncodeFileName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        if (entry->d_type != DT_DIR && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
            continue;
        struct stat info
        {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode))
            names.append(DecodeFileName(QByteArrayView(entry->d_name)));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

bool isLink(const QString &path)
{
    struct stat info
    {};
    return ::lstat(EncodeFileName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Whether the link leads to folder or a folder above it: a loop.
bool leadsAbove(const QString &link, const QString &folder)
{
    const QString target = realPath(link);
    const QString here = realPath(folder);
    return !target.isEmpty()
           && (here == target || here.startsWith(target + QLatin1Char('/')) || target == "/");
}

class TreeWalk
{
public:
    TreeWalk(const QString &outputFolder, QChar separator, LeftOutFiles *leftOut)
        : m_output(identityOf(outputFolder)), m_separator(separator), m_leftOut(leftOut)
    {}

    PictureTree tree;

    void walk(const QString &folder, const FolderIdentity &identity, bool inOutput);

private:
    std::optional<FolderIdentity> m_output;
    QChar m_separator;
    LeftOutFiles *m_leftOut;
    QSet<FolderIdentity> m_listed;
};

void TreeWalk::walk(const QString &folder, const FolderIdentity &identity, bool inOutput)
{
    m_listed.insert(identity);
    if (const auto pictures
        = ListFolderPictures(folder, m_separator, m_leftOut, PictureKinds::WithPhoneFormats))
        tree.pictures += *pictures;
    for (const QString &name : subfolderNames(folder)) {
        // The run's own folders beside a page it wrote.
        if (inOutput && (name == QLatin1String("thumbs") || name == QLatin1String("screen")))
            continue;
        const QString path = folder + m_separator + name;
        const std::optional<FolderIdentity> sub = identityOf(path);
        if (!sub)
            continue;
        if (m_output && *sub == *m_output)
            continue;
        const bool link = isLink(path);
        if (m_listed.contains(*sub) || (link && leadsAbove(path, folder))) {
            if (link)
                tree.notes << QStringLiteral("Left out \"%1\": the link leads back to a folder "
                                             "already listed.")
                                      .arg(DisplayFileName(path));
            continue;
        }
        walk(path, *sub, inOutput);
    }
}

} // namespace

std::optional<PictureTree> ListPictureTree(const QString &root, const QString &outputFolder,
                                           QChar separator, LeftOutFiles *leftOut)
{
    const std::optional<FolderIdentity> identity = identityOf(root);
    if (!identity || ::access(EncodeFileName(root).constData(), R_OK | X_OK) != 0)
        return std::nullopt;
    // The tree lies in the output folder when the output folder is root or
    // a folder above it.
    const QString realRoot = realPath(root);
    const QString realOutput = outputFolder.isEmpty() ? QString() : realPath(outputFolder);
    const bool inOutput
            = !realOutput.isEmpty()
              && (realRoot == realOutput || realRoot.startsWith(realOutput + QLatin1Char('/'))
                  || realOutput == QLatin1String("/"));
    TreeWalk walk(inOutput ? QString() : outputFolder, separator, leftOut);
    walk.walk(root, *identity, inOutput);
    return std::move(walk.tree);
}

} // namespace vintora
