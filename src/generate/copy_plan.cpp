#include "generate/copy_plan.h"

#include "generate/text_helpers.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

QString CopyNamer::folded(const QString &text) const
{
    return m_case == Qt::CaseInsensitive ? text.toCaseFolded() : text;
}

QString CopyNamer::identityOf(const QString &source) const
{
    // Another path to a file already named (a link, "." segments) is the
    // same source; a missing file can only be known by its text.
    const QString canonical = QFileInfo(source).canonicalFilePath();
    return folded(canonical.isEmpty() ? source : canonical);
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
    if (m_taken.contains(folded(name))) {
        // Numbers go on from where this name's last search stopped, so a
        // long run of equal names costs no rescans.
        int &next = m_nextNumber[folded(own)];
        next = std::max(next, 2);
        do
            name = NumberedName(own, next++);
        while (m_taken.contains(folded(name)));
    }
    m_taken.insert(folded(name));
    m_byFile.insert(identity, name);
    m_names.insert(source, name);
    return name;
}

bool SameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    struct stat first
    {};
    struct stat second
    {};
    if (::stat(QFile::encodeName(a).constData(), &first) != 0
        || ::stat(QFile::encodeName(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#else
    const QString first = QFileInfo(a).canonicalFilePath();
    const QString second = QFileInfo(b).canonicalFilePath();
    return !first.isEmpty() && first.compare(second, kFileNameCase) == 0;
#endif
}

namespace {

CopyResult failed(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return CopyResult::Failed;
}

} // namespace

CopyResult CopyFileReplacing(const QString &source, const QString &destination, QString *error)
{
    if (SameFile(source, destination))
        return CopyResult::SameFile;

    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists())
        return failed(error, QStringLiteral("the file does not exist"));
    if (sourceInfo.isDir())
        return failed(error, QStringLiteral("it is a folder, not a file"));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failed(error, QStringLiteral("it cannot be read (%1)").arg(in.errorString()));
    if (QFileInfo(destination).isDir())
        return failed(error, QStringLiteral("a folder of that name is in the way"));

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return failed(error,
                      QStringLiteral("the copy cannot be created (%1)").arg(out.errorString()));
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0)
            return failed(error, QStringLiteral("it cannot be read (%1)").arg(in.errorString()));
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got)
            return failed(error,
                          QStringLiteral("the copy cannot be written (%1)").arg(out.errorString()));
    }
    if (!out.commit())
        return failed(error,
                      QStringLiteral("the copy cannot be written (%1)").arg(out.errorString()));
    return CopyResult::Copied;
}

} // namespace vintora
