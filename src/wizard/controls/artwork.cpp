#include "wizard/controls/artwork.h"

#include "wizard/controls/artwork_layout.h"

#include <QImage>
#include <QResource>

#include <cstring>

namespace vintora {

QPixmap artwork(const char *name)
{
    const QResource resource(QStringLiteral(":/artwork/%1.pixels").arg(QLatin1String(name)));
    const QByteArray data = resource.uncompressedData();
    ArtworkHeader header;
    if (data.size() < qsizetype(sizeof header))
        return QPixmap();
    std::memcpy(&header, data.constData(), sizeof header);
    const qsizetype rowBytes = qsizetype(header.width) * 4;
    if (std::memcmp(header.magic, kArtworkMagic, sizeof header.magic) != 0
        || data.size() != qsizetype(sizeof header) + rowBytes * header.height)
        return QPixmap();

    // Copied into an image of its own: the resource's bytes need not be
    // aligned for 32-bit pixels.
    QImage image(int(header.width), int(header.height), QImage::Format(header.format));
    const char *pixels = data.constData() + sizeof header;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), pixels + y * rowBytes, size_t(rowBytes));
    return QPixmap::fromImage(std::move(image));
}

} // namespace vintora
