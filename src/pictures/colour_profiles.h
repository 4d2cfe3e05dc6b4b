#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QRgb>

namespace vintora {

// Colour profiles that Qt's QColorSpace cannot use, turned into sRGB with
// Little CMS: grey and CMYK. Profiles of RGB colours (Display P3, Adobe
// RGB) stay with QColorSpace, which converts them well and keeps the
// decode of every other picture exactly as it was.

// The memory, in bytes, that converting a picture through an embedded
// profile takes beyond its pixels: the profile's copy, Little CMS's
// reading of it and the tables of its transform.
inline constexpr qint64 kColourConversionBytes = qint64(4) << 20;

// The colours an ICC profile's header says it describes.
enum class ProfileColours { Unknown, Rgb, Grey, Cmyk };
ProfileColours IccProfileColours(QByteArrayView icc);

// Turns a grey picture (QImage::Format_Grayscale8) whose levels the grey
// profile describes into the levels sRGB shows alike, in place. False,
// with the picture unchanged, when the profile cannot be used.
bool ConvertGreyToSrgb(QImage &image, QByteArrayView greyProfile);

// Turns rows of CMYK samples (4 bytes a pixel) into sRGB pixels. With a
// usable CMYK profile the profile says what each ink mix looks like;
// without one, the inks are taken as ideal: each colour is what its ink
// and black leave of white ((255 - C) * (255 - K) / 255 for red), as the
// picture was decoded before. Inverted samples (as Adobe's programs write
// them, 255 for no ink) are read as such.
class CmykToSrgb
{
public:
    CmykToSrgb(QByteArrayView cmykProfile, bool inverted);
    ~CmykToSrgb();
    CmykToSrgb(const CmykToSrgb &) = delete;
    CmykToSrgb &operator=(const CmykToSrgb &) = delete;

    // Whether the profile is used (false without one or with one that
    // cannot be).
    bool usesProfile() const { return m_transform != nullptr; }
    void convertRow(const uchar *cmyk, QRgb *to, int width) const;

private:
    void *m_transform = nullptr;
    bool m_inverted = false;
};

} // namespace vintora
