#pragma once

#include <QString>

namespace vintora {

// Where each dialog last had something chosen, kept between runs in the
// user's settings file (Quendry/Vintora.conf in the user's configuration
// folder, ~/.config on Linux). Only folders are kept: the wizard's choices
// always start at their start values.
//
// The file is read only when it is a regular file (a link may lead to one),
// never waited on, and written through the one writer of files, in place of
// the file a link there leads to. On any problem the folders are simply not
// remembered.
class RecentFolders
{
public:
    // The dialogs that remember a folder.
    enum class Dialog { PictureFolder, OutputFolder, PictureFiles };

    // The settings file at its usual place, or at file.
    RecentFolders();
    explicit RecentFolders(QString file);

    // The folder last remembered for the dialog; empty when there is none
    // or it no longer exists.
    QString folderFor(Dialog dialog) const;
    void remember(Dialog dialog, const QString &folder);

private:
    QString m_file;
};

} // namespace vintora
