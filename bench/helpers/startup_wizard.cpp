// Vintora's start-up as the wizard does it, ending once the window is on
// screen.

#include "shown_marker.h"

#include "desktop/dialogs.h"
#include "desktop/url_opener.h"
#include "version.h"
#include "wizard/start_wizard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vintora"));
    QApplication::setApplicationVersion(QLatin1String(vintora::kVersionText));

    vintora::WizardSettings settings;
    vintora::QtDialogs dialogs;
    vintora::DesktopUrlOpener urls;
    const auto wizard = vintora::StartWizard(settings, dialogs, urls);
    waitUntilShown(*wizard);
    printMarker("shown");
    return 0;
}
