#pragma once

#include "wizard/wizard_settings.h"

#include <QSize>

namespace vintora {

// The room a thumbnail is shown in on the page, as the record gives it.
struct ThumbnailBox
{
    enum class Sizing { Pixels, Percent };

    Sizing sizing = Sizing::Pixels;
    int width = 0;   // pixel sizing: the box, in pixels
    int height = 0;  //
    int percent = 0; // percentage sizing: the shown width, in percent

    // A box with room in it; no thumbnail is made for any other.
    bool isValid() const
    {
        return sizing == Sizing::Pixels ? width > 0 && height > 0 : percent > 0;
    }
};

// Pixel sizing when thumbHeight is not 0 (as the page decides), the box
// then being thumbWidth x thumbHeight; else percentage sizing with
// thumbWidthPercent.
ThumbnailBox ThumbnailBoxFor(const WizardSettings &settings);

// The widest a thumbnail file may be with percentage sizing at 100 %.
inline constexpr int kPercentSizingFullWidth = 2560;

// The pixel size of the thumbnail file for a picture of this size (as
// shown, its orientation applied): in its proportions, inside twice the
// box for sharp pictures on high-density screens, or with percentage
// sizing inside kPercentSizingFullWidth x percent / 100 on the width.
// Never larger than the picture, never 0 on either side.
QSize ThumbnailPixelSize(QSize picture, const ThumbnailBox &box);

// With pixel sizing, the width and height the page shows the picture at:
// in its proportions, as large as fits inside the box (the ratio of the
// two within one pixel of the picture's, neither 0). With percentage
// sizing the page gives the width alone, and this is an invalid size.
QSize ShownSize(QSize picture, const ThumbnailBox &box);

} // namespace vintora
