#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

namespace vintora {

// The size to ask Qt's JPEG reader for when a picture stored at stored is
// wanted at target (both as stored, before any turn). The reader decodes
// at M/8 of the stored size, M the smallest that still gives at least the
// size asked for, and scales smoothly to exactly that size. Reductions of
// 1/2, 1/4 and 1/8 are the fast ones; where M would be 3, 5, 6 or 7 the
// next larger of them is asked for instead, to be scaled down afterwards.
QSize JpegDecodeSize(QSize stored, QSize target);

// The size the reader decodes a JPEG stored at stored to, asked for
// requested (as JpegDecodeSize gives it), before scaling it to exactly that.
QSize JpegDecodedSize(QSize stored, QSize requested);

// The eighths of its stored size the reader decodes a JPEG at for
// requested (as JpegDecodeSize gives it): from 1 to 8.
int JpegDecodeEighths(QSize stored, QSize requested);

// True when the reader decodes at 1/8 for that size: each 8 x 8 block
// then becomes one pixel, its average, which only the block's DC
// coefficient gives.
bool DecodesAtOneEighth(QSize stored, QSize requested);

// A progressive JPEG sends its coefficients in scans, coarse ones first
// and refinements after; the refinements of the higher frequencies are
// most of the file. Decoded at 1/8, each 8 x 8 block of a component at
// full resolution becomes one pixel made from its DC coefficient alone, so
// those refinements change nothing there. This gives the JPEG without them
// (every other scan and segment kept, then the end marker); it decodes at
// 1/8 to the same pixels, several times faster. Every first pass is kept:
// the decoder smooths the DC of blocks whose low frequencies it has not
// seen at all. Empty when the picture is not progressive, has nothing to
// leave out, or its structure is not as expected.
QByteArray JpegForOneEighth(QByteArrayView jpeg);

// The same in place, needing no memory beyond the JPEG's own: false, with
// the bytes unchanged, where JpegForOneEighth would give nothing.
bool LightenJpegForOneEighth(QByteArray &jpeg);

} // namespace vintora
