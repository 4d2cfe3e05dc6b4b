#pragma once

#include <QString>

namespace vintora {

// The output folder that does not exist yet, made for vintora-cli's -o
// and for the wizard's folder chooser alike.

// Why the output folder at path, an absolute path of a folder that does
// not exist yet, could never be made: the nearest part of it that exists
// is no folder, or may not be written. Empty when it can be made.
QString OutputFolderProblem(const QString &path);

// Makes the folder at path and every missing folder above it, as mkdir -p
// does, each as the bytes its name is (see EncodeFileName). Why it could
// not, or an empty text.
QString MakeOutputFolder(const QString &path);

} // namespace vintora
