// The HEIF and AVIF reader (libheif): the header, then a thumbnail's decode where the
// header's cost is within the limit, on any bytes.

#include "fuzz_check.h"
#include "pictures/picture_header.h"
#include "pictures/thumbnail_decode.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const vintora::PictureHeader header = vintora::ReadPictureHeader(buffer);
    if (!header.isValid() || !vintora::IsOwnReaderFormat(header.format))
        return 0;
    const QSize thumbnail = header.orientedSize().scaled(64, 64, Qt::KeepAspectRatio);
    if (thumbnail.isEmpty()
        || vintora::ThumbnailDecodeBytes(header, thumbnail) > (qint64(64) << 20))
        return 0;
    QString why;
    const QImage image = vintora::DecodeThumbnail(bytes, header, thumbnail, &why);
    FUZZ_CHECK(image.isNull() ? !why.isEmpty() : image.size() == thumbnail);
    return 0;
}
