#pragma once

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <libheif/heif.h>

#include <memory>

// HEIC, AVIF and WebP files made for the tests with heif-enc and cwebp (the
// packages libheif-examples and webp) from a PNG Qt writes, and with
// libheif's encoder where the container must carry a turn.
namespace phone_pictures {

// Red above, blue below: a turn or a flip shows in where the red goes.
inline QImage redOverBlue(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    for (int y = 0; y < size.height() / 2; ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return image;
}

// The tool that makes files of the format the name ends with: "heif-enc"
// for .heic, .heif and .avif, "cwebp" for .webp.
inline QString toolFor(const QString &name)
{
    return name.endsWith(QLatin1String(".webp"), Qt::CaseInsensitive) ? QStringLiteral("cwebp")
                                                                      : QStringLiteral("heif-enc");
}

inline bool haveToolFor(const QString &name)
{
    return !QStandardPaths::findExecutable(toolFor(name)).isEmpty();
}

// The picture file at source made into dir/name, in the format the name's
// extension names (HEIC, HEIF, AVIF or WebP), its EXIF kept; the path, or
// empty when the tool failed. Extra arguments go to the tool.
inline QString convert(const QString &source, const QDir &dir, const QString &name,
                       const QStringList &extra = {})
{
    const QString out = dir.filePath(name);
    QStringList arguments;
    if (toolFor(name) == QLatin1String("cwebp"))
        arguments << QStringLiteral("-quiet") << QStringLiteral("-metadata")
                  << QStringLiteral("exif") << extra << source << QStringLiteral("-o") << out;
    else if (name.endsWith(QLatin1String(".avif"), Qt::CaseInsensitive))
        arguments << QStringLiteral("-A") << extra << source << QStringLiteral("-o") << out;
    else
        arguments << extra << source << QStringLiteral("-o") << out;
    QProcess tool;
    tool.start(toolFor(name), arguments);
    const bool made = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit
                      && tool.exitCode() == 0;
    return made && QFile::exists(out) ? out : QString();
}

// The picture saved in dir under name, through a PNG Qt writes.
inline QString write(const QDir &dir, const QString &name, const QImage &image,
                     const QStringList &extra = {})
{
    const QString png = dir.filePath(name + QLatin1String(".source.png"));
    if (!image.save(png))
        return {};
    const QString out = convert(png, dir, name, extra);
    QFile::remove(png);
    return out;
}

// A HEIC whose container asks for the picture to be shown turned 90
// degrees clockwise (an "irot" box), made with libheif's encoder: the
// stored picture is image. The path, or empty when it could not be made.
inline QString writeTurnedHeic(const QDir &dir, const QString &name, const QImage &image)
{
    std::unique_ptr<heif_context, void (*)(heif_context *)> context(heif_context_alloc(),
                                                                    heif_context_free);
    heif_encoder *encoder = nullptr;
    if (heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &encoder).code
        != heif_error_Ok)
        return {};
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image *pixels = nullptr;
    heif_image_create(image.width(), image.height(), heif_colorspace_RGB,
                      heif_chroma_interleaved_RGB, &pixels);
    heif_image_add_plane(pixels, heif_channel_interleaved, image.width(), image.height(), 8);
    int stride = 0;
    uint8_t *rows = heif_image_get_plane(pixels, heif_channel_interleaved, &stride);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y);
            uint8_t *p = rows + y * stride + 3 * x;
            p[0] = uint8_t(qRed(rgb));
            p[1] = uint8_t(qGreen(rgb));
            p[2] = uint8_t(qBlue(rgb));
        }
    heif_encoding_options *options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation_rotate_90_cw;
    const bool encoded
            = heif_context_encode_image(context.get(), pixels, encoder, options, nullptr).code
              == heif_error_Ok;
    heif_encoding_options_free(options);
    heif_image_release(pixels);
    heif_encoder_release(encoder);
    const QString path = dir.filePath(name);
    if (!encoded
        || heif_context_write_to_file(context.get(), QFile::encodeName(path).constData()).code
                   != heif_error_Ok)
        return {};
    return path;
}

// An animated WebP of two frames, red over blue then blue over red, made
// with img2webp (of the package webp); empty when it could not be made.
inline QByteArray animatedWebp(const QDir &dir, QSize size)
{
    const QString first = dir.filePath("frame1.png");
    const QString second = dir.filePath("frame2.png");
    const QString out = dir.filePath("animated.webp");
    if (!redOverBlue(size).save(first) || !redOverBlue(size).mirrored(false, true).save(second))
        return {};
    QProcess tool;
    tool.start(QStringLiteral("img2webp"), {QStringLiteral("-loop"), QStringLiteral("0"), first,
                                            second, QStringLiteral("-o"), out});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0)
        return {};
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file's bytes with the size its container declares ("ispe") set to
// width x height: a header that promises a picture its data does not hold.
inline QByteArray claimingSize(QByteArray bytes, quint32 width, quint32 height)
{
    const qsizetype at = bytes.indexOf("ispe");
    if (at < 0 || at + 16 > bytes.size())
        return {};
    for (int i = 0; i < 4; ++i) {
        bytes[at + 8 + i] = char(width >> (24 - 8 * i));
        bytes[at + 12 + i] = char(height >> (24 - 8 * i));
    }
    return bytes;
}

} // namespace phone_pictures
