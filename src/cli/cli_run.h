#pragma once

#include "cli/cli_options.h"
#include "run/fin_run.h"

#include <QTextStream>

namespace vintora {

// Where the status lines go: on a terminal they share one line, rewritten
// in place (see StatusPrinter).
struct CliTerminal
{
    bool statusInPlace = false;
    int width = 0; // the terminal's columns; 0 when not known
};

// Runs what a CliRequest of kind Run asks for: gathers the pictures of its
// paths, makes the output folder when it is missing, makes the page with
// the wizard's Fin run and reports. Status lines, notes and errors go to
// err, notes and errors with the "vintora-cli: " prefix; on success a
// summary of what was written goes to out. --quiet leaves only errors and
// the notes on pictures left out of the page.
//
// A stop requested by a signal (its number as what asked, see
// StopOnSignals) stops the run between files, with one closing line (see
// CliStoppedLine). Returns the exit status: a CliExitCode, or for a run a
// signal stopped, 128 plus the signal's number.
int runCliRequest(const CliRequest &request, QTextStream &out, QTextStream &err,
                  const CliTerminal &terminal = {}, const StopRequest &stop = StopRequest());

// The summary of a finished run, one line: "Made the folder /o. Wrote
// /o/vintora.htm (1,230 bytes), 3 copied pictures (39 bytes), 2 already in
// place and 5 thumbnails (3 made, 2 kept)."
QString CliSummaryLine(const CliRequest &request, const FinOutcome &outcome, qint64 pageBytes,
                       bool madeFolder);

// The line that closes a run a signal stopped: "Stopped: the page was not
// written; the 12 files made before the stop are kept."
QString CliStoppedLine(const FinOutcome &outcome);

} // namespace vintora
