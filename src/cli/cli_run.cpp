#include "cli/cli_run.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "cli/cli_paths.h"
#include "cli/image_warnings.h"
#include "cli/status_printer.h"
#include "cli/stop_signals.h"
#include "output/output_folder.h"
#include "pictures/folder_listing.h"
#include "pictures/picture_tree.h"

#include <optional>

namespace vintora {

namespace {

// The pictures of the paths, and what the user may want to hear of them.
struct Gathered
{
    QStringList entries;
    LeftOutFiles leftOut;    // files the folders' listings passed over
    QStringList notPictures; // files given that no listing would take
    QString firstFolder;     // of the folders given, the first; empty for none
    QStringList folders;     // every folder given, in order
    QStringList singles;     // every file given
    QStringList treeNotes;   // links to folders the tree listings refused
    PictureKinds kinds = PictureKinds::Classic;
};

// The phones' formats are listed where pictures are made into thumbnails,
// which read them; a page of the pictures alone would show them broken.
PictureKinds kindsListed(const WizardSettings &settings)
{
    return settings.modernPage == kTrue || settings.makeThumbnails == kTrue
                   ? PictureKinds::WithPhoneFormats
                   : PictureKinds::Classic;
}

// The pictures of a folder given: its own, or with albums those of every
// folder below it too; nothing when it cannot be read.
std::optional<QStringList> folderPictures(const QString &folder, const CliRequest &request,
                                          Gathered &gathered)
{
    const WizardSettings &settings = request.settings;
    if (settings.modernPage != kTrue || settings.makeAlbums != kTrue)
        return ListFolderPictures(folder, QDir::separator(), &gathered.leftOut, gathered.kinds);
    std::optional<PictureTree> tree
            = ListPictureTree(folder, request.outputFolder, QDir::separator(), &gathered.leftOut);
    if (!tree)
        return std::nullopt;
    gathered.treeNotes += tree->notes;
    return std::move(tree->pictures);
}

// Folders add their pictures as "Select a folder" does; files are added as
// given. Every entry is absolute, so that the page never refers to a folder
// relative to where vintora-cli was started. The paths were checked when
// the command line was read; what fails here went wrong since or cannot be
// read.
std::optional<Gathered> gatherEntries(const CliRequest &request, QString &problem)
{
    Gathered gathered;
    gathered.kinds = kindsListed(request.settings);
    for (const QString &path : request.paths) {
        const FileStatus status = StatFile(path);
        if (status.kind == FileStatus::Kind::Folder) {
            const auto pictures = folderPictures(absoluteCliPath(path), request, gathered);
            if (!pictures) {
                problem = QStringLiteral("%1: the folder cannot be read").arg(path);
                return std::nullopt;
            }
            gathered.entries += *pictures;
            gathered.folders << absoluteCliPath(path);
            if (gathered.firstFolder.isEmpty())
                gathered.firstFolder = absoluteCliPath(path);
        } else if (status.exists()) {
            gathered.entries << absoluteCliPath(path);
            gathered.singles << absoluteCliPath(path);
            if (!MatchesPicturePattern(path, gathered.kinds))
                gathered.notPictures << path;
        } else {
            problem = QStringLiteral("%1: no such file or folder").arg(path);
            return std::nullopt;
        }
    }
    return gathered;
}

// 1230 as "1,230": the same digits whatever the language of the system.
QString grouped(qint64 number)
{
    QString digits = QString::number(number < 0 ? -number : number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return number < 0 ? QLatin1Char('-') + digits : digits;
}

QString countOf(qint64 count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(grouped(count), QLatin1String(count == 1 ? one : many));
}

// "a", "a and b", "a, b and c".
QString listed(const QStringList &parts)
{
    if (parts.size() < 2)
        return parts.join(QString());
    return parts.mid(0, parts.size() - 1).join(QLatin1String(", ")) + QLatin1String(" and ")
           + parts.last();
}

// The notes on what the folders left out, and on files given that are no
// such picture.
template<typename Note>
void noteGathered(const Gathered &gathered, const Note &note)
{
    if (const QString line = LeftOutLine(gathered.leftOut, gathered.kinds); !line.isEmpty())
        note(line);
    for (const QString &line : gathered.treeNotes)
        note(line);
    const QString formats = PictureKindsText(gathered.kinds);
    for (const QString &path : gathered.notPictures)
        note(QStringLiteral("\"%1\" is not a %2 picture; it is on the page as given.")
                     .arg(DisplayFileName(path), formats));
}

// What the published pictures say of where they were taken, when any of
// them says it or it was removed from any.
QString locationSentences(bool copied, const FinOutcome &outcome)
{
    QString sentences;
    if (outcome.locationsRemoved > 0)
        sentences += QStringLiteral(" Removed where they were taken from %1.")
                             .arg(countOf(outcome.locationsRemoved, "copy", "copies"));
    if (outcome.fullSizeWithheld > 0)
        sentences += QStringLiteral(" %1 not published at full size, as where %2 taken could "
                                    "not be removed.")
                             .arg(countOf(outcome.fullSizeWithheld, "picture was", "pictures were"),
                                  QLatin1String(outcome.fullSizeWithheld == 1 ? "it was"
                                                                              : "they were"));
    if (outcome.picturesWithLocation > 0)
        sentences += QStringLiteral(" %1 where %2 taken (GPS or the place's name).")
                             .arg(countOf(outcome.picturesWithLocation,
                                          copied ? "copy tells" : "picture on the page tells",
                                          copied ? "copies tell" : "pictures on the page tell"),
                                  QLatin1String(outcome.picturesWithLocation == 1 ? "it was"
                                                                                  : "they were"));
    return sentences;
}

} // namespace

QString CliSummaryLine(const CliRequest &request, const FinOutcome &outcome, qint64 pageBytes,
                       bool madeFolder)
{
    QStringList parts{
            QStringLiteral("Wrote %1 (%2)")
                    .arg(DisplayFileName(outcome.pagePath), countOf(pageBytes, "byte", "bytes"))};
    const bool copied = request.settings.copyPictures == kTrue;
    if (copied) {
        parts << QStringLiteral("%1 (%2)").arg(
                countOf(outcome.copiedPictures, "copied picture", "copied pictures"),
                countOf(outcome.copiedBytes, "byte", "bytes"));
        if (outcome.copiesInPlace > 0)
            parts << QStringLiteral("%1 already in place").arg(grouped(outcome.copiesInPlace));
    }
    const int thumbnails = outcome.thumbnailsMade + outcome.thumbnailsKept;
    if (thumbnails > 0)
        parts << QStringLiteral("%1 (%2 made, %3 kept)")
                         .arg(countOf(thumbnails, "thumbnail", "thumbnails"),
                              grouped(outcome.thumbnailsMade), grouped(outcome.thumbnailsKept));
    if (const int zips = outcome.zipsMade + outcome.zipsKept; zips > 0)
        parts << QStringLiteral("%1 (%2 made, %3 kept)")
                         .arg(countOf(zips, "zip file", "zip files"), grouped(outcome.zipsMade),
                              grouped(outcome.zipsKept));
    QString line = listed(parts);
    if (!copied)
        line += QLatin1String("; the pictures were not copied");
    line += QLatin1Char('.');
    line += locationSentences(copied, outcome);
    if (madeFolder)
        line.prepend(
                QStringLiteral("Made the folder %1. ").arg(DisplayFileName(request.outputFolder)));
    return line;
}

QString CliStoppedLine(const FinOutcome &outcome)
{
    const int made = outcome.filesMade();
    if (made == 0)
        return QStringLiteral("Stopped: the page was not written, and no file was made.");
    return QStringLiteral("Stopped: the page was not written; the %1 made before the stop %2 kept.")
            .arg(countOf(made, "file", "files"), QLatin1String(made == 1 ? "is" : "are"));
}

int runCliRequest(const CliRequest &request, QTextStream &out, QTextStream &err,
                  const CliTerminal &terminal, const StopRequest &stop)
{
    StatusPrinter printer(err, terminal.statusInPlace && !request.quiet, terminal.width);
    const auto note = [&printer](const QString &text) {
        printer.printLine(QLatin1String("vintora-cli: ") + text);
    };
    const auto fail = [&note](const QString &message) {
        note(message);
        return kExitRunFailed;
    };

    QString problem;
    const auto gathered = gatherEntries(request, problem);
    if (!gathered)
        return fail(problem);
    if (!request.quiet)
        noteGathered(*gathered, note);

    const FinRequest run{request.settings, gathered->entries, request.pageName,
                         request.outputFolder};
    if (const std::optional<FinOutcome> refusal = RefusalBeforeFolder(run))
        return fail(refusal->status);
    // The output folder is made once the run gets that far: a run refused
    // before (no pictures, say) leaves no empty folder behind.
    bool madeFolder = false;
    if (request.makeOutputFolder
        && StatFile(request.outputFolder).kind != FileStatus::Kind::Folder) {
        if (const QString folderProblem = MakeOutputFolder(request.outputFolder);
            !folderProblem.isEmpty())
            return fail(folderProblem);
        madeFolder = true;
    }

    const ImageWarningCatcher imageWarnings;
    FinOptions options;
    options.pictureFolder = gathered->firstFolder;
    options.pictureFolders = gathered->folders;
    options.singlePictures = gathered->singles;
    const FinOutcome outcome = RunFin(
            run,
            [&](const FinProgress &progress) {
                // Notes and the end are told once the outcome is known.
                if (!request.quiet && progress.isStep())
                    printer.showPassing(StatusText(progress));
            },
            stop, options);
    // A picture left out is worth a word even when quiet.
    for (const QString &line : outcome.notes)
        note(line);
    if (!request.quiet) {
        for (const QString &warning : imageWarnings.warnings())
            note(QStringLiteral("image library: %1").arg(warning));
    }
    if (outcome.result == FinResult::Cancelled && stop.why() > 0) {
        note(CliStoppedLine(outcome));
        return StoppedExitStatus(stop.why());
    }
    if (outcome.result != FinResult::Finished)
        return fail(outcome.status);
    if (!request.quiet) {
        printer.showLast(outcome.status);
        out << CliSummaryLine(request, outcome, StatFile(outcome.pagePath).size, madeFolder)
            << '\n';
    }
    return kExitFinished;
}

} // namespace vintora
