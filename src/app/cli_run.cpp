#include "app/cli_run.h"

#include "generate/fin_run.h"
#include "pictures/folder_listing.h"
#include "pictures/source_file.h"

#include <QDir>
#include <QSet>

#include <optional>

namespace vintora {

namespace {

// Folders add their pictures as "Select a folder" does; files are added as
// given. Every entry is absolute, so that the page never refers to a folder
// relative to where vintora-cli was started. The paths were checked when
// the command line was read; what fails here went wrong since or cannot be
// read.
std::optional<QStringList> gatherEntries(const QStringList &paths, QString &problem)
{
    QStringList entries;
    for (const QString &path : paths) {
        const FileStatus status = StatFile(path);
        if (status.kind == FileStatus::Kind::Folder) {
            const auto pictures = ListFolderPictures(absoluteCliPath(path));
            if (!pictures) {
                problem = QStringLiteral("%1: the folder cannot be read").arg(path);
                return std::nullopt;
            }
            entries += *pictures;
        } else if (status.exists()) {
            entries << absoluteCliPath(path);
        } else {
            problem = QStringLiteral("%1: no such file or folder").arg(path);
            return std::nullopt;
        }
    }
    return entries;
}

QString countOf(qint64 count, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// "Wrote PAGE (N bytes) and K copied pictures (M bytes)." A picture that
// already lay in the output folder was not copied.
QString summaryLine(const CliRequest &request, const FinOutcome &outcome)
{
    QString line = QStringLiteral("Wrote %1 (%2)")
                           .arg(outcome.pagePath,
                                countOf(StatFile(outcome.pagePath).size, "byte", "bytes"));
    if (request.settings.copyPictures != kTrue)
        return line + QStringLiteral("; the pictures were not copied.");
    return line
           + QStringLiteral(" and %1 (%2).")
                     .arg(countOf(outcome.copiedPictures, "copied picture", "copied pictures"),
                          countOf(outcome.copiedBytes, "byte", "bytes"));
}

} // namespace

CliExitCode runCliRequest(const CliRequest &request, QTextStream &out, QTextStream &err)
{
    const auto fail = [&err](const QString &message) {
        err << "vintora-cli: " << message << '\n';
        return kExitRunFailed;
    };

    QString problem;
    const auto entries = gatherEntries(request.paths, problem);
    if (!entries)
        return fail(problem);

    // The run pumps events right after each progress status; a status not
    // followed by a pump is its last word, reported below once the outcome
    // is known.
    QString pending;
    FinHooks hooks;
    hooks.setStatus = [&pending](const QString &status) {
        pending = status;
    };
    hooks.pumpEvents = [&] {
        // The folder is given, so the chooser's message means nothing here.
        // A run may pump more than once per status (while thumbnails are
        // being made); each status is printed once.
        if (!request.quiet && !pending.isEmpty()
            && pending != QLatin1String(kStatusSelectingFolder)) {
            err << pending << '\n';
            err.flush();
        }
        pending.clear();
    };
    hooks.chooseOutputFolder = [&request] {
        return request.outputFolder;
    };

    const FinOutcome outcome = RunFin(request.settings, *entries, request.pageName, hooks);
    // A picture left out is worth a word even when quiet.
    for (const QString &note : outcome.notes)
        err << "vintora-cli: " << note << '\n';
    if (outcome.result != FinResult::Finished)
        return fail(outcome.status);
    if (!request.quiet) {
        err << outcome.status << '\n';
        err.flush();
        out << summaryLine(request, outcome) << '\n';
    }
    return kExitFinished;
}

} // namespace vintora
