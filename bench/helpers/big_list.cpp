// The wizard on its Pictures page, holding the pictures of one folder added
// with "Select a folder", or none when no folder is given. Prints the number
// of entries and the bytes their path texts take, then ends; the driver
// reads the peak memory.
//   bench-big-list [FOLDER]

#include "shown_marker.h"

#include "desktop/dialogs.h"
#include "desktop/url_opener.h"
#include "wizard/pages/pictures_page.h"
#include "wizard/picture_list.h"
#include "wizard/start_wizard.h"

#include <QApplication>

namespace {

// Answers the folder chooser with one folder, every other dialog with a
// cancel.
class OneFolder : public vintora::Dialogs
{
public:
    explicit OneFolder(QString folder) : m_folder(std::move(folder)) {}
    QString chooseFolder(QWidget *, const QString &) override { return m_folder; }
    QString openFile(QWidget *, const QString &) override { return {}; }
    std::optional<QColor> chooseColor(QWidget *, const QColor &) override { return {}; }
    void showFailure(QWidget *, const QString &) override {}

private:
    QString m_folder;
};

class NoUrls : public vintora::UrlOpener
{
public:
    void open(const QUrl &) override {}
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    vintora::WizardSettings settings;
    OneFolder dialogs(folder);
    NoUrls urls;
    const auto wizard = vintora::StartWizard(settings, dialogs, urls);
    wizard->ShowPage(vintora::kPicturesPage);
    waitUntilShown(*wizard);
    if (!folder.isEmpty())
        wizard->picturesPage().pictureList().addFolder();
    QCoreApplication::processEvents();
    wizard->repaint();

    // The path text as the list holds it: UTF-16, two bytes a character.
    qint64 textBytes = 0;
    const vintora::PictureList &list = wizard->picturesPage().pictureList();
    for (const QString &entry : list.entries())
        textBytes += entry.size() * qint64(sizeof(QChar));
    std::printf("%lld %lld\n", static_cast<long long>(list.count()),
                static_cast<long long>(textBytes));
    std::fflush(stdout);
    return 0;
}
