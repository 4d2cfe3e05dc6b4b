#pragma once

#include <QDir>
#include <QHash>
#include <QSet>
#include <QString>

namespace vintora {

// How file names compare in a folder: without regard to letter case on
// Windows and macOS, exactly elsewhere.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif

// The name with "-number" put before its extension (the text from its last
// "."): "IMG_0001.jpg" and 2 give "IMG_0001-2.jpg". A name without an
// extension, or whose only "." is its first character, gets it at the end.
QString NumberedName(const QString &name, int number);

// Gives each distinct source picture its own name in the output folder.
// The first source of a name keeps it; later different sources of the same
// name get "-2", "-3", ... before the extension, passing over names already
// given in this run. A source named again (the same path, or another path to
// the same file) gets the name it got before.
//
// A numbered name is our own invention, so it never replaces a file the
// user has: once the output folder is known, a number is passed over when
// a file of that name lies there, unless that file holds exactly the
// source's bytes (the copy an earlier run made, which a second run then
// finds again instead of numbering on).
class CopyNamer
{
public:
    explicit CopyNamer(Qt::CaseSensitivity nameCase = kFileNameCase,
                       QChar separator = QDir::separator());

    // The folder the names are for; numbered names are checked against it.
    void setFolder(const QString &folder);

    // Keeps a name from being given, such as the page file's own.
    void reserve(const QString &name);

    QString nameFor(const QString &source);

    // Every source path named so far, with its name.
    const QHash<QString, QString> &names() const { return m_names; }

private:
    QString folded(const QString &text) const;
    QString identityOf(const QString &source) const;
    bool freeInFolder(const QString &name, const QString &source) const;

    Qt::CaseSensitivity m_case;
    QChar m_separator;
    QString m_folder;
    QHash<QString, QString> m_names;  // source path as given -> name
    QHash<QString, QString> m_byFile; // source identity -> name
    QSet<QString> m_taken;            // names given or reserved, folded
    QHash<QString, int> m_nextNumber; // folded base name -> next number to try
};

// True when both are regular files holding the same bytes.
bool SameContents(const QString &a, const QString &b);

enum class CopyResult { Copied, SameFile, Failed };

// Copies source to destination, replacing a file of that name. Only a
// regular file is copied: the source is opened without blocking and
// checked before a byte is read. An existing destination is replaced only
// when the user may write it, as a save would; a folder or anything else
// that is not a file in its place is left alone. The copy is written under
// a short temporary name beside the destination (whatever the length of
// the picture's own name) and renamed over it only when complete, so a
// failed copy leaves an earlier file untouched and nothing half-made.
// Nothing is copied when both are the same file. On failure the reason
// goes to error, in plain words.
// The size of what was copied goes to copiedBytes.
CopyResult CopyFileReplacing(const QString &source, const QString &destination,
                             QString *error = nullptr, qint64 *copiedBytes = nullptr);

} // namespace vintora
