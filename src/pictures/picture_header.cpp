#include "pictures/picture_header.h"

#include <QImageReader>

namespace vintora {

PictureHeader ReadPictureHeader(QIODevice &device)
{
    PictureHeader header;
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return header;
    header.size = reader.size();
    if (!header.size.isValid())
        return header;
    header.transformation = reader.transformation();
    header.format = reader.format();
    return header;
}

} // namespace vintora
