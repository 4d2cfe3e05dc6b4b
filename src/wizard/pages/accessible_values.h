#pragma once

#include "settings/wizard_settings.h"

#include <QString>

namespace vintora {

// How screen readers hear a value that the wizard shows as a picture: the
// colour of a swatch or label, the picture chosen for the background or the
// table cells.

// "Page colour: #FFFFFF".
QString spokenColor(const QString &what, ColorValue color);

// "Cell picture: none", or the file's name: "Cell picture: tile.png".
QString spokenPicture(const QString &what, const QString &path);

} // namespace vintora
