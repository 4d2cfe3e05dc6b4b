#pragma once

#include "pictures/folder_listing.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace vintora {

// The pictures of a folder and of every folder below it, as the modern
// page's albums take them.
struct PictureTree
{
    // Full paths: each folder's own pictures (see ListFolderPictures),
    // then its sub-folders' one by one, by name.
    QStringList pictures;
    // A line for each link to a folder that was refused.
    QStringList notes;
};

// Lists root and the folders below it at any depth. Hidden folders (a name
// starting with ".") are not entered. A link to a folder is followed unless
// it leads back into the tree (to a folder above it, or one already
// listed); then it is left out with a note. The output folder, when it
// lies in the tree, is never entered, and where the tree lies in the output
// folder, the folders a run makes beside each page ("thumbs", "screen") are
// not either, so that a run never lists what a run made.
//
// Nothing when root cannot be listed.
std::optional<PictureTree> ListPictureTree(const QString &root, const QString &outputFolder,
                                           QChar separator = QDir::separator(),
                                           LeftOutFiles *leftOut = nullptr);

} // namespace vintora
