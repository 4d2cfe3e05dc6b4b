// "Select a folder" on a folder of 50,000 pictures and 5,000 other files,
// into the wizard's own list on the Pictures page, until the list has been
// laid out and painted; against a bare listing of the same folder by the
// same pattern, sorted by name.

#include "bench_support.h"
#include "gui_main.h"
#include "support/scripted_dialogs.h"

#include "desktop/url_opener.h"
#include "pictures/folder_listing.h"
#include "wizard/pages/pictures_page.h"
#include "wizard/picture_list.h"
#include "wizard/start_wizard.h"

#include <QCoreApplication>
#include <QListView>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace vintora;

namespace {

constexpr int kPictures = 50000;
constexpr int kOthers = 5000;

// The folder, made once: empty files, the pictures under every ending the
// pattern knows in both cases, the others under endings it does not.
QString pictureFolder()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        const char *pictureEndings[] = {".jpg", ".JPG", ".jpeg", ".png", ".gif", ".bmp", ".jpe"};
        const char *otherEndings[] = {".txt", ".xmp", ".mov", ".jpg.part", ".htm"};
        const std::string base = dir.path().toStdString() + "/";
        const auto touch = [&](const std::string &name) {
            const int fd = ::open((base + name).c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
            if (fd >= 0)
                ::close(fd);
        };
        for (int i = 0; i < kPictures; ++i)
            touch("Picture " + std::to_string(i) + pictureEndings[i % 7]);
        for (int i = 0; i < kOthers; ++i)
            touch("Other " + std::to_string(i) + otherEndings[i % 5]);
        return true;
    }();
    Q_UNUSED(made);
    return dir.path();
}

bool endsWithNoCase(const char *name, size_t length, const char *ending)
{
    const size_t n = std::strlen(ending);
    return length >= n && ::strcasecmp(name + length - n, ending) == 0;
}

// The floor: one pass of readdir, the same endings, one sort.
std::vector<std::string> bareListing(const std::string &folder)
{
    static const char *endings[] = {".jpg", ".jpe", ".jpeg", ".gif", ".png", ".bmp"};
    std::vector<std::string> names;
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.' || entry->d_type == DT_DIR)
            continue;
        const size_t length = std::strlen(entry->d_name);
        for (const char *ending : endings) {
            if (endsWithNoCase(entry->d_name, length, ending)) {
                names.emplace_back(entry->d_name, length);
                break;
            }
        }
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const int order = ::strcasecmp(a.c_str(), b.c_str());
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

class NoUrls : public UrlOpener
{
public:
    void open(const QUrl &) override {}
};

void BM_AddFolder(benchmark::State &state)
{
    const QString folder = pictureFolder();
    const std::string folderText = folder.toStdString();
    NoUrls urls;
    PairTimer timer;
    qsizetype added = 0;
    size_t listed = 0;
    for (auto _ : state) {
        // A new wizard each time, on the Pictures page, its list empty.
        WizardSettings settings;
        ScriptedDialogs dialogs;
        dialogs.folders = {folder};
        const auto wizard = StartWizard(settings, dialogs, urls);
        wizard->ShowPage(kPicturesPage);
        QCoreApplication::processEvents();

        const auto vintora = [&] {
            timer.vintora([&] {
                wizard->picturesPage().pictureList().addFolder();
                // The view lays itself out and paints.
                QCoreApplication::processEvents();
                QCoreApplication::processEvents();
            });
        };
        const auto floor = [&] {
            timer.floor([&] { listed = bareListing(folderText).size(); });
        };
        // Each goes first every other time, so that neither always finds
        // the folder's entries freshly read.
        timer.inTurn(vintora, floor);
        added = wizard->picturesPage().pictureList().count();
        const QListView *view = wizard->picturesPage().fileList();
        if (added != kPictures || listed != size_t(kPictures) || !view->isVisible()
            || !view->indexAt(QPoint(4, 4)).isValid()) {
            state.SkipWithError("the folder was not listed as expected");
            break;
        }
    }
    timer.report(state);
    state.counters["entries"] = double(added);
}

} // namespace

BENCHMARK(BM_AddFolder)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

VINTORA_GUI_BENCHMARK_MAIN();
