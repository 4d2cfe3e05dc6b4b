#pragma once

#include "app/cli_options.h"

#include <QTextStream>

namespace vintora {

// Runs what a CliRequest of kind Run asks for: gathers the pictures of its
// paths, makes the page with the wizard's Fin run and reports. Status lines
// and errors go to err, errors with the "vintora-cli: " prefix; on success
// a summary of what was written goes to out. --quiet leaves only errors.
// Returns the exit status.
CliExitCode runCliRequest(const CliRequest &request, QTextStream &out, QTextStream &err);

} // namespace vintora
