#include "settings/html_color.h"

namespace vintora {

QString HtmlColor(ColorValue color)
{
    QString hex = QString::number(color, 16).toUpper();
    while (hex.size() < 6)
        hex.prepend(QLatin1Char('0'));
    return hex.right(2) + hex.mid(2, 2) + hex.left(2);
}

} // namespace vintora
