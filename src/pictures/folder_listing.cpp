#include "pictures/folder_listing.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace vintora {

namespace {

// The endings the patterns ask for (".jpg", ...): every element is "*."
// and an extension, so a name matches when it ends with one of them.
QStringList patternEndings(PictureKinds kinds)
{
    QString pattern = QString::fromLatin1(kFolderPicturePattern);
    if (kinds == PictureKinds::WithPhoneFormats)
        pattern += u';' + QString::fromLatin1(kPhonePicturePattern);
    QStringList endings;
    for (const QString &element : pattern.split(u';')) {
        const QString filter = element.trimmed();
        if (filter.startsWith(u'*'))
            endings.append(filter.mid(1));
    }
    return endings;
}

// The same endings as bytes of the file system's names. They are plain
// ASCII, and so are their letters' case variants: no other character folds
// to j, p, e, g, i, f, n, b, m, h, c, a, v or w, and no byte of a longer UTF-8 sequence is
// ASCII. Comparing the last bytes, letter case ignored, is therefore the
// same as comparing the decoded name.
bool matchesPattern(const char *name, size_t length, PictureKinds kinds)
{
    const auto endingsOf = [](PictureKinds of) {
        QList<QByteArray> bytes;
        for (const QString &ending : patternEndings(of))
            bytes.append(ending.toLatin1());
        return bytes;
    };
    static const QList<QByteArray> classic = endingsOf(PictureKinds::Classic);
    static const QList<QByteArray> withPhones = endingsOf(PictureKinds::WithPhoneFormats);
    for (const QByteArray &ending : kinds == PictureKinds::Classic ? classic : withPhones) {
        const auto n = size_t(ending.size());
        if (length >= n && qstrnicmp(name + length - n, ending.constData(), n) == 0)
            return true;
    }
    return false;
}

// The extension of a name as its bytes, from its last "." on; empty when
// it has none (or nothing follows the dot).
std::string extensionBytes(const char *name, size_t length)
{
    size_t dot = length;
    while (dot > 0 && name[dot - 1] != '.')
        --dot;
    if (dot == 0 || dot == length)
        return std::string();
    return std::string(name + dot - 1, length - dot + 1);
}

// Whether the entry is a regular file, or a link to one.
bool isRegularFile(DIR *dir, const dirent *entry)
{
    if (entry->d_type == DT_REG)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat info
    {};
    return ::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// The names of the matching files, straight from the system's listing:
// only the names that match are decoded, each keeping its exact bytes (see
// DecodeFileName). Regular files count, and links to them; hidden names
// (starting with ".") do not. With leftOut, the other regular files are
// counted by extension; their names are never decoded.
QStringList matchingNames(const QString &folder, LeftOutFiles *leftOut, PictureKinds kinds)
{
    QStringList names;
    DIR *dir = ::opendir(EncodeFileName(folder).constData());
    if (!dir)
        return names;
    std::unordered_map<std::string, int> passedOver;
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.')
            continue;
        const size_t length = std::strlen(name);
        if (!matchesPattern(name, length, kinds)) {
            if (leftOut && isRegularFile(dir, entry))
                ++passedOver[extensionBytes(name, length)];
            continue;
        }
        if (isRegularFile(dir, entry))
            names.append(DecodeFileName(QByteArrayView(name, qsizetype(length))));
    }
    ::closedir(dir);
    if (leftOut) {
        for (const auto &[extension, count] : passedOver)
            leftOut->byExtension[DecodeFileName(QByteArrayView(extension))] += count;
    }
    return names;
}

// The text by which names sort with letter case ignored: each character
// case-folded as QString::compare(..., Qt::CaseInsensitive) folds it, unit
// by unit (a surrogate pair's low unit carries the folded character's, its
// high unit stays as it is). Comparing two keys exactly orders the names as
// that comparison does, without folding every character again in each of
// the many comparisons of a sort.
QString sortKey(const QString &name)
{
    QString key(name.size(), Qt::Uninitialized);
    const char16_t *from = QStringView(name).utf16();
    char16_t *to = reinterpret_cast<char16_t *>(key.data());
    char16_t last = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = from[i];
        if (c < 0x80) {
            to[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
        } else if (QChar::isLowSurrogate(c) && QChar::isHighSurrogate(last)) {
            to[i] = QChar::lowSurrogate(QChar::toCaseFolded(QChar::surrogateToUcs4(last, c)));
        } else {
            to[i] = char16_t(QChar::toCaseFolded(char32_t(c)));
        }
        last = c;
    }
    return key;
}

// Sorted by name, letter case ignored, ties broken by the exact text.
void sortByName(QStringList &names)
{
    struct Keyed
    {
        QString key;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(size_t(names.size()));
    for (QString &name : names) {
        QString key = sortKey(name);
        keyed.push_back({std::move(key), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        names[qsizetype(i)] = std::move(keyed[i].name);
}

} // namespace

int LeftOutFiles::total() const
{
    int sum = 0;
    for (const auto &kind : byExtension)
        sum += kind.second;
    return sum;
}

void LeftOutFiles::add(const LeftOutFiles &other)
{
    for (const auto &[extension, count] : other.byExtension)
        byExtension[extension] += count;
}

QString PictureKindsText(PictureKinds kinds)
{
    return kinds == PictureKinds::Classic
                   ? QStringLiteral("JPEG, GIF, PNG or BMP")
                   : QStringLiteral("JPEG, GIF, PNG, BMP, HEIC, AVIF or WebP");
}

bool MatchesPicturePattern(const QString &name, PictureKinds kinds)
{
    static const QStringList classic = patternEndings(PictureKinds::Classic);
    static const QStringList withPhones = patternEndings(PictureKinds::WithPhoneFormats);
    const QStringList &endings = kinds == PictureKinds::Classic ? classic : withPhones;
    return std::any_of(endings.begin(), endings.end(),
                       [&name](const QString &e) { return name.endsWith(e, Qt::CaseInsensitive); });
}

std::optional<QStringList> ListFolderPictures(const QString &folder, QChar separator,
                                              LeftOutFiles *leftOut, PictureKinds kinds)
{
    if (folder.isEmpty())
        return std::nullopt;
    if (StatFile(folder).kind != FileStatus::Kind::Folder
        || ::access(EncodeFileName(folder).constData(), R_OK | X_OK) != 0)
        return std::nullopt;

    // One pass over the names and one sort at the end: QDir's own name
    // filters and sorting are several times slower, and a folder may hold
    // tens of thousands of pictures.
    QStringList names = matchingNames(folder, leftOut, kinds);
    sortByName(names);

    // Each path in one piece: the folder, one separator and the name.
    for (QString &name : names) {
        QString path;
        path.reserve(folder.size() + 1 + name.size());
        path.append(folder).append(separator).append(name);
        name = std::move(path);
    }
    return names;
}

namespace {

// How many kinds the line names before it sums up the rest.
constexpr size_t kKindsNamed = 6;

// An extension as the line shows it: raw bytes and control characters as
// U+FFFD, so that the line stays one line of readable text.
QString kindLabel(const QString &extension)
{
    if (extension.isEmpty())
        return QStringLiteral("no extension");
    QString label = DisplayFileName(extension);
    for (QChar &c : label) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QChar::ReplacementCharacter;
    }
    return label;
}

} // namespace

QString LeftOutLine(const LeftOutFiles &leftOut, PictureKinds listed)
{
    if (leftOut.isEmpty())
        return QString();
    struct Kind
    {
        QString label;
        int count;
    };
    std::vector<Kind> kinds;
    for (const auto &[extension, count] : leftOut.byExtension)
        kinds.push_back({kindLabel(extension), count});
    std::sort(kinds.begin(), kinds.end(), [](const Kind &a, const Kind &b) {
        if (a.count != b.count)
            return a.count > b.count;
        const int order = a.label.compare(b.label, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.label < b.label;
    });

    QStringList parts;
    const size_t named = kinds.size() > kKindsNamed ? kKindsNamed - 1 : kinds.size();
    for (size_t i = 0; i < named; ++i)
        parts << QStringLiteral("%1 %2").arg(kinds[i].count).arg(kinds[i].label);
    int others = 0;
    for (size_t i = named; i < kinds.size(); ++i)
        others += kinds[i].count;
    if (others > 0)
        parts << (others == 1 ? QStringLiteral("1 other")
                              : QStringLiteral("%1 others").arg(others));

    const int total = leftOut.total();
    const QString formats = PictureKindsText(listed);
    const QString what
            = total == 1
                      ? QStringLiteral("1 file that is not a %1 picture").arg(formats)
                      : QStringLiteral("%1 files that are not %2 pictures").arg(total).arg(formats);
    return QStringLiteral("Left out %1: %2").arg(what, parts.join(QLatin1String(", ")));
}

} // namespace vintora
