#pragma once

#include "base/stop_request.h"
#include "output/copy_plan.h"
#include "run/fin_progress.h"
#include "settings/wizard_settings.h"
#include "version.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <optional>

namespace vintora {

// What a run is asked, taken whole at the click on Fin: the run reads
// nothing else, so what changes meanwhile (a page switch rewriting the
// record, say) changes nothing of it.
struct FinRequest
{
    WizardSettings settings;
    QStringList entries;  // the picture list, in order
    QString fileName;     // the page's name, as typed
    QString outputFolder; // as chosen; empty when none was
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
    // Every folder the pictures were chosen by, in the order chosen: the
    // roots the modern page's albums are made from.
    QStringList pictureFolders;
    // The pictures chosen one by one: the modern page's albums show them
    // on the top page, whatever folder holds them.
    QStringList singlePictures;
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
    // Where the pictures were taken (GPS coordinates or the names of the
    // place): the published copies that tell it, or, not copied, the
    // pictures the modern page refers to that do; the copies it was removed
    // from; and the pictures whose full size is not published because it
    // could not be removed without touching the picture.
    int picturesWithLocation = 0;
    int locationsRemoved = 0;
    int fullSizeWithheld = 0;
    // The zips of the pictures written by this run, and those already up to
    // date.
    int zipsMade = 0;
    int zipsKept = 0;

    // Every file this run wrote but the page.
    int filesMade() const { return copiedPictures + thumbnailsMade + screenCopiesMade; }
};

// What a run refuses before any output folder is asked for: an empty
// picture list, a table without columns. Nothing when it may go on.
std::optional<FinOutcome> RefusalBeforeFolder(const FinRequest &request);

// The Fin run, in four phases: the checks, which decide every destination
// and name before the first byte is written; the copies of the pictures
// when copyPictures is true (each distinct source once, under a name of its
// own, never onto itself, then the background and cell pictures); the
// files made of the pictures; and the index page, written into the output
// folder under fileName, used as typed.
//
// With makeThumbnails, a small thumbnail of every distinct picture is made
// (on every core) into the folder "thumbs" beside the page, named after the
// name its copy gets, and the page shows it in the picture's proportions; a
// picture that cannot be decoded is shown as it is, with a note. The modern
// page makes its thumbnails at two sizes and screen-size copies of the
// larger pictures too, every file of a picture from one decode.
//
// The modern page with makeAlbums and folders among pictureFolders makes a
// page for every folder with pictures in it or below it, at the same
// relative place under the output folder, with its own files; with
// makeZips, each of its pages gets a zip of its own full-size pictures as
// published, linked from it.
//
// Every file goes through one OutputWriter, so nothing the user did not ask
// to replace is lost: every destination is checked before the first byte
// is written; the page is refused when its name has a folder part or when
// it (through a link, say) is one of the pictures; every picture to be
// copied must be a regular file; a numbered name never takes the name of a
// file already in a folder it goes to; a file the user may not write is not
// replaced; nothing is written outside the output folder and its own
// sub-folders. A copy whose place already holds its bytes is left
// untouched. A picture whose name was lost on its way here (not valid text,
// and no file answers to it) is left out with a note instead of stopping
// the run.
//
// Progress goes to progress as it happens, on the calling thread. The run
// looks at stop between files: before each copy, before each picture's
// files, before the page. Stopped, it ends Cancelled; the files made so far
// are kept. The page is written whole or not at all: a run that fails or is
// stopped leaves any earlier page untouched. Pictures copied before a
// failure stay.
FinOutcome RunFin(const FinRequest &request, const FinProgressSink &progress = {},
                  const StopRequest &stop = StopRequest(), const FinOptions &options = {});

} // namespace vintora
