#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace vintora {

// The pattern by which "Select a folder" picks a folder's pictures. The last
// element is written with a leading blank; it matches bitmaps all the same.
inline constexpr const char *kFolderPicturePattern = "*.jpg;*.jpe;*.jpeg;*.gif;*.png; *.bmp";
// The formats of today's phones and the web, listed too where pictures are
// made into thumbnails (the modern page, or thumbnails asked for).
inline constexpr const char *kPhonePicturePattern = "*.heic;*.heif;*.avif;*.webp";

// Which pictures a listing takes: those of the pattern above, or those and
// the phones' formats.
enum class PictureKinds { Classic, WithPhoneFormats };

// The files of a folder that the listing passes over: regular files (and
// links to them) whose names match no element of the pattern, counted by
// their extension as the names write it (".HEIC", ".mp4"; an empty text
// for a name without one). Subfolders, hidden files and special files are
// not counted: they were never pictures to leave out.
struct LeftOutFiles
{
    std::map<QString, int> byExtension;

    int total() const;
    bool isEmpty() const { return byExtension.empty(); }
    void add(const LeftOutFiles &other);
};

// The formats a listing takes, as a note names them: "JPEG, GIF, PNG or
// BMP", or "JPEG, GIF, PNG, BMP, HEIC, AVIF or WebP".
QString PictureKindsText(PictureKinds kinds);

// Whether a file name matches the pattern above (with kinds, and the
// phones' formats), letter case ignored.
bool MatchesPicturePattern(const QString &name, PictureKinds kinds = PictureKinds::Classic);

// The full paths of the pictures directly in the folder: the files whose
// names match the pattern above, letter case ignored, sorted by name (letter
// case ignored, ties broken by exact text). Subfolders are not entered;
// hidden files are left out. Each path is the folder, one separator and the
// name, the separator inserted also when the folder already ends with one.
//
// Nothing (as opposed to an empty list) when the folder cannot be listed:
// it does not exist, is not a folder or cannot be read.
//
// With leftOut, the files passed over are counted into it as well.
std::optional<QStringList> ListFolderPictures(const QString &folder,
                                              QChar separator = QDir::separator(),
                                              LeftOutFiles *leftOut = nullptr,
                                              PictureKinds kinds = PictureKinds::Classic);

// One line that says how many files were left out and of which kinds, most
// frequent first, then by name: "Left out 3 files that are not JPEG, GIF,
// PNG or BMP pictures: 2 .HEIC, 1 .mp4" (with the phones' formats, "that
// are not JPEG, GIF, PNG, BMP, HEIC, AVIF or WebP pictures"). Empty when
// none were.
QString LeftOutLine(const LeftOutFiles &leftOut, PictureKinds listed = PictureKinds::Classic);

} // namespace vintora
