#pragma once

// What the start-up helpers share: wait until a window is on screen, then
// print one line that ends the timing.

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include <cstdio>

// Pumps events until the window is exposed and has painted once.
inline void waitUntilShown(QWidget &window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
}

// The line the driver waits for.
inline void printMarker(const char *text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}
