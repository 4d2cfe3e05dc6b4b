#include "desktop/recent_folders.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "output/output_writer.h"

#include <QDir>
#include <QMap>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>

#include <cstdlib>
#endif

namespace vintora {

namespace {

// Larger files are not settings of ours.
constexpr qint64 kLargestSettingsFile = 64 * 1024;

QString keyOf(RecentFolders::Dialog dialog)
{
    switch (dialog) {
    case RecentFolders::Dialog::PictureFolder:
        return QStringLiteral("pictureFolder");
    case RecentFolders::Dialog::OutputFolder:
        return QStringLiteral("outputFolder");
    case RecentFolders::Dialog::PictureFiles:
        return QStringLiteral("pictureFiles");
    }
    return QString();
}

// A value as the settings file holds it: in quotes or not, with "\\",
// "\"" and "\x" followed by up to four hexadecimal digits (one UTF-16
// unit, which keeps the raw bytes of a name) escaped.
QString unescaped(QStringView text)
{
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    QString value;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            value += text[i];
            continue;
        }
        const QChar next = text[++i];
        if (next != u'x') {
            value += next;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size() && end < i + 5 && isxdigit(text[end].toLatin1()))
            ++end;
        value += QChar(char16_t(text.mid(i + 1, end - i - 1).toUInt(nullptr, 16)));
        i = end - 1;
    }
    return value;
}

QString escaped(const QString &value)
{
    QString text = QStringLiteral("\"");
    for (const QChar c : value) {
        if (c == u'\\' || c == u'"')
            text += u'\\';
        if (c.isSurrogate())
            text += QStringLiteral("\\x%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text + u'"';
}

// The folders of the file's [folders] part.
QMap<QString, QString> readFolders(const QString &file)
{
    QMap<QString, QString> folders;
    SourceFile settings(file);
    if (!settings.isOpen() || settings.status().size > kLargestSettingsFile)
        return folders;
    const QByteArray bytes = settings.device().read(kLargestSettingsFile);
    bool inFolders = false;
    for (const QByteArray &line : bytes.split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (text.startsWith(u'[')) {
            inFolders = text == QLatin1String("[folders]");
            continue;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (inFolders && equals > 0)
            folders.insert(text.left(equals).trimmed(),
                           unescaped(QStringView(text).mid(equals + 1)));
    }
    return folders;
}

// Where the file is to be written: its own place, or the regular file a
// link there leads to. Empty when anything else is there.
QString placeToWrite(const QString &file)
{
    const FileStatus there = StatLink(file);
    if (!there.exists() || there.isRegular())
        return file;
    if (there.kind != FileStatus::Kind::Link || !StatFile(file).isRegular())
        return QString();
#ifdef Q_OS_UNIX
    char *real = ::realpath(EncodeFileName(file).constData(), nullptr);
    if (!real)
        return QString();
    const QString target = DecodeFileName(real);
    std::free(real);
    return target;
#else
    return QFileInfo(file).canonicalFilePath();
#endif
}

} // namespace

RecentFolders::RecentFolders()
    : RecentFolders(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    + QStringLiteral("/Quendry/Vintora.conf"))
{}

RecentFolders::RecentFolders(QString file) : m_file(std::move(file)) {}

QString RecentFolders::folderFor(Dialog dialog) const
{
    const QString folder = readFolders(m_file).value(keyOf(dialog));
    return !folder.isEmpty() && StatFile(folder).kind == FileStatus::Kind::Folder ? folder
                                                                                  : QString();
}

void RecentFolders::remember(Dialog dialog, const QString &folder)
{
    if (folder.isEmpty())
        return;
    const QString place = placeToWrite(m_file);
    if (place.isEmpty())
        return;
    QMap<QString, QString> folders = readFolders(place);
    folders.insert(keyOf(dialog), folder);
    QByteArray text = "[folders]\n";
    for (auto it = folders.cbegin(); it != folders.cend(); ++it)
        text += it.key().toUtf8() + '=' + escaped(it.value()).toUtf8() + '\n';

    const qsizetype start = FileNameStart(place, QLatin1Char('/'));
    const QString settingsFolder = place.left(std::max<qsizetype>(start - 1, 1));
    if (!QDir().mkpath(settingsFolder))
        return;
    OutputWriter writer;
    if (writer.open(settingsFolder, nullptr))
        writer.writeFile(writer.folder(), place.mid(start), text, nullptr);
}

} // namespace vintora
