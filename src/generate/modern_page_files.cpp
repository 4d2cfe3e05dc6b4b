#include "generate/modern_page_files.h"

#include "generate/index_page_writer.h"
#include "generate/picture_reference.h"

#include <algorithm>
#include <cmath>

namespace vintora {

namespace {

int scaled(int side, double factor)
{
    return std::max(1, int(std::lround(side * factor)));
}

QString relativeReference(const QString &folder, const QString &name, QChar separator)
{
    return folder + QLatin1Char('/') + EscapeReference(name, true, separator);
}

} // namespace

QList<int> ScreenCopySides(QSize picture)
{
    const int longer = std::max(picture.width(), picture.height());
    QList<int> sides;
    for (const int side : kScreenCopySides) {
        if (longer > side)
            sides.append(side);
    }
    return sides;
}

QSize ScreenCopySize(QSize picture, int longSide)
{
    const int longer = std::max(picture.width(), picture.height());
    if (longer <= 0)
        return {};
    const double factor = double(longSide) / longer;
    return {scaled(picture.width(), factor), scaled(picture.height(), factor)};
}

QSize OneXThumbnailSize(QSize picture, const ThumbnailBox &box)
{
    const QSize twoX = ThumbnailPixelSize(picture, box);
    if (box.sizing == ThumbnailBox::Sizing::Percent)
        return {scaled(twoX.width(), 0.5), scaled(twoX.height(), 0.5)};
    const QSize shown = ShownSize(picture, box);
    if (shown.width() >= twoX.width() || shown.height() >= twoX.height())
        return twoX;
    return shown;
}

QString OneXThumbnailFolder(QChar separator)
{
    return QLatin1String(kThumbnailFolder) + separator + QLatin1String(kOneXThumbnailFolder);
}

QString ScreenCopyFolder(int longSide, QChar separator)
{
    return QLatin1String(kScreenCopyFolder) + separator + QString::number(longSide);
}

QString TwoXThumbnailReference(const QString &name, QChar separator)
{
    return relativeReference(QLatin1String(kThumbnailFolder), name, separator);
}

QString OneXThumbnailReference(const QString &name, QChar separator)
{
    return relativeReference(OneXThumbnailFolder(QLatin1Char('/')), name, separator);
}

QString ScreenCopyReference(int longSide, const QString &name, QChar separator)
{
    return relativeReference(ScreenCopyFolder(longSide, QLatin1Char('/')), name, separator);
}

} // namespace vintora
