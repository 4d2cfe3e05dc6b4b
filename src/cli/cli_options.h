#pragma once

#include "settings/wizard_settings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vintora {

// vintora-cli's exit status, as its --help states it. A run stopped by a
// signal exits with 128 plus its number (see StoppedExitStatus).
enum CliExitCode {
    kExitFinished = 0,  // the page is written (or help or version shown)
    kExitRunFailed = 1, // went wrong while running; the reason is the last line
    kExitUsage = 2,     // what was typed can never work
};

// What vintora-cli was asked to do.
struct CliRequest
{
    enum class Kind { Run, Help, Version, UsageError };

    Kind kind = Kind::UsageError;
    WizardSettings settings;       // filled as the wizard's captures fill it
    QStringList paths;             // the PATH arguments, in the order given
    QString outputFolder;          // absolute, with native separators
    bool makeOutputFolder = false; // it does not exist yet; the run makes it
    QString pageName;
    bool quiet = false; // only errors, nothing on success
    QString message;    // for a usage error: what is wrong, naming the option
    QString helpText;   // the whole --help text
};

// Reads the command line (program name first). Defaults are the wizard's
// start values; numbers read as the wizard's number boxes read them.
CliRequest parseCliArguments(const QStringList &arguments);

// "#RRGGBB" or "RRGGBB" as a colour value; nothing when it does not read.
std::optional<ColorValue> readHtmlColor(const QString &text);

// A path given on the command line as an absolute path with native
// separators, "." and ".." taken out, so that pages never refer to a
// folder relative to wherever vintora-cli was started.
QString absoluteCliPath(const QString &path);

} // namespace vintora
