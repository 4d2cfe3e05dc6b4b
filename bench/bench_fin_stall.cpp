// How long the wizard's window goes without its event loop running (and so
// without repainting) during a Fin run of 3,000 pictures with thumbnails,
// copied as the start values have it: a 10 ms timer on the GUI thread
// records the largest gap between its ticks from the click on Fin to the
// end of the run. The floor is the largest gap of the same timer over an
// event loop with nothing to do for two seconds while as many threads as
// there are cores keep them busy, as the run's own workers do: what any
// program's window sees of a machine whose cores are taken.

#include "bench_support.h"
#include "gui_main.h"
#include "noisy_photograph.h"
#include "support/default_settings.h"
#include "support/scripted_dialogs.h"

#include "wizard/fin_controller.h"
#include "wizard/picture_list.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

using namespace vintora;

namespace {

constexpr int kPictures = 3000;
constexpr int kTickMs = 10;

// 3,000 photographs of 800 x 600, each its own file of the same bytes.
QStringList pictures(const QString &folder)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    NoisyPhotograph({800, 600}, 1, 3.0, 2.0).save(&buffer, "jpeg", 90);
    QStringList paths;
    for (int i = 0; i < kPictures; ++i) {
        const QString path
                = QStringLiteral("%1/IMG_%2.jpg").arg(folder).arg(i, 4, 10, QLatin1Char('0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
            return {};
        paths << path;
    }
    return paths;
}

// The largest gap between the ticks of a kTickMs timer while the loop runs
// until done() is true.
class StallWatch : public QObject
{
public:
    StallWatch()
    {
        m_timer.setInterval(kTickMs);
        connect(&m_timer, &QTimer::timeout, this,
                [this] { m_longest = std::max(m_longest, m_sinceTick.restart()); });
    }
    void start()
    {
        m_longest = 0;
        m_sinceTick.start();
        m_timer.start();
    }
    qint64 stop()
    {
        m_timer.stop();
        return std::max(m_longest, m_sinceTick.elapsed());
    }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    qint64 m_longest = 0;
};

// The floor: the watch over an idle loop while every core is kept busy.
qint64 busyCoresFloor(StallWatch &watch)
{
    std::atomic<bool> done{false};
    std::vector<std::unique_ptr<QThread>> spinners;
    for (int i = 0; i < QThread::idealThreadCount(); ++i) {
        spinners.emplace_back(QThread::create([&done] {
            volatile quint64 turns = 0;
            while (!done.load(std::memory_order_relaxed))
                turns = turns + 1;
        }));
        spinners.back()->start();
    }
    QEventLoop loop;
    watch.start();
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    loop.exec();
    const qint64 longest = watch.stop();
    done = true;
    for (const auto &spinner : spinners)
        spinner->wait();
    return longest;
}

void BM_StallDuringRun(benchmark::State &state)
{
    QTemporaryDir work;
    QDir(work.path()).mkdir(QStringLiteral("photos"));
    const QStringList paths = pictures(work.filePath(QStringLiteral("photos")));
    if (paths.size() != kPictures) {
        state.SkipWithError("the pictures could not be made");
        return;
    }
    PairTimer timer;
    StallWatch watch;
    bool finished = true;
    int round = 0;
    for (auto _ : state) {
        const QString out = work.filePath(QStringLiteral("out-%1").arg(round++));
        QDir().mkpath(out);
        // The Output page's controls and the picture list on a plain window.
        ScriptedDialogs dialogs;
        dialogs.folders = {out};
        WizardSettings settings = defaultSettings();
        settings.makeThumbnails = kTrue;
        QWidget window;
        auto *fileName = new QLineEdit(QStringLiteral("vintora.htm"), &window);
        auto *status = new QLabel(&window);
        PictureList list(&window, dialogs);
        list.append(paths);
        FinController fin(&window, dialogs, settings, list, fileName, status);
        window.show();

        QEventLoop loop;
        QObject::connect(&fin, &FinController::runningChanged, &loop, [&loop](bool running) {
            if (!running)
                loop.quit();
        });
        watch.start();
        fin.run();
        if (fin.isRunning())
            loop.exec();
        timer.addVintora(double(watch.stop()) / 1e3);
        finished = finished && status->text() == QStringLiteral("Finished!");

        timer.addFloor(double(busyCoresFloor(watch)) / 1e3);
        QDir(out).removeRecursively();
    }
    if (!finished)
        state.SkipWithError("the run did not finish");
    timer.report(state);
}

} // namespace

BENCHMARK(BM_StallDuringRun)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

VINTORA_GUI_BENCHMARK_MAIN();
