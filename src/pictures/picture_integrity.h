#pragma once

#include <QByteArrayView>
#include <QIODevice>

namespace vintora {

// False when a picture file's bytes end before the picture does, or break
// its format's structure on the way: a JPEG without its end marker, a GIF
// whose blocks run past the end or whose data is too short for its frame,
// a BMP shorter than its pixel rows, a PNG without its end chunk. Qt's readers show such pictures
// without a word (a JPEG cut short comes back grey below the cut), so this is asked before a
// picture is decoded. Formats it does not know are taken as complete; their reader decides.
bool PictureLooksComplete(QByteArrayView bytes);

// The same for what the device holds from its current position to its
// end. The position is put back afterwards. A device that cannot be read
// to its end counts as incomplete.
bool PictureLooksComplete(QIODevice &device);

} // namespace vintora
