// Renders every page of the wizard to PNG, for the README and for looking
// at the pages without a desktop: vintora-screenshots OUTPUT_FOLDER
#include "wizard/start_wizard.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);

    vintora::WizardSettings settings;
    const auto wizard = vintora::StartWizard(settings);
    const char *names[] = {"welcome",    "page-style", "layout-style", "table",
                           "thumbnails", "pictures",   "packaging",    "output"};
    for (int page = 0; page < vintora::kPageCount; ++page) {
        wizard->ShowPage(page);
        const QString path = QStringLiteral("%1/%2-%3.png")
                                     .arg(folder)
                                     .arg(page)
                                     .arg(QLatin1String(names[page]));
        if (!wizard->grab().save(path)) {
            QTextStream(stderr) << "Cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
