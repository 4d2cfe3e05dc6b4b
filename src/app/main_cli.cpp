// vintora-cli: makes the index page without a window, with the same Fin run
// as the wizard.

#include "base/file_name_bytes.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/stop_signals.h"
#include "version.h"

#include <QCoreApplication>
#include <QTextStream>

#include <sys/ioctl.h>
#include <unistd.h>

using namespace vintora;

namespace {

// Status lines share one line, rewritten in place, only where a person
// watches them: when standard error is a terminal.
CliTerminal standardErrorTerminal()
{
    CliTerminal terminal;
    terminal.statusInPlace = ::isatty(STDERR_FILENO) == 1;
    winsize size{};
    if (terminal.statusInPlace && ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0)
        terminal.width = size.ws_col;
    return terminal;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vintora-cli"));
    QCoreApplication::setApplicationVersion(QLatin1String(kVersionText));
    QTextStream out(stdout);
    QTextStream err(stderr);

    // The arguments as the bytes they are: a file name that is not valid
    // text keeps its bytes, and the file is found (see DecodeFileName).
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << DecodeFileName(argv[i]);
    const CliRequest request = parseCliArguments(arguments);
    switch (request.kind) {
    case CliRequest::Kind::Help:
        out << request.helpText;
        return kExitFinished;
    case CliRequest::Kind::Version:
        out << request.message << '\n';
        return kExitFinished;
    case CliRequest::Kind::UsageError:
        err << "vintora-cli: " << request.message << '\n'
            << "Try 'vintora-cli --help' for more information.\n";
        return kExitUsage;
    case CliRequest::Kind::Run:
        break;
    }
    // Ctrl+C stops the run between files, leaving what it made whole.
    return runCliRequest(request, out, err, standardErrorTerminal(), StopOnSignals());
}
