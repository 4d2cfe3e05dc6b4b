#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QSizeF>

#include <functional>
#include <optional>

namespace vintora {

// The surface a tiling fills, in pixels, from its outer size in twips: each
// side divided by 15 and made a 16-bit integer (halves to even). Nothing
// when a side does not fit in 16 bits.
std::optional<QSize> tileSurfaceSize(const QSizeF &outerTwips);

// Visits the top-left corners at which a tile is copied onto a surface, in
// drawing order: columns x = 0, tw, 2*tw, ... while x <= W, and in each
// column rows y = 0, th, 2*th, ... while y <= H. Both bounds are inclusive,
// so a side that is a multiple of the tile's side gets one more column or
// row lying wholly outside the surface. The coordinates are 16-bit values:
// a step past 32767 is an overflow, which stops the visit and gives false.
// A tile without width or height is visited nowhere.
bool forEachTile(const QSize &tile, const QSize &surface,
                 const std::function<void(const QPoint &)> &visit);

// The corners forEachTile visits, or nothing on an overflow.
std::optional<QList<QPoint>> tilePositions(const QSize &tile, const QSize &surface);

// Fills a surface of the given outer size with copies of the whole source
// picture, one drawn copy per visited corner, over the back colour (which
// shows only through transparent parts of the picture). The result has the
// surface's size in pixels and is composed in memory. Nothing when the
// source's or the surface's size does not fit in 16 bits or the stepping
// overflows.
std::optional<QImage> TilePicture(const QSizeF &destinationOuterTwips, const QImage &source,
                                  const QColor &backColor);

} // namespace vintora
