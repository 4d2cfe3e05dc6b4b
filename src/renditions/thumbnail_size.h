#pragma once

#include "settings/wizard_settings.h"

#include <QSize>

namespace vintora {

// The room a thumbnail is shown in on the page, as the record gives it.
struct ThumbnailBox
{
    // Pixels and Percent as the record sizes thumbnails; LongerSide for
    // the modern page's screen-size copies, whose longer side is width.
    enum class Sizing { Pixels, Percent, LongerSide };

    Sizing sizing = Sizing::Pixels;
    int width = 0;   // pixel sizing: the box, in pixels
    int height = 0;  //
    int percent = 0; // percentage sizing: the shown width, in percent
    // File pixels per shown pixel with pixel and percentage sizing: 2 for
    // sharp thumbnails on high-density screens, 1 for the modern page's
    // thumbnails of ordinary screens.
    int density = 2;

    // A box with room in it; no thumbnail is made for any other.
    bool isValid() const
    {
        switch (sizing) {
        case Sizing::Pixels:
            return width > 0 && height > 0;
        case Sizing::Percent:
            return percent > 0;
        case Sizing::LongerSide:
            return width > 0;
        }
        return false;
    }
};

// Pixel sizing when thumbHeight is not 0 (as the page decides), the box
// then being thumbWidth x thumbHeight; else percentage sizing with
// thumbWidthPercent.
ThumbnailBox ThumbnailBoxFor(const WizardSettings &settings);

// The widest a thumbnail file may be with percentage sizing at 100 %.
inline constexpr int kPercentSizingFullWidth = 2560;

// The pixel size of the thumbnail file for a picture of this size (as
// shown, its orientation applied): in its proportions, inside the box
// times its density (twice the box: sharp pictures on high-density
// screens), or with percentage sizing inside kPercentSizingFullWidth x
// percent / 100 on the width (half that at density 1); with LongerSide, a
// longer side of width. Never larger than the picture, never 0 on either
// side.
QSize ThumbnailPixelSize(QSize picture, const ThumbnailBox &box);

// With pixel sizing, the width and height the page shows the picture at:
// in its proportions, as large as fits inside the box (the ratio of the
// two within one pixel of the picture's, neither 0). With percentage
// sizing the page gives the width alone, and this is an invalid size.
QSize ShownSize(QSize picture, const ThumbnailBox &box);

} // namespace vintora
