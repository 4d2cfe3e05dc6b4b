#pragma once

#include "base/stop_request.h"

namespace vintora {

// Makes Ctrl+C (SIGINT) and SIGTERM ask the run to stop between files,
// with the signal's number as what asked; a second such signal ends the
// program at once, as it would have without this. A signal the program was
// started to ignore stays ignored. Returns the request the signals make.
const StopRequest &StopOnSignals();

// The exit status of a program stopped by the signal numbered signal, as a
// shell gives it: 128 plus the number (130 for SIGINT, 143 for SIGTERM).
inline int StoppedExitStatus(int signal)
{
    return 128 + signal;
}

} // namespace vintora
