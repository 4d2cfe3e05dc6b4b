#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <utility>

// Each benchmark times Vintora's job and the floor for the same job in the
// same iteration, so that both see the same machine state, and reports
// both times and their ratio as counters.
class PairTimer
{
public:
    template<typename F>
    void vintora(F &&job)
    {
        m_vintora += time(std::forward<F>(job));
    }

    template<typename F>
    void floor(F &&job)
    {
        m_floor += time(std::forward<F>(job));
    }

    void report(benchmark::State &state) const
    {
        const double n = double(state.iterations());
        state.counters["vintora_ms"] = m_vintora / n * 1e3;
        state.counters["floor_ms"] = m_floor / n * 1e3;
        state.counters["ratio"] = m_floor > 0 ? m_vintora / m_floor : 0;
    }

private:
    template<typename F>
    static double time(F &&job)
    {
        const auto start = std::chrono::steady_clock::now();
        job();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    double m_vintora = 0;
    double m_floor = 0;
};
