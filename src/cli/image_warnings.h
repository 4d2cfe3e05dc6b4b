#pragma once

#include <QStringList>

namespace vintora {

// While it lives, what Qt's image readers pass on from the image libraries
// (the logging categories under "qt.gui.imageio", such as libpng's "iCCP:
// known incorrect sRGB profile") is kept here instead of going to standard
// error, where it would break into the status line and into --quiet. Other
// messages go where they went before. Thumbnails are made on several
// threads; so are their warnings.
class ImageWarningCatcher
{
public:
    ImageWarningCatcher();
    ~ImageWarningCatcher();
    ImageWarningCatcher(const ImageWarningCatcher &) = delete;
    ImageWarningCatcher &operator=(const ImageWarningCatcher &) = delete;

    // The distinct warnings caught so far, in the order first seen.
    QStringList warnings() const;
};

} // namespace vintora
