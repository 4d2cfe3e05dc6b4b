#pragma once

#include <QtGlobal>

#include <optional>

namespace vintora {

// Window and control geometry is laid out in twips; 15 twips make one
// device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

// A value as a 16-bit signed integer: the nearest whole number, halves to
// the even neighbour (6.5 gives 6, 7.5 gives 8). Nothing when the rounded
// value lies outside -32768..32767 or the value is not finite.
std::optional<qint16> toInteger16(double value);

// Twips to pixels: the nearest whole pixel, halves to the even neighbour.
int pixelsFromTwips(double twips);

constexpr double twipsFromPixels(int pixels)
{
    return double(pixels) * kTwipsPerPixel;
}

} // namespace vintora
