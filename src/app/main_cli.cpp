// vintora-cli: makes the index page without a window, with the same Fin run
// as the wizard.

#include "app/cli_options.h"
#include "generate/fin_run.h"
#include "pictures/folder_listing.h"
#include "version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using namespace vintora;

namespace {

enum ExitCode { kExitFinished = 0, kExitRunFailed = 1, kExitUsage = 2 };

// Folders add their pictures as "Select a folder" does; files are added as
// given, made absolute. Returns false with a message when a path is neither.
bool collectEntries(const QStringList &paths, QStringList &entries, QString &message)
{
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const auto pictures = ListFolderPictures(QDir::toNativeSeparators(path));
            if (!pictures) {
                message = QStringLiteral("%1: the folder cannot be read").arg(path);
                return false;
            }
            entries += *pictures;
        } else if (info.exists()) {
            entries << QDir::toNativeSeparators(info.absoluteFilePath());
        } else {
            message = QStringLiteral("%1: no such file or folder").arg(path);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vintora-cli"));
    QCoreApplication::setApplicationVersion(QLatin1String(kVersionText));
    QTextStream out(stdout);
    QTextStream err(stderr);

    const CliRequest request = parseCliArguments(QCoreApplication::arguments());
    switch (request.kind) {
    case CliRequest::Kind::Help:
        out << request.helpText;
        return kExitFinished;
    case CliRequest::Kind::Version:
        out << request.message << '\n';
        return kExitFinished;
    case CliRequest::Kind::UsageError:
        err << "vintora-cli: " << request.message << "\n\n" << request.helpText;
        return kExitUsage;
    case CliRequest::Kind::Run:
        break;
    }

    QStringList entries;
    QString message;
    if (!collectEntries(request.paths, entries, message)) {
        err << "vintora-cli: " << message << "\n\n" << request.helpText;
        return kExitUsage;
    }

    FinHooks hooks;
    hooks.setStatus = [&err](const QString &status) {
        // The folder is given, so the chooser's messages mean nothing here.
        if (status != QLatin1String(kStatusSelectingFolder)
            && status != QLatin1String(kStatusNoFolder)) {
            err << status << '\n';
            err.flush();
        }
    };
    hooks.chooseOutputFolder = [&request] {
        return request.outputFolder;
    };

    const FinOutcome outcome = RunFin(request.settings, entries, request.pageName, hooks);
    return outcome.result == FinResult::Finished ? kExitFinished : kExitRunFailed;
}
