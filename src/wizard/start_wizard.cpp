#include "wizard/start_wizard.h"

#include "version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace vintora {

QString versionCaption()
{
    return QStringLiteral("Version %1.%2.%3")
            .arg(kVersionMajor)
            .arg(kVersionMinor)
            .arg(kVersionRevision);
}

std::unique_ptr<WizardWindow> StartWizard(WizardSettings &settings, Dialogs &dialogs,
                                          UrlOpener &urls)
{
    auto window = std::make_unique<WizardWindow>(settings, dialogs, urls);
    window->versionLabel()->setText(versionCaption());
    window->ShowPage(kWelcomePage);

    // Centred on the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    window->show();
    window->activateWindow();
    return window;
}

} // namespace vintora
