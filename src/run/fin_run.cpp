#include "run/fin_run.h"

#include "base/file_name_bytes.h"
#include "run/fin_phases.h"

namespace vintora {

QString CopyingStatus(qsizetype copied, qsizetype count)
{
    return QStringLiteral("Copying files: %1 of %2").arg(copied).arg(count);
}

QString MakingThumbnailsStatus(qsizetype made, qsizetype count)
{
    return QStringLiteral("Making thumbnails: %1 of %2").arg(made).arg(count);
}

FinOutcome RunFin(const WizardSettings &settings, const QStringList &entries,
                  const QString &fileName, const FinHooks &hooks, const FinOptions &options)
{
    return FinRun(settings, hooks, options).run(entries, fileName);
}

FinRun::FinRun(const WizardSettings &settings, const FinHooks &hooks, const FinOptions &options)
    : m_settings(settings)
    , m_hooks(hooks)
    , m_options(options)
    , m_namer(options.nameCase, options.separator)
{}

FinOutcome FinRun::run(const QStringList &listed, const QString &fileName)
{
    m_fileName = fileName;
    if (takeRequest(listed) && chooseFolder() && checkDestinations() && copyPictures()
        && makeThumbnails() && writePage())
        end(FinResult::Finished, QLatin1String(kStatusFinished));
    return m_outcome;
}

void FinRun::status(const QString &text)
{
    m_outcome.status = text;
    if (m_hooks.setStatus)
        m_hooks.setStatus(text);
}

bool FinRun::pumpAndCheck()
{
    if (m_hooks.pumpEvents)
        m_hooks.pumpEvents();
    return cancelled();
}

bool FinRun::cancelled() const
{
    return m_hooks.cancelRequested && m_hooks.cancelRequested();
}

void FinRun::note(const QString &text)
{
    m_outcome.notes << text;
    status(text);
}

bool FinRun::end(FinResult result, const QString &text)
{
    m_outcome.result = result;
    status(text);
    return false;
}

bool FinRun::stop()
{
    return end(FinResult::Cancelled, QLatin1String(kStatusCancelled));
}

QString FinRun::quotedPath(const QString &path) const
{
    return QLatin1Char('"') + DisplayFileName(path) + QLatin1Char('"');
}

} // namespace vintora
