#include "renditions/thumbnail_maker.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "output/output_writer.h"
#include "renditions/rendition_folders.h"

namespace vintora {

namespace {

ThumbnailResult::Outcome outcomeOf(RenditionFileResult::Outcome outcome)
{
    switch (outcome) {
    case RenditionFileResult::Outcome::Made:
        return ThumbnailResult::Outcome::Made;
    case RenditionFileResult::Outcome::Kept:
        return ThumbnailResult::Outcome::Kept;
    case RenditionFileResult::Outcome::NotNeeded:
    case RenditionFileResult::Outcome::Failed:
        return ThumbnailResult::Outcome::Failed;
    case RenditionFileResult::Outcome::NotStarted:
        break;
    }
    return ThumbnailResult::Outcome::NotStarted;
}

} // namespace

ThumbnailResult MakeThumbnail(const ThumbnailJob &job, MemoryBudget *budget)
{
    ThumbnailResult result;
    const qsizetype start = FileNameStart(job.destination);
    OutputWriter writer;
    QString problem;
    if (!writer.open(start > 0 ? job.destination.left(start) : QStringLiteral("."), &problem)) {
        result.outcome = ThumbnailResult::Outcome::Failed;
        result.reason = QStringLiteral("No thumbnail for \"%1\": %2.")
                                .arg(DisplayFileName(job.source), problem);
        return result;
    }
    const FileStatus picture = StatFile(job.source);
    writer.setProtected([picture](const FileStatus &file) { return picture.sameFileAs(file); });
    RenditionFolders folders(writer);

    RenditionJob rendition;
    rendition.source = job.source;
    rendition.stem = job.destination.mid(start);
    rendition.namedByType = false;
    rendition.files = {{job.box, {}, RenditionFile::Need::Always}};
    const RenditionResult made = MakeRenditions(rendition, folders, budget);
    const RenditionFileResult &file = made.files.first();
    result.outcome = outcomeOf(file.outcome);
    result.pictureSize = made.pictureSize;
    result.pixelSize = file.pixelSize;
    result.shownSize = ShownSize(made.pictureSize, job.box);
    result.name = file.name;
    result.reason = file.reason;
    return result;
}

} // namespace vintora
