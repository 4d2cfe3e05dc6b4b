#include "renditions/thumbnail_names.h"

#include <array>

namespace vintora {

namespace {

struct ThumbnailType
{
    const char *format;
    std::array<const char *, 4> extensions; // the first is the one added
};

constexpr std::array<ThumbnailType, 4> kTypes{{
        {"jpeg", {"jpg", "jpeg", "jpe", "jfif"}},
        {"png", {"png", nullptr, nullptr, nullptr}},
        {"gif", {"gif", nullptr, nullptr, nullptr}},
        {"bmp", {"bmp", "dib", nullptr, nullptr}},
}};

const ThumbnailType *typeOf(const QByteArray &format)
{
    for (const ThumbnailType &type : kTypes) {
        if (format == type.format)
            return &type;
    }
    return nullptr;
}

} // namespace

bool IsThumbnailFormat(const QByteArray &format)
{
    return typeOf(format) != nullptr;
}

QString ThumbnailFileName(const QString &stem, const QByteArray &format)
{
    const ThumbnailType *type = typeOf(format);
    if (!type)
        return stem;
    const qsizetype dot = stem.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        const QStringView extension = QStringView(stem).mid(dot + 1);
        for (const char *known : type->extensions) {
            if (known && extension.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
                return stem;
        }
    }
    return stem + QLatin1Char('.') + QLatin1String(type->extensions[0]);
}

QStringList ThumbnailFileNames(const QString &stem)
{
    QStringList names;
    for (const ThumbnailType &type : kTypes) {
        const QString name = ThumbnailFileName(stem, type.format);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

} // namespace vintora
