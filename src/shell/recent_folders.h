#pragma once

#include <QString>

namespace vintora {

// Where each dialog last had something chosen, kept between runs in the
// user's settings (QSettings, "Quendry" / "Vintora"). Only folders are kept:
// the wizard's choices always start at their start values.
class RecentFolders
{
public:
    // The dialogs that remember a folder.
    enum class Dialog { PictureFolder, OutputFolder, PictureFiles };

    // The folder last remembered for the dialog; empty when there is none
    // or it no longer exists.
    QString folderFor(Dialog dialog) const;
    void remember(Dialog dialog, const QString &folder);
};

} // namespace vintora
