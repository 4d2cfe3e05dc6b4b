// The Fin run's part for the modern page: its folders checked with the
// other destinations, the 1x thumbnails and the screen-size copies made
// after the thumbnails, the facts of each picture read, and the page.

#include "run/fin_phases.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "page/modern_page_files.h"
#include "page/picture_reference.h"

namespace vintora {

namespace {

// The EXIF segment comes first in a JPEG file and holds at most 64 KB;
// what comes before it is rarely more than a few segments.
constexpr qint64 kFactsReadLimit = 256 * 1024;

PictureFacts readFacts(const QString &path)
{
    SourceFile source(path);
    if (!source.isOpen())
        return {};
    return ReadPictureFacts(source.device().read(kFactsReadLimit));
}

QString MakingScreenCopiesStatus(qsizetype made, qsizetype count)
{
    return QStringLiteral("Making screen-size pictures: %1 of %2").arg(made).arg(count);
}

} // namespace

// Nothing but real folders may stand where the modern page's files go.
bool FinRun::checkModernFolders()
{
    const OutputFolder &out = m_writer.folder();
    QString why
            = m_thumbs ? m_writer.subfolderProblem(*m_thumbs, QLatin1String(kOneXThumbnailFolder))
                       : QString();
    if (why.isEmpty())
        why = m_writer.subfolderProblem(out, QLatin1String(kScreenCopyFolder));
    if (why.isEmpty()) {
        if (const OutputFolder *screen
            = m_writer.subfolder(out, QLatin1String(kScreenCopyFolder), false, &why)) {
            for (const int side : kScreenCopySides) {
                why = m_writer.subfolderProblem(*screen, QString::number(side));
                if (!why.isEmpty())
                    break;
            }
        }
    }
    return why.isEmpty() || end(FinResult::Failed, why);
}

const OutputFolder *FinRun::screenFolder(int longSide, QString *why)
{
    const OutputFolder *screen
            = m_writer.subfolder(m_writer.folder(), QLatin1String(kScreenCopyFolder), true, why);
    return screen ? m_writer.subfolder(*screen, QString::number(longSide), true, why) : nullptr;
}

// For each picture that got a thumbnail: a 1x one where the picture is
// large enough for two sizes, and its screen-size copies, under the
// thumbnail's stem; then what the page says of each picture.
bool FinRun::makeModernFiles(const QList<ThumbnailJob> &thumbnailJobs,
                             const QList<ThumbnailResult> &thumbnails,
                             const QHash<QString, qsizetype> &jobOfName)
{
    const QChar sep = m_options.separator;
    QList<ThumbnailJob> jobs;
    QList<QPair<qsizetype, int>> madeFor; // the thumbnail job, and the side (0 for 1x)
    QString why;
    for (qsizetype i = 0; i < thumbnailJobs.size(); ++i) {
        const ThumbnailJob &job = thumbnailJobs.at(i);
        const ThumbnailResult &made = thumbnails.at(i);
        if (!made.hasThumbnail())
            continue;
        if (OneXThumbnailSize(made.pictureSize, m_thumbnailBox) != made.pixelSize) {
            const OutputFolder *oneX = m_writer.subfolder(
                    *m_thumbs, QLatin1String(kOneXThumbnailFolder), true, &why);
            if (!oneX)
                return end(FinResult::Failed, why);
            jobs.append({job.source, job.destination, OneXThumbnailBox(m_thumbnailBox), &m_writer,
                         oneX});
            madeFor.append({i, 0});
        }
        for (const int side : ScreenCopySides(made.pictureSize)) {
            const OutputFolder *folder = screenFolder(side, &why);
            if (!folder)
                return end(FinResult::Failed, why);
            jobs.append({job.source, job.destination, ScreenCopyBox(side), &m_writer, folder});
            madeFor.append({i, side});
        }
    }

    const std::optional<QList<ThumbnailResult>> batch = makeBatch(jobs, MakingScreenCopiesStatus);
    if (!batch)
        return false;
    const QList<ThumbnailResult> &results = *batch;

    // What the page shows of each picture with a thumbnail: the 1x file
    // (or the 2x one when it is the only one) at the size the box gives.
    QList<ModernPageItem> items(thumbnailJobs.size());
    for (qsizetype i = 0; i < thumbnailJobs.size(); ++i) {
        const ThumbnailResult &made = thumbnails.at(i);
        if (!made.hasThumbnail())
            continue;
        ModernPageItem &item = items[i];
        item.pictureSize = made.pictureSize;
        item.thumbnail = {TwoXThumbnailReference(made.name, sep), made.pixelSize};
        item.facts = readFacts(thumbnailJobs.at(i).source);
    }
    for (qsizetype j = 0; j < jobs.size(); ++j) {
        const ThumbnailResult &result = results.at(j);
        const auto [i, side] = madeFor.at(j);
        // 1x thumbnails count as thumbnails.
        int &made = side == 0 ? m_outcome.thumbnailsMade : m_outcome.screenCopiesMade;
        int &kept = side == 0 ? m_outcome.thumbnailsKept : m_outcome.screenCopiesKept;
        if (result.outcome == ThumbnailResult::Outcome::Made)
            ++made;
        else if (result.outcome == ThumbnailResult::Outcome::Kept)
            ++kept;
        if (!result.hasThumbnail())
            continue;
        ModernPageItem &item = items[i];
        if (side == 0) {
            item.thumbnail2x = item.thumbnail;
            item.thumbnail = {OneXThumbnailReference(result.name, sep), result.pixelSize};
        } else {
            item.screenCopies.append(
                    {ScreenCopyReference(side, result.name, sep), result.pixelSize});
        }
    }
    for (qsizetype i = 0; i < thumbnailJobs.size(); ++i) {
        if (thumbnails.at(i).shownSize.isValid())
            items[i].thumbnail.size = thumbnails.at(i).shownSize;
    }
    for (const QString &entry : std::as_const(m_entries)) {
        const qsizetype i = jobOfName.value(m_namer.nameFor(entry), -1);
        if (i >= 0 && thumbnails.at(i).hasThumbnail())
            m_modernItems.insert(entry, items.at(i));
    }
    return true;
}

// The name of the folder the modern page is of: the pictures' folder, or
// the output folder when they were chosen one by one.
QString FinRun::pageFolderName() const
{
    const QChar sep = m_options.separator;
    QString folder = m_options.pictureFolder.isEmpty() ? m_writer.folder().path()
                                                       : m_options.pictureFolder;
    while (folder.endsWith(sep) || folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return DisplayFileName(FileNameOf(folder, sep));
}

// The modern page, from the record as it stands now; pictures without a
// thumbnail are shown as they are.
bool FinRun::writeModernPage(const WizardSettings &now)
{
    const QChar sep = m_options.separator;
    const QHash<QString, QString> copiedNames = m_namer.names();
    const auto reference = [&](const QString &path) {
        return PictureReference(path, m_copy, copiedNames.value(path, FileNameOf(path, sep)), sep);
    };
    ModernPageContents contents;
    contents.folderName = pageFolderName();
    contents.items.reserve(m_entries.size());
    for (const QString &entry : std::as_const(m_entries)) {
        ModernPageItem item = m_modernItems.value(entry);
        item.picture = reference(entry);
        item.name = DisplayFileName(FileNameOf(entry, sep));
        if (item.thumbnail.isEmpty())
            item.thumbnail.reference = item.picture;
        contents.items.append(item);
    }
    PageBackgrounds backgrounds;
    if (!now.backgroundPicture.isEmpty())
        backgrounds.page = reference(now.backgroundPicture);

    return putPage([&](QIODevice &page, QString *why) {
        return WriteModernPage(now, backgrounds, contents, m_options.major, m_options.minor, page,
                               why);
    });
}

} // namespace vintora
