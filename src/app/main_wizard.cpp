#include "desktop/dialogs.h"
#include "desktop/url_opener.h"
#include "version.h"
#include "wizard/start_wizard.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char *kHelp
        = "Usage: vintora [Qt options]\n"
          "Opens the Vintora wizard, which makes one HTML thumbnail index page of pictures.\n"
          "\n"
          "Options:\n"
          "  -h, --help     Show this help.\n"
          "  -v, --version  Show the version.\n"
          "\n"
          "The options every Qt program takes, such as -platform and -style, are\n"
          "taken too. vintora-cli makes the same page from the command line, without\n"
          "a window; see vintora-cli --help.\n";

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

// Whether the arguments choose a window system themselves (-platform).
bool choosesPlatform(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}
#endif

// Without a display to open, Qt would abort with a message about
// reinstalling the program; one plain line says what is wrong instead.
bool hasDesktopSession([[maybe_unused]] int argc, [[maybe_unused]] char *argv[])
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM")
           || choosesPlatform(argc, argv);
#else
    return true;
#endif
}

// --help or --version, answered before any window is opened; -1 to go on.
int answerInformationOptions(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (std::strcmp(argument, "--") == 0)
            break;
        if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0
            || std::strcmp(argument, "-help") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argument, "-v") == 0 || std::strcmp(argument, "--version") == 0
            || std::strcmp(argument, "-version") == 0) {
            std::printf("vintora %s\n", vintora::kVersionText);
            return 0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const int status = answerInformationOptions(argc, argv); status >= 0)
        return status;
    if (!hasDesktopSession(argc, argv)) {
        std::fputs("vintora: the wizard needs a desktop session and none was found (DISPLAY and "
                   "WAYLAND_DISPLAY are not set); vintora-cli makes the same page without one.\n",
                   stderr);
        return 1;
    }

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
