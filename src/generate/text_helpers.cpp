#include "generate/text_helpers.h"

namespace vintora {

QString HtmlColor(ColorValue color)
{
    QString hex = QString::number(color, 16).toUpper();
    while (hex.size() < 6)
        hex.prepend(QLatin1Char('0'));
    return hex.right(2) + hex.mid(2, 2) + hex.left(2);
}

QString FileNameOf(const QString &path, QChar separator)
{
    const qsizetype last = path.lastIndexOf(separator);
    return last < 0 ? path : path.mid(last + 1);
}

QString JoinPath(const QString &folder, const QString &name, QChar separator)
{
    return folder + separator + name;
}

} // namespace vintora
