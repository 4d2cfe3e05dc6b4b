#pragma once

#include "settings/wizard_settings.h"

#include <QColor>

namespace vintora {

// Conversions between the record's 0x00BBGGRR colour values and QColor,
// used only at the widgets.
inline QColor toQColor(ColorValue value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline ColorValue fromQColor(const QColor &color)
{
    return ColorValue(color.red()) | (ColorValue(color.green()) << 8)
           | (ColorValue(color.blue()) << 16);
}

} // namespace vintora
