#pragma once

// Pictures and colour profiles made for the colour tests: CMYK JPEGs of
// chosen ink mixes, ICC profiles made with Little CMS, and profiles put
// into a JPEG's APP2 segments.

#include <QByteArray>
#include <QSize>

#include <array>
#include <functional>

namespace colour_samples {

// Ink of cyan, magenta, yellow and black, 0 (none) to 255 (full).
using Inks = std::array<unsigned char, 4>;

// A CMYK JPEG of quality 100 whose pixel (x, y) has inksAt(x, y). With
// adobe, an "Adobe" segment says the samples are inverted and they are
// written so (255 for no ink); without, they are written as they are.
QByteArray CmykJpeg(QSize size, const std::function<Inks(int, int)> &inksAt, bool adobe);

// The JPEG with the profile put in after its start, in as many APP2
// chunks of at most chunkBytes as it needs; with lastFirst, the chunks
// stand in the file in the opposite order of their numbers.
QByteArray WithIccProfile(const QByteArray &jpeg, const QByteArray &icc, int chunkBytes = 65519,
                          bool lastFirst = false);

// A CMYK profile of a press that shows an ink mix as the square root, in
// sRGB, of what ideal inks would leave of white: 50 % cyan, which ideal
// inks show as red 128 of 255, is shown as red 180.
QByteArray SquareRootPressProfile();

// A grey profile of gamma 2.2 on the D50 white.
QByteArray Gamma22GreyProfile();

// The sRGB profile.
QByteArray SrgbProfile();

// A profile whose header says it describes colours (the four letters
// "GRAY" or "CMYK") and whose tags cannot be read.
QByteArray DamagedProfile(const char *colours);

} // namespace colour_samples
