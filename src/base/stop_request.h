#pragma once

#include <atomic>

namespace vintora {

// A request that a long piece of work stop, made from any thread or from a
// signal handler (a lock-free atomic store is safe there), and read by the
// work where it can stop cleanly: between files.
class StopRequest
{
public:
    StopRequest() = default;
    StopRequest(const StopRequest &) = delete;
    StopRequest &operator=(const StopRequest &) = delete;

    // why says what asked, for whoever asked (a signal's number, say); it
    // is never 0. The first request is the one kept.
    void request(int why = kAsked) noexcept
    {
        int none = 0;
        m_why.compare_exchange_strong(none, why == 0 ? kAsked : why, std::memory_order_relaxed);
    }
    bool isRequested() const noexcept { return why() != 0; }
    // What asked; 0 while nothing has.
    int why() const noexcept { return m_why.load(std::memory_order_relaxed); }

    static constexpr int kAsked = -1;

private:
    static_assert(std::atomic<int>::is_always_lock_free);
    std::atomic<int> m_why{0};
};

} // namespace vintora
