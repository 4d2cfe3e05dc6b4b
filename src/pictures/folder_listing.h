#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace vintora {

// The pattern by which "Select a folder" picks a folder's pictures. The last
// element is written with a leading blank; it matches bitmaps all the same.
inline constexpr const char *kFolderPicturePattern = "*.jpg;*.jpe;*.jpeg;*.gif;*.png; *.bmp";

// The full paths of the pictures directly in the folder: the files whose
// names match the pattern above, letter case ignored, sorted by name (letter
// case ignored, ties broken by exact text). Subfolders are not entered;
// hidden files are left out. Each path is the folder, one separator and the
// name, the separator inserted also when the folder already ends with one.
//
// Nothing (as opposed to an empty list) when the folder cannot be listed:
// it does not exist, is not a folder or cannot be read.
std::optional<QStringList> ListFolderPictures(const QString &folder,
                                              QChar separator = QDir::separator());

} // namespace vintora
