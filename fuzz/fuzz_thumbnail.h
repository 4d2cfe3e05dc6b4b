#pragma once

#include "pictures/picture_header.h"
#include "pictures/thumbnail_decode.h"

#include <QBuffer>
#include <QImage>

// A thumbnail of at most 64 × 64 decoded from the bytes, as the run decodes
// one: the header first, then the decode where its judged cost is within
// 64 MiB. Not tried when the header is not valid, its format not one
// accepts, or the cost too high.
struct FuzzedThumbnail
{
    bool tried = false;
    QSize size;
    QImage image;
    QString why;
};

template<typename Accepts>
FuzzedThumbnail DecodeFuzzedThumbnail(QByteArray &bytes, Accepts accepts)
{
    FuzzedThumbnail result;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const vintora::PictureHeader header = vintora::ReadPictureHeader(buffer);
    if (!header.isValid() || !accepts(header.format))
        return result;
    result.size = header.orientedSize().scaled(64, 64, Qt::KeepAspectRatio);
    if (result.size.isEmpty()
        || vintora::ThumbnailDecodeBytes(header, result.size) > (qint64(64) << 20))
        return result;
    result.tried = true;
    result.image = vintora::DecodeThumbnail(bytes, header, result.size, &result.why);
    return result;
}
