#include "wizard/pages/accessible_values.h"

#include "base/file_name_bytes.h"
#include "base/text_helpers.h"
#include "settings/html_color.h"

namespace vintora {

QString spokenColor(const QString &what, ColorValue color)
{
    return what + QLatin1String(": #") + HtmlColor(color);
}

QString spokenPicture(const QString &what, const QString &path)
{
    const QString name = path.isEmpty() ? QStringLiteral("none") : FileNameOf(path);
    return what + QLatin1String(": ") + DisplayFileName(name.isEmpty() ? path : name);
}

} // namespace vintora
