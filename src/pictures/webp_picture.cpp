#include "pictures/webp_picture.h"

#include <webp/decode.h>

#include <cstring>

namespace vintora {

namespace {

// Enough of a file for the chunks that give its size: its RIFF header and
// the first chunk (VP8X, or a frame's header).
constexpr qint64 kHeaderBytes = 64;

QString statusText(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
        return QStringLiteral("there was not enough memory");
    case VP8_STATUS_UNSUPPORTED_FEATURE:
        return QStringLiteral("it uses what cannot be read");
    case VP8_STATUS_NOT_ENOUGH_DATA:
        return QStringLiteral("it is incomplete");
    default:
        return QStringLiteral("it is damaged");
    }
}

} // namespace

bool IsWebp(QByteArrayView start)
{
    return start.size() >= 12 && std::memcmp(start.data(), "RIFF", 4) == 0
           && std::memcmp(start.data() + 8, "WEBP", 4) == 0;
}

PictureHeader ReadWebpHeader(QIODevice &device)
{
    PictureHeader header;
    const QByteArray start = device.read(kHeaderBytes);
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(reinterpret_cast<const uint8_t *>(start.constData()), size_t(start.size()),
                        &features)
        != VP8_STATUS_OK)
        return header;
    header.format = QByteArrayLiteral("webp");
    header.size = QSize(features.width, features.height);
    header.decodedSize = header.size;
    // A lossless picture is decoded whole before it is scaled, and a lossy
    // one's alpha plane too: counted as a whole decode of four bytes a
    // pixel. The scaled result is written straight into the thumbnail.
    header.bytesPerPixel = 4;
    header.scalingCopyBytesPerPixel = 0;
    return header;
}

QImage DecodeWebp(const QByteArray &bytes, QSize pixelSize, QString *why)
{
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.constData());
    const auto size = size_t(bytes.size());
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)
        || WebPGetFeatures(data, size, &config.input) != VP8_STATUS_OK) {
        *why = QStringLiteral("it is damaged");
        return {};
    }
    if (config.input.has_animation) {
        *why = QStringLiteral("it is animated");
        return {};
    }
    const QSize whole(config.input.width, config.input.height);
    const QSize target = pixelSize.isEmpty() ? whole : pixelSize;
    // Premultiplied BGRA is Qt's premultiplied ARGB on a little-endian
    // machine; without transparency every alpha is 255, Qt's RGB32.
    const bool alpha = config.input.has_alpha;
    QImage image(target, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull()) {
        *why = QStringLiteral("there was not enough memory");
        return {};
    }
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "BGRA bytes are Qt's ARGB words");
    config.output.colorspace = alpha ? MODE_bgrA : MODE_BGRA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.bits();
    config.output.u.RGBA.stride = int(image.bytesPerLine());
    config.output.u.RGBA.size = size_t(image.sizeInBytes());
    if (target != whole) {
        config.options.use_scaling = 1;
        config.options.scaled_width = target.width();
        config.options.scaled_height = target.height();
    }
    const VP8StatusCode status = WebPDecode(data, size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) {
        *why = statusText(status);
        return {};
    }
    return image;
}

} // namespace vintora
