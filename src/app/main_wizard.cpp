#include "shell/dialogs.h"
#include "shell/url_opener.h"
#include "version.h"
#include "wizard/start_wizard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vintora"));
    QApplication::setApplicationVersion(QLatin1String(vintora::kVersionText));

    // The one record of the user's choices lives as long as the program.
    vintora::WizardSettings settings;
    vintora::QtDialogs dialogs;
    vintora::DesktopUrlOpener urls;
    const auto wizard = vintora::StartWizard(settings, dialogs, urls);
    return app.exec();
}
