#include "output/copy_plan.h"

#include "base/source_file.h"
#include "base/text_helpers.h"
#include "output/pending_file.h"

namespace vintora {

QString NumberedName(const QString &name, int number)
{
    const QString suffix = QLatin1Char('-') + QString::number(number);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return name + suffix;
    return name.left(dot) + suffix + name.mid(dot);
}

CopyNamer::CopyNamer(Qt::CaseSensitivity nameCase, QChar separator)
    : m_case(nameCase), m_separator(separator)
{}

void CopyNamer::setFreeCheck(std::function<bool(const QString &, const QString &)> check)
{
    m_freeCheck = std::move(check);
}

QString CopyNamer::folded(const QString &text) const
{
    return m_case == Qt::CaseInsensitive ? text.toCaseFolded() : text;
}

QString CopyNamer::identityOf(const QString &source) const
{
    // Another path to a file already named (a link, "." segments, a hard
    // link) is the same source; a missing file can only be known by its text.
    const FileStatus status = m_look ? m_look(source) : StatFile(source);
    if (!status.exists())
        return QLatin1String("path:") + folded(source);
    return QStringLiteral("file:%1:%2").arg(status.device).arg(status.inode);
}

void CopyNamer::setLook(std::function<FileStatus(const QString &)> look)
{
    m_look = std::move(look);
}

void CopyNamer::reserve(const QString &name)
{
    m_taken.insert(folded(name));
}

QString CopyNamer::nameFor(const QString &source)
{
    if (const auto known = m_names.constFind(source); known != m_names.constEnd())
        return *known;
    const QString identity = identityOf(source);
    if (const auto same = m_byFile.constFind(identity); same != m_byFile.constEnd()) {
        m_names.insert(source, *same);
        return *same;
    }

    const QString own = FileNameOf(source, m_separator);
    QString name = own;
    // A name that looks like a file in the making is never given, as a
    // later run would remove that file: its number goes after the end.
    const bool pendingLike = LooksLikePendingFileName(own);
    if (pendingLike || m_taken.contains(folded(name))) {
        // Numbers go on from where this name's last search stopped, so a
        // long run of equal names costs no rescans.
        int &next = m_nextNumber[folded(own)];
        next = std::max(next, 2);
        do
            name = pendingLike ? own + QLatin1Char('-') + QString::number(next++)
                               : NumberedName(own, next++);
        while (m_taken.contains(folded(name)) || (m_freeCheck && !m_freeCheck(name, source)));
    }
    m_taken.insert(folded(name));
    m_byFile.insert(identity, name);
    m_names.insert(source, name);
    return name;
}

} // namespace vintora
