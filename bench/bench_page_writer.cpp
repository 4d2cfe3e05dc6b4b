// Writing the index page against writing the same bytes with one buffered
// write. Two cases: over a file written before (each iteration truncates
// the last one's page), and into a new file each time, as the Fin run does
// (it writes a new temporary file and renames it over the page). Removing
// the old files is not timed.

#include "bench_support.h"

#include "page/index_page_writer.h"
#include "support/default_settings.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

#include <unistd.h>

using namespace vintora;

namespace {

QStringList entries(int count)
{
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("/home/someone/Pictures/Holiday 2026/IMG_%1.jpg")
                        .arg(i, 5, 10, QLatin1Char('0'));
    return list;
}

void BM_WritePage(benchmark::State &state)
{
    const WizardSettings settings = defaultSettings();
    const QStringList list = entries(int(state.range(0)));
    QTemporaryDir dir;
    const QString vintoraPath = dir.filePath(QStringLiteral("vintora.htm"));
    const QByteArray floorPath = dir.filePath(QStringLiteral("floor.htm")).toLocal8Bit();

    // The floor writes exactly the bytes of the page.
    QBuffer reference;
    reference.open(QIODevice::WriteOnly);
    WriteIndexPage(settings, list, 2, 0, reference);
    const QByteArray bytes = reference.data();

    const bool newFile = state.range(1) != 0;
    PairTimer timer;
    for (auto _ : state) {
        if (newFile) {
            QFile::remove(vintoraPath);
            QFile::remove(QString::fromLocal8Bit(floorPath));
        }
        // Nothing left for the system to write back meanwhile.
        ::sync();
        const auto vintora = [&] {
            timer.vintora([&] {
                QFile file(vintoraPath);
                file.open(QIODevice::WriteOnly | QIODevice::Truncate);
                WriteIndexPage(settings, list, 2, 0, file);
                file.close();
            });
        };
        const auto floor = [&] {
            timer.floor([&] {
                std::FILE *file = std::fopen(floorPath.constData(), "wb");
                std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
                std::fclose(file);
            });
        };
        // Each goes first every other time: the one after the removals
        // may find the system busy freeing the old files' pages.
        timer.inTurn(vintora, floor);
    }
    timer.report(state);
    state.counters["page_bytes"] = double(bytes.size());
}

} // namespace

// Arguments: pictures, and 1 to write into a new file each time.
BENCHMARK(BM_WritePage)
        ->ArgNames({"pictures", "new_file"})
        ->Args({32767, 0})
        ->Args({100000, 0})
        ->Args({32767, 1})
        ->Args({100000, 1})
        ->Iterations(100)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

BENCHMARK_MAIN();
