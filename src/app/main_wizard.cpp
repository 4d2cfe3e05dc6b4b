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
    const auto wizard = vintora::StartWizard(settings);
    return app.exec();
}
