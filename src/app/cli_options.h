#pragma once

#include "wizard/wizard_settings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vintora {

// What vintora-cli was asked to do.
struct CliRequest
{
    enum class Kind { Run, Help, Version, UsageError };

    Kind kind = Kind::UsageError;
    WizardSettings settings; // filled as the wizard's captures fill it
    QStringList paths;       // the PATH arguments, in the order given
    QString outputFolder;
    QString pageName;
    QString message;  // for a usage error: what is wrong, naming the option
    QString helpText; // the usage
};

// Reads the command line (program name first). Defaults are the wizard's
// start values; numbers read as the wizard's number boxes read them.
CliRequest parseCliArguments(const QStringList &arguments);

// "#RRGGBB" or "RRGGBB" as a colour value; nothing when it does not read.
std::optional<ColorValue> readHtmlColor(const QString &text);

} // namespace vintora
