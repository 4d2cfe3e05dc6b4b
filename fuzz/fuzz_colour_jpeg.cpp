// The JPEG decode with colour profiles: the frame's colours and profile
// read from the segments, CMYK decoded with libjpeg and turned into sRGB
// with Little CMS, grey turned through its profile, on any bytes.

#include "fuzz_check.h"
#include "pictures/cmyk_jpeg.h"
#include "pictures/picture_header.h"
#include "pictures/thumbnail_decode.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const vintora::JpegColours colours = vintora::ReadJpegColours(bytes);
    FUZZ_CHECK(colours.components >= 0);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const vintora::PictureHeader header = vintora::ReadPictureHeader(buffer);
    if (!header.isValid() || header.format != "jpeg")
        return 0;
    const QSize thumbnail = header.orientedSize().scaled(64, 64, Qt::KeepAspectRatio);
    if (thumbnail.isEmpty()
        || vintora::ThumbnailDecodeBytes(header, thumbnail) > (qint64(64) << 20))
        return 0;
    QString why;
    const QImage image = vintora::DecodeThumbnail(bytes, header, thumbnail, &why);
    FUZZ_CHECK(image.isNull() || image.size() == thumbnail);
    return 0;
}
