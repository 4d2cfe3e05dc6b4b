#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

namespace vintora {

// Window places are laid out in twips, 15 to a device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

// The nearest whole pixel to a twips value (halves to the even neighbour).
inline int pixelsFromTwips(double twips)
{
    return static_cast<int>(std::nearbyint(twips / kTwipsPerPixel));
}

constexpr double twipsFromPixels(int pixels)
{
    return double(pixels) * kTwipsPerPixel;
}

inline int twipsToPixels(int twips)
{
    return pixelsFromTwips(twips);
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

} // namespace vintora
