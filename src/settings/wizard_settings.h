#pragma once

#include <QString>
#include <QtGlobal>

namespace vintora {

// A colour as the page controls hold it: red in the lowest byte, then green,
// then blue, top byte 0 (0x00BBGGRR). Never a QRgb.
using ColorValue = quint32;

// Booleans of the record are 16-bit values: -1 for true, 0 for false.
inline constexpr qint16 kTrue = -1;
inline constexpr qint16 kFalse = 0;
inline constexpr qint16 toFlag(bool value)
{
    return value ? kTrue : kFalse;
}

// The one record of the user's choices on which the index page depends.
// Fields in their order of declaration; all zero, false or empty until the
// page switch captures them.
struct WizardSettings
{
    qint16 currentPage = 0;
    QString layoutStyle;
    ColorValue textColor = 0;
    ColorValue linkColor = 0;
    ColorValue activeLinkColor = 0;
    ColorValue visitedLinkColor = 0;
    ColorValue pageColor = 0;
    QString backgroundPicture;
    qint16 tableColumns = 0;
    qint16 cellSpacing = 0;
    qint16 cellPadding = 0;
    qint16 tableBorder = 0;
    qint16 thumbHeight = 0;
    qint16 thumbWidth = 0;
    qint16 thumbHeightPercent = 0;
    qint16 thumbWidthPercent = 0;
    qint16 imageBorders = kFalse;
    ColorValue cellColor = 0;
    QString cellPicture;
    QString cellAlign;
    QString cellVAlign;
    qint16 copyPictures = kFalse;
    // Small thumbnail files in a folder beside the page, shown in the
    // pictures' proportions, instead of the pictures themselves.
    qint16 makeThumbnails = kFalse;
    // A page for today's browsers and phones, with a viewer, in place of
    // the classic page; its title is used by that page alone.
    qint16 modernPage = kFalse;
    QString pageTitle;
    // The modern page's options. keepLocation: the published pictures keep
    // where they were taken (GPS and place names); makeAlbums: a folder's
    // sub-folders become albums; pictureOrder: "date" (taken), "name" or
    // "list" (as listed); makeZips: a zip of each album's pictures.
    qint16 keepLocation = kFalse;
    qint16 makeAlbums = kFalse;
    QString pictureOrder;
    qint16 makeZips = kFalse;

    bool operator==(const WizardSettings &) const = default;
};

inline constexpr const char *kLayoutTable = "table";
inline constexpr const char *kLayoutGeneric = "generic";

inline constexpr const char *kOrderByDate = "date";
inline constexpr const char *kOrderByName = "name";
inline constexpr const char *kOrderAsListed = "list";

} // namespace vintora
