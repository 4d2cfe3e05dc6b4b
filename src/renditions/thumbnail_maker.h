#pragma once

#include "renditions/thumbnail_size.h"

#include <QSize>
#include <QString>

namespace vintora {

class MemoryBudget;
class OutputFolder;
class OutputWriter;

// One thumbnail to make: of the picture at source, for a page showing it in
// box. Without a writer, destination is the thumbnail's path. With one (as
// a run makes them), destination is a name in folder, written through the
// writer, and the file's type is put after it where the name does not say
// it already (see ThumbnailFileName).
struct ThumbnailJob
{
    QString source;
    QString destination;
    ThumbnailBox box;
    const OutputWriter *writer = nullptr;
    const OutputFolder *folder = nullptr;
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

// The quality thumbnails are saved with as JPEG. They are shown at half
// their pixel size on ordinary screens and at full size on high-density
// ones; at 82 no blocking or ringing shows there even on skies and skin,
// while each step above 85 costs far more bytes than it shows.
inline constexpr int kThumbnailJpegQuality = 82;

// The text key under which a thumbnail records what it was made from: the
// picture's size in bytes and a hash of them ("Vintora-Source: 5123
// 3f7a…"), so that a later run keeps it only for these very bytes.
inline constexpr const char *kThumbnailSourceKey = "Vintora-Source";

// True when name in folder is a thumbnail file a run made (it records
// what it was made from), which a later run may replace.
bool IsMadeThumbnail(const OutputFolder &folder, const QString &name);

// Makes one thumbnail: the picture with its orientation applied, scaled
// down to ThumbnailPixelSize, as JPEG, or as PNG when it has transparent
// parts, recording what it was made from. A picture that needs no scaling
// (no larger than the thumbnail would be) is written as it is. A thumbnail
// already there that was made from these very bytes and has the right
// pixel size is kept as it is. A picture that cannot be read, or whose
// file is damaged or incomplete, gets no thumbnail, and so does one whose
// decode would take more memory than kThumbnailDecodeLimit: that is judged
// from its header, before any of it is read. The file is written whole or
// not at all, never over one of the run's pictures.
//
// With a budget, the memory the work holds (the picture's file and its
// decode) is taken from it before the file is read, waiting for other
// threads to give theirs back, and given back when done; a picture needing
// more than the whole budget gets no thumbnail.
//
// Safe to call on several threads at once for different destinations.
ThumbnailResult MakeThumbnail(const ThumbnailJob &job, MemoryBudget *budget = nullptr);

} // namespace vintora
