#include "renditions/thumbnail_maker.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "output/output_writer.h"
#include "pictures/picture_bytes.h"
#include "pictures/picture_header.h"
#include "pictures/picture_integrity.h"
#include "pictures/thumbnail_decode.h"
#include "renditions/memory_budget.h"
#include "renditions/thumbnail_names.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <memory>
#include <optional>

namespace vintora {

namespace {

// Larger picture files are not read into memory to be made small.
constexpr qint64 kLargestPictureFile = qint64(512) << 20;

ThumbnailResult failed(ThumbnailResult result, const QString &source, const QString &why)
{
    result.outcome = ThumbnailResult::Outcome::Failed;
    result.reason
            = QStringLiteral("No thumbnail for \"%1\": %2.").arg(DisplayFileName(source), why);
    return result;
}

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

// What a thumbnail records of the picture it was made from: its size and
// a hash of its bytes.
QString sourceRecord(const QByteArray &picture)
{
    return QString::number(picture.size()) + QLatin1Char(' ')
           + QString::fromLatin1(
                   QCryptographicHash::hash(picture, QCryptographicHash::Blake2b_160).toHex());
}

// Where the thumbnail goes: a name in a folder of the run's writer, or,
// for a thumbnail made on its own, a name in its path's folder, through a
// writer of its own that protects the picture.
class Target
{
public:
    Target(const ThumbnailJob &job, const FileStatus &picture)
    {
        if (job.writer) {
            m_writer = job.writer;
            m_folder = job.folder;
            m_stem = job.destination;
            m_namedByType = true;
            return;
        }
        const qsizetype start = FileNameStart(job.destination);
        m_stem = job.destination.mid(start);
        m_own = std::make_unique<OutputWriter>();
        const QString folder = start > 0 ? job.destination.left(start) : QStringLiteral(".");
        if (!m_own->open(folder, &m_problem))
            return;
        m_own->setProtected([picture](const FileStatus &file) { return picture.sameFileAs(file); });
        m_writer = m_own.get();
        m_folder = &m_own->folder();
    }

    const QString &problem() const { return m_problem; }
    const OutputWriter &writer() const { return *m_writer; }
    const OutputFolder &folder() const { return *m_folder; }

    QString nameFor(const QByteArray &format) const
    {
        return m_namedByType ? ThumbnailFileName(m_stem, format) : m_stem;
    }

    // The names the thumbnail may have now, whatever it holds.
    QStringList names() const
    {
        return m_namedByType ? ThumbnailFileNames(m_stem) : QStringList{m_stem};
    }

private:
    std::unique_ptr<OutputWriter> m_own;
    const OutputWriter *m_writer = nullptr;
    const OutputFolder *m_folder = nullptr;
    QString m_stem;
    QString m_problem;
    bool m_namedByType = false;
};

// A thumbnail already there that was made from this very picture, at the
// size it should have now: its name, or an empty text.
QString keptThumbnail(const Target &target, const QString &record, const QByteArray &picture,
                      SourceFile &source, QSize pixelSize, bool asItIs)
{
    for (const QString &name : target.names()) {
        SourceFile thumbnail(target.folder().handle(), name);
        if (!thumbnail.isOpen())
            continue;
        if (asItIs) {
            if (thumbnail.status().size == picture.size()
                && OutputWriter::holdsSameBytes(target.folder(), name, source))
                return name;
            continue;
        }
        QImageReader reader(&thumbnail.device());
        if (reader.text(QLatin1String(kThumbnailSourceKey)) != record)
            continue;
        if (!thumbnail.device().seek(0))
            continue;
        const PictureHeader header = ReadPictureHeader(thumbnail.device());
        if (header.isValid() && header.orientedSize() == pixelSize)
            return name;
    }
    return QString();
}

} // namespace

bool IsMadeThumbnail(const OutputFolder &folder, const QString &name)
{
    SourceFile thumbnail(folder.handle(), name);
    if (!thumbnail.isOpen())
        return false;
    QImageReader reader(&thumbnail.device());
    return !reader.text(QLatin1String(kThumbnailSourceKey)).isEmpty();
}

ThumbnailResult MakeThumbnail(const ThumbnailJob &job, MemoryBudget *budget)
{
    ThumbnailResult result;
    if (!job.box.isValid())
        return failed(result, job.source, QStringLiteral("the thumbnail size is 0"));

    SourceFile source(job.source);
    if (!source.isOpen())
        return failed(result, job.source, source.problem());
    QFile &device = source.device();
    const PictureHeader header = ReadPictureHeader(device);
    if (!header.isValid())
        return failed(result, job.source, QStringLiteral("it is not a picture that can be read"));
    if (header.format.startsWith("svg"))
        return failed(result, job.source, QStringLiteral("it is a drawing, shown as it is"));

    result.pictureSize = header.orientedSize();
    result.pixelSize = ThumbnailPixelSize(result.pictureSize, job.box);
    result.shownSize = ShownSize(result.pictureSize, job.box);

    const Target target(job, source.status());
    if (!target.problem().isEmpty())
        return failed(result, job.source, target.problem());

    if (source.status().size > kLargestPictureFile)
        return failed(result, job.source, QStringLiteral("the file is too large"));
    // Pictures of other formats are made anew even when small: their
    // thumbnail holds one of the formats a thumbnail is named by.
    const bool asItIs = result.pixelSize == result.pictureSize && IsThumbnailFormat(header.format);
    // What making it holds in memory: the file and, unless it is kept as it
    // is, its decode. Judged from the header, before any of it is read.
    const qint64 decodeBytes = asItIs ? 0 : ThumbnailDecodeBytes(header, result.pixelSize);
    const QSize decoded
            = header.decodedSize == header.size ? result.pictureSize : header.decodedSize;
    const QString tooCostly
            = QStringLiteral("it would take more memory than a thumbnail is worth (%1 × %2 pixels)")
                      .arg(decoded.width())
                      .arg(decoded.height());
    if (decodeBytes > kThumbnailDecodeLimit)
        return failed(result, job.source, tooCostly);
    const MemoryHold hold(budget, source.status().size + decodeBytes);
    if (!hold.held())
        return failed(result, job.source, tooCostly);

    QString why;
    std::optional<QByteArray> bytes = ReadPictureBytes(device, source.status().size, &why);
    if (!bytes)
        return failed(result, job.source, why);
    const QString record = sourceRecord(*bytes);
    if (const QString kept
        = keptThumbnail(target, record, *bytes, source, result.pixelSize, asItIs);
        !kept.isEmpty()) {
        result.outcome = ThumbnailResult::Outcome::Kept;
        result.name = kept;
        return result;
    }
    if (!PictureLooksComplete(*bytes))
        return failed(result, job.source, QStringLiteral("it is damaged or incomplete"));

    QByteArray thumbnail;
    QByteArray format = header.format;
    if (asItIs) {
        thumbnail = *bytes;
    } else {
        QImage image = DecodeThumbnail(*bytes, header, result.pixelSize, &why);
        if (image.isNull())
            return failed(result, job.source, why);

        QBuffer out(&thumbnail);
        out.open(QIODevice::WriteOnly);
        format = usesTransparency(image) ? "png" : "jpeg";
        QImageWriter writer(&out, format);
        writer.setText(QLatin1String(kThumbnailSourceKey), record);
        if (format == "jpeg") {
            writer.setQuality(kThumbnailJpegQuality);
            writer.setOptimizedWrite(true);
        }
        if (!writer.write(image))
            return failed(
                    result, job.source,
                    QStringLiteral("it could not be made small (%1)").arg(writer.errorString()));
    }

    // A picture chosen from an earlier run's thumbnails is never written
    // over; nor is any other picture of the run (the writer refuses).
    const QString name = target.nameFor(format);
    if (target.folder().lookThrough(name).sameFileAs(source.status()))
        return failed(result, job.source, QStringLiteral("it is where its thumbnail would go"));
    if (!target.writer().writeFile(target.folder(), name, thumbnail, &why))
        return failed(result, job.source,
                      QStringLiteral("%1 could not be written: %2")
                              .arg(QLatin1Char('"') + DisplayFileName(target.folder().pathOf(name))
                                           + QLatin1Char('"'),
                                   why));
    result.name = name;
    result.outcome = ThumbnailResult::Outcome::Made;
    return result;
}

} // namespace vintora
