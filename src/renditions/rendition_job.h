#pragma once

#include "pictures/picture_facts.h"
#include "renditions/thumbnail_size.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace vintora {

class MemoryBudget;
class RenditionFolders;

// The quality made files are saved with as JPEG. Thumbnails are shown at
// half their pixel size on ordinary screens and at full size on
// high-density ones; at 82 no blocking or ringing shows there even on
// skies and skin, while each step above 85 costs far more bytes than it
// shows.
inline constexpr int kThumbnailJpegQuality = 82;

// The text key under which a made file records what it was made from: the
// picture's size in bytes and a hash of them ("Vintora-Source: 5123
// 3f7a…"), so that a later run keeps it only for these very bytes.
inline constexpr const char *kThumbnailSourceKey = "Vintora-Source";

// One file made of a picture: the room it is made for, the folder it goes
// into, and when the picture needs it at all.
struct RenditionFile
{
    enum class Need {
        Always,
        // Only when it comes out smaller than the picture, such as a
        // screen-size copy.
        WhenSmallerThanPicture,
        // Only when it comes out smaller than the job's first file, such
        // as the thumbnail at 1x beside the one at 2x.
        WhenSmallerThanFirst,
    };

    ThumbnailBox box;
    // The folder under the output folder, by the names along its path
    // ({"thumbs", "1x"}); empty for the output folder itself. It is made
    // when the first file goes in.
    QStringList folder;
    Need need = Need::Always;
};

// Every file made of one picture, from one reading of its bytes and at
// most one decode.
struct RenditionJob
{
    QString source;
    // The name the files take in their folders, with the type of what a
    // file holds put after it where the name does not say it already (see
    // ThumbnailFileName); as it is when namedByType is false.
    QString stem;
    bool namedByType = true;
    // The first file is the picture's thumbnail: when it cannot be made,
    // no other file of the picture is written.
    QList<RenditionFile> files;
    // The picture's facts (date taken, camera) are read from the bytes
    // read for it.
    bool readFacts = false;
};

struct RenditionFileResult
{
    enum class Outcome {
        Made,       // written now
        Kept,       // already there, made from these very bytes, of the right size
        NotNeeded,  // the picture is too small for it
        Failed,     // none: reason says why
        NotStarted, // the batch stopped first, or the picture's thumbnail failed
    };

    Outcome outcome = Outcome::NotStarted;
    QSize pixelSize; // the file's, once the picture's size is known
    QString name;    // the file's name in its folder, when there is one
    // When Failed, in plain words naming the picture:
    // No thumbnail for "/photos/a.jpg": it is damaged or incomplete.
    QString reason;

    bool exists() const { return outcome == Outcome::Made || outcome == Outcome::Kept; }
};

struct RenditionResult
{
    QSize pictureSize;                // as shown, its orientation applied; empty when unknown
    QList<RenditionFileResult> files; // in the order of the job's files
    PictureFacts facts;

    // The first file, the thumbnail, is there.
    bool hasThumbnail() const { return !files.isEmpty() && files.first().exists(); }
    // Why files failed, each reason once.
    QStringList failures() const;
};

// Makes the files of a job. The picture's header is read first; from its
// size each file's pixel size follows (see ThumbnailPixelSize), and the
// files the picture does not need are left out. A file already there that
// records these very bytes and has the right pixel size is kept; when every
// file is kept, nothing is decoded. A file that needs no scaling (the
// picture in a thumbnail format, no larger than the file) is written as the
// picture's own bytes. The others are made from one decode, at the size of
// the largest of them, each smaller one scaled smoothly from the one made
// just before it, and saved as JPEG, or as PNG where they have transparent
// parts, recording what they were made from.
//
// A picture that cannot be read, whose file is damaged or incomplete, or
// whose decode would take more memory than kThumbnailDecodeLimit (judged
// from its header, before any of it is read) gets no file. Each file is
// written whole or not at all through the folders' writer, never over one
// of the run's pictures.
//
// With a budget, the memory the job holds (the picture's file, its decode
// and the smaller pictures made of it) is taken from it before the file is
// read, waiting for other threads to give theirs back, and given back when
// done; a picture needing more than the whole budget gets no file.
//
// Safe to call on several threads at once for different stems.
RenditionResult MakeRenditions(const RenditionJob &job, RenditionFolders &folders,
                               MemoryBudget *budget = nullptr);

} // namespace vintora
