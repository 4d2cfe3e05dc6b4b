#include "renditions/rendition_job.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "output/output_writer.h"
#include "pictures/picture_bytes.h"
#include "pictures/picture_header.h"
#include "pictures/picture_integrity.h"
#include "pictures/thumbnail_decode.h"
#include "renditions/memory_budget.h"
#include "renditions/rendition_files.h"
#include "renditions/rendition_folders.h"
#include "renditions/thumbnail_names.h"

#include <algorithm>
#include <optional>

namespace vintora {

namespace {

using Outcome = RenditionFileResult::Outcome;

// Larger picture files are not read into memory to be made small.
constexpr qint64 kLargestPictureFile = qint64(512) << 20;

// The EXIF segment comes first in a JPEG file and holds at most 64 KB;
// what comes before it is rarely more than a few segments.
constexpr qint64 kFactsReadLimit = 256 * 1024;

qint64 imageBytes(QSize size)
{
    return qint64(size.width()) * size.height() * 4;
}

QString sentence(const QString &source, const QString &why)
{
    return QStringLiteral("No thumbnail for \"%1\": %2.").arg(DisplayFileName(source), why);
}

// Every file not yet there fails for the one reason.
RenditionResult &failRemaining(RenditionResult &result, const QString &source, const QString &why)
{
    for (RenditionFileResult &file : result.files) {
        if (file.outcome != Outcome::NotNeeded && !file.exists()) {
            file.outcome = Outcome::Failed;
            file.reason = sentence(source, why);
        }
    }
    return result;
}

// Each file's pixel size, and whether the picture needs it; true for each
// file that is the picture as it is.
QList<bool> sizeFiles(const RenditionJob &job, const PictureHeader &header, RenditionResult &result)
{
    QList<bool> asItIs(job.files.size(), false);
    for (qsizetype i = 0; i < job.files.size(); ++i) {
        const RenditionFile &file = job.files.at(i);
        RenditionFileResult &made = result.files[i];
        made.pixelSize = ThumbnailPixelSize(result.pictureSize, file.box);
        const QSize larger = file.need == RenditionFile::Need::WhenSmallerThanFirst
                                     ? result.files.first().pixelSize
                                     : result.pictureSize;
        const bool smaller = made.pixelSize.width() < larger.width()
                             || made.pixelSize.height() < larger.height();
        if (!file.box.isValid() || (file.need != RenditionFile::Need::Always && !smaller)) {
            made.outcome = Outcome::NotNeeded;
            continue;
        }
        // Pictures of other formats are made anew even when small: a made
        // file holds one of the formats it is named by.
        asItIs[i] = made.pixelSize == result.pictureSize && IsThumbnailFormat(header.format);
    }
    return asItIs;
}

// The files to be made by scaling, largest first.
QList<qsizetype> scaledFiles(const RenditionResult &result, const QList<bool> &asItIs)
{
    QList<qsizetype> scaled;
    for (qsizetype i = 0; i < result.files.size(); ++i) {
        if (result.files.at(i).outcome == Outcome::NotStarted && !asItIs.at(i))
            scaled << i;
    }
    std::stable_sort(scaled.begin(), scaled.end(), [&result](qsizetype a, qsizetype b) {
        return imageBytes(result.files.at(a).pixelSize) > imageBytes(result.files.at(b).pixelSize);
    });
    return scaled;
}

// What making the scaled files holds in memory besides the picture's file:
// the one decode, at the largest of them, and each smaller picture.
qint64 scalingBytes(const PictureHeader &header, const RenditionResult &result,
                    const QList<qsizetype> &scaled)
{
    if (scaled.isEmpty())
        return 0;
    qint64 bytes = ThumbnailDecodeBytes(header, result.files.at(scaled.first()).pixelSize);
    for (qsizetype at = 1; at < scaled.size(); ++at)
        bytes += imageBytes(result.files.at(scaled.at(at)).pixelSize);
    return bytes;
}

// Marks the files an earlier run made of these very bytes as kept; true
// when every file needed is.
bool keepFiles(const RenditionJob &job, RenditionFolders &folders, const QList<bool> &asItIs,
               const QString &record, const QByteArray &bytes, SourceFile &source,
               RenditionResult &result)
{
    const QStringList names = MadeFileNames(job.stem, job.namedByType);
    bool all = true;
    for (qsizetype i = 0; i < job.files.size(); ++i) {
        RenditionFileResult &file = result.files[i];
        if (file.outcome == Outcome::NotNeeded)
            continue;
        QString ignored;
        const OutputFolder *folder = folders.open(job.files.at(i).folder, false, &ignored);
        file.name = folder ? KeptFileName(*folder, names, record, file.pixelSize, asItIs.at(i),
                                          source, bytes.size())
                           : QString();
        if (file.name.isEmpty())
            all = false;
        else
            file.outcome = Outcome::Kept;
    }
    return all;
}

// The bytes of each file to be written: the picture's own for those that
// are the picture as it is, the others decoded once at the size of the
// largest and scaled down from there. Empty with the reason in why when
// the picture cannot be decoded or saved.
std::optional<QList<QByteArray>> encodeFiles(const PictureHeader &header, QByteArray bytes,
                                             const QString &record, const QList<bool> &asItIs,
                                             const RenditionResult &result,
                                             QList<QByteArray> &formats, QString *why)
{
    QList<QByteArray> files(result.files.size());
    formats = QList<QByteArray>(result.files.size());
    for (qsizetype i = 0; i < result.files.size(); ++i) {
        if (result.files.at(i).outcome == Outcome::NotStarted && asItIs.at(i)) {
            files[i] = bytes;
            formats[i] = header.format;
        }
    }
    const QList<qsizetype> scaled = scaledFiles(result, asItIs);
    if (scaled.isEmpty())
        return files;
    QImage image = DecodeThumbnail(bytes, header, result.files.at(scaled.first()).pixelSize, why);
    if (image.isNull())
        return std::nullopt;
    for (const qsizetype i : scaled) {
        const QSize size = result.files.at(i).pixelSize;
        if (image.size() != size)
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        files[i] = EncodeMadeFile(image, record, &formats[i], why);
        if (files.at(i).isEmpty())
            return std::nullopt;
    }
    return files;
}

// Writes file i under its name; false, with the file failed, when it
// cannot be.
bool writeFile(const RenditionJob &job, qsizetype i, const QByteArray &bytes,
               const QByteArray &format, RenditionFolders &folders, const FileStatus &picture,
               RenditionFileResult &file)
{
    const auto failed = [&](const QString &why) {
        file.outcome = Outcome::Failed;
        file.reason = sentence(job.source, why);
        return false;
    };
    QString why;
    const OutputFolder *folder = folders.open(job.files.at(i).folder, true, &why);
    if (!folder)
        return failed(why);
    // A picture chosen from an earlier run's files is never written over;
    // nor is any other picture of the run (the writer refuses).
    const QString name = MadeFileName(job.stem, job.namedByType, format);
    if (folder->lookThrough(name).sameFileAs(picture))
        return failed(QStringLiteral("it is where its thumbnail would go"));
    if (!folders.writer().writeFile(*folder, name, bytes, &why))
        return failed(QStringLiteral("%1 could not be written: %2")
                              .arg(QLatin1Char('"') + DisplayFileName(folder->pathOf(name))
                                           + QLatin1Char('"'),
                                   why));
    file.name = name;
    file.outcome = Outcome::Made;
    return true;
}

// Reads the picture, keeps what is up to date and makes the rest.
RenditionResult &makeFromBytes(const RenditionJob &job, RenditionFolders &folders,
                               const PictureHeader &header, SourceFile &source,
                               const QList<bool> &asItIs, RenditionResult &result)
{
    QString why;
    std::optional<QByteArray> bytes = ReadPictureBytes(source.device(), source.status().size, &why);
    if (!bytes)
        return failRemaining(result, job.source, why);
    if (job.readFacts)
        result.facts = ReadPictureFacts(
                QByteArrayView(*bytes).first(std::min<qsizetype>(bytes->size(), kFactsReadLimit)));
    const QString record = SourceRecord(*bytes);
    if (keepFiles(job, folders, asItIs, record, *bytes, source, result))
        return result;
    if (!PictureLooksComplete(*bytes))
        return failRemaining(result, job.source, QStringLiteral("it is damaged or incomplete"));

    QList<QByteArray> formats;
    const std::optional<QList<QByteArray>> files
            = encodeFiles(header, std::move(*bytes), record, asItIs, result, formats, &why);
    if (!files)
        return failRemaining(result, job.source, why);
    // The thumbnail first: without it, no other file is written.
    for (qsizetype i = 0; i < result.files.size(); ++i) {
        if (result.files.at(i).outcome != Outcome::NotStarted)
            continue;
        if (!writeFile(job, i, files->at(i), formats.at(i), folders, source.status(),
                       result.files[i])
            && i == 0)
            break;
    }
    return result;
}

} // namespace

QStringList RenditionResult::failures() const
{
    QStringList reasons;
    for (const RenditionFileResult &file : files) {
        if (file.outcome == RenditionFileResult::Outcome::Failed && !reasons.contains(file.reason))
            reasons << file.reason;
    }
    return reasons;
}

RenditionResult MakeRenditions(const RenditionJob &job, RenditionFolders &folders,
                               MemoryBudget *budget)
{
    RenditionResult result;
    result.files.resize(job.files.size());
    if (job.files.isEmpty())
        return result;
    if (!job.files.first().box.isValid())
        return failRemaining(result, job.source, QStringLiteral("the thumbnail size is 0"));

    SourceFile source(job.source);
    if (!source.isOpen())
        return failRemaining(result, job.source, source.problem());
    const PictureHeader header = ReadPictureHeader(source.device());
    if (!header.isValid())
        return failRemaining(result, job.source,
                             QStringLiteral("it is not a picture that can be read"));
    if (header.format.startsWith("svg"))
        return failRemaining(result, job.source, QStringLiteral("it is a drawing, shown as it is"));
    result.pictureSize = header.orientedSize();
    const QList<bool> asItIs = sizeFiles(job, header, result);
    if (source.status().size > kLargestPictureFile)
        return failRemaining(result, job.source, QStringLiteral("the file is too large"));

    // What making the files holds in memory: the picture's file and,
    // unless every file is the picture as it is, its decode. Judged from
    // the header, before any of it is read.
    const QList<qsizetype> scaled = scaledFiles(result, asItIs);
    const QSize decoded
            = header.decodedSize == header.size ? result.pictureSize : header.decodedSize;
    const QString tooCostly
            = QStringLiteral("it would take more memory than a thumbnail is worth (%1 × %2 pixels)")
                      .arg(decoded.width())
                      .arg(decoded.height());
    if (!scaled.isEmpty()
        && ThumbnailDecodeBytes(header, result.files.at(scaled.first()).pixelSize)
                   > kThumbnailDecodeLimit)
        return failRemaining(result, job.source, tooCostly);
    const MemoryHold hold(budget, source.status().size + scalingBytes(header, result, scaled));
    if (!hold.held())
        return failRemaining(result, job.source, tooCostly);
    return makeFromBytes(job, folders, header, source, asItIs, result);
}

} // namespace vintora
