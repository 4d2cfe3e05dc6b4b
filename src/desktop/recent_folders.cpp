#include "desktop/recent_folders.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "output/output_writer.h"

#include <QDir>
#include <QMap>
#include <QStandardPaths>

#include <optional>

#include <sys/stat.h>

#include <cstdlib>

namespace vintora {

namespace {

// Larger files are not settings of ours.
constexpr qint64 kLargestSettingsFile = 64 * 1024;
constexpr QByteArrayView kFoldersSection = "[folders]";

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

// The settings file's bytes: empty when there is none, nothing when it
// is there but not ours to read (too large, or it cannot be opened), and
// then it is never written either.
std::optional<QByteArray> readSettings(const QString &file)
{
    SourceFile settings(file);
    if (!settings.isOpen())
        return StatLink(file).exists() ? std::nullopt : std::optional<QByteArray>(QByteArray());
    if (settings.status().size > kLargestSettingsFile)
        return std::nullopt;
    return settings.device().read(kLargestSettingsFile);
}

// A line that opens a part ("[folders]"), trimmed.
std::optional<QByteArray> sectionOf(const QByteArray &line)
{
    const QByteArray text = line.trimmed();
    return text.startsWith('[') ? std::optional<QByteArray>(text) : std::nullopt;
}

// A line's key, when it has one.
QString keyOfLine(const QByteArray &line)
{
    const qsizetype equals = line.indexOf('=');
    return equals > 0 ? QString::fromUtf8(line.left(equals)).trimmed() : QString();
}

// The folders of the file's [folders] part.
QMap<QString, QString> readFolders(const QString &file)
{
    QMap<QString, QString> folders;
    bool inFolders = false;
    for (const QByteArray &line : readSettings(file).value_or(QByteArray()).split('\n')) {
        if (const std::optional<QByteArray> section = sectionOf(line)) {
            inFolders = *section == kFoldersSection;
            continue;
        }
        const QString key = keyOfLine(line);
        if (inFolders && !key.isEmpty())
            folders.insert(key, unescaped(QString::fromUtf8(line.mid(line.indexOf('=') + 1))));
    }
    return folders;
}

// The settings text with key set to value in its [folders] part, whose
// keys are written in order where the part begins (a second such part
// joins the first); every other part, key and line is kept as it was. A
// text without the part gains it at its end.
QByteArray withFolder(const QByteArray &text, const QString &key, const QString &value)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    QByteArray out;
    QMap<QString, QByteArray> keyLines;
    qsizetype foldersAt = -1; // where the part's keys go in out
    bool inFolders = false;
    for (const QByteArray &line : std::as_const(lines)) {
        if (const std::optional<QByteArray> section = sectionOf(line)) {
            inFolders = *section == kFoldersSection;
            if (inFolders && foldersAt < 0) {
                out += line + '\n';
                foldersAt = out.size();
            }
            if (inFolders)
                continue;
        } else if (inFolders && !keyOfLine(line).isEmpty()) {
            keyLines.insert(keyOfLine(line), line);
            continue;
        }
        out += line + '\n';
    }
    if (foldersAt < 0) {
        out += kFoldersSection.toByteArray() + '\n';
        foldersAt = out.size();
    }
    keyLines.insert(key, key.toUtf8() + '=' + escaped(value).toUtf8());
    QByteArray keys;
    for (const QByteArray &line : std::as_const(keyLines))
        keys += line + '\n';
    return out.insert(foldersAt, keys);
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
    char *real = ::realpath(EncodeFileName(file).constData(), nullptr);
    if (!real)
        return QString();
    const QString target = DecodeFileName(real);
    std::free(real);
    return target;
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
    // A file that reading refused is never written over.
    const std::optional<QByteArray> settings = readSettings(place);
    if (!settings)
        return;
    const QByteArray text = withFolder(*settings, keyOf(dialog), folder);

    const qsizetype start = FileNameStart(place, QLatin1Char('/'));
    const QString settingsFolder = place.left(std::max<qsizetype>(start - 1, 1));
    if (!QDir().mkpath(settingsFolder))
        return;
    OutputWriter writer;
    if (writer.open(settingsFolder, nullptr))
        writer.writeFile(writer.folder(), place.mid(start), text, nullptr);
}

} // namespace vintora
