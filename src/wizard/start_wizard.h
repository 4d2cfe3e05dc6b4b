#pragma once

#include "wizard/wizard_window.h"

#include <memory>

namespace vintora {

// "Version 2.0.4", from the program's version numbers.
QString versionCaption();

// Creates the wizard window with its controls at their start values, writes
// the version caption, switches to the Welcome page and shows the window.
std::unique_ptr<WizardWindow> StartWizard(WizardSettings &settings, Dialogs &dialogs,
                                          UrlOpener &urls);

} // namespace vintora
