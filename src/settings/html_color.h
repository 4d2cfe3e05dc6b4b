#pragma once

#include "settings/wizard_settings.h"

#include <QString>

namespace vintora {

// The six hexadecimal digits RRGGBB of a colour value 0x00BBGGRR, upper case,
// without "#". A value with bits above the lowest 24 set is sliced the same
// way (0x8000000F gives 0F0080).
QString HtmlColor(ColorValue color);

} // namespace vintora
