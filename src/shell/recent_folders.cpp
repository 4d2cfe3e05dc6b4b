#include "shell/recent_folders.h"

#include <QDir>
#include <QSettings>

namespace vintora {

namespace {

QString keyOf(RecentFolders::Dialog dialog)
{
    switch (dialog) {
    case RecentFolders::Dialog::PictureFolder:
        return QStringLiteral("folders/pictureFolder");
    case RecentFolders::Dialog::OutputFolder:
        return QStringLiteral("folders/outputFolder");
    case RecentFolders::Dialog::PictureFiles:
        return QStringLiteral("folders/pictureFiles");
    }
    return QString();
}

QSettings userSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quendry"),
                     QStringLiteral("Vintora"));
}

} // namespace

QString RecentFolders::folderFor(Dialog dialog) const
{
    const QString folder = userSettings().value(keyOf(dialog)).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RecentFolders::remember(Dialog dialog, const QString &folder)
{
    if (!folder.isEmpty())
        userSettings().setValue(keyOf(dialog), folder);
}

} // namespace vintora
