#pragma once

#include <QString>

#include <functional>

namespace vintora {

// The texts of the status line that do not count anything.
inline constexpr const char *kStatusNoFiles = "No files selected to process... no output...";
inline constexpr const char *kStatusSelectingFolder = "Selecting output folder...";
inline constexpr const char *kStatusNoFolder = "No output folder chosen... no output...";
inline constexpr const char *kStatusWritingHeader = "Writing header";
inline constexpr const char *kStatusMakingZip = "Making the zip file";
inline constexpr const char *kStatusFinished = "Finished!";
inline constexpr const char *kStatusNoColumns = "A table needs at least one column... no output...";
inline constexpr const char *kStatusNoFileName = "No file name for the page... no output...";
inline constexpr const char *kStatusCancelled = "Stopped... the page was not written...";

// Where a Fin run stands, as data. Whoever shows it makes its status line
// with StatusText.
struct FinProgress
{
    enum class Phase {
        SelectingFolder,  // the output folder is being asked for
        Copying,          // done of total pictures copied; file is being copied now
        MakingThumbnails, // done of total pictures have their thumbnail; file was just done
        MakingPictures,   // the same for the modern page's thumbnails and screen-size pictures
        MakingZip,        // the zip of the page's pictures is being written
        WritingPage,      // the page is being written
        Finished,         // the page is written
        Note,             // a line of its own: text (a picture left out, say)
        Ended,            // the run ended without a page: text says why
    };

    Phase phase = Phase::Copying;
    qsizetype done = 0;
    qsizetype total = 0;
    QString file;
    QString text;

    // A step of the run, which the next status replaces.
    bool isStep() const
    {
        return phase == Phase::Copying || phase == Phase::MakingThumbnails
               || phase == Phase::MakingPictures || phase == Phase::MakingZip
               || phase == Phase::WritingPage;
    }
};

// Where a run's progress goes; called on the run's thread.
using FinProgressSink = std::function<void(const FinProgress &progress)>;

// The status line for a progress: "Selecting output folder...", "Copying
// files: 0 of 3", "Making thumbnails: 1 of 5", "Making pictures: 3 of 40",
// "Making the zip file", "Writing header", "Finished!", or the text of a
// note or of the end.
QString StatusText(const FinProgress &progress);

} // namespace vintora
