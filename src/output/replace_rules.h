#pragma once

#include "base/source_file.h"

#include <QString>

#include <functional>

namespace vintora {

// What the writer may replace, and what it leaves alone. Each rule looks at
// a name in a folder held open (a descriptor); a problem comes as a reason
// in the words of write_failures.h, or empty when there is none.

// The files that are never replaced, such as the pictures the run reads;
// it is asked only of files that exist.
using ProtectedCheck = std::function<bool(const FileStatus &)>;

// Why the file name in folder may not be written. A file that exists is
// replaced only when it is a regular file (a folder, a pipe or a device is
// left alone), when the user may write it and when it is not protected. A
// link there is replaced itself, never written through, unless it leads to
// a protected file.
QString FileReplaceProblem(int folder, const QString &name, const ProtectedCheck &isProtected);

// What stands where the sub-folder name of folder is to be: anything but a
// real folder, a link to one included.
QString SubfolderProblem(int folder, const QString &name);

// Whether the copy of source at name is there already: name is source
// itself (through a link there, too), or a regular file that holds exactly
// its bytes, which need not be written again.
bool CopyInPlace(int folder, const QString &name, SourceFile &source);

// Whether name in folder is a regular file that holds exactly the bytes of
// source (its size first, then its bytes). Reads source from its start.
bool HoldsSameBytes(int folder, const QString &name, SourceFile &source);

} // namespace vintora
