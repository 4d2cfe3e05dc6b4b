// Start-up: from starting the process to the wizard on screen (offscreen
// platform), and the process's peak memory; against a bare Qt Widgets
// program that shows one empty 464 x 354 window. Both are helper programs
// built beside this one, started afresh in every iteration.
//
// Also timed: the same bare window with one line of text (text_floor_ms),
// which loads a font as the wizard must and the empty window never does.
// Any window with text pays for that, so it is the fair floor for the
// wizard; text_ratio is the wizard's time against it.

#include "bench_support.h"
#include "child_process.h"

#include <cstdlib>

namespace {

void BM_StartUp(benchmark::State &state)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const auto folder = ownFolder();
    const auto wizard = folder / "bench-startup-wizard";
    const auto bare = folder / "bench-startup-floor";

    PairTimer timer;
    std::vector<double> wizardPeak, barePeak, withText;
    bool textFirst = false;
    for (auto _ : state) {
        ChildRun vintora, floor, text;
        // The window with text goes before the pair every other time.
        const auto runText = [&] {
            text = runChild(bare, {"--text"});
        };
        if ((textFirst = !textFirst))
            runText();
        timer.inTurn([&] { vintora = runChild(wizard, {}); }, [&] { floor = runChild(bare, {}); });
        if (!textFirst)
            runText();
        if (vintora.marker != "shown" || floor.marker != "shown") {
            state.SkipWithError("a helper did not show its window");
            break;
        }
        if (text.marker == "shown")
            withText.push_back(text.secondsToMarker);
        timer.addVintora(vintora.secondsToMarker);
        timer.addFloor(floor.secondsToMarker);
        wizardPeak.push_back(double(vintora.peakKiB) / 1024);
        barePeak.push_back(double(floor.peakKiB) / 1024);
    }
    timer.report(state);
    const double wizardMiB = PairTimer::median(wizardPeak);
    const double bareMiB = PairTimer::median(barePeak);
    state.counters["vintora_peak_MiB"] = wizardMiB;
    state.counters["floor_peak_MiB"] = bareMiB;
    state.counters["peak_above_MiB"] = wizardMiB - bareMiB;
    const double textFloor = PairTimer::median(withText);
    state.counters["text_floor_ms"] = textFloor * 1e3;
    state.counters["text_ratio"] = textFloor > 0 ? timer.vintoraMedian() / textFloor : 0;
}

} // namespace

BENCHMARK(BM_StartUp)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
