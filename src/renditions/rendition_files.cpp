#include "renditions/rendition_files.h"

#include "base/source_file.h"
#include "output/output_writer.h"
#include "pictures/picture_header.h"
#include "renditions/rendition_job.h"
#include "renditions/thumbnail_names.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImageReader>
#include <QImageWriter>

namespace vintora {

namespace {

// True when some pixel is not fully opaque. A picture with an alpha
// channel that it does not use (as many PNG files have) is marked opaque.
bool usesTransparency(QImage &image)
{
    if (!image.hasAlphaChannel())
        return false;
    const bool argb = image.format() == QImage::Format_ARGB32
                      || image.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage pixels = argb ? image : image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(pixels.constScanLine(y));
        quint32 all = 0xFF000000;
        for (int x = 0; x < pixels.width(); ++x)
            all &= line[x];
        if (all < 0xFF000000)
            return true;
    }
    if (argb)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return false;
}

} // namespace

QString SourceRecord(const QByteArray &picture)
{
    return QString::number(picture.size()) + QLatin1Char(' ')
           + QString::fromLatin1(
                   QCryptographicHash::hash(picture, QCryptographicHash::Blake2b_160).toHex());
}

QString MadeFileName(const QString &stem, bool namedByType, const QByteArray &format)
{
    return namedByType ? ThumbnailFileName(stem, format) : stem;
}

QStringList MadeFileNames(const QString &stem, bool namedByType)
{
    return namedByType ? ThumbnailFileNames(stem) : QStringList{stem};
}

QString KeptFileName(const OutputFolder &folder, const QStringList &names, const QString &record,
                     QSize pixelSize, bool asItIs, SourceFile &picture, qint64 pictureBytes)
{
    for (const QString &name : names) {
        SourceFile made(folder.handle(), name);
        if (!made.isOpen())
            continue;
        if (asItIs) {
            if (made.status().size == pictureBytes
                && OutputWriter::holdsSameBytes(folder, name, picture))
                return name;
            continue;
        }
        QImageReader reader(&made.device());
        if (reader.text(QLatin1String(kThumbnailSourceKey)) != record)
            continue;
        if (!made.device().seek(0))
            continue;
        const PictureHeader header = ReadPictureHeader(made.device());
        if (header.isValid() && header.orientedSize() == pixelSize)
            return name;
    }
    return QString();
}

bool IsMadeThumbnail(const OutputFolder &folder, const QString &name)
{
    SourceFile thumbnail(folder.handle(), name);
    if (!thumbnail.isOpen())
        return false;
    QImageReader reader(&thumbnail.device());
    return !reader.text(QLatin1String(kThumbnailSourceKey)).isEmpty();
}

QByteArray EncodeMadeFile(QImage &image, const QString &record, QByteArray *format, QString *why)
{
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    *format = usesTransparency(image) ? "png" : "jpeg";
    QImageWriter writer(&out, *format);
    writer.setText(QLatin1String(kThumbnailSourceKey), record);
    if (*format == "jpeg") {
        writer.setQuality(kThumbnailJpegQuality);
        writer.setOptimizedWrite(true);
    }
    if (!writer.write(image)) {
        *why = QStringLiteral("it could not be made small (%1)").arg(writer.errorString());
        return {};
    }
    return bytes;
}

} // namespace vintora
