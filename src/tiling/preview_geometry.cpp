#include "tiling/preview_geometry.h"

#include "base/twips.h"

#include <algorithm>

namespace vintora {

QPoint previewTopLeft(const QPointF &wizardTopLeftTwips)
{
    return QPoint(pixelsFromTwips(wizardTopLeftTwips.x() + kPreviewOffsetTwips),
                  pixelsFromTwips(wizardTopLeftTwips.y() + kPreviewOffsetTwips));
}

QSize previewMaxClient(const QRect &available, const QPoint &outerTopLeft, const QMargins &frame)
{
    const auto room = [](int availableStart, int availableLength, int at) {
        const int toEdge = availableStart + availableLength - at;
        return std::clamp(toEdge, availableLength / 3, availableLength);
    };
    const int width = room(available.left(), available.width(), outerTopLeft.x()) - frame.left()
                      - frame.right();
    const int height = room(available.top(), available.height(), outerTopLeft.y()) - frame.top()
                       - frame.bottom();
    return QSize(std::max(width, 1), std::max(height, 1));
}

QSize previewClientSize(const QSize &content, const QSize &maxClient, int scrollBarExtent)
{
    int width = content.width();
    int height = content.height();
    bool horizontalBar = false;
    bool verticalBar = false;
    // A bar added for one side can make the other side too long in turn;
    // two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        if (!horizontalBar && width > maxClient.width()) {
            horizontalBar = true;
            height += scrollBarExtent;
        }
        if (!verticalBar && height > maxClient.height()) {
            verticalBar = true;
            width += scrollBarExtent;
        }
    }
    return QSize(std::min(width, maxClient.width()), std::min(height, maxClient.height()));
}

} // namespace vintora
