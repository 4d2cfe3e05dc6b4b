#include "run/fin_run.h"

#include "run/fin_phases.h"

namespace vintora {

std::optional<FinOutcome> RefusalBeforeFolder(const FinRequest &request)
{
    FinOutcome refusal;
    if (request.entries.isEmpty())
        refusal.status = QLatin1String(kStatusNoFiles);
    else if (request.settings.layoutStyle == QLatin1String(kLayoutTable)
             && request.settings.tableColumns < 1)
        refusal.status = QLatin1String(kStatusNoColumns);
    else
        return std::nullopt;
    return refusal;
}

FinOutcome RunFin(const FinRequest &request, const FinProgressSink &progress,
                  const StopRequest &stop, const FinOptions &options)
{
    FinContext context(progress, stop);
    if (context.stopped())
        return context.outcome;
    const std::optional<QList<FinPlan>> plans = CheckRun(request, options, context);
    if (!plans || !CopyPictures(*plans, context))
        return context.outcome;
    const std::optional<QList<RenditionResult>> made = MakeRenditionFiles(*plans, context);
    if (!made || !WritePages(*plans, *made, context))
        return context.outcome;
    context.end(FinResult::Finished);
    return context.outcome;
}

} // namespace vintora
