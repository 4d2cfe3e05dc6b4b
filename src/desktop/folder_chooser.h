#pragma once

#include "desktop/dialogs.h"

namespace vintora {

inline constexpr const char *kOutputFolderTitle = "Select output folder...";
inline constexpr const char *kPictureFolderTitle = "Select a folder of pictures...";

// Lets the user pick one folder; its path with native separators, or empty
// when the user cancelled.
QString BrowseForFolder(Dialogs &dialogs, QWidget *owner, const QString &title);

} // namespace vintora
