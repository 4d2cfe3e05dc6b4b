#pragma once

#include <QPixmap>

namespace vintora {

// One picture of the wizard's artwork by name, for example "sidebar"; a
// null pixmap when there is none. The pictures, drawn by tools/artwork, are
// built into the program as raw pixels, so loading one decodes nothing: the
// first window shows without starting a picture decoder or looking for image
// plugins, which took about a fifth of the start-up.
QPixmap artwork(const char *name);

} // namespace vintora
