#include "settings/start_values.h"

#include "settings/number_reading.h"

namespace vintora {

WizardSettings StartSettings()
{
    const StartValues &v = kStartValues;
    WizardSettings s;
    s.layoutStyle = QLatin1String(v.tables ? kLayoutTable : kLayoutGeneric);
    s.textColor = v.labelColors[0];
    s.linkColor = v.labelColors[1];
    s.activeLinkColor = v.labelColors[2];
    s.visitedLinkColor = v.labelColors[3];
    s.pageColor = v.pageColor;
    s.tableColumns = readNumber(QLatin1String(v.tableNumbers[0])).value_or(0);
    s.cellSpacing = readNumber(QLatin1String(v.tableNumbers[1])).value_or(0);
    s.cellPadding = readNumber(QLatin1String(v.tableNumbers[2])).value_or(0);
    s.tableBorder = readNumber(QLatin1String(v.tableNumbers[3])).value_or(0);
    const auto size = [&](int box) {
        return readNumber(QLatin1String(v.sizeTexts[box])).value_or(0);
    };
    s.thumbHeight = v.uniformSize ? size(0) : 0;
    s.thumbWidth = v.uniformSize ? size(1) : 0;
    s.thumbHeightPercent = v.uniformSize ? 0 : size(3);
    s.thumbWidthPercent = v.uniformSize ? 0 : size(2);
    s.imageBorders = toFlag(v.imageBorders);
    s.cellColor = v.cellColor;
    s.cellAlign = QLatin1String(kHorizontalAlignWords[v.cellAlign]);
    s.cellVAlign = QLatin1String(kVerticalAlignWords[v.cellVAlign]);
    s.copyPictures = toFlag(v.copyPictures);
    s.makeThumbnails = toFlag(v.thumbnailFiles);
    s.modernPage = toFlag(v.modernPage);
    s.pageTitle = QLatin1String(v.pageTitle);
    s.keepLocation = toFlag(v.keepLocation);
    s.makeAlbums = toFlag(v.makeAlbums);
    s.pictureOrder = QLatin1String(v.pictureOrder);
    s.makeZips = toFlag(v.makeZips);
    return s;
}

} // namespace vintora
