// Two jobs of the Fin run whose cost is in its checks rather than its
// writing:
// - a folder of 32,767 pictures listed and its page written, pictures not
//   copied, with an earlier page in the output folder (which the run must
//   make sure is none of the pictures); against `ls -f | sort` and a copy
//   of the page, done in the benchmark itself;
// - a second run of an unchanged gallery (40 photographs copied, with
//   thumbnails), against the first run that made it.

#include "bench_support.h"
#include "support/default_settings.h"

#include "pictures/folder_listing.h"
#include "run/fin_run.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <dirent.h>

using namespace vintora;

namespace {

constexpr int kListed = 32767;

QString folderOfPictures()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        for (int i = 0; i < kListed; ++i) {
            QFile file(dir.filePath(QStringLiteral("IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0'))));
            if (!file.open(QIODevice::WriteOnly))
                return false;
        }
        return true;
    }();
    return made ? dir.path() : QString();
}

FinOutcome runInto(const WizardSettings &settings, const QStringList &pictures,
                   const QString &folder)
{
    return RunFin({settings, pictures, QStringLiteral("vintora.htm"), folder});
}

// The floor: the folder's names read and sorted, and a page of the same
// size copied over the earlier one.
bool listAndCopy(const QString &folder, const QString &page, const QString &copy)
{
    DIR *entries = ::opendir(QFile::encodeName(folder).constData());
    if (!entries)
        return false;
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(entries))
        names.emplace_back(entry->d_name);
    ::closedir(entries);
    std::sort(names.begin(), names.end());
    QFile::remove(copy);
    return names.size() > size_t(kListed) && QFile::copy(page, copy);
}

void BM_ListAndPage(benchmark::State &state)
{
    const QString pictures = folderOfPictures();
    QTemporaryDir out;
    WizardSettings settings = defaultSettings();
    settings.copyPictures = kFalse;
    const QString page = out.filePath("vintora.htm");
    // The earlier page, and a file of its size for the floor to copy.
    runInto(settings, *ListFolderPictures(pictures), out.path());
    QFile::copy(page, out.filePath("model.htm"));
    PairTimer timer;
    bool ok = true;
    for (auto _ : state) {
        timer.inTurn(
                [&] {
                    timer.vintora([&] {
                        const auto listed = ListFolderPictures(pictures);
                        ok = ok && listed && listed->size() == kListed
                             && runInto(settings, *listed, out.path()).result
                                        == FinResult::Finished;
                    });
                },
                [&] {
                    timer.floor([&] {
                        ok = ok
                             && listAndCopy(pictures, out.filePath("model.htm"),
                                            out.filePath("floor.htm"));
                    });
                });
    }
    if (!ok)
        state.SkipWithError("the page was not written");
    timer.report(state);
}

// Photograph-like pictures of about 1 MB: colour with a camera's noise.
QStringList photographs(const QString &folder)
{
    QStringList paths;
    for (int i = 0; i < 40; ++i) {
        QImage image(2000, 1500, QImage::Format_RGB32);
        quint32 noise = 2463534242u + quint32(i);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                noise ^= noise << 13;
                noise ^= noise >> 17;
                noise ^= noise << 5;
                const int n = int(noise % 13) - 6;
                line[x] = qRgb(
                        std::clamp(128 + int(100 * std::sin((i + 2) * x / 300.0)) + n, 0, 255),
                        std::clamp(128 + int(90 * std::cos(y / 200.0)) + n, 0, 255),
                        std::clamp(64 + (x + y) % 150 + n, 0, 255));
            }
        }
        const QString path
                = QStringLiteral("%1/IMG_%2.jpg").arg(folder).arg(i, 4, 10, QLatin1Char('0'));
        image.save(path, "jpeg", 90);
        paths << path;
    }
    return paths;
}

void BM_SecondRun(benchmark::State &state)
{
    QTemporaryDir work;
    QDir(work.path()).mkdir("photos");
    const QStringList pictures = photographs(work.filePath("photos"));
    WizardSettings settings = defaultSettings();
    settings.makeThumbnails = kTrue;
    PairTimer timer;
    int round = 0;
    bool ok = true;
    for (auto _ : state) {
        const QString out = work.filePath(QStringLiteral("out-%1").arg(round++));
        QDir().mkpath(out);
        // The floor is the first run, which makes the gallery; the second
        // finds everything in place.
        timer.floor([&] { ok = ok && runInto(settings, pictures, out).copiedPictures == 40; });
        timer.vintora([&] {
            const FinOutcome again = runInto(settings, pictures, out);
            ok = ok && again.copiesInPlace == 40 && again.thumbnailsKept == 40;
        });
        QDir(out).removeRecursively();
    }
    if (!ok)
        state.SkipWithError("the second run did not find the gallery in place");
    timer.report(state);
}

} // namespace

BENCHMARK(BM_ListAndPage)->Iterations(15)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SecondRun)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
