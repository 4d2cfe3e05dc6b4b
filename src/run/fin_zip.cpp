// The zip of the modern page's full-size pictures as published, made in
// the page phase, once the pictures' order is known, and linked from the
// page.

#include "run/fin_phases.h"

#include "base/text_helpers.h"
#include "output/album_zip.h"
#include "output/picture_identities.h"
#include "page/picture_reference.h"
#include "run/fin_order.h"

namespace vintora {

namespace {

// The page's pictures at full size, in its order: the copies in the output
// folder, or the pictures where they are when not copied. A picture whose
// full size is withheld is left out.
QList<ZipEntry> zipEntries(const FinPlan &plan, const QList<RenditionResult> &made,
                           const FinContext &context, const OutputFolder &out)
{
    QList<ZipEntry> entries;
    for (const qsizetype i : ModernPageOrder(plan, made)) {
        const QString &source = plan.entries.at(i);
        if (context.withheld.contains(source))
            continue;
        const QString name = plan.names.value(source, FileNameOf(source, plan.options.separator));
        entries.append(plan.copy ? ZipEntry{name, &out, name} : ZipEntry{name, nullptr, source});
    }
    return entries;
}

} // namespace

QString ZipProblem(const FinPlan &plan, const OutputFolder *out, const QStringList &albumFolders,
                   const PictureIdentities &pictures, const OutputWriter &writer)
{
    const QString &zipName = plan.zipName;
    if (zipName.isEmpty())
        return {};
    const QString &pagePath = plan.pagePath;
    const QString zipPath
            = QuotedPath(pagePath.left(FileNameStart(pagePath, plan.options.separator)) + zipName);
    if (zipName.compare(plan.pageName, plan.options.nameCase) == 0)
        return QStringLiteral("Could not write the zip file %1: the page has that name. Choose "
                              "another name for the page.")
                .arg(zipPath);
    if (albumFolders.contains(zipName, plan.options.nameCase))
        return QStringLiteral("Could not write the zip file %1: an album's folder has that name.")
                .arg(zipPath);
    if (!out) // the album's folder is not there yet, nor anything in it
        return {};
    if (const QString picture = pictures.pictureAt(out->lookThrough(zipName)); !picture.isEmpty())
        return QStringLiteral("Could not write the zip file %1: it is the picture %2, which the "
                              "zip would replace.")
                .arg(zipPath, QuotedPath(picture));
    if (const QString problem = writer.problemWith(*out, zipName); !problem.isEmpty())
        return QStringLiteral("Could not write the zip file %1: %2.").arg(zipPath, problem);
    return {};
}

bool WritePageZip(const FinPlan &plan, const QList<RenditionResult> &made, FinContext &context,
                  PageDownload &download)
{
    if (plan.zipName.isEmpty())
        return true;
    context.report({FinProgress::Phase::MakingZip, 0, 0, plan.zipName, QString()});
    if (context.stopped())
        return false;
    const OutputFolder *folder = context.albumFolder(plan.albumFolder);
    if (!folder)
        return false;
    const OutputFolder &out = *folder;
    const QList<ZipEntry> entries = zipEntries(plan, made, context, out);
    if (entries.isEmpty())
        return true;
    const AlbumZipOutcome zip = WriteAlbumZip(context.writer, out, plan.zipName, entries,
                                              [&context] { return context.stop.isRequested(); });
    switch (zip.result) {
    case AlbumZipOutcome::Result::Written:
        ++context.outcome.zipsMade;
        break;
    case AlbumZipOutcome::Result::Kept:
        ++context.outcome.zipsKept;
        break;
    case AlbumZipOutcome::Result::Stopped:
        return !context.stopped();
    case AlbumZipOutcome::Result::Failed:
        return context.end(FinResult::Failed,
                           QStringLiteral("Could not write the zip file %1: %2.")
                                   .arg(QuotedPath(out.pathOf(plan.zipName)), zip.error));
    }
    download = {PictureReference(plan.zipName, true, plan.zipName, plan.options.separator),
                zip.entries, zip.bytes};
    return true;
}

} // namespace vintora
