#pragma once

#include <thread>

namespace vintora {

// Reads the system's font configuration on a second thread while the
// application sets itself up, so that the first text the wizard lays out
// does not wait for it. Where Qt finds its fonts through fontconfig,
// reading that configuration is most of what the first text costs (5 to
// 8 ms of a start-up of some 50 ms on a small machine). Elsewhere, or when
// no second thread can be had, it does nothing.
//
// Make one before the QApplication and wait() before the first window is
// built.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();

    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Returns once the configuration has been read (at once after the
    // first call, or where there is nothing to read).
    void wait();

private:
    std::thread m_thread;
};

} // namespace vintora
