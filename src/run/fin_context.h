#pragma once

#include "output/output_writer.h"
#include "run/fin_run.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace vintora {

// What the phases of one run share besides the plan: the one writer,
// where progress goes, the request to stop, and the outcome being built.
struct FinContext
{
    FinContext(const FinProgressSink &sink, const StopRequest &request)
        : progress(sink), stop(request)
    {}

    OutputWriter writer;
    const FinProgressSink &progress;
    const StopRequest &stop;
    FinOutcome outcome;
    // The pictures whose full size is not published (see RemoveLocation):
    // the page links their largest made file instead.
    QSet<QString> withheld;
    // The full-size JPEGs written in place of pictures browsers do not
    // show, by source path: the page links them instead.
    QHash<QString, QString> standIns;

    // Tells where the run stands; the status stays the last one told.
    void report(const FinProgress &step);
    // A line of its own, kept in the outcome's notes.
    void note(const QString &text);
    // Ends the run with result and its status (Finished's is "Finished!").
    // Always false, so that a phase can return it.
    bool end(FinResult result, const QString &status = QString());
    // True when a stop was asked; the run has then ended, Cancelled.
    bool stopped();
    // The folder of an album's page (the output folder for the top page),
    // made along its path where missing; null, the run ended Failed, when it
    // cannot be.
    const OutputFolder *albumFolder(const QStringList &path);
};

// The path in quotes, for messages: "/photos/a.jpg".
QString QuotedPath(const QString &path);

} // namespace vintora
