// Writing the index page against writing the same bytes with one buffered
// write.

#include "bench_support.h"

#include "generate/index_page_writer.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace vintora;

namespace {

WizardSettings defaults()
{
    WizardSettings s;
    s.layoutStyle = QLatin1String(kLayoutTable);
    s.linkColor = 0xFF0000;
    s.activeLinkColor = 0x0000FF;
    s.visitedLinkColor = 0xC000C0;
    s.pageColor = 0xFFFFFF;
    s.tableColumns = 4;
    s.cellSpacing = 1;
    s.cellPadding = 1;
    s.thumbHeight = 100;
    s.thumbWidth = 100;
    s.cellColor = 0xFFFFFF;
    s.cellAlign = QStringLiteral("Center");
    s.cellVAlign = QStringLiteral("Middle");
    s.copyPictures = kTrue;
    return s;
}

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
    const WizardSettings settings = defaults();
    const QStringList list = entries(int(state.range(0)));
    QTemporaryDir dir;
    const QString vintoraPath = dir.filePath(QStringLiteral("vintora.htm"));
    const QByteArray floorPath = dir.filePath(QStringLiteral("floor.htm")).toLocal8Bit();

    // The floor writes exactly the bytes of the page.
    QBuffer reference;
    reference.open(QIODevice::WriteOnly);
    WriteIndexPage(settings, list, 2, 0, reference);
    const QByteArray bytes = reference.data();

    PairTimer timer;
    for (auto _ : state) {
        timer.vintora([&] {
            QFile file(vintoraPath);
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            WriteIndexPage(settings, list, 2, 0, file);
            file.close();
        });
        timer.floor([&] {
            std::FILE *file = std::fopen(floorPath.constData(), "wb");
            std::fwrite(bytes.constData(), 1, size_t(bytes.size()), file);
            std::fclose(file);
        });
    }
    timer.report(state);
    state.counters["page_bytes"] = double(bytes.size());
}

} // namespace

BENCHMARK(BM_WritePage)->Arg(32767)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
