#include "page/modern_page_files.h"

#include "page/index_page_writer.h"
#include "page/picture_reference.h"

#include <algorithm>

namespace vintora {

namespace {

QString relativeReference(const QString &folder, const QString &name, QChar separator)
{
    return folder + QLatin1Char('/') + EscapeReference(name, true, separator);
}

} // namespace

ThumbnailBox ModernThumbnailBox()
{
    ThumbnailBox box;
    box.sizing = ThumbnailBox::Sizing::Pixels;
    box.width = 660;
    box.height = 220;
    return box;
}

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

ThumbnailBox ScreenCopyBox(int longSide)
{
    ThumbnailBox box;
    box.sizing = ThumbnailBox::Sizing::LongerSide;
    box.width = longSide;
    return box;
}

QSize ScreenCopySize(QSize picture, int longSide)
{
    return ThumbnailPixelSize(picture, ScreenCopyBox(longSide));
}

ThumbnailBox OneXThumbnailBox(const ThumbnailBox &box)
{
    ThumbnailBox oneX = box;
    oneX.density = 1;
    return oneX;
}

QSize OneXThumbnailSize(QSize picture, const ThumbnailBox &box)
{
    return ThumbnailPixelSize(picture, OneXThumbnailBox(box));
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
