// The Fin run's copies: each distinct picture once, under the name the
// plan gave it, through the run's writer; then the background and cell
// pictures. The modern page's copies are published without where they
// were taken, unless the user keeps it. A HEIC, which browsers do not
// show, is published at full size as a JPEG beside it.

#include "run/fin_phases.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "pictures/location_removal.h"
#include "pictures/picture_bytes.h"
#include "pictures/picture_facts.h"
#include "pictures/picture_header.h"
#include "pictures/thumbnail_decode.h"

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

// The format of the picture the file holds, as its header tells it; the
// file is read again from its start afterwards.
QByteArray formatOf(SourceFile &picture, PictureHeader &header)
{
    header = ReadPictureHeader(picture.device());
    picture.device().seek(0);
    return header.isValid() ? header.format : QByteArray();
}

// Nothing of the picture is published at full size: the page links its
// largest screen-size copy instead, with a note saying why.
bool withhold(const PlannedCopy &copy, const QString &why, FinContext &context)
{
    ++context.outcome.fullSizeWithheld;
    context.withheld.insert(copy.source);
    context.note(QStringLiteral("\"%1\" is not published at full size: %2; the page links its "
                                "largest screen-size copy instead.")
                         .arg(DisplayFileName(copy.source), why));
    return true;
}

// The full-size JPEG that stands in for a picture browsers do not show,
// named after the picture's whole name ("IMG_1.HEIC.jpg", never the
// phone's own "IMG_1.JPG"). Where it cannot be made, the page links the
// largest screen-size copy instead, with a note.
bool writeStandIn(const PlannedCopy &copy, const OutputFolder &out, const QByteArray &bytes,
                  const PictureHeader &header, FinContext &context, QString *why)
{
    QString problem;
    const QByteArray jpeg = FullSizeJpeg(bytes, header, &problem);
    if (jpeg.isEmpty())
        return withhold(copy, problem, context);
    const QString name = StandInName(copy.name);
    if (!counted(context.writer.writeUnlessHeld(out, name, jpeg, why), jpeg.size(), context))
        return false;
    context.standIns.insert(copy.source, name);
    return true;
}

// The copy without where the picture was taken: its metadata written anew
// with the picture's bytes kept, or as it is when it tells nothing of the
// kind. Where that cannot be done, nothing is published and the page links
// the largest file made of the picture instead, with a note; an AVIF is
// published as its full-size JPEG.
bool copyWithoutLocation(const PlannedCopy &copy, const OutputFolder &out, SourceFile &picture,
                         const PictureHeader &header, FinContext &context, QString *why)
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
        if (header.format == "avif")
            return writeStandIn(copy, out, *bytes, header, context, why);
        break;
    }
    return withhold(copy, removal.why, context);
}

// The modern page's copy: a HEIC as its full-size JPEG, and as itself
// only with where it was taken kept; an AVIF whose location cannot be
// removed as its full-size JPEG too; every other picture as it is, or
// without where it was taken.
bool copyForModernPage(const PlannedCopy &copy, const OutputFolder &out, bool removeLocation,
                       SourceFile &picture, FinContext &context, QString *why)
{
    PictureHeader header;
    const QByteArray format = formatOf(picture, header);
    if (format == "heif") {
        const std::optional<QByteArray> bytes
                = ReadPictureBytes(picture.device(), picture.status().size, why);
        picture.device().seek(0);
        if (!bytes || !writeStandIn(copy, out, *bytes, header, context, why))
            return false;
        return removeLocation || copyAsItIs(copy, out, picture, context, why);
    }
    if (!removeLocation)
        return copyAsItIs(copy, out, picture, context, why);
    return copyWithoutLocation(copy, out, picture, header, context, why);
}

// Copies one picture unless its name was copied to already; false, with
// the run ended, when it could not be.
bool copyOnce(const PlannedCopy &copy, const OutputFolder &out, bool modern, bool removeLocation,
              QSet<QString> &copied, FinContext &context)
{
    if (copied.contains(copy.name))
        return true;
    copied.insert(copy.name);
    QString why;
    SourceFile picture(copy.source);
    if (picture.isOpen()) {
        if (modern ? copyForModernPage(copy, out, removeLocation, picture, context, &why)
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
            if (context.stopped()
                || !copyOnce(copy, *out, plan.modern, plan.removeLocation, copied, context))
                return false;
        }
        // The background and cell pictures are the page's own, not photographs.
        const int located = context.outcome.picturesWithLocation;
        for (const PlannedCopy &copy : plan.designedCopies) {
            if (context.stopped() || !copyOnce(copy, *out, false, false, copied, context))
                return false;
        }
        context.outcome.picturesWithLocation = located;
    }
    return true;
}

} // namespace vintora
