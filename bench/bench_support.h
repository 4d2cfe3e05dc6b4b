#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

// Each benchmark times Vintora's job and the floor for the same job in the
// same iteration, so that both see the same machine state, and reports
// both times and their ratio as counters.
//
// The times reported are the medians over the iterations of a run, not
// their means: the machine is shared, and one iteration that waited for
// another program's work would otherwise weigh on the whole run. The ratio
// is the ratio of the two medians.
class PairTimer
{
public:
    template<typename F>
    void vintora(F &&job)
    {
        m_vintora.push_back(time(std::forward<F>(job)));
    }

    template<typename F>
    void floor(F &&job)
    {
        m_floor.push_back(time(std::forward<F>(job)));
    }

    // Runs both jobs (already wrapped in vintora() and floor() calls), each
    // going first every other time, so that neither always finds the caches
    // as the other left them.
    template<typename V, typename F>
    void inTurn(V &&vintoraJob, F &&floorJob)
    {
        if ((m_odd = !m_odd)) {
            vintoraJob();
            floorJob();
        } else {
            floorJob();
            vintoraJob();
        }
    }

    // Times measured elsewhere, in seconds (by a child process, say).
    void addVintora(double seconds) { m_vintora.push_back(seconds); }
    void addFloor(double seconds) { m_floor.push_back(seconds); }

    double vintoraMedian() const { return median(m_vintora); }

    void report(benchmark::State &state) const
    {
        const double vintora = median(m_vintora);
        const double floor = median(m_floor);
        state.counters["vintora_ms"] = vintora * 1e3;
        state.counters["floor_ms"] = floor * 1e3;
        state.counters["ratio"] = floor > 0 ? vintora / floor : 0;
    }

    static double median(std::vector<double> values)
    {
        if (values.empty())
            return 0;
        const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
        std::nth_element(values.begin(), middle, values.end());
        if (values.size() % 2 == 1)
            return *middle;
        return (*middle + *std::max_element(values.begin(), middle)) / 2;
    }

private:
    template<typename F>
    static double time(F &&job)
    {
        const auto start = std::chrono::steady_clock::now();
        job();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    bool m_odd = false;
    std::vector<double> m_vintora;
    std::vector<double> m_floor;
};
