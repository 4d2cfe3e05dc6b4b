// Memory with a big list: the peak memory of the wizard holding the
// 100,000 pictures of one folder, added with "Select a folder", against the
// same wizard with none. What it takes beyond the path texts themselves
// (UTF-16, as the list keeps them), per entry. The wizard runs in a helper
// program built beside this one, started afresh in every iteration.

#include "bench_support.h"
#include "child_process.h"

#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kEntries = 100000;

QString folderOfPictures()
{
    static QTemporaryDir dir;
    static const bool made = [] {
        const std::string base = dir.path().toStdString() + "/";
        char name[64];
        for (int i = 0; i < kEntries; ++i) {
            std::snprintf(name, sizeof name, "IMG_%06d.jpg", i);
            const int fd = ::open((base + name).c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        return true;
    }();
    Q_UNUSED(made);
    return dir.path();
}

void BM_BigList(benchmark::State &state)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto helper = ownFolder() / "bench-big-list";
    const std::string folder = folderOfPictures().toStdString();

    std::vector<double> perEntry, emptyPeak, fullPeak;
    long long entries = 0, textBytes = 0;
    for (auto _ : state) {
        const ChildRun none = runChild(helper, {});
        const ChildRun full = runChild(helper, {folder});
        if (std::sscanf(full.marker.c_str(), "%lld %lld", &entries, &textBytes) != 2
            || entries != kEntries) {
            state.SkipWithError("the helper did not hold the folder's pictures");
            break;
        }
        const double above = double(full.peakKiB - none.peakKiB) * 1024;
        perEntry.push_back((above - double(textBytes)) / double(entries));
        emptyPeak.push_back(double(none.peakKiB) / 1024);
        fullPeak.push_back(double(full.peakKiB) / 1024);
    }
    state.counters["empty_peak_MiB"] = PairTimer::median(emptyPeak);
    state.counters["full_peak_MiB"] = PairTimer::median(fullPeak);
    state.counters["text_bytes_per_entry"] = double(textBytes) / double(kEntries);
    state.counters["bytes_per_entry_beyond_text"] = PairTimer::median(perEntry);
}

} // namespace

BENCHMARK(BM_BigList)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
