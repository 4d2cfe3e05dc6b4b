#include "renditions/thumbnail_size.h"

#include <algorithm>

namespace vintora {

namespace {

// a * b / c rounded to the nearest whole number, at least 1.
int scaledSide(qint64 a, qint64 b, qint64 c)
{
    return int(std::max<qint64>(1, (2 * a * b + c) / (2 * c)));
}

// The picture in its proportions, as large as fits inside width x height.
QSize fitInside(QSize picture, int width, int height)
{
    const qint64 w = picture.width();
    const qint64 h = picture.height();
    if (w * height >= h * width) // as wide as the box, or wider
        return {width, std::min(height, scaledSide(width, h, w))};
    return {std::min(width, scaledSide(height, w, h)), height};
}

} // namespace

ThumbnailBox ThumbnailBoxFor(const WizardSettings &settings)
{
    ThumbnailBox box;
    if (settings.thumbHeight != 0) {
        box.sizing = ThumbnailBox::Sizing::Pixels;
        box.width = settings.thumbWidth;
        box.height = settings.thumbHeight;
    } else {
        box.sizing = ThumbnailBox::Sizing::Percent;
        box.percent = settings.thumbWidthPercent;
    }
    return box;
}

QSize ThumbnailPixelSize(QSize picture, const ThumbnailBox &box)
{
    if (picture.isEmpty() || !box.isValid())
        return {};
    if (box.sizing == ThumbnailBox::Sizing::LongerSide)
        return fitInside(picture, std::min(picture.width(), box.width),
                         std::min(picture.height(), box.width));
    if (box.sizing == ThumbnailBox::Sizing::Percent) {
        const int widest = scaledSide(kPercentSizingFullWidth * box.density, box.percent, 200);
        if (picture.width() <= widest)
            return picture;
        return {widest, scaledSide(widest, picture.height(), picture.width())};
    }
    const int width = box.density * box.width;
    const int height = box.density * box.height;
    if (picture.width() <= width && picture.height() <= height)
        return picture;
    return fitInside(picture, width, height);
}

QSize ShownSize(QSize picture, const ThumbnailBox &box)
{
    if (picture.isEmpty() || !box.isValid() || box.sizing != ThumbnailBox::Sizing::Pixels)
        return {};
    return fitInside(picture, box.width, box.height);
}

} // namespace vintora
