#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vintora {

// Window places are laid out in twips, 15 to a device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

// The nearest whole pixel to a twips value.
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

} // namespace vintora
