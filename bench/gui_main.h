#pragma once

// main() for benchmarks that need a QApplication: the offscreen platform
// unless another is asked for, Google Benchmark's flags taken first.

#include <benchmark/benchmark.h>

#include <QApplication>

#define VINTORA_GUI_BENCHMARK_MAIN() \
    int main(int argc, char **argv) \
    { \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) \
            qputenv("QT_QPA_PLATFORM", "offscreen"); \
        benchmark::Initialize(&argc, argv); \
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) \
            return 1; \
        QApplication app(argc, argv); \
        benchmark::RunSpecifiedBenchmarks(); \
        benchmark::Shutdown(); \
        return 0; \
    }
