#include "desktop/folder_chooser.h"

#include <QDir>

namespace vintora {

QString BrowseForFolder(Dialogs &dialogs, QWidget *owner, const QString &title)
{
    return QDir::toNativeSeparators(dialogs.chooseFolder(owner, title));
}

} // namespace vintora
