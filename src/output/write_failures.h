#pragma once

#include "base/source_file.h"

#include <QString>

namespace vintora {

// The words of every failure the writer reports are made here, and all
// follow one form.
//
// A reason is a clause in lower case, without a full stop, that follows
// "Could not <do> "<path>": " in the sentence the user reads:
// - a refusal says what stands in the way: "a folder of that name is in the
//   way", "it is one of the pictures of this run";
// - a failed system call says what could not be done, then the system's own
//   words for its errno in parentheses: "the file cannot be written (No
//   space left on device)".
// The writer's own sentences, about the folders it opens and makes, are
// that form whole: "Could not make the folder "out/thumbs": a link of that
// name is in the way." The sentences about files are the callers' (they
// know what the file was for), around the reason the writer gives.

// What the writer was doing when a system call failed.
enum class WriteStep {
    CreateFile,    // the file in the making
    WriteFile,     // its bytes, closing it, putting it in place
    CheckExisting, // whether the file there may be replaced
    ReadSource,    // the file copied from
    MakeFolder,
    OpenFolder,
};

// The reason for a system call that failed with error at step.
QString FailureReason(WriteStep step, int error);

// The reason for what lies in the place of a file or folder: "a folder",
// "a link", "a file" or the kind of anything else ("a named pipe"), "of
// that name is in the way".
QString InTheWayReason(const FileStatus &there);
// A file the run reads, which is never replaced.
QString ProtectedFileReason();
// The output folder named is something else.
QString NotAFolderReason();

// The folder sentences: "Could not make the folder "path": reason."
enum class FolderAction { MakeFolder, OpenFolder, OpenOutputFolder };
QString FolderFailure(FolderAction action, const QString &path, const QString &reason);

} // namespace vintora
