#pragma once

#include "renditions/rendition_files.h"
#include "renditions/rendition_job.h"
#include "renditions/thumbnail_size.h"

#include <QSize>
#include <QString>

namespace vintora {

class MemoryBudget;

// One thumbnail made on its own: of the picture at source, for a page
// showing it in box, written at the path destination under exactly that
// name.
struct ThumbnailJob
{
    QString source;
    QString destination;
    ThumbnailBox box;
};

struct ThumbnailResult
{
    enum class Outcome {
        Made,       // written now
        Kept,       // already there, made from these very bytes, of the right size
        Failed,     // none: reason says why; the page shows the picture itself
        NotStarted, // the batch stopped before this one
    };

    Outcome outcome = Outcome::NotStarted;
    QSize pictureSize; // the picture as shown, orientation applied; empty when unknown
    QSize pixelSize;   // the thumbnail file's
    QSize shownSize;   // the size the page gives with pixel sizing (see ShownSize)
    QString name;      // the thumbnail file's name, when there is one
    // When Failed, in plain words naming the picture:
    // No thumbnail for "/photos/a.jpg": it is damaged or incomplete.
    QString reason;

    bool hasThumbnail() const { return outcome == Outcome::Made || outcome == Outcome::Kept; }
};

// Makes one thumbnail, as MakeRenditions makes a job of one file: the
// picture with its orientation applied, scaled down to ThumbnailPixelSize
// and decoded at that size, as JPEG, or as PNG when it has transparent
// parts; kept when already made from these very bytes at the right size;
// the picture's own bytes when it needs no scaling. It is written through a
// writer of its own, opened on the destination's folder, that never writes
// over the picture.
ThumbnailResult MakeThumbnail(const ThumbnailJob &job, MemoryBudget *budget = nullptr);

} // namespace vintora
