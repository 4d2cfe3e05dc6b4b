#include "tiling/tile_picture.h"

#include "base/twips.h"
#include "settings/number_reading.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <limits>

namespace vintora {

namespace {

constexpr int kInteger16Max = std::numeric_limits<qint16>::max();

// The next 16-bit step, or nothing when it passes 32767.
std::optional<qint16> step(qint16 value, qint16 by)
{
    const int next = int(value) + int(by);
    if (next > kInteger16Max)
        return std::nullopt;
    return qint16(next);
}

} // namespace

std::optional<QSize> tileSurfaceSize(const QSizeF &outerTwips)
{
    const auto width = toInteger16(outerTwips.width() / kTwipsPerPixel);
    const auto height = toInteger16(outerTwips.height() / kTwipsPerPixel);
    if (!width || !height)
        return std::nullopt;
    return QSize(*width, *height);
}

bool forEachTile(const QSize &tile, const QSize &surface,
                 const std::function<void(const QPoint &)> &visit)
{
    const auto tw = toInteger16(tile.width());
    const auto th = toInteger16(tile.height());
    const auto w = toInteger16(surface.width());
    const auto h = toInteger16(surface.height());
    if (!tw || !th || !w || !h)
        return false;
    // A step of zero would never leave the loop; a negative one cannot come
    // from a picture.
    if (*tw <= 0 || *th <= 0)
        return true;

    for (qint16 x = 0; x <= *w;) {
        for (qint16 y = 0; y <= *h;) {
            visit(QPoint(x, y));
            const auto nextY = step(y, *th);
            if (!nextY)
                return false;
            y = *nextY;
        }
        const auto nextX = step(x, *tw);
        if (!nextX)
            return false;
        x = *nextX;
    }
    return true;
}

std::optional<QList<QPoint>> tilePositions(const QSize &tile, const QSize &surface)
{
    QList<QPoint> positions;
    if (!forEachTile(tile, surface, [&](const QPoint &at) { positions.append(at); }))
        return std::nullopt;
    return positions;
}

std::optional<QImage> TilePicture(const QSizeF &destinationOuterTwips, const QImage &source,
                                  const QColor &backColor)
{
    const auto surface = tileSurfaceSize(destinationOuterTwips);
    if (!surface)
        return std::nullopt;
    // The tile is the whole source; its size is checked here so that a
    // picture too wide for 16 bits fails before anything is drawn.
    if (!toInteger16(source.width()) || !toInteger16(source.height()))
        return std::nullopt;

    QImage image(surface->expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    image.fill(backColor);
    if (image.isNull())
        return image;

    if (source.isNull() || source.devicePixelRatio() != 1.0) {
        // Drawn as it is, copy by copy; a picture of another scale is drawn
        // at its own size in the surface's units.
        QPainter painter(&image);
        const bool finished = forEachTile(source.size(), *surface,
                                          [&](const QPoint &at) { painter.drawImage(at, source); });
        painter.end();
        if (!finished)
            return std::nullopt;
        return image;
    }

    // Copies never overlap (each step is the tile's own size) and each lies
    // on the back colour, so every copy looks like the tile composed over
    // the back colour once. Each visit then copies that tile's pixels, rows
    // clipped to the surface: one block copy per tile, as with BitBlt,
    // instead of a painter's draw call for each of up to 35,316 tiles.
    QImage tile(source.size(), QImage::Format_RGB32);
    tile.fill(backColor);
    {
        QPainter painter(&tile);
        painter.drawImage(QPoint(0, 0), source);
    }
    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine();
    const qsizetype tileStride = tile.bytesPerLine();
    uchar *const pixels = image.bits();
    const uchar *const tilePixels = tile.constBits();
    const bool finished = forEachTile(source.size(), *surface, [&](const QPoint &at) {
        const int columns = std::min(tile.width(), width - at.x());
        const int rows = std::min(tile.height(), height - at.y());
        if (columns <= 0 || rows <= 0)
            return;
        const size_t bytes = size_t(columns) * sizeof(QRgb);
        uchar *to = pixels + at.y() * stride + qsizetype(at.x()) * qsizetype(sizeof(QRgb));
        const uchar *from = tilePixels;
        for (int row = 0; row < rows; ++row, to += stride, from += tileStride)
            std::memcpy(to, from, bytes);
    });
    if (!finished)
        return std::nullopt;
    return image;
}

} // namespace vintora
