#include "run/fin_progress.h"

namespace vintora {

QString StatusText(const FinProgress &progress)
{
    using Phase = FinProgress::Phase;
    const auto counted = [&progress](const char *what) {
        return QStringLiteral("%1: %2 of %3")
                .arg(QLatin1String(what))
                .arg(progress.done)
                .arg(progress.total);
    };
    switch (progress.phase) {
    case Phase::SelectingFolder:
        return QLatin1String(kStatusSelectingFolder);
    case Phase::Copying:
        return counted("Copying files");
    case Phase::MakingThumbnails:
        return counted("Making thumbnails");
    case Phase::MakingPictures:
        return counted("Making pictures");
    case Phase::MakingZip:
        return QLatin1String(kStatusMakingZip);
    case Phase::WritingPage:
        return QLatin1String(kStatusWritingHeader);
    case Phase::Finished:
        return QLatin1String(kStatusFinished);
    case Phase::Note:
    case Phase::Ended:
        break;
    }
    return progress.text;
}

} // namespace vintora
