#pragma once

#include <QIcon>
#include <QPixmap>

namespace vintora {

// One picture of the wizard's artwork by name, for example "sidebar", as
// the screen wants it: where the program's screens have more than one
// device pixel to a pixel (a desktop at 200 %), the picture drawn at twice
// its size, with a device pixel ratio of 2, so that it takes the same place
// and shows sharp. A null pixmap when there is none.
//
// The pictures, drawn by tools/artwork at both sizes, are built into the
// program as raw pixels, so loading one decodes nothing: the first window
// shows without starting a picture decoder or looking for image plugins,
// which took about a fifth of the start-up.
QPixmap artwork(const char *name);

// The picture at a given scale: 1, or 2 for the one drawn at twice the size.
QPixmap artworkAt(const char *name, int scale);

// The picture at both scales, for a window icon.
QIcon artworkIcon(const char *name);

} // namespace vintora
