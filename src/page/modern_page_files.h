#pragma once

#include "renditions/thumbnail_size.h"

#include <QDir>
#include <QList>
#include <QSize>
#include <QString>

namespace vintora {

// The files a modern page shows besides the thumbnails of kThumbnailFolder
// (which it uses as its 2x thumbnails): thumbnails at 1x in a folder
// inside that one, and screen-size copies of the larger pictures in
// folders by their longer side:
//
//   thumbs/NAME            2x thumbnail (in ModernThumbnailBox)
//   thumbs/1x/NAME         1x thumbnail
//   screen/1280/NAME       longer side 1280
//   screen/2048/NAME       longer side 2048
//
// NAME is the name the picture's copy gets, as for the thumbnails.
inline constexpr const char *kOneXThumbnailFolder = "1x";
inline constexpr const char *kScreenCopyFolder = "screen";

// The box of the modern page's thumbnails, whatever the record's: 220
// pixels high, about a row of its grid on a desktop, and up to three times
// as wide; made at twice that for high-density screens.
ThumbnailBox ModernThumbnailBox();

// The longer sides screen copies are made at, smallest first.
inline constexpr int kScreenCopySides[] = {1280, 2048};

// The longer sides of the screen copies a picture of this size (as shown,
// orientation applied) gets, smallest first: each side of kScreenCopySides
// that is smaller than the picture's longer side. None up to 1280, 1280
// above that, and 2048 as well above 2048.
QList<int> ScreenCopySides(QSize picture);

// What the screen copy with the given longer side is made for, and its
// pixel size: in the picture's proportions, rounded, neither side 0.
ThumbnailBox ScreenCopyBox(int longSide);
QSize ScreenCopySize(QSize picture, int longSide);

// What the 1x thumbnail of a page with this (2x) thumbnail box is made
// for: the box itself. Its pixel size: with pixel sizing the size the page
// shows (see ShownSize), never larger than the picture; with percentage
// sizing half the 2x thumbnail's width. Equal to the 2x size when the
// picture is too small for two; no 1x file is made then.
ThumbnailBox OneXThumbnailBox(const ThumbnailBox &box);
QSize OneXThumbnailSize(QSize picture, const ThumbnailBox &box);

// Paths relative to the page's folder, joined with separator: the folder
// of the 1x thumbnails ("thumbs/1x") and that of the screen copies with a
// longer side ("screen/1280").
QString OneXThumbnailFolder(QChar separator = QDir::separator());
QString ScreenCopyFolder(int longSide, QChar separator = QDir::separator());

// The references the page writes for the files of the picture copied as
// name, escaped as picture references are: "thumbs/NAME", "thumbs/1x/NAME",
// "screen/1280/NAME".
QString TwoXThumbnailReference(const QString &name, QChar separator = QDir::separator());
QString OneXThumbnailReference(const QString &name, QChar separator = QDir::separator());
QString ScreenCopyReference(int longSide, const QString &name, QChar separator = QDir::separator());

} // namespace vintora
