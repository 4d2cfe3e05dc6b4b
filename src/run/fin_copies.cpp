// The Fin run's copies: each distinct picture once, under the name the
// plan gave it, through the run's writer; then the background and cell
// pictures.

#include "run/fin_phases.h"

#include "base/source_file.h"

#include <QSet>

namespace vintora {

namespace {

// Copies one picture unless its name was copied to already; false, with
// the run ended, when it could not be.
bool copyOnce(const PlannedCopy &copy, QSet<QString> &copied, FinContext &context)
{
    if (copied.contains(copy.name))
        return true;
    copied.insert(copy.name);
    const OutputFolder &out = context.writer.folder();
    QString why;
    SourceFile picture(copy.source);
    if (picture.isOpen()) {
        qint64 bytes = 0;
        switch (context.writer.copyFile(picture, out, copy.name, &why, &bytes)) {
        case OutputWriter::CopyOutcome::Copied:
            ++context.outcome.copiedPictures;
            context.outcome.copiedBytes += bytes;
            return true;
        case OutputWriter::CopyOutcome::InPlace:
            ++context.outcome.copiesInPlace;
            return true;
        case OutputWriter::CopyOutcome::Failed:
            break;
        }
    } else {
        why = picture.problem();
    }
    return context.end(FinResult::Failed, QStringLiteral("Could not copy %1 to %2: %3.")
                                                  .arg(QuotedPath(copy.source),
                                                       QuotedPath(out.pathOf(copy.name)), why));
}

} // namespace

bool CopyPictures(const FinPlan &plan, FinContext &context)
{
    QSet<QString> copied;
    const qsizetype count = plan.copies.size();
    for (qsizetype i = 0; i < count; ++i) {
        const PlannedCopy &copy = plan.copies.at(i);
        context.report({FinProgress::Phase::Copying, i, count, copy.source, QString()});
        if (context.stopped() || !copyOnce(copy, copied, context))
            return false;
    }
    for (const PlannedCopy &copy : plan.designedCopies) {
        if (context.stopped() || !copyOnce(copy, copied, context))
            return false;
    }
    return true;
}

} // namespace vintora
