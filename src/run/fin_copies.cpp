// The Fin run's copies: each distinct picture once, under the name it was
// given, through the run's writer.

#include "run/fin_phases.h"

#include "base/source_file.h"

namespace vintora {

// Copies one picture unless it was copied already; the failure, in a whole
// sentence, when it could not be.
std::optional<QString> FinRun::copyOne(const QString &source)
{
    const QString name = m_namer.nameFor(source);
    if (m_copiedNames.contains(name))
        return std::nullopt;
    m_copiedNames.insert(name);
    const OutputFolder &out = m_writer.folder();
    QString why;
    SourceFile picture(source);
    if (picture.isOpen()) {
        qint64 bytes = 0;
        switch (m_writer.copyFile(picture, out, name, &why, &bytes)) {
        case OutputWriter::CopyOutcome::Copied:
            ++m_outcome.copiedPictures;
            m_outcome.copiedBytes += bytes;
            return std::nullopt;
        case OutputWriter::CopyOutcome::InPlace:
            ++m_outcome.copiesInPlace;
            return std::nullopt;
        case OutputWriter::CopyOutcome::Failed:
            break;
        }
    } else {
        why = picture.problem();
    }
    return QStringLiteral("Could not copy %1 to %2: %3.")
            .arg(quotedPath(source), quotedPath(out.pathOf(name)), why);
}

bool FinRun::copyPictures()
{
    if (!m_copy)
        return true;
    const qsizetype n = m_entries.size();
    for (qsizetype i = 0; i < n; ++i) {
        status(CopyingStatus(i, n));
        if (pumpAndCheck())
            return stop();
        if (const auto failure = copyOne(m_entries.at(i)))
            return end(FinResult::Failed, *failure);
    }
    return true;
}

} // namespace vintora
