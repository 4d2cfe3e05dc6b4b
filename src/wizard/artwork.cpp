#include "wizard/artwork.h"

#include "wizard/artwork_layout.h"

#include <QGuiApplication>
#include <QImage>
#include <QResource>

#include <cstring>

namespace vintora {

QPixmap artworkAt(const char *name, int scale)
{
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    const QResource resource(
            QStringLiteral(":/artwork/%1%2.pixels").arg(QLatin1String(name), suffix));
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
    image.setDevicePixelRatio(scale);
    return QPixmap::fromImage(std::move(image));
}

QPixmap artwork(const char *name)
{
    // As Qt picks NAME@2x files: the next whole scale up, so that a desktop
    // at 150 % too shows pictures with more detail than it needs rather
    // than less.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1) {
        const QPixmap sharp = artworkAt(name, 2);
        if (!sharp.isNull())
            return sharp;
    }
    return artworkAt(name, 1);
}

QIcon artworkIcon(const char *name)
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap = artworkAt(name, scale);
        // A window icon is offered to the window system by size in pixels.
        pixmap.setDevicePixelRatio(1);
        if (!pixmap.isNull())
            icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace vintora
