#include "pictures/colour_profiles.h"

#include <lcms2.h>

namespace vintora {

namespace {

// The sRGB curve, as Little CMS's parametric curve of type 4.
cmsToneCurve *srgbCurve()
{
    const cmsFloat64Number parameters[5] = {2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045};
    return cmsBuildParametricToneCurve(nullptr, 4, parameters);
}

// A grey profile that shows its levels as sRGB shows grey.
cmsHPROFILE srgbGreyProfile()
{
    cmsToneCurve *curve = srgbCurve();
    if (!curve)
        return nullptr;
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    return profile;
}

// The embedded profile when it opens and describes these colours.
cmsHPROFILE openProfile(QByteArrayView icc, cmsColorSpaceSignature colours)
{
    if (icc.isEmpty())
        return nullptr;
    cmsHPROFILE profile = cmsOpenProfileFromMem(icc.data(), cmsUInt32Number(icc.size()));
    if (profile && cmsGetColorSpace(profile) != colours) {
        cmsCloseProfile(profile);
        return nullptr;
    }
    return profile;
}

// A transform between two profiles, which it does not keep; null when
// either is missing or Little CMS cannot join them.
cmsHTRANSFORM transformBetween(cmsHPROFILE from, cmsUInt32Number fromFormat, cmsHPROFILE to,
                               cmsUInt32Number toFormat)
{
    cmsHTRANSFORM transform = nullptr;
    if (from && to)
        transform = cmsCreateTransform(from, fromFormat, to, toFormat, INTENT_PERCEPTUAL, 0);
    if (from)
        cmsCloseProfile(from);
    if (to)
        cmsCloseProfile(to);
    return transform;
}

// QImage::Format_RGB32 holds a pixel as one 32-bit number 0xffRRGGBB.
constexpr cmsUInt32Number kRgb32Format
        = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TYPE_BGRA_8 : TYPE_ARGB_8;

} // namespace

ProfileColours IccProfileColours(QByteArrayView icc)
{
    if (icc.size() < 128)
        return ProfileColours::Unknown;
    const QByteArrayView colours = icc.sliced(16, 4);
    if (colours == "RGB ")
        return ProfileColours::Rgb;
    if (colours == "GRAY")
        return ProfileColours::Grey;
    if (colours == "CMYK")
        return ProfileColours::Cmyk;
    return ProfileColours::Unknown;
}

bool ConvertGreyToSrgb(QImage &image, QByteArrayView greyProfile)
{
    if (image.format() != QImage::Format_Grayscale8)
        return false;
    cmsHTRANSFORM transform = transformBetween(openProfile(greyProfile, cmsSigGrayData),
                                               TYPE_GRAY_8, srgbGreyProfile(), TYPE_GRAY_8);
    if (!transform)
        return false;
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = image.scanLine(y);
        cmsDoTransform(transform, line, line, cmsUInt32Number(image.width()));
    }
    cmsDeleteTransform(transform);
    return true;
}

CmykToSrgb::CmykToSrgb(QByteArrayView cmykProfile, bool inverted) : m_inverted(inverted)
{
    cmsHPROFILE from = openProfile(cmykProfile, cmsSigCmykData);
    if (!from)
        return;
    m_transform = transformBetween(from, inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8,
                                   cmsCreate_sRGBProfile(), kRgb32Format);
}

CmykToSrgb::~CmykToSrgb()
{
    if (m_transform)
        cmsDeleteTransform(m_transform);
}

void CmykToSrgb::convertRow(const uchar *cmyk, QRgb *to, int width) const
{
    if (m_transform) {
        // Little CMS writes the colours and leaves the fourth byte alone.
        for (int x = 0; x < width; ++x)
            to[x] = 0xff000000;
        cmsDoTransform(m_transform, cmyk, to, cmsUInt32Number(width));
        return;
    }
    for (int x = 0; x < width; ++x, cmyk += 4) {
        // What each ink and black leave of white, 255 for none.
        const int c = m_inverted ? cmyk[0] : 255 - cmyk[0];
        const int m = m_inverted ? cmyk[1] : 255 - cmyk[1];
        const int yellow = m_inverted ? cmyk[2] : 255 - cmyk[2];
        const int k = m_inverted ? cmyk[3] : 255 - cmyk[3];
        to[x] = qRgb(k * c / 255, k * m / 255, k * yellow / 255);
    }
}

} // namespace vintora
