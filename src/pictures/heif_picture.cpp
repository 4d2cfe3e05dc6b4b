#include "pictures/heif_picture.h"

#include <QColorSpace>
#include <QRgb>

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace vintora {

namespace {

// libheif refuses pictures wider or higher than this before reading their
// coded data; larger ones are still refused, with a note, by the memory
// the caller judges from the header.
constexpr int kLargestHeifSide = 65535;

struct ContextFree
{
    void operator()(heif_context *context) const { heif_context_free(context); }
};
struct HandleRelease
{
    void operator()(heif_image_handle *handle) const { heif_image_handle_release(handle); }
};
using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;

Context newContext(int largestSide = kLargestHeifSide)
{
    Context context(heif_context_alloc());
    heif_context_set_maximum_image_size_limit(context.get(), largestSide);
    // Pictures are decoded one per thread already; a picture's tiles are
    // decoded on the thread that asks, so that its memory stays as judged.
    heif_context_set_max_decoding_threads(context.get(), 0);
    return context;
}

Handle primaryHandle(heif_context *context, QString *why)
{
    heif_image_handle *handle = nullptr;
    const heif_error error = heif_context_get_primary_image_handle(context, &handle);
    if (error.code != heif_error_Ok) {
        if (why)
            *why = QString::fromUtf8(error.message);
        return {};
    }
    return Handle(handle);
}

bool hasBrand(QByteArrayView start, const char *brand)
{
    // The major brand at 8, the compatible brands from 16 to the box's end.
    if (start.size() < 12)
        return false;
    const auto *s = reinterpret_cast<const unsigned char *>(start.data());
    const qsizetype boxEnd = std::min<qsizetype>(start.size(), qsizetype(s[0]) << 24 | s[1] << 16
                                                                       | s[2] << 8 | s[3]);
    if (std::memcmp(start.data() + 8, brand, 4) == 0)
        return true;
    for (qsizetype at = 16; at + 4 <= boxEnd; at += 4) {
        if (std::memcmp(start.data() + at, brand, 4) == 0)
            return true;
    }
    return false;
}

// Reading from a device through libheif's reader, from the device's
// position when the reading began.
struct DeviceReading
{
    QIODevice *device;
    qint64 start;
    qint64 size;
};

int64_t readerPosition(void *data)
{
    const auto *reading = static_cast<DeviceReading *>(data);
    return reading->device->pos() - reading->start;
}

int readerRead(void *to, size_t size, void *data)
{
    auto *reading = static_cast<DeviceReading *>(data);
    return reading->device->read(static_cast<char *>(to), qint64(size)) == qint64(size) ? 0 : 1;
}

int readerSeek(int64_t position, void *data)
{
    auto *reading = static_cast<DeviceReading *>(data);
    return reading->device->seek(reading->start + position) ? 0 : 1;
}

heif_reader_grow_status readerGrow(int64_t target, void *data)
{
    const auto *reading = static_cast<DeviceReading *>(data);
    return target > reading->size ? heif_reader_grow_status_size_beyond_eof
                                  : heif_reader_grow_status_size_reached;
}

// The colour space the picture's colours are in: its ICC profile, or from
// its colour description the two spaces phones use; none (taken as sRGB)
// otherwise.
QColorSpace colourSpaceOf(const heif_image_handle *handle)
{
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)), '\0');
        if (heif_image_handle_get_raw_color_profile(handle, icc.data()).code == heif_error_Ok)
            return QColorSpace::fromIccProfile(icc);
        return {};
    }
    // libheif may give a profile with an error too; it is freed either way.
    heif_color_profile_nclx *nclx = nullptr;
    const bool read = heif_image_handle_get_nclx_color_profile(handle, &nclx).code == heif_error_Ok;
    QColorSpace space;
    if (read && nclx && nclx->color_primaries == heif_color_primaries_SMPTE_EG_432_1)
        space = QColorSpace(QColorSpace::DisplayP3);
    if (nclx)
        heif_nclx_color_profile_free(nclx);
    return space;
}

// RGBA bytes turned, in place, into the premultiplied ARGB words (or,
// every alpha being 255, the RGB32 words) Qt's smooth scaling reads, so
// that no converted copy is made of a picture decoded whole.
void toQtPixels(uint8_t *pixels, int width, int height, int stride, bool alpha)
{
    for (int y = 0; y < height; ++y) {
        uint8_t *row = pixels + qsizetype(y) * stride;
        for (int x = 0; x < width; ++x) {
            uint8_t *p = row + 4 * x;
            const QRgb argb = qRgba(p[0], p[1], p[2], p[3]);
            const QRgb word = alpha ? qPremultiply(argb) : argb;
            std::memcpy(p, &word, 4);
        }
    }
}

void releaseImage(void *image)
{
    heif_image_release(static_cast<heif_image *>(image));
}

} // namespace

QByteArray HeifFormatOf(QByteArrayView start)
{
    if (start.size() < 12 || std::memcmp(start.data() + 4, "ftyp", 4) != 0)
        return {};
    const auto *bytes = reinterpret_cast<const uint8_t *>(start.data());
    if (heif_check_filetype(bytes, int(std::min<qsizetype>(start.size(), 1 << 16)))
        != heif_filetype_yes_supported)
        return {};
    if (hasBrand(start, "avif") && !hasBrand(start, "heic") && !hasBrand(start, "heix"))
        return QByteArrayLiteral("avif");
    return QByteArrayLiteral("heif");
}

PictureHeader ReadHeifHeader(QIODevice &device, const QByteArray &format)
{
    PictureHeader header;
    DeviceReading reading{&device, device.pos(), device.size() - device.pos()};
    static const heif_reader reader{1, readerPosition, readerRead, readerSeek, readerGrow};
    const Context context = newContext();
    if (heif_context_read_from_reader(context.get(), &reader, &reading, nullptr).code
        != heif_error_Ok)
        return header;
    const Handle handle = primaryHandle(context.get(), nullptr);
    if (!handle)
        return header;
    // The size as shown: libheif gives it with the container's turn.
    header.size = QSize(heif_image_handle_get_width(handle.get()),
                        heif_image_handle_get_height(handle.get()));
    header.decodedSize = header.size;
    header.format = format;
    // Decoded to 8-bit RGBA from the decoder's planes of luma and chroma,
    // which live beside it while it is made: at most three samples a pixel,
    // of two bytes above 8 bits. Qt's smooth scaling reads the RGBA turned
    // in place, without a copy.
    const int sampleBytes = heif_image_handle_get_luma_bits_per_pixel(handle.get()) > 8 ? 2 : 1;
    header.bytesPerPixel = 4;
    header.coefficientBytes = qint64(header.size.width()) * header.size.height() * 3 * sampleBytes;
    header.scalingCopyBytesPerPixel = 0;
    return header;
}

QImage DecodeHeif(const QByteArray &bytes, QSize judged, QString *why)
{
    // No picture within the file (an overlay's canvas, a grid) may be
    // larger than the one whose cost was judged.
    const Context context = newContext(std::max(judged.width(), judged.height()) + 1);
    const heif_error read = heif_context_read_from_memory_without_copy(
            context.get(), bytes.constData(), size_t(bytes.size()), nullptr);
    if (read.code != heif_error_Ok) {
        *why = QString::fromUtf8(read.message);
        return {};
    }
    const Handle handle = primaryHandle(context.get(), why);
    if (!handle)
        return {};
    std::unique_ptr<heif_decoding_options, void (*)(heif_decoding_options *)> options(
            heif_decoding_options_alloc(), heif_decoding_options_free);
    options->convert_hdr_to_8bit = 1;
    heif_image *decoded = nullptr;
    const heif_error error = heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                                               heif_chroma_interleaved_RGBA, options.get());
    if (error.code != heif_error_Ok || !decoded) {
        *why = QString::fromUtf8(error.message);
        return {};
    }
    int stride = 0;
    uint8_t *pixels = heif_image_get_plane(decoded, heif_channel_interleaved, &stride);
    const int width = heif_image_get_primary_width(decoded);
    const int height = heif_image_get_primary_height(decoded);
    if (!pixels || width <= 0 || height <= 0 || stride < width * 4) {
        heif_image_release(decoded);
        *why = QStringLiteral("it has no pixels");
        return {};
    }
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get());
    toQtPixels(pixels, width, height, stride, alpha);
    // The image reads libheif's pixels in place and frees them with itself.
    QImage image(pixels, width, height, stride,
                 alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32, releaseImage,
                 decoded);
    image.setColorSpace(colourSpaceOf(handle.get()));
    return image;
}

} // namespace vintora
