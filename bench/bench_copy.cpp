// The Fin run with copying chosen: 500 pictures of 1 MB each into an empty
// folder on the same file system, then the page; against cp of the same
// files into another empty folder.

#include "bench_support.h"
#include "support/default_settings.h"

#include "run/fin_run.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <unistd.h>

using namespace vintora;

namespace {

constexpr int kPictures = 500;
constexpr qsizetype kPictureBytes = 1024 * 1024;

struct Sources
{
    QTemporaryDir dir;
    QStringList paths;
};

// The pictures, made once: different bytes in each.
const Sources &sources()
{
    static Sources made = [] {
        Sources s;
        QByteArray bytes(kPictureBytes, Qt::Uninitialized);
        for (int i = 0; i < kPictures; ++i) {
            QRandomGenerator(quint32(i))
                    .fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
            const QString path
                    = s.dir.filePath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(bytes);
            s.paths << path;
        }
        return s;
    }();
    return made;
}

void BM_CopyPictures(benchmark::State &state)
{
    const Sources &pictures = sources();
    const WizardSettings settings = defaultSettings();
    QTemporaryDir work;
    PairTimer timer;
    int round = 0;
    for (auto _ : state) {
        const QString vintoraFolder = work.filePath(QStringLiteral("vintora-%1").arg(round));
        const QString floorFolder = work.filePath(QStringLiteral("floor-%1").arg(round));
        ++round;
        QDir().mkpath(vintoraFolder);
        QDir().mkpath(floorFolder);

        FinResult result = FinResult::Refused;
        int cpExit = -1;
        // Each side starts with nothing waiting to be written to the disk:
        // otherwise the system's write-back of one side's 500 MB falls on
        // whichever copies next.
        const auto vintora = [&] {
            ::sync();
            timer.vintora([&] {
                result = RunFin({settings, pictures.paths, QStringLiteral("vintora.htm"),
                                 vintoraFolder})
                                 .result;
            });
        };
        const auto floor = [&] {
            ::sync();
            timer.floor([&] {
                cpExit = QProcess::execute(QStringLiteral("cp"), QStringList(pictures.paths)
                                                                         << floorFolder);
            });
        };
        timer.inTurn(vintora, floor);
        const bool complete = QDir(vintoraFolder).count() == uint(kPictures + 3)
                              && QDir(floorFolder).count() == uint(kPictures + 2);
        QDir(vintoraFolder).removeRecursively();
        QDir(floorFolder).removeRecursively();
        if (result != FinResult::Finished || cpExit != 0 || !complete) {
            state.SkipWithError("the pictures were not all copied");
            break;
        }
    }
    timer.report(state);
    state.counters["MB"] = double(kPictures) * double(kPictureBytes) / 1e6;
}

} // namespace

BENCHMARK(BM_CopyPictures)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
