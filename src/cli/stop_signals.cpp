#include "cli/stop_signals.h"

#include <QtGlobal>

#include <csignal>
#include <iterator>

#include <signal.h>

namespace vintora {

namespace {

// Reached from the signal handler, which may only store into a lock-free
// atomic and call async-signal-safe functions.
StopRequest g_stop;

constexpr int kStopSignals[] = {SIGINT, SIGTERM};
// Set before the handler is installed, only read by it.
bool g_handled[std::size(kStopSignals)] = {};

void handleWith(int signal, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    for (const int other : kStopSignals)
        sigaddset(&action.sa_mask, other);
    // Reads and writes under way go on rather than fail with EINTR: the
    // run stops at its next check, between files.
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

void askToStop(int signal)
{
    g_stop.request(signal);
    // The next one ends the program at once.
    for (size_t i = 0; i < std::size(kStopSignals); ++i) {
        if (g_handled[i])
            handleWith(kStopSignals[i], SIG_DFL);
    }
}

} // namespace

const StopRequest &StopOnSignals()
{
    for (size_t i = 0; i < std::size(kStopSignals); ++i) {
        // A signal the program was started to ignore (a shell's background
        // job ignores Ctrl+C) stays ignored.
        struct sigaction current = {};
        sigaction(kStopSignals[i], nullptr, &current);
        g_handled[i] = current.sa_handler != SIG_IGN;
        if (g_handled[i])
            handleWith(kStopSignals[i], askToStop);
    }
    return g_stop;
}

} // namespace vintora
