#pragma once

#include <QMargins>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace vintora {

// The preview window opens this far right of and below the wizard window.
inline constexpr double kPreviewOffsetTwips = 100;

// The preview window's outer top-left in pixels for the wizard window's
// outer top-left in twips: 100 twips further each way, then rounded to the
// nearest pixel, halves to even. A wizard at (1000, 2000) twips gives
// (1100, 2100) twips, that is (73, 140) pixels.
QPoint previewTopLeft(const QPointF &wizardTopLeftTwips);

// The largest client area the preview window may take: the part of the
// available screen area right of and below its outer top-left, less its
// frame. So that a window opened near the screen's edge stays usable, that
// part is never taken smaller than a third of the available area each way.
QSize previewMaxClient(const QRect &available, const QPoint &outerTopLeft, const QMargins &frame);

// The client size that shows content of the given size whole, or as much of
// it as the limit allows with scroll bars of the given thickness: a side
// that is cut gets a scroll bar, which takes room across the other side.
QSize previewClientSize(const QSize &content, const QSize &maxClient, int scrollBarExtent);

} // namespace vintora
