#include "support/colour_samples.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <lcms2.h>

namespace colour_samples {

QByteArray CmykJpeg(QSize size, const std::function<Inks(int, int)> &inksAt, bool adobe)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char *bytes = nullptr;
    unsigned long byteCount = 0;
    jpeg_mem_dest(&info, &bytes, &byteCount);
    info.image_width = JDIMENSION(size.width());
    info.image_height = JDIMENSION(size.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_CMYK);
    info.write_Adobe_marker = adobe ? TRUE : FALSE;
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(size.width()) * 4);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const Inks inks = inksAt(x, y);
            for (int i = 0; i < 4; ++i)
                row[std::size_t(x) * 4 + i] = adobe ? 255 - inks[i] : inks[i];
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray jpeg(reinterpret_cast<const char *>(bytes), qsizetype(byteCount));
    std::free(bytes);
    return jpeg;
}

QByteArray WithIccProfile(const QByteArray &jpeg, const QByteArray &icc, int chunkBytes,
                          bool lastFirst)
{
    const int count = int((icc.size() + chunkBytes - 1) / chunkBytes);
    QByteArray segments;
    for (int i = 0; i < count; ++i) {
        const QByteArray chunk = icc.mid(qsizetype(i) * chunkBytes, chunkBytes);
        const int length = int(chunk.size()) + 16;
        QByteArray segment("\xff\xe2", 2);
        segment.append(char(length >> 8)).append(char(length & 0xff));
        segment.append("ICC_PROFILE\0", 12).append(char(i + 1)).append(char(count));
        segment.append(chunk);
        segments = lastFirst ? segment + segments : segments + segment;
    }
    return jpeg.left(2) + segments + jpeg.mid(2);
}

namespace {

QByteArray savedProfile(cmsHPROFILE profile)
{
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// The press: ink mix to Lab, through sRGB.
cmsInt32Number samplePress(const cmsUInt16Number in[], cmsUInt16Number out[], void *toLab)
{
    const double k = 1 - in[3] / 65535.0;
    const double rgb[3]
            = {std::sqrt((1 - in[0] / 65535.0) * k), std::sqrt((1 - in[1] / 65535.0) * k),
               std::sqrt((1 - in[2] / 65535.0) * k)};
    cmsCIELab lab;
    cmsDoTransform(static_cast<cmsHTRANSFORM>(toLab), rgb, &lab, 1);
    cmsFloat2LabEncoded(out, &lab);
    return TRUE;
}

void describe(cmsHPROFILE profile, const char *text)
{
    cmsMLU *description = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(description, "en", "US", text);
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
    cmsMLUfree(description);
}

} // namespace

QByteArray SquareRootPressProfile()
{
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab = cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_DBL,
                                             INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsCloseProfile(srgb);
    cmsCloseProfile(lab);
    cmsHPROFILE press = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(press, 4.3);
    cmsSetDeviceClass(press, cmsSigOutputClass);
    cmsSetColorSpace(press, cmsSigCmykData);
    cmsSetPCS(press, cmsSigLabData);
    describe(press, "Square-root press");
    cmsWriteTag(press, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsPipeline *pipeline = cmsPipelineAlloc(nullptr, 4, 3);
    cmsStage *table = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsStageSampleCLut16bit(table, samplePress, toLab, 0);
    // Stored as A curves, table and B curves, both curves straight.
    cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, 4, nullptr));
    cmsPipelineInsertStage(pipeline, cmsAT_END, table);
    cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsWriteTag(press, cmsSigAToB0Tag, pipeline);
    cmsPipelineFree(pipeline);
    cmsDeleteTransform(toLab);
    return savedProfile(press);
}

QByteArray Gamma22GreyProfile()
{
    cmsToneCurve *curve = cmsBuildGamma(nullptr, 2.2);
    cmsHPROFILE grey = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    describe(grey, "Grey, gamma 2.2");
    return savedProfile(grey);
}

QByteArray SrgbProfile()
{
    return savedProfile(cmsCreate_sRGBProfile());
}

QByteArray DamagedProfile(const char *colours)
{
    QByteArray profile = Gamma22GreyProfile();
    profile.replace(16, 4, colours);
    // The tag table claims a million tags.
    profile[128] = '\x00';
    profile[129] = '\x0f';
    profile[130] = '\x42';
    profile[131] = '\x40';
    return profile;
}

} // namespace colour_samples
