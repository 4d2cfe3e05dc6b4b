// The Fin run's copies: each distinct picture once, under the name the
// plan gave it, through the run's writer; then the background and cell
// pictures. The modern page's copies are published without where they
// were taken, unless the user keeps it.

#include "run/fin_phases.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "pictures/location_removal.h"
#include "pictures/picture_bytes.h"
#include "pictures/picture_facts.h"

#include <QSet>

namespace vintora {

namespace {

// Counts a copy that was written or found in place.
bool counted(OutputWriter::CopyOutcome outcome, qint64 bytes, FinContext &context)
{
    if (outcome == OutputWriter::CopyOutcome::Copied) {
        ++context.outcome.copiedPictures;
        context.outcome.copiedBytes += bytes;
    } else if (outcome == OutputWriter::CopyOutcome::InPlace) {
        ++context.outcome.copiesInPlace;
    }
    return outcome != OutputWriter::CopyOutcome::Failed;
}

// The copy as it is, byte for byte; whether it tells where it was taken is
// counted.
bool copyAsItIs(const PlannedCopy &copy, const OutputFolder &out, SourceFile &picture,
                FinContext &context, QString *why)
{
    if (ReadPictureFacts(picture.device()).hasLocation)
        ++context.outcome.picturesWithLocation;
    qint64 bytes = 0;
    const OutputWriter::CopyOutcome outcome
            = context.writer.copyFile(picture, out, copy.name, why, &bytes);
    return counted(outcome, bytes, context);
}

// The copy without where the picture was taken: its metadata written anew
// with the picture's bytes kept, or as it is when it tells nothing of the
// kind. Where that cannot be done, nothing is published and the page links
// the largest file made of the picture instead, with a note.
bool copyWithoutLocation(const PlannedCopy &copy, const OutputFolder &out, SourceFile &picture,
                         FinContext &context, QString *why)
{
    const std::optional<QByteArray> bytes
            = ReadPictureBytes(picture.device(), picture.status().size, why);
    if (!bytes)
        return false;
    const LocationRemoval removal = RemoveLocation(*bytes);
    switch (removal.outcome) {
    case LocationRemoval::Outcome::NoLocation:
        return counted(context.writer.writeUnlessHeld(out, copy.name, *bytes, why), bytes->size(),
                       context);
    case LocationRemoval::Outcome::Removed:
        ++context.outcome.locationsRemoved;
        return counted(context.writer.writeUnlessHeld(out, copy.name, removal.bytes, why),
                       removal.bytes.size(), context);
    case LocationRemoval::Outcome::NotPossible:
        break;
    }
    ++context.outcome.fullSizeWithheld;
    context.withheld.insert(copy.source);
    context.note(QStringLiteral("\"%1\" is not published at full size: %2; the page links its "
                                "largest screen-size copy instead.")
                         .arg(DisplayFileName(copy.source), removal.why));
    return true;
}

// Copies one picture unless its name was copied to already; false, with
// the run ended, when it could not be.
bool copyOnce(const PlannedCopy &copy, const OutputFolder &out, bool removeLocation,
              QSet<QString> &copied, FinContext &context)
{
    if (copied.contains(copy.name))
        return true;
    copied.insert(copy.name);
    QString why;
    SourceFile picture(copy.source);
    if (picture.isOpen()) {
        if (removeLocation ? copyWithoutLocation(copy, out, picture, context, &why)
                           : copyAsItIs(copy, out, picture, context, &why))
            return true;
    } else {
        why = picture.problem();
    }
    return context.end(FinResult::Failed, QStringLiteral("Could not copy %1 to %2: %3.")
                                                  .arg(QuotedPath(copy.source),
                                                       QuotedPath(out.pathOf(copy.name)), why));
}

} // namespace

// One count over the copies of every page, so that one status line tells
// how far the whole run is.
bool CopyPictures(const QList<FinPlan> &plans, FinContext &context)
{
    qsizetype count = 0;
    for (const FinPlan &plan : plans)
        count += plan.copies.size();
    qsizetype done = 0;
    for (const FinPlan &plan : plans) {
        if (plan.copies.isEmpty() && plan.designedCopies.isEmpty())
            continue;
        const OutputFolder *out = context.albumFolder(plan.albumFolder);
        if (!out)
            return false;
        QSet<QString> copied;
        for (const PlannedCopy &copy : plan.copies) {
            context.report({FinProgress::Phase::Copying, done++, count, copy.source, QString()});
            if (context.stopped() || !copyOnce(copy, *out, plan.removeLocation, copied, context))
                return false;
        }
        // The background and cell pictures are the page's own, not photographs.
        const int located = context.outcome.picturesWithLocation;
        for (const PlannedCopy &copy : plan.designedCopies) {
            if (context.stopped() || !copyOnce(copy, *out, false, copied, context))
                return false;
        }
        context.outcome.picturesWithLocation = located;
    }
    return true;
}

} // namespace vintora
