#pragma once

#include "base/source_file.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QString>

#include <functional>

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
// given in this run. A source whose name looks like the writer's files in
// the making (".vintora-….part") is numbered at the end (".vintora-x.part-2")
// from the first. A source named again (the same path, or another path to
// the same file) gets the name it got before.
//
// A numbered name is our own invention, so it never replaces a file the
// user has: a number is passed over unless the free check (the run's: it
// looks at every folder the name is written into) says the name is free
// for the source, such as when nothing lies there or only what an earlier
// run made of that very picture, which a second run then finds again
// instead of numbering on.
class CopyNamer
{
public:
    explicit CopyNamer(Qt::CaseSensitivity nameCase = kFileNameCase,
                       QChar separator = QDir::separator());

    // Asked of each numbered name before it is given: true when it is free
    // for the source. Without one, every name not given yet is free.
    void setFreeCheck(std::function<bool(const QString &name, const QString &source)> check);

    // How a source is looked at to know which file it is; StatFile unless
    // the caller has looked already.
    void setLook(std::function<FileStatus(const QString &source)> look);

    // Keeps a name from being given, such as the page file's own.
    void reserve(const QString &name);

    QString nameFor(const QString &source);

    // Every source path named so far, with its name.
    const QHash<QString, QString> &names() const { return m_names; }

private:
    QString folded(const QString &text) const;
    QString identityOf(const QString &source) const;

    Qt::CaseSensitivity m_case;
    QChar m_separator;
    std::function<bool(const QString &, const QString &)> m_freeCheck;
    std::function<FileStatus(const QString &)> m_look;
    QHash<QString, QString> m_names;  // source path as given -> name
    QHash<QString, QString> m_byFile; // source identity -> name
    QSet<QString> m_taken;            // names given or reserved, folded
    QHash<QString, int> m_nextNumber; // folded base name -> next number to try
};

} // namespace vintora
