#include "run/fin_page_items.h"

#include "base/file_name_bytes.h"
#include "base/text_helpers.h"
#include "page/modern_page_files.h"
#include "page/picture_reference.h"
#include "run/fin_order.h"

namespace vintora {

namespace {

// The picture as the page refers to it: its copy's name, or its path.
QString reference(const FinPlan &plan, const QString &path)
{
    const QChar separator = plan.options.separator;
    return PictureReference(path, plan.copy, plan.names.value(path, FileNameOf(path, separator)),
                            separator);
}

// The thumbnails and screen-size copies of a picture that has a thumbnail.
void addMadeFiles(const FinPlan &plan, const RenditionResult &result, ModernPageItem &item)
{
    const QChar separator = plan.options.separator;
    const RenditionFileResult &twoX = result.files.at(kThumbnailFile);
    item.pictureSize = result.pictureSize;
    item.thumbnail = {TwoXThumbnailReference(twoX.name, separator), twoX.pixelSize};
    item.facts = result.facts;
    if (const RenditionFileResult &oneX = result.files.at(kOneXThumbnailFile); oneX.exists()) {
        item.thumbnail2x = item.thumbnail;
        item.thumbnail = {OneXThumbnailReference(oneX.name, separator), oneX.pixelSize};
    }
    for (qsizetype i = kFirstScreenCopyFile; i < result.files.size(); ++i) {
        const RenditionFileResult &copy = result.files.at(i);
        if (copy.exists())
            item.screenCopies.append(
                    {ScreenCopyReference(kScreenCopySides[i - kFirstScreenCopyFile], copy.name,
                                         separator),
                     copy.pixelSize});
    }
    if (const QSize shown = ShownSize(result.pictureSize, plan.thumbnailBox); shown.isValid())
        item.thumbnail.size = shown;
}

// A picture not published at full size: its largest screen-size copy (or
// thumbnail) stands in for it, the page giving that file's size.
void standIn(ModernPageItem &item)
{
    const PageImage &largest = !item.screenCopies.isEmpty()  ? item.screenCopies.last()
                               : !item.thumbnail2x.isEmpty() ? item.thumbnail2x
                                                             : item.thumbnail;
    item.picture = largest.reference;
    item.pictureSize = largest.size;
}

} // namespace

QString ModernPageFolderName(const FinPlan &plan, const QString &outputFolder)
{
    const QChar separator = plan.options.separator;
    QString folder
            = plan.options.pictureFolder.isEmpty() ? outputFolder : plan.options.pictureFolder;
    while (folder.endsWith(separator) || folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return DisplayFileName(FileNameOf(folder, separator));
}

ModernPageContents ModernPageContentsOf(const FinPlan &plan, const QList<RenditionResult> &made,
                                        const QString &outputFolder, const QSet<QString> &withheld,
                                        const QHash<QString, QString> &standIns)
{
    const QChar separator = plan.options.separator;
    ModernPageContents contents;
    contents.folderName = ModernPageFolderName(plan, outputFolder);
    QList<ModernPageItem> &items = contents.items;
    items.reserve(plan.entries.size());
    for (const qsizetype i : ModernPageOrder(plan, made)) {
        const QString &entry = plan.entries.at(i);
        ModernPageItem item;
        const qsizetype job = plan.renditionOf.value(i, -1);
        if (job >= 0 && made.at(job).hasThumbnail())
            addMadeFiles(plan, made.at(job), item);
        item.picture = reference(plan, entry);
        if (const auto standIn = standIns.constFind(entry); standIn != standIns.constEnd())
            item.picture = PictureReference(entry, true, *standIn, separator);
        // Not copied, a HEIC is linked where it is, which browsers do not
        // show: its largest made file is linked instead.
        if (withheld.contains(entry) || (!plan.copy && IsHeicName(entry))) {
            if (item.thumbnail.isEmpty())
                continue;
            standIn(item);
        }
        item.name = DisplayFileName(FileNameOf(entry, separator));
        if (item.thumbnail.isEmpty())
            item.thumbnail.reference = item.picture;
        items.append(item);
    }
    return contents;
}

PageBackgrounds ModernPageBackgrounds(const FinPlan &plan)
{
    PageBackgrounds backgrounds;
    if (!plan.settings.backgroundPicture.isEmpty())
        backgrounds.page = reference(plan, plan.settings.backgroundPicture);
    return backgrounds;
}

} // namespace vintora
