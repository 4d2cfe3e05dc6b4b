#pragma once

#include "output/copy_plan.h"
#include "settings/wizard_settings.h"
#include "version.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>

namespace vintora {

// The texts the run shows on the status line.
inline constexpr const char *kStatusNoFiles = "No files selected to process... no output...";
inline constexpr const char *kStatusSelectingFolder = "Selecting output folder...";
inline constexpr const char *kStatusNoFolder = "No output folder chosen... no output...";
inline constexpr const char *kStatusWritingHeader = "Writing header";
inline constexpr const char *kStatusFinished = "Finished!";
inline constexpr const char *kStatusNoColumns = "A table needs at least one column... no output...";
inline constexpr const char *kStatusNoFileName = "No file name for the page... no output...";
inline constexpr const char *kStatusCancelled = "Stopped... the page was not written...";

// "Copying files: " copied " of " count.
QString CopyingStatus(qsizetype copied, qsizetype count);
// "Making thumbnails: " made " of " count.
QString MakingThumbnailsStatus(qsizetype made, qsizetype count);

// What the run needs from whoever starts it: the wizard window hands in its
// status line, its event pump and the folder chooser; a command-line tool a
// fixed folder and a printer. Hooks left empty do nothing (the chooser then
// chooses nothing).
struct FinHooks
{
    std::function<void(const QString &status)> setStatus;
    // One pass of the event loop. What it handles may change the settings.
    std::function<void()> pumpEvents;
    // The output folder, or empty when none was chosen.
    std::function<QString()> chooseOutputFolder;
    // Asked after every pump and after the chooser; true stops the run
    // before anything else is read, copied or written, and no page is
    // committed.
    std::function<bool()> cancelRequested;
};

struct FinOptions
{
    QChar separator = QDir::separator();
    Qt::CaseSensitivity nameCase = kFileNameCase;
    int major = kVersionMajor;
    int minor = kVersionMinor;
    // The first folder the pictures were chosen by; empty when they were
    // chosen one by one. The modern page without a title takes its name,
    // or else the output folder's.
    QString pictureFolder;
};

enum class FinResult {
    Finished,  // the page is written
    Refused,   // nothing to do: an empty list, no folder, no table columns
    Failed,    // the page or a copy could not be written
    Cancelled, // stopped on request
};

struct FinOutcome
{
    FinResult result = FinResult::Refused;
    QString status;         // the last status shown
    QString pagePath;       // where the page goes; empty when no folder was chosen
    QStringList notes;      // lines about pictures left out of the page
    int copiedPictures = 0; // copies made; a picture already in place is not one
    qint64 copiedBytes = 0;
    int copiesInPlace = 0;  // copies an earlier run made that already held the bytes
    int thumbnailsMade = 0; // thumbnail files written by this run
    int thumbnailsKept = 0; // thumbnail files already up to date
    // The modern page's screen-size copies written by this run, and those
    // already up to date (its 1x thumbnails count as thumbnails).
    int screenCopiesMade = 0;
    int screenCopiesKept = 0;
};

// The Fin run: checks there is something to do, asks for the output folder,
// copies the pictures into it when copyPictures is true (each distinct
// source once, under a name of its own, never onto itself), then writes the
// index page there under fileName, used as typed.
//
// With makeThumbnails, a small thumbnail of every distinct picture is made
// (on every core) into the folder "thumbs" beside the page, named after the
// name its copy gets, and the page shows it in the picture's proportions; a
// picture that cannot be decoded is shown as it is, with a note.
//
// Every file goes through one OutputWriter, so nothing the user did not ask
// to replace is lost: every destination is checked before the first byte
// is written; the page is refused when its name has a folder part or when
// it (through a link, say) is one of the pictures; every picture to be
// copied must be a regular file; a numbered name never takes the name of a
// file already in a folder it goes to; a file the user may not write is not
// replaced; nothing is written outside the output folder and its thumbs
// folder. A copy whose place already holds its bytes is left untouched. A
// picture whose name was lost on its way here (not valid text, and no file
// answers to it) is left out with a note instead of stopping the run.
//
// settings is the live record: copyPictures and makeThumbnails are read
// once, before anything is written, and decide how the page refers to the
// pictures; everything else is read after the last pump, when the page is
// written. entries are the picture list as it stood at the click. The page
// is written whole or not at all: a run that fails or is cancelled leaves
// any earlier page untouched. Pictures copied before a failure stay.
FinOutcome RunFin(const WizardSettings &settings, const QStringList &entries,
                  const QString &fileName, const FinHooks &hooks, const FinOptions &options = {});

} // namespace vintora
