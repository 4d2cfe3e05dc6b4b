// The Fin run's checks: what the user asked, the output folder, and every
// destination, all before the first byte is written; they end in the plan
// of the run, in which every name is decided.

#include "run/fin_phases.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "output/album_zip.h"
#include "output/page_name.h"
#include "output/picture_identities.h"
#include "page/index_page_writer.h"
#include "page/modern_page_files.h"
#include "run/fin_albums.h"
#include "run/fin_naming.h"
#include "run/fin_page_items.h"

#include <memory>

namespace vintora {

namespace {

// The checks of one run, and what they find out on the way.
class RunChecks
{
public:
    RunChecks(const FinRequest &request, const FinOptions &options, FinContext &context)
        : m_request(request), m_context(context)
    {
        m_plan.settings = request.settings;
        m_plan.options = options;
        m_plan.pageName = request.fileName;
    }

    // The checks of one album's page, which the top's have opened the way
    // for; out is its folder, null when it is not there yet.
    RunChecks(const RunChecks &top, const AlbumPlace &place, const OutputFolder *out,
              const QStringList &albumFolders);

    std::optional<QList<FinPlan>> plans();

private:
    bool takeRequest();
    bool openFolder();
    void takeChoices();
    std::optional<FinPlan> pagePlan();
    std::optional<QList<FinPlan>> albumPlans(const QList<AlbumPlace> &places);
    bool albumFolder(const QStringList &path, const OutputFolder **out);
    bool checkPictures();
    bool checkPage();
    bool checkPageIn(const OutputFolder &out);
    bool checkZip();
    bool checkMadeFolders();
    bool checkModernFolders(const OutputFolder *thumbs);
    void planNames();
    void planRenditions();
    void planDesignedCopies();
    bool checkCopyPlaces();
    bool holdsSource(const PlannedCopy &copy) const;

    bool fail(const QString &why) { return m_context.end(FinResult::Failed, why); }

    const FinRequest &m_request;
    FinContext &m_context;
    FinPlan m_plan;
    // The pictures the writer never writes over, known by their files.
    std::shared_ptr<PictureIdentities> m_pictures = std::make_shared<PictureIdentities>();
    QHash<QString, FileStatus> m_looks; // of the pictures copied, looked at once
    std::unique_ptr<RunNames> m_names;
    const OutputFolder *m_out = nullptr; // the page's folder; null when not there yet
    QStringList m_albumFolders;          // the folders of the albums beside the page
};

RunChecks::RunChecks(const RunChecks &top, const AlbumPlace &place, const OutputFolder *out,
                     const QStringList &albumFolders)
    : m_request(top.m_request)
    , m_context(top.m_context)
    , m_plan(top.m_plan)
    , m_pictures(top.m_pictures)
    , m_out(out)
    , m_albumFolders(albumFolders)
{
    m_plan.entries.clear();
    for (const qsizetype entry : place.entries)
        m_plan.entries << top.m_plan.entries.at(entry);
    m_plan.albumFolder = place.folder;
    m_plan.albumName = place.name;
    m_plan.parentAlbum = place.parent;
    if (place.parent >= 0) { // an album's page, and its zip, are named after it
        m_plan.settings.pageTitle.clear();
        if (!m_plan.zipName.isEmpty())
            m_plan.zipName = AlbumZipName(place.name);
    }
    QString folder = m_request.outputFolder;
    for (const QString &name : place.folder)
        folder = JoinPath(folder, name, m_plan.options.separator);
    m_plan.pagePath = JoinPath(folder, m_plan.pageName, m_plan.options.separator);
}

std::optional<QList<FinPlan>> RunChecks::plans()
{
    if (!takeRequest() || !openFolder())
        return std::nullopt;
    takeChoices();
    if (m_plan.modern && m_plan.settings.makeAlbums == kTrue
        && !m_plan.options.pictureFolders.isEmpty()) {
        if (!LeaveOutEarlierOutput(m_plan.entries, m_plan.options, m_request.outputFolder,
                                   m_context))
            return std::nullopt;
        const QStringList reserved{m_plan.pageName, QLatin1String(kThumbnailFolder),
                                   QLatin1String(kScreenCopyFolder)};
        const QList<AlbumPlace> places = AlbumPlaces(
                m_plan.entries, m_plan.options.pictureFolders, m_plan.options.singlePictures,
                m_plan.options.separator, reserved, m_plan.options.nameCase);
        if (places.size() > 1)
            return albumPlans(places);
    }
    std::optional<FinPlan> plan = pagePlan();
    if (!plan)
        return std::nullopt;
    return QList<FinPlan>{std::move(*plan)};
}

// Every album's page checked as the one page of a run is, each in its
// folder, before anything is written; the top page first.
std::optional<QList<FinPlan>> RunChecks::albumPlans(const QList<AlbumPlace> &places)
{
    QList<FinPlan> plans;
    for (qsizetype i = 0; i < places.size(); ++i) {
        const AlbumPlace &place = places.at(i);
        QStringList below; // the folders of the albums of this page
        for (const AlbumPlace &album : places) {
            if (album.parent == i)
                below << album.folder.last();
        }
        const OutputFolder *out = nullptr;
        if (!albumFolder(place.folder, &out))
            return std::nullopt;
        std::optional<FinPlan> plan = RunChecks(*this, place, out, below).pagePlan();
        if (!plan)
            return std::nullopt;
        plans.append(std::move(*plan));
    }
    return plans;
}

// The album's folder as it is there now: null when it is not there yet;
// false, the run ended, when anything but a real folder is in the way.
bool RunChecks::albumFolder(const QStringList &path, const OutputFolder **out)
{
    OutputWriter &writer = m_context.writer;
    *out = &writer.folder();
    for (const QString &name : path) {
        QString why;
        *out = writer.subfolder(**out, name, false, &why);
        if (!why.isEmpty())
            return fail(why);
        if (!*out)
            return true;
    }
    return true;
}

std::optional<FinPlan> RunChecks::pagePlan()
{
    if (!checkPictures() || !checkPage() || !checkZip() || !checkMadeFolders())
        return std::nullopt;
    planNames();
    planRenditions();
    planDesignedCopies();
    m_plan.names = m_names->names();
    if (!checkCopyPlaces())
        return std::nullopt;
    return std::move(m_plan);
}

bool RunChecks::takeRequest()
{
    if (const std::optional<FinOutcome> refusal = RefusalBeforeFolder(m_request))
        return m_context.end(FinResult::Refused, refusal->status);
    if (m_request.outputFolder.isEmpty())
        return m_context.end(FinResult::Refused, QLatin1String(kStatusNoFolder));
    QStringList lost; // entries whose names were lost on their way here
    for (const QString &entry : m_request.entries) {
        if (NameWasLost(entry))
            lost << entry;
        else
            m_plan.entries << entry;
    }
    for (const QString &entry : std::as_const(lost))
        m_context.note(LeftOutNote(entry));
    if (m_plan.entries.isEmpty())
        return m_context.end(FinResult::Refused, QLatin1String(kStatusNoFiles));
    // The background and cell pictures are left out the same way.
    for (QString *picture : {&m_plan.settings.backgroundPicture, &m_plan.settings.cellPicture}) {
        if (NameWasLost(*picture)) {
            m_context.note(LeftOutNote(*picture));
            picture->clear();
        }
    }
    return true;
}

bool RunChecks::openFolder()
{
    const QChar separator = m_plan.options.separator;
    m_plan.pagePath = JoinPath(m_request.outputFolder, m_plan.pageName, separator);
    m_context.outcome.pagePath = m_plan.pagePath;
    if (const QString problem = PageNameProblem(m_plan.pageName, separator); !problem.isEmpty())
        return fail(problem);
    QString why;
    if (!m_context.writer.open(m_request.outputFolder, &why))
        return fail(why);
    const std::shared_ptr<const PictureIdentities> pictures = m_pictures;
    m_context.writer.setProtected(
            [pictures](const FileStatus &file) { return pictures->contains(file); });
    m_out = &m_context.writer.folder();
    return true;
}

// The choices that decide what is written, and how the page refers to the
// pictures.
void RunChecks::takeChoices()
{
    const WizardSettings &settings = m_plan.settings;
    m_plan.copy = settings.copyPictures == kTrue;
    m_plan.modern = settings.modernPage == kTrue;
    m_plan.removeLocation = m_plan.modern && m_plan.copy && settings.keepLocation != kTrue;
    m_plan.thumbnails = settings.makeThumbnails == kTrue || m_plan.modern;
    // The modern grid's rows take thumbnails of their own height, whatever
    // box the record gives the classic page.
    m_plan.thumbnailBox = m_plan.modern ? ModernThumbnailBox() : ThumbnailBoxFor(settings);
    if (m_plan.modern && settings.makeZips == kTrue)
        m_plan.zipName = AlbumZipName(ModernPageFolderName(m_plan, m_request.outputFolder));
}

bool RunChecks::checkPictures()
{
    const QStringList designed{m_plan.settings.backgroundPicture, m_plan.settings.cellPicture};
    const bool pageThere = m_out && m_out->look(m_plan.pageName).exists();
    if (m_plan.copy) {
        // Every picture is looked at before anything is written: one that
        // is missing, or is no file at all (a named pipe would hang the
        // run, a device fill the disk), stops the run with nothing copied.
        for (const QString &picture : m_plan.entries + designed) {
            if (picture.isEmpty())
                continue;
            const FileStatus status = StatFile(picture);
            m_pictures->add(picture, status);
            m_looks.insert(picture, status);
            if (const QString why = NotAPictureFileReason(status); !why.isEmpty())
                return fail(QStringLiteral("Could not copy %1: %2.").arg(QuotedPath(picture), why));
        }
        return true;
    }
    // Only files already in the output can be pictures; without copies
    // the pictures are found folder by folder.
    if (pageThere || m_plan.thumbnails)
        m_pictures->addListed(m_plan.entries, m_plan.options.separator);
    for (const QString &picture : designed) {
        if (!picture.isEmpty())
            m_pictures->add(picture, StatFile(picture));
    }
    return true;
}

bool RunChecks::checkPage()
{
    const QString &pageName = m_plan.pageName;
    const Qt::CaseSensitivity nameCase = m_plan.options.nameCase;
    if (m_out && !checkPageIn(*m_out))
        return false;
    if (m_plan.thumbnails && pageName.compare(QLatin1String(kThumbnailFolder), nameCase) == 0)
        return fail(QStringLiteral("The page cannot be named \"%1\": the thumbnail files go into "
                                   "a folder of that name beside it.")
                            .arg(pageName));
    if (m_plan.modern && pageName.compare(QLatin1String(kScreenCopyFolder), nameCase) == 0)
        return fail(QStringLiteral("The page cannot be named \"%1\": the screen-size pictures go "
                                   "into a folder of that name beside it.")
                            .arg(pageName));
    return true;
}

// The page is written in place of whatever is there; it must never be
// one of the pictures it shows, which would be lost.
bool RunChecks::checkPageIn(const OutputFolder &out)
{
    const QString &pageName = m_plan.pageName;
    if (const QString picture = m_pictures->pictureAt(out.lookThrough(pageName));
        !picture.isEmpty())
        return fail(QStringLiteral("Could not write the page %1: it is the picture %2, which the "
                                   "page would replace. Choose another name or folder.")
                            .arg(QuotedPath(m_plan.pagePath), QuotedPath(picture)));
    if (const QString problem = m_context.writer.problemWith(out, pageName); !problem.isEmpty())
        return fail(QStringLiteral("Could not create the page %1: %2.")
                            .arg(QuotedPath(m_plan.pagePath), problem));
    return true;
}

// The zip goes in place of whatever is there, which must never be the page
// or one of the pictures; no copy takes its name (see planNames).
bool RunChecks::checkZip()
{
    const QString why = ZipProblem(m_plan, m_out, m_albumFolders, *m_pictures, m_context.writer);
    return why.isEmpty() || fail(why);
}

// Nothing but real folders may stand where the files made of the pictures
// go; those already there hold files that numbered names pass over.
bool RunChecks::checkMadeFolders()
{
    m_names = std::make_unique<RunNames>(m_out, m_looks, m_plan.copy, m_plan.options);
    if (!m_plan.thumbnails || !m_plan.thumbnailBox.isValid() || !m_out)
        return true;
    OutputWriter &writer = m_context.writer;
    QString why;
    const OutputFolder *thumbs
            = writer.subfolder(*m_out, QLatin1String(kThumbnailFolder), false, &why);
    if (!why.isEmpty())
        return fail(why);
    if (!m_plan.modern) {
        if (thumbs)
            m_names->addMadeFolder(thumbs);
        return true;
    }
    if (!checkModernFolders(thumbs))
        return false;
    const QList<QStringList> made{
            {QLatin1String(kThumbnailFolder)},
            {QLatin1String(kThumbnailFolder), QLatin1String(kOneXThumbnailFolder)},
            {QLatin1String(kScreenCopyFolder), QStringLiteral("1280")},
            {QLatin1String(kScreenCopyFolder), QStringLiteral("2048")}};
    for (const QStringList &path : made) {
        const OutputFolder *folder = m_out;
        for (const QString &name : path)
            folder = folder ? writer.subfolder(*folder, name, false, &why) : nullptr;
        if (folder)
            m_names->addMadeFolder(folder);
    }
    return true;
}

bool RunChecks::checkModernFolders(const OutputFolder *thumbs)
{
    OutputWriter &writer = m_context.writer;
    const OutputFolder &out = *m_out;
    QString why = thumbs ? writer.subfolderProblem(*thumbs, QLatin1String(kOneXThumbnailFolder))
                         : QString();
    if (why.isEmpty())
        why = writer.subfolderProblem(out, QLatin1String(kScreenCopyFolder));
    if (why.isEmpty()) {
        if (const OutputFolder *screen
            = writer.subfolder(out, QLatin1String(kScreenCopyFolder), false, &why)) {
            for (const int side : kScreenCopySides) {
                why = writer.subfolderProblem(*screen, QString::number(side));
                if (!why.isEmpty())
                    break;
            }
        }
    }
    return why.isEmpty() || fail(why);
}

// Each distinct picture's name in the output folder, which names its made
// files too; then the background and cell pictures' when they are copied.
void RunChecks::planNames()
{
    if (!m_plan.copy && !(m_plan.thumbnails && m_plan.thumbnailBox.isValid()))
        return; // the page refers to the pictures where they are
    m_names->reserve(m_plan.pageName);
    if (!m_plan.zipName.isEmpty())
        m_names->reserve(m_plan.zipName);
    // The folders of the files made of the pictures are no picture's name.
    if (m_plan.thumbnails && m_plan.thumbnailBox.isValid()) {
        m_names->reserve(QLatin1String(kThumbnailFolder));
        if (m_plan.modern)
            m_names->reserve(QLatin1String(kScreenCopyFolder));
    }
    // Nor are the folders of the albums beside the page.
    for (const QString &folder : std::as_const(m_albumFolders))
        m_names->reserve(folder);
    if (m_plan.copy && m_out) {
        // Pictures that already lie in the output folder keep their names
        // there, so that no other picture of the same name is copied over
        // them.
        const OutputFolder &out = *m_out;
        for (const QString &source : std::as_const(m_plan.entries)) {
            const QString own = FileNameOf(source, m_plan.options.separator);
            if (m_looks.value(source).sameFileAs(out.lookThrough(own)))
                m_names->nameFor(source);
        }
    }
    for (const QString &entry : std::as_const(m_plan.entries)) {
        const QString name = m_names->nameFor(entry);
        if (m_plan.copy)
            m_plan.copies.append({entry, name});
        // No picture takes the name of the JPEG that may stand in for it.
        if (m_plan.copy && m_plan.modern && MayGetStandIn(name))
            m_names->reserve(StandInName(name));
    }
}

// The files made of a picture: its thumbnail, and for the modern page its
// thumbnail at 1x and its screen-size copies where it is large enough.
// They go into the album's folder, when the page is an album's.
QList<RenditionFile> renditionFiles(const ThumbnailBox &box, bool modern, const QStringList &album)
{
    const QString thumbs = QLatin1String(kThumbnailFolder);
    QList<RenditionFile> files{{box, album + QStringList{thumbs}, RenditionFile::Need::Always}};
    if (!modern)
        return files;
    files.append({OneXThumbnailBox(box),
                  album + QStringList{thumbs, QLatin1String(kOneXThumbnailFolder)},
                  RenditionFile::Need::WhenSmallerThanFirst});
    for (const int side : kScreenCopySides)
        files.append({ScreenCopyBox(side),
                      album + QStringList{QLatin1String(kScreenCopyFolder), QString::number(side)},
                      RenditionFile::Need::WhenSmallerThanPicture});
    return files;
}

// One job per distinct picture, its files named after the name its copy
// gets.
void RunChecks::planRenditions()
{
    if (!m_plan.thumbnails || !m_plan.thumbnailBox.isValid())
        return;
    const QList<RenditionFile> files
            = renditionFiles(m_plan.thumbnailBox, m_plan.modern, m_plan.albumFolder);
    QHash<QString, qsizetype> jobOfName;
    for (const QString &entry : std::as_const(m_plan.entries)) {
        const QString name = m_names->nameFor(entry);
        auto job = jobOfName.constFind(name);
        if (job == jobOfName.constEnd()) {
            job = jobOfName.insert(name, m_plan.renditions.size());
            m_plan.renditions.append({entry, m_names->stemFor(name), true, files, m_plan.modern});
        }
        m_plan.renditionOf.append(*job);
    }
}

void RunChecks::planDesignedCopies()
{
    if (!m_plan.copy)
        return;
    for (const QString &picture :
         {m_plan.settings.backgroundPicture, m_plan.settings.cellPicture}) {
        if (!picture.isEmpty())
            m_plan.designedCopies.append({picture, m_names->nameFor(picture)});
    }
}

// Each copy's place may take it: the picture itself, or what may be
// replaced. A file there that may not be replaced is let be only when it
// holds exactly the picture's bytes, which the copy then leaves untouched.
bool RunChecks::checkCopyPlaces()
{
    if (!m_out)
        return true; // the album's folder is not there yet: nothing is in the way
    const OutputFolder &out = *m_out;
    QSet<QString> checked;
    for (const PlannedCopy &copy : m_plan.copies + m_plan.designedCopies) {
        if (checked.contains(copy.name))
            continue;
        checked.insert(copy.name);
        const FileStatus there = out.look(copy.name);
        const FileStatus source = m_looks.value(copy.source);
        if (!there.exists() || source.sameFileAs(out.lookThrough(copy.name)))
            continue;
        const QString problem = m_context.writer.problemWith(out, copy.name);
        if (problem.isEmpty() || (there.isRegular() && holdsSource(copy)))
            continue;
        return fail(
                QStringLiteral("Could not copy %1 to %2: %3.")
                        .arg(QuotedPath(copy.source), QuotedPath(out.pathOf(copy.name)), problem));
    }
    return true;
}

bool RunChecks::holdsSource(const PlannedCopy &copy) const
{
    SourceFile source(copy.source);
    return OutputWriter::holdsSameBytes(*m_out, copy.name, source);
}

} // namespace

std::optional<QList<FinPlan>> CheckRun(const FinRequest &request, const FinOptions &options,
                                       FinContext &context)
{
    return RunChecks(request, options, context).plans();
}

} // namespace vintora
